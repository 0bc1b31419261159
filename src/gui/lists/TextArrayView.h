#pragma once
// The one list of the program: rows a line of the list font high (15 points at least), one
// selected row at most, a delegate told of every selection change, the selected row's text
// dragged out as plain text. Subclasses say
// what a row shows (getTextFromArray), what a click does (doClickAction, doDoubleClick), what
// is dragged (createDragStrings) and what happens around a drag.
//
//   click on row i          lineUnSelected(old) -- also for -1 or the same row --, then
//                           lineSelected(i); a click below the last row is a click on -1
//   new rows                lineUnSelected(old) when a row was selected; no lineSelected
//   content size            (widest row, row height x rows); the scrolled area is never
//                           smaller than the visible one
//   the selected row        the palette's highlight with its highlighted text, of the active
//                           group while the list has the focus, else of the inactive group
//   keys                    Up, Down, Home, End, Page Up, Page Down select as a click on the
//                           row they lead to would, and scroll it into view; Return and Enter
//                           on a selected row do what a double click does (where it does
//                           anything)
// While the list has the keyboard focus a frame in the highlight colour runs round it.
// Rows are painted from the scroll position: only those in the area being painted are drawn,
// so a list of 100,000 rows scrolls as fast as one of ten. Widths are measured whole for lists
// of up to 1,000 rows; a longer one measures its first page when it gets its rows and every
// other row when it is painted (its width grows as wider rows come into view), so that it
// fills as fast as a short one.
#include <QAbstractScrollArea>
#include <QPoint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gui/app/EditTarget.h"
#include "gui/app/PrefFonts.h"

class QLineEdit;

namespace kestrel::gui {

class TextArrayViewDelegate {
public:
    virtual ~TextArrayViewDelegate() = default;
    virtual void lineSelected(int) {}
    virtual void lineUnSelected(int) {}
};

class TextArrayView : public QAbstractScrollArea, public EditTarget {
    Q_OBJECT
public:
    // The smallest row height (the rows of the classic font).
    static constexpr int kRowHeight = 15;
    // Text starts this far in from the left edge.
    static constexpr int kTextInset = 4;

    explicit TextArrayView(QWidget* parent = nullptr);
    ~TextArrayView() override;

    void setDelegate(TextArrayViewDelegate* delegate) { delegate_ = delegate; }
    // A dimmed text shown in the middle while the list has no rows.
    void setPlaceholderText(const QString& text);
    // The rows of the base list: plain strings; none empties it.
    void setTextArray(std::optional<std::vector<std::string>> rows);
    // A text as one row per line, each keeping its line break; an empty text changes nothing.
    void setMultiLineStrings(const std::string& text);

    virtual std::optional<std::string> getTextFromArray(int index) const;
    // A second, dimmed text at the right edge of the visible area (where a method comes from,
    // the class of a found method); none for most lists. It is not part of drags and copies.
    virtual std::optional<std::string> getSideText(int) const { return std::nullopt; }
    // Where a side text too wide for its column is shortened.
    virtual Qt::TextElideMode sideTextElision() const { return Qt::ElideRight; }
    int rowCount() const { return rowCount_; }
    // The pitch of the rows for the list font now in use (measured again by rowsRestyled).
    int rowHeight() const { return rowHeight_; }
    // Keeps the list between minimum and maximum rows high (frame included), through changes
    // of the font; 0 for no maximum.
    void setHeightInRows(int minimum, int maximum);
    int getSelectLine() const { return selectLine; }
    static constexpr int kMeasuredRows = 1000;

    // The widest row (of a long list: of those measured, see above).
    double calcArrayWidth() const;
    // Content size: (widest row, row height x rows); zero without rows.
    QSize dataBounds() const { return dataBounds_; }

    // Selects row index (-1 for none) and tells the delegate, as a click does.
    virtual void doClickAction(int index);
    // Selects row index as a click would and scrolls it into view.
    void selectRow(int index);
    void scrollToRow(int index);
    virtual void doDoubleClick() {}
    // Whether a double click does anything here: Return on a row does the same then, and is
    // left to the window (a dialog's default button) otherwise.
    virtual bool opensRows() const { return false; }
    virtual std::string createDragStrings() const;
    // Drag and copy need a selected row.
    bool canCopy() const override { return selectLine >= 0 && rowCount_ > 0; }
    void copy() override;

    // Drags of this list's text fade the tree window out and in (StartWipeOutNinjyaEffectMessage
    // before, StartWipeInNinjyaEffectMessage after).
    void setAnnouncesDrags(bool on) { announcesDrags_ = on; }

    // The same rows read or look differently (comments, the font): measured and drawn again,
    // the selection kept.
    void rowsRestyled();
    // Rows drawn struck through (deprecated ones), one flag a row; rows beyond the flags are
    // plain. New rows come with their flags or none.
    void setStruckRows(std::vector<bool> flags);
    bool isRowStruck(int index) const;

    // The panel field whose text is the receiver of call texts (the class-name field).
    void setClassNameView(QLineEdit* field) { classNameView_ = field; }
    QLineEdit* classNameField() const { return classNameView_; }
    std::string receiverName() const;

protected:
    // Replaces the rows by count new ones (their data already in place in the subclass), as
    // setTextArray does: the old selection is dropped with lineUnSelected, sizes are measured.
    void rowsReplaced(int count);

    virtual void dragImageWillStart();
    virtual void dragImageDidEnd();
    // The width of the widest row, and the painting of one row (rect in viewport coordinates).
    virtual double rowWidth(int index) const;
    // Side texts are measured once per new rows (the widest, up to three tenths of the view).
    void measureSideTexts();
    // The rows whose widths are measured when rows come: all of them, or those of a long
    // list's first page.
    std::vector<int> rowsToMeasure() const;
    // A long list's rows first..last-1, painted, are measured soon after (each row once); the
    // content grows to the widest.
    void measurePaintedRows(int first, int last);
    void measureUnmeasured();
    virtual void drawRow(QPainter& painter, int index, const QRect& rect, const RowStyle& style) const;
    // The style of a row: the selected one with the focus, without it, or a plain one.
    RowStyle styleOfRow(int index) const;
    // Fills a row's background.
    void fillRowBackground(QPainter& painter, const QRect& rect, const QColor& colour) const;
    void updateScrollBars();
    int contentY(int viewportY) const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The row a moving key leads to from row `from`, or none for another key.
    std::optional<int> rowForKey(int key, int from) const;
    // The focus frame, drawn last over the visible area.
    void paintFocusFrame(QPainter& painter) const;

    int selectLine = -1;
    bool isFirstResponder = false;

private:
    void startDrag();
    void applyHeightInRows();

    std::vector<std::string> strings_;
    int rowCount_ = 0;
    int rowHeight_ = kRowHeight;
    int minimumRows_ = 0;
    int maximumRows_ = 0;
    int sideWidth_ = 0;
    std::vector<bool> measured_;         // a long list's rows whose widths are in dataBounds_
    std::pair<int, int> unmeasured_{-1, -1};  // painted rows still to measure, first..last-1
    bool measureQueued_ = false;
    QSize dataBounds_;
    TextArrayViewDelegate* delegate_ = nullptr;
    QLineEdit* classNameView_ = nullptr;
    QString placeholder_;
    bool announcesDrags_ = false;
    QPoint pressedAt_;
    bool dragArmed_ = false;
    std::vector<bool> struck_;
};

}  // namespace kestrel::gui
