#pragma once
// The header viewer: one read-only window that shows a header file with Objective-C colours,
// scrolled to a line (about a third from the top) with that line marked, line numbers in a
// margin, and find in the text. A second show replaces the file and the line in the same
// window, which keeps its size and place for the session.
//
//   Ctrl+F       the find bar, its field selected; typing finds as it goes, from the cursor
//   Return, F3   the next match (wrapping); Shift+Return, Shift+F3 the previous one
//   Escape       closes the find bar; with the bar closed, the window
//   Open in Editor   the file and line to the user's editor (EditorLauncher)
// What cannot be shown is said in the window: a header that is gone, a folder, one that cannot
// be read or is larger than HedderText::kLargest; bytes that are not UTF-8 show as U+FFFD, and
// the window says how many there are. The text is in the fixed-pitch font at the size of the
// preferences' font.
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace Ui {
class HedderViewer;
}

namespace kestrel::gui {

class HedderHighlighter;
class HedderTextView;

class HedderViewer : public QObject {
    Q_OBJECT
public:
    // Headers larger than this are shown without colours (colouring them would hold the window).
    static constexpr int kLargestColoured = 2 * 1024 * 1024;

    explicit HedderViewer(QObject* parent = nullptr);
    ~HedderViewer() override;

    // Shows path with line (from 1; 0 for none) marked; declarationName is what the line declares
    // ("NSView", "-[NSView display]"), named in the title and in what the window says.
    void show(const QString& path, int line, const QString& declarationName);
    void show(const std::string& path, int line, const std::string& declarationName);

    void showFindBar();
    void hideFindBar();
    void findNext();
    void findPrevious();
    void openInEditor();

    QWidget* getWindow() const { return window_; }
    HedderTextView* getTextView() const;
    QWidget* getFindBar() const;
    QLineEdit* getFindField() const;
    QLabel* getFindStatusView() const;
    QLabel* getNoteView() const;
    QPushButton* getOpenInEditorButton() const;
    const QString& getPath() const { return path_; }
    int getLine() const { return line_; }

private:
    void makeWindow();
    // The fixed-pitch font at the preferences' size, tabs of eight columns.
    void useFont();
    void place();
    void escape();
    // Finds the field's text: from the cursor's start (as typing goes on), or past the current
    // match forwards or backwards; lights every match near the current one.
    enum class Step { Here, Next, Previous };
    void find(Step step);
    // What the window says: the notes on the file shown, and one more line when given.
    void showNotes(const QString& more = QString());

    QPointer<QWidget> window_;
    std::unique_ptr<Ui::HedderViewer> ui_;
    HedderHighlighter* highlighter_ = nullptr;
    QString path_;
    QString name_;
    int line_ = 0;
    QString text_;  // the text shown, for find
    bool placed_ = false;
    std::vector<QString> fileNotes_;  // what the window says about the file shown
};

}  // namespace kestrel::gui
