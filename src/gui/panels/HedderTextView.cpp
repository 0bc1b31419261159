#include "gui/panels/HedderTextView.h"

#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

namespace kestrel::gui {

namespace {

constexpr int kMarginPadding = 6;

class LineNumberMargin : public QWidget {
public:
    explicit LineNumberMargin(HedderTextView* view) : QWidget(view), view_(view) {}
    QSize sizeHint() const override { return QSize(view_->lineNumberWidth(), 0); }

protected:
    void paintEvent(QPaintEvent* event) override { view_->paintLineNumbers(event); }

private:
    HedderTextView* view_;
};

// c1 over c2 at the given share: the marked line and the matches keep the text readable.
QColor blend(const QColor& c1, const QColor& c2, double share) {
    return QColor::fromRgbF(static_cast<float>(c1.redF() * share + c2.redF() * (1 - share)),
                            static_cast<float>(c1.greenF() * share + c2.greenF() * (1 - share)),
                            static_cast<float>(c1.blueF() * share + c2.blueF() * (1 - share)));
}

}  // namespace

HedderTextView::HedderTextView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    margin_ = new LineNumberMargin(this);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(this, &QPlainTextEdit::blockCountChanged, this, &HedderTextView::updateMargin);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy) margin_->scroll(0, dy);
        else margin_->update(0, rect.y(), margin_->width(), rect.height());
    });
    updateMargin();
}

int HedderTextView::lineNumberWidth() const {
    int digits = 1;
    for (int lines = std::max(1, blockCount()); lines >= 10; lines /= 10) ++digits;
    return 2 * kMarginPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3);
}

void HedderTextView::updateMargin() {
    setViewportMargins(lineNumberWidth(), 0, 0, 0);
    const QRect r = contentsRect();
    margin_->setGeometry(QRect(r.left(), r.top(), lineNumberWidth(), r.height()));
    margin_->update();
}

void HedderTextView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    updateMargin();
}

void HedderTextView::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateMargin();
    if (event->type() == QEvent::PaletteChange) updateSelections();
}

void HedderTextView::paintLineNumbers(QPaintEvent* event) {
    QPainter painter(margin_);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int width = margin_->width() - kMarginPadding;
    const int height = fontMetrics().height();
    const QFont plain = font();
    QFont bold = plain;
    bold.setBold(true);
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top()) {
            const bool marked = block.blockNumber() + 1 == markedLine_;
            painter.setFont(marked ? bold : plain);
            painter.setPen(palette().color(marked ? QPalette::Text : QPalette::PlaceholderText));
            painter.drawText(0, top, width, height, Qt::AlignRight, QString::number(block.blockNumber() + 1));
        }
        block = block.next();
        top = bottom;
    }
}

void HedderTextView::setMarkedLine(int line) {
    markedLine_ = line > 0 && line <= blockCount() ? line : 0;
    updateSelections();
    margin_->update();
}

void HedderTextView::setMatches(QList<QTextEdit::ExtraSelection> matches) {
    matches_ = std::move(matches);
    updateSelections();
}

void HedderTextView::updateSelections() {
    QList<QTextEdit::ExtraSelection> selections;
    if (markedLine_ > 0) {
        QTextEdit::ExtraSelection mark;
        mark.format.setBackground(blend(palette().color(QPalette::Highlight), palette().color(QPalette::Base), 0.22));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        mark.cursor = QTextCursor(document()->findBlockByNumber(markedLine_ - 1));
        selections.push_back(mark);
    }
    const QColor lit = blend(QColor(0xff, 0xd2, 0x00), palette().color(QPalette::Base), 0.45);
    for (QTextEdit::ExtraSelection match : matches_) {
        match.format.setBackground(lit);
        selections.push_back(match);
    }
    setExtraSelections(selections);
}

int HedderTextView::firstVisibleLine() const { return firstVisibleBlock().blockNumber() + 1; }

int HedderTextView::visibleLineCount() const {
    return std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing()));
}

void HedderTextView::scrollToLine(int line) {
    line = std::clamp(line, 1, std::max(1, blockCount()));
    QTextCursor cursor(document()->findBlockByNumber(line - 1));
    setTextCursor(cursor);
    // In an unwrapped plain text view the scroll bar counts lines.
    verticalScrollBar()->setValue(std::max(0, line - 1 - visibleLineCount() / 3));
    horizontalScrollBar()->setValue(0);
}

}  // namespace kestrel::gui
