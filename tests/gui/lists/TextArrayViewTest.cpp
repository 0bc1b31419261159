#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "gui/lists/MethodView.h"
#include "gui/lists/TextArrayView.h"

using namespace kestrel::gui;

namespace {

// What the delegate heard, in order: "+i" for lineSelected, "-i" for lineUnSelected.
struct Recorder : TextArrayViewDelegate {
    std::vector<std::string> heard;
    void lineSelected(int i) override { heard.push_back(std::string("+").append(std::to_string(i))); }
    void lineUnSelected(int i) override { heard.push_back(std::string("-").append(std::to_string(i))); }
};

// Counts the rows a paint draws.
class CountingView : public TextArrayView {
public:
    mutable int drawn = 0;

protected:
    void drawRow(QPainter& painter, int index, const QRect& rect, const RowStyle& style) const override {
        ++drawn;
        TextArrayView::drawRow(painter, index, rect, style);
    }
};

std::vector<std::string> rows(int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(std::string("row ").append(std::to_string(i)));
    return out;
}

void clickAt(TextArrayView& view, int y) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, y)); }

}  // namespace

TEST(TextArrayView, SelectionTellsTheDelegateEveryChange) {
    TextArrayView view;
    Recorder delegate;
    view.setDelegate(&delegate);
    view.resize(300, 200);
    view.show();
    view.setTextArray(rows(5));
    clickAt(view, 29);  // 29 / 15: row 1
    EXPECT_EQ(view.getSelectLine(), 1);
    clickAt(view, 20);  // the same row again: both messages, same index
    clickAt(view, 5 * 15 + 3);  // below the last row: none
    EXPECT_EQ(view.getSelectLine(), -1);
    EXPECT_EQ(delegate.heard, (std::vector<std::string>{"--1", "+1", "-1", "+1", "-1", "+-1"}));

    clickAt(view, 4 * 15 + 1);
    delegate.heard.clear();
    view.setTextArray(rows(3));  // new rows drop the selection, with no lineSelected
    EXPECT_EQ(delegate.heard, (std::vector<std::string>{"-4"}));
    EXPECT_EQ(view.getSelectLine(), -1);
    delegate.heard.clear();
    view.setTextArray(std::nullopt);
    EXPECT_TRUE(delegate.heard.empty());
    clickAt(view, 5);  // clicks on an empty list are ignored
    EXPECT_TRUE(delegate.heard.empty());
}

TEST(TextArrayView, ContentIsNeverSmallerThanTheVisibleAreaAndOnlyVisibleRowsArePainted) {
    CountingView view;
    view.resize(300, 150);
    view.show();
    view.setTextArray(rows(40));
    EXPECT_EQ(view.dataBounds().height(), 600);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 600 - view.viewport()->height());
    view.resize(300, 800);  // taller than the rows: nothing to scroll
    QApplication::processEvents();
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);

    view.resize(300, 150);
    std::vector<std::string> many = rows(100000);
    many[50001] = std::string(400, 'W');
    view.setTextArray(many);
    // A long list is measured by its first page; a wider row widens it once it is shown.
    const int firstPage = view.dataBounds().width();
    EXPECT_LT(firstPage, 1000);
    view.verticalScrollBar()->setValue(750000);
    view.drawn = 0;
    view.viewport()->repaint();
    EXPECT_GT(view.drawn, 0);
    EXPECT_LE(view.drawn, view.viewport()->height() / TextArrayView::kRowHeight + 2);
    QApplication::processEvents();  // measured once painted
    EXPECT_GT(view.dataBounds().width(), 1000);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), view.dataBounds().width() - view.viewport()->width());
}

// Counts double clicks, by the mouse or by Return.
class OpeningView : public TextArrayView {
public:
    int opened = 0;
    void doDoubleClick() override { ++opened; }
    bool opensRows() const override { return true; }
};

TEST(TextArrayView, KeysMoveTheSelectionIntoViewAndReturnOpensTheRow) {
    OpeningView view;
    Recorder delegate;
    view.setDelegate(&delegate);
    view.resize(300, 150 + 2 * view.frameWidth());  // ten rows in view
    view.show();
    QApplication::setActiveWindow(&view);
    view.setFocus();
    view.setTextArray(rows(100));
    auto press = [&](int key) { QTest::keyClick(&view, static_cast<Qt::Key>(key)); };
    press(Qt::Key_Return);  // nothing selected: nothing to open
    EXPECT_EQ(view.opened, 0);
    press(Qt::Key_Down);  // from no selection: the first row
    EXPECT_EQ(view.getSelectLine(), 0);
    EXPECT_EQ(delegate.heard, (std::vector<std::string>{"--1", "+0"}));
    press(Qt::Key_Up);  // at the top already: no message
    EXPECT_EQ(delegate.heard.size(), 2u);
    press(Qt::Key_PageDown);
    EXPECT_EQ(view.getSelectLine(), 9);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);  // still in view
    press(Qt::Key_Down);
    EXPECT_EQ(view.getSelectLine(), 10);
    EXPECT_EQ(view.verticalScrollBar()->value(), 15);  // scrolled by one row, no more
    press(Qt::Key_End);
    EXPECT_EQ(view.getSelectLine(), 99);
    EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    press(Qt::Key_PageUp);
    EXPECT_EQ(view.getSelectLine(), 90);
    press(Qt::Key_Home);
    EXPECT_EQ(view.getSelectLine(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
    press(Qt::Key_Enter);
    EXPECT_EQ(view.opened, 1);

    // A list whose rows open nothing leaves Return to its window (a dialog's OK).
    TextArrayView plain;
    plain.setTextArray(rows(3));
    plain.doClickAction(1);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&plain, &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST(TextArrayView, TheFocusedListIsFramed) {
    TextArrayView view, other;
    view.resize(200, 100);
    view.show();
    other.show();
    QApplication::processEvents();  // the windows' own activations first
    view.setTextArray(rows(3));
    const QColor highlight = view.palette().color(QPalette::Highlight);
    auto edge = [&] { return view.viewport()->grab().toImage().pixelColor(0, 50); };
    QApplication::setActiveWindow(&view);
    view.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(edge(), highlight);
    QApplication::setActiveWindow(&other);
    other.setFocus();
    QApplication::processEvents();
    EXPECT_NE(edge(), highlight);
    view.setTextArray(std::nullopt);  // an empty list is framed too
    QApplication::setActiveWindow(&view);
    view.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(edge(), highlight);
}

TEST(TextArrayView, MultiLineTextsAndCopies) {
    TextArrayView view;
    view.setMultiLineStrings("a\nb");
    EXPECT_EQ(view.rowCount(), 2);
    EXPECT_EQ(view.getTextFromArray(0), "a\n");
    view.setMultiLineStrings("");
    EXPECT_EQ(view.rowCount(), 2);  // unchanged
    EXPECT_FALSE(view.canCopy());   // nothing selected
    view.doClickAction(1);
    view.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), "b");
}

TEST(MethodView, RowsAtSelectorPartsAndTheHighlight) {
    MethodView view;
    view.resize(400, 100);
    view.show();
    EXPECT_FALSE(view.getMethod());  // "No Methods!!" until the first method
    view.setMethod("+(id)arrayWithObjects:(id)firstObj ,...");
    ASSERT_EQ(view.rowCount(), 2);
    EXPECT_EQ(view.getTextFromArray(1), ",...");
    EXPECT_FALSE(view.canCopy());  // copying needs the highlight
    clickAt(view, 3);
    EXPECT_TRUE(view.isHighlighted());
    EXPECT_TRUE(view.canCopy());
    clickAt(view, 60);  // under the text: the highlight goes
    EXPECT_FALSE(view.isHighlighted());
    QTest::keyClick(&view, Qt::Key_Down);  // a moving key highlights it whole
    EXPECT_TRUE(view.isHighlighted());
    clickAt(view, 3);
    view.setMethod("+(id)arrayWithObjects:(id)firstObj ,...");  // the same text: the rows stay
    EXPECT_FALSE(view.isHighlighted());
    EXPECT_EQ(view.rowCount(), 2);
}

namespace {

// WCAG's contrast ratio of two colours (1 to 21).
double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour of the pixel in the row's text most unlike its background.
QColor inkOf(const QImage& image, int top, int height, const QColor& background) {
    QColor ink = background;
    for (int y = top; y < top + height; ++y)
        for (int x = 0; x < 80; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (contrast(c, background) > contrast(ink, background)) ink = c;
        }
    return ink;
}

}  // namespace

// The selected row reads in a window that is not the active one (the preferences' font read
// from the file once made it white text on a pale highlight): the palette's inactive highlight
// with its own highlighted-text colour.
TEST(TextArrayView, TheSelectedRowReadsWhenItsWindowIsInactive) {
    kestrel::ProcessState::prefData() = std::make_shared<kestrel::PrefData>();
    kestrel::ProcessState::prefData()->setFont(kestrel::PrefFont{"", 10});
    QWidget window, other;
    TextArrayView view(&window);
    view.resize(300, 100);
    window.show();
    other.show();
    view.setTextArray(rows(3));
    QApplication::setActiveWindow(&window);
    view.setFocus();
    view.doClickAction(1);
    const int row = view.rowHeight();
    QImage focused = view.viewport()->grab().toImage();
    EXPECT_EQ(focused.pixelColor(250, row + row / 2), view.palette().color(QPalette::Active, QPalette::Highlight));

    QApplication::setActiveWindow(&other);  // the list's window goes to the back
    QApplication::processEvents();
    QImage inactive = view.viewport()->grab().toImage();
    const QColor background = inactive.pixelColor(250, row + row / 2);
    EXPECT_EQ(background, view.palette().color(QPalette::Inactive, QPalette::Highlight));
    const QColor ink = inkOf(inactive, row, row, background);
    EXPECT_GE(contrast(ink, background), 3.0) << ink.name().toStdString() << " on " << background.name().toStdString();
    EXPECT_LT(contrast(ink, view.palette().color(QPalette::Inactive, QPalette::HighlightedText)), 1.5);
    kestrel::ProcessState::prefData().reset();
}
