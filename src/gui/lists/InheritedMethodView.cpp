#include "gui/lists/InheritedMethodView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "core/platform/Host.h"
#include "core/platform/NotificationCenter.h"
#include "core/text/DeclarationText.h"

namespace kestrel::gui {

InheritedMethodView::InheritedMethodView(QWidget* parent) : TextArrayView(parent) { setAnnouncesDrags(true); }

void InheritedMethodView::setMethods(std::optional<std::vector<InheritedMethod>> methods) {
    methods_ = methods ? std::move(*methods) : std::vector<InheritedMethod>{};
    rowsReplaced(static_cast<int>(methods_.size()));
}

std::optional<std::string> InheritedMethodView::getTextFromArray(int index) const {
    if (index < 0 || index >= static_cast<int>(methods_.size())) return std::nullopt;
    return methods_[static_cast<std::size_t>(index)].method;
}

std::optional<std::string> InheritedMethodView::getSideText(int index) const {
    if (index < 0 || index >= static_cast<int>(methods_.size())) return std::nullopt;
    return methods_[static_cast<std::size_t>(index)].source;
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

}  // namespace kestrel::gui
