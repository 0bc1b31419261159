#pragma once
// The opening window ("OpeningAbout"): while the tree is loaded or built, the progress bar (0
// to 100), the message (the framework being read) and the status line (the header), under a
// title of its own. The work blocks the event loop, so the window is painted before it starts
// (once the window system shows it: a repaint before that paints nothing, and the user saw a
// black box or a hollow frame) and each change is painted at once, at most every few
// milliseconds (a build reports hundreds of headers a second), the whole window now and then.
// In about mode the same window shows the class count with an OK button instead of the bar.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class OpeningAbout;
}

namespace kestrel::gui {

class OpeningAboutController : public QObject {
    Q_OBJECT
public:
    explicit OpeningAboutController(QObject* parent = nullptr);
    ~OpeningAboutController() override;

    // title: what the window is doing ("Starting Kestrel", "Rebuilding the Class Tree").
    void beginOpening(const QString& title);
    // classCount: the number of classes in the tree.
    void beginAbout(std::size_t classCount);

    void setProgressBarValue(double value);
    void addProgressBarValue(double amount);
    void setIndeterminate(bool flag);
    void setStatusMessage(const std::string& text);
    void setMessage(const std::string& text);
    // A remark above the progress (why the tree is built), shown until the window closes.
    void setNote(const std::string& text);
    // What is read, under the program's name: "Frameworks of macOS 14.2", the root's path as
    // its tip.
    void setSdkName(const std::string& name, const std::string& path);
    void aboutEnd();

    int getMode() const { return mode; }
    double progressValue() const { return progress_; }
    QDialog* getWindow() const { return window; }
    QString statusText() const;
    QString messageText() const;
    QString noteText() const;
    QString sdkText() const;

private:
    void load();
    // Waits (a second at most) until the window system shows the window, and paints it.
    void paintWhenShown();
    // Paints what changed now when the last forced paint is a few milliseconds old (or force);
    // the whole window when its last paint is older (what covered it meanwhile is gone).
    void paintNow(QWidget* control, bool force);

    int mode = 1;  // 1 opening, 0 about
    QPointer<QDialog> window;
    std::unique_ptr<Ui::OpeningAbout> ui_;
    double progress_ = 0;
    QElapsedTimer lastPaint_;
    QElapsedTimer lastWholePaint_;
};

}  // namespace kestrel::gui
