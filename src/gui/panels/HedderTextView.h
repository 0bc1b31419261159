#pragma once
// The header viewer's text: read-only, unwrapped, in the fixed font, with the line numbers in
// a margin, one line marked (a background across the whole width, its number in bold) and the
// matches of a find lit.
#include <QList>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace kestrel::gui {

class HedderTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit HedderTextView(QWidget* parent = nullptr);

    // The marked line, from 1; 0 for none.
    void setMarkedLine(int line);
    int markedLine() const { return markedLine_; }
    // Scrolls so that line (from 1) stands about a third from the top, and puts the cursor there.
    void scrollToLine(int line);
    // The lines in view: the first (from 1) and how many fit.
    int firstVisibleLine() const;
    int visibleLineCount() const;
    // The matches of a find, lit; the current one is the selection.
    void setMatches(QList<QTextEdit::ExtraSelection> matches);
    int lineNumberWidth() const;

    // The margin's painting, called by the margin.
    void paintLineNumbers(QPaintEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateMargin();
    void updateSelections();

    QWidget* margin_ = nullptr;
    int markedLine_ = 0;
    QList<QTextEdit::ExtraSelection> matches_;
};

}  // namespace kestrel::gui
