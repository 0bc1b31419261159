#include "gui/lists/TextArrayView.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMimeData>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "core/platform/NotificationCenter.h"
#include "core/text/ListMetrics.h"
#include "core/text/ListText.h"
#include "gui/app/QtText.h"
#include "gui/treeview/DragImage.h"

namespace kestrel::gui {

TextArrayView::TextArrayView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    rowsRestyled();
}

TextArrayView::~TextArrayView() = default;

void TextArrayView::setTextArray(std::optional<std::vector<std::string>> rows) {
    strings_ = rows ? std::move(*rows) : std::vector<std::string>{};
    rowsReplaced(static_cast<int>(strings_.size()));
}

void TextArrayView::setMultiLineStrings(const std::string& text) {
    std::vector<std::string> lines = ListText::multiLineStrings(text);
    if (!lines.empty()) setTextArray(std::move(lines));
}

void TextArrayView::rowsReplaced(int count) {
    struck_.clear();  // the flags of the rows before
    const int old = selectLine;
    const bool hadRows = rowCount_ > 0;
    rowCount_ = count;
    selectLine = -1;
    if (hadRows && old >= 0 && delegate_) delegate_->lineUnSelected(old);
    rowsRestyled();
}

std::vector<int> TextArrayView::rowsToMeasure() const {
    // A long list: only the rows of the first page; the others are measured when painted.
    const int count = rowCount_ <= kMeasuredRows ? rowCount_ : std::min(rowCount_, viewport()->height() / kRowHeight + 1);
    std::vector<int> rows(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) rows[static_cast<std::size_t>(i)] = i;
    return rows;
}

void TextArrayView::measureSideTexts() {
    sideWidth_ = 0;
    const QFontMetricsF metrics(PrefFonts::currentStyle(PrefFonts::Row::Plain, palette()).font);
    for (int i : rowsToMeasure())
        if (std::optional<std::string> side = getSideText(i))
            sideWidth_ = std::max(sideWidth_, static_cast<int>(std::ceil(metrics.horizontalAdvance(qText(*side)))));
}

void TextArrayView::measurePaintedRows(int first, int last) {
    if (rowCount_ <= kMeasuredRows) return;  // measured whole when they came
    // After the paint, once: a paint costs what it cost before, and a row is measured once.
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(measured_.size()));
    while (first < last && measured_[static_cast<std::size_t>(first)]) ++first;
    while (last > first && measured_[static_cast<std::size_t>(last - 1)]) --last;
    if (first >= last) return;
    unmeasured_ = unmeasured_.first < 0 ? std::pair{first, last}
                                        : std::pair{std::min(unmeasured_.first, first), std::max(unmeasured_.second, last)};
    if (!measureQueued_) {
        measureQueued_ = true;
        QTimer::singleShot(0, this, [this] { measureUnmeasured(); });
    }
}

void TextArrayView::measureUnmeasured() {
    measureQueued_ = false;
    const auto [first, last] = unmeasured_;
    unmeasured_ = {-1, -1};
    const int sideBefore = sideWidth_;
    int widest = dataBounds_.width();
    const QFontMetricsF metrics(PrefFonts::currentStyle(PrefFonts::Row::Plain, palette()).font);
    for (int i = std::max(first, 0); i < std::min(last, static_cast<int>(measured_.size())); ++i) {
        if (measured_[static_cast<std::size_t>(i)]) continue;
        measured_[static_cast<std::size_t>(i)] = true;
        if (std::optional<std::string> side = getSideText(i))
            sideWidth_ = std::max(sideWidth_, static_cast<int>(std::ceil(metrics.horizontalAdvance(qText(*side)))));
        widest = std::max(widest, static_cast<int>(std::ceil(rowWidth(i))));
    }
    if (widest == dataBounds_.width() && sideWidth_ == sideBefore) return;
    dataBounds_.setWidth(widest);
    updateScrollBars();
    if (sideWidth_ != sideBefore) viewport()->update();
}

void TextArrayView::rowsRestyled() {
    const QFontMetricsF metrics(PrefFonts::currentStyle(PrefFonts::Row::Plain, palette()).font);
    rowHeight_ = ListMetrics::rowHeight(metrics.height());
    verticalScrollBar()->setSingleStep(rowHeight_);
    horizontalScrollBar()->setSingleStep(rowHeight_);
    applyHeightInRows();
    // A long list's rows are measured as they are shown: none is yet but the first page.
    measured_.assign(rowCount_ > kMeasuredRows ? static_cast<std::size_t>(rowCount_) : 0, false);
    for (int i : rowsToMeasure())
        if (static_cast<std::size_t>(i) < measured_.size()) measured_[static_cast<std::size_t>(i)] = true;
    unmeasured_ = {-1, -1};
    measureSideTexts();
    dataBounds_ = rowCount_ > 0 ? QSize(static_cast<int>(std::ceil(calcArrayWidth())), rowHeight_ * rowCount_) : QSize();
    updateScrollBars();
    viewport()->update();
}

void TextArrayView::setHeightInRows(int minimum, int maximum) {
    minimumRows_ = minimum;
    maximumRows_ = maximum;
    applyHeightInRows();
}

void TextArrayView::applyHeightInRows() {
    const int frame = 2 * frameWidth() + viewportMargins().top() + viewportMargins().bottom();
    if (minimumRows_ > 0) setMinimumHeight(minimumRows_ * rowHeight_ + frame);
    if (maximumRows_ > 0) setMaximumHeight(maximumRows_ * rowHeight_ + frame);
}

std::optional<std::string> TextArrayView::getTextFromArray(int index) const {
    if (index < 0 || index >= static_cast<int>(strings_.size())) return std::nullopt;
    return strings_[static_cast<std::size_t>(index)];
}

double TextArrayView::rowWidth(int index) const {
    std::optional<std::string> text = getTextFromArray(index);
    if (!text) return 0;
    const QFontMetricsF metrics(PrefFonts::currentStyle(PrefFonts::Row::Plain, palette()).font);
    // Room for the side text too, so that the row can be scrolled out from under it.
    const int side = sideWidth_ > 0 ? sideWidth_ + 4 * kTextInset : 0;
    return metrics.horizontalAdvance(qText(*text)) + 2 * kTextInset + side;
}

double TextArrayView::calcArrayWidth() const {
    double widest = 0;
    for (int i : rowsToMeasure())
        widest = std::max(widest, rowWidth(i));
    return widest;
}

void TextArrayView::updateScrollBars() {
    const QSize visible = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, dataBounds_.width() - visible.width()));
    horizontalScrollBar()->setPageStep(visible.width());
    verticalScrollBar()->setRange(0, std::max(0, dataBounds_.height() - visible.height()));
    verticalScrollBar()->setPageStep(visible.height());
}

int TextArrayView::contentY(int viewportY) const { return viewportY + verticalScrollBar()->value(); }

void TextArrayView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();  // the content is never smaller than the visible area
}

void TextArrayView::setStruckRows(std::vector<bool> flags) {
    struck_ = std::move(flags);
    viewport()->update();
}

bool TextArrayView::isRowStruck(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < struck_.size() && struck_[static_cast<std::size_t>(index)];
}

RowStyle TextArrayView::styleOfRow(int index) const {
    if (index != selectLine) return PrefFonts::currentStyle(PrefFonts::Row::Plain, palette());
    return PrefFonts::currentStyle(isFirstResponder ? PrefFonts::Row::Selected : PrefFonts::Row::InactiveSelected,
                                   palette());
}

void TextArrayView::fillRowBackground(QPainter& painter, const QRect& rect, const QColor& colour) const {
    painter.fillRect(rect, colour);
}

void TextArrayView::drawRow(QPainter& painter, int index, const QRect& rect, const RowStyle& style) const {
    std::optional<std::string> text = getTextFromArray(index);
    if (!text) return;
    if (style.background) fillRowBackground(painter, rect, *style.background);
    painter.setFont(style.font);
    const QColor ink = style.foreground ? *style.foreground : palette().color(QPalette::Text);
    painter.setPen(ink);
    std::optional<std::string> side = sideWidth_ > 0 ? getSideText(index) : std::nullopt;
    if (!side) {
        painter.drawText(rect.adjusted(kTextInset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         qText(*text));
        return;
    }
    // The side text keeps its place at the right of the visible area; the row's own text
    // scrolls beneath it, and stops short of it.
    const int width = std::min(sideWidth_, viewport()->width() * 3 / 10);
    const QRect column(viewport()->width() - width - 2 * kTextInset, rect.y(), width + kTextInset, rect.height());
    painter.save();
    painter.setClipRect(QRect(0, rect.y(), column.x() - kTextInset, rect.height()));
    painter.drawText(rect.adjusted(kTextInset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     qText(*text));
    painter.restore();
    QColor dim = index == selectLine && style.foreground ? ink : palette().color(QPalette::PlaceholderText);
    painter.setPen(dim);
    painter.drawText(column, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     QFontMetrics(style.font).elidedText(qText(*side), sideTextElision(), width));
}

void TextArrayView::setPlaceholderText(const QString& text) {
    placeholder_ = text;
    viewport()->update();
}

void TextArrayView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    if (rowCount_ <= 0) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        if (!placeholder_.isEmpty())
            painter.drawText(viewport()->rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                             placeholder_);
        paintFocusFrame(painter);
        return;
    }
    const QRect dirty = event->rect();
    const int top = contentY(dirty.top());
    const int first = std::max(0, top / rowHeight_);
    const int last = std::min(rowCount_, (contentY(dirty.bottom()) / rowHeight_) + 1);
    const int x = -horizontalScrollBar()->value();
    const int width = std::max(viewport()->width(), dataBounds_.width());
    for (int i = first; i < last; ++i) {
        const QRect rect(x, i * rowHeight_ - verticalScrollBar()->value(), width, rowHeight_);
        RowStyle style = styleOfRow(i);
        if (isRowStruck(i)) style.font.setStrikeOut(true);
        drawRow(painter, i, rect, style);
    }
    measurePaintedRows(first, last);
    paintFocusFrame(painter);
}

void TextArrayView::paintFocusFrame(QPainter& painter) const {
    if (!isFirstResponder) return;
    constexpr int kWidth = 2;
    QPen pen(palette().color(QPalette::Highlight), kWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(viewport()->rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
    painter.restore();
}

void TextArrayView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    pressedAt_ = event->position().toPoint();
    dragArmed_ = true;
    if (rowCount_ <= 0) return;
    int index = contentY(pressedAt_.y()) / rowHeight_;
    if (index >= rowCount_ || contentY(pressedAt_.y()) < 0) index = -1;
    doClickAction(index);
}

void TextArrayView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(event);
    dragArmed_ = false;
    if (rowCount_ > 0) doDoubleClick();  // the first click of the pair has selected
}

void TextArrayView::selectRow(int index) {
    doClickAction(index);
    scrollToRow(index);
}

void TextArrayView::scrollToRow(int index) {
    if (index < 0 || index >= rowCount_) return;
    QScrollBar* bar = verticalScrollBar();
    const int top = index * rowHeight_, bottom = top + rowHeight_;
    if (top < bar->value()) bar->setValue(top);
    else if (bottom > bar->value() + viewport()->height()) bar->setValue(bottom - viewport()->height());
}

std::optional<int> TextArrayView::rowForKey(int key, int from) const {
    const int page = std::max(1, viewport()->height() / rowHeight_ - 1);
    const int last = rowCount_ - 1;
    switch (key) {
        case Qt::Key_Up: return from < 0 ? 0 : std::max(0, from - 1);
        case Qt::Key_Down: return std::min(last, from + 1);
        case Qt::Key_Home: return 0;
        case Qt::Key_End: return last;
        case Qt::Key_PageUp: return std::max(0, from - page);
        case Qt::Key_PageDown: return from < 0 ? std::min(last, page) : std::min(last, from + page);
        default: return std::nullopt;
    }
}

void TextArrayView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (rowCount_ <= 0 || (mods != Qt::NoModifier && mods != Qt::ShiftModifier))
        return QAbstractScrollArea::keyPressEvent(event);
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && opensRows()) {
        if (selectLine >= 0) doDoubleClick();
        return event->accept();
    }
    std::optional<int> row = rowForKey(event->key(), selectLine);
    if (!row) return QAbstractScrollArea::keyPressEvent(event);
    event->accept();
    if (*row == selectLine) return scrollToRow(*row);  // at an end already
    selectRow(*row);
}

void TextArrayView::doClickAction(int index) {
    if (delegate_) delegate_->lineUnSelected(selectLine);
    if (index != selectLine) {
        selectLine = index;
        viewport()->update();
    }
    if (delegate_) delegate_->lineSelected(index);
}

void TextArrayView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !dragArmed_) return;
    if ((event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance()) return;
    dragArmed_ = false;
    if (selectLine >= 0) startDrag();
}

void TextArrayView::mouseReleaseEvent(QMouseEvent* event) {
    dragArmed_ = false;
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void TextArrayView::startDrag() {
    const QString text = qText(createDragStrings());
    if (text.isEmpty()) return;
    auto* mime = new QMimeData;
    mime->setText(text);
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    const RowStyle plain = PrefFonts::currentStyle(PrefFonts::Row::Plain, palette());
    drag->setPixmap(DragImage::createDragStringImage(text.section(QLatin1Char('\n'), 0, 0), plain.font,
                                                     devicePixelRatioF()));
    // The image covers the selected row.
    const QPoint rowTop(kTextInset - horizontalScrollBar()->value(),
                        selectLine * rowHeight_ - verticalScrollBar()->value());
    drag->setHotSpot(pressedAt_ - rowTop);
    dragImageWillStart();
    drag->exec(Qt::CopyAction);
    dragImageDidEnd();
}

void TextArrayView::dragImageWillStart() {
    if (announcesDrags_) NotificationCenter::defaultCenter().post("StartWipeOutNinjyaEffectMessage");
}

void TextArrayView::dragImageDidEnd() {
    if (announcesDrags_) NotificationCenter::defaultCenter().post("StartWipeInNinjyaEffectMessage");
}

std::string TextArrayView::createDragStrings() const { return getTextFromArray(selectLine).value_or(""); }

void TextArrayView::copy() {
    if (!canCopy()) return;
    const std::string text = createDragStrings();
    QApplication::clipboard()->setText(qText(text));
}

std::string TextArrayView::receiverName() const {
    return classNameView_ ? classNameView_->text().toStdString() : std::string();
}

void TextArrayView::focusInEvent(QFocusEvent* event) {
    isFirstResponder = true;
    viewport()->update();
    QAbstractScrollArea::focusInEvent(event);
}

void TextArrayView::focusOutEvent(QFocusEvent* event) {
    isFirstResponder = false;
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(event);
}

}  // namespace kestrel::gui
