#include "gui/lists/InheritedMethodView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "core/platform/Host.h"
#include "core/platform/NotificationCenter.h"
#include "core/text/DeclarationText.h"

namespace kestrel::gui {

namespace {
QString qText(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
constexpr int kColumnGap = 24;
}  // namespace

InheritedMethodView::InheritedMethodView(QWidget* parent) : TextArrayView(parent) {}

void InheritedMethodView::setMethods(std::optional<std::vector<InheritedMethod>> methods) {
    methods_ = methods ? std::move(*methods) : std::vector<InheritedMethod>{};
    const QFontMetricsF metrics(PrefFonts::currentStyle(PrefFonts::Row::Plain, palette()).font);
    double widest = 0;
    for (const InheritedMethod& m : methods_) widest = std::max(widest, metrics.horizontalAdvance(qText(m.source)));
    sourceWidth_ = static_cast<int>(std::ceil(widest));
    rowsReplaced(static_cast<int>(methods_.size()));
}

std::optional<std::string> InheritedMethodView::getTextFromArray(int index) const {
    if (index < 0 || index >= static_cast<int>(methods_.size())) return std::nullopt;
    return methods_[static_cast<std::size_t>(index)].method;
}

double InheritedMethodView::rowWidth(int index) const {
    return TextArrayView::rowWidth(index) + kColumnGap + sourceWidth_;
}

void InheritedMethodView::drawRow(QPainter& painter, int index, const QRect& rect, const RowStyle& style) const {
    TextArrayView::drawRow(painter, index, rect, style);
    const InheritedMethod& m = methods_[static_cast<std::size_t>(index)];
    // The source in a column of its own at the right, dimmed unless selected.
    const int right = std::max(viewport()->width(), dataBounds().width()) - horizontalScrollBar()->value();
    const QRect column(right - sourceWidth_ - kTextInset, rect.y(), sourceWidth_, rect.height());
    painter.setPen(index == selectLine && style.foreground ? *style.foreground
                                                           : palette().color(QPalette::PlaceholderText));
    painter.drawText(column, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, qText(m.source));
}

void InheritedMethodView::doClickAction(int index) {
    const int before = selectLine;
    TextArrayView::doClickAction(index);
    if (selectLine >= 0 && selectLine != before)
        NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage",
                                                 methods_[static_cast<std::size_t>(selectLine)].method);
}

std::string InheritedMethodView::createDragStrings() const {
    std::optional<std::string> method = getTextFromArray(selectLine);
    if (!method) return {};
    return DeclarationText::createExternalDragStrings(*method, Host::current().getDragStyleMode(), receiverName());
}

void InheritedMethodView::dragImageWillStart() {
    NotificationCenter::defaultCenter().post("StartWipeOutNinjyaEffectMessage");
}

void InheritedMethodView::dragImageDidEnd() {
    NotificationCenter::defaultCenter().post("StartWipeInNinjyaEffectMessage");
}

}  // namespace kestrel::gui
