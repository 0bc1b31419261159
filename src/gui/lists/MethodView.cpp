#include "gui/lists/MethodView.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "core/platform/Host.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "core/text/DeclarationText.h"
#include "gui/app/QtText.h"

namespace kestrel::gui {

MethodView::MethodView(QWidget* parent) : TextArrayView(parent) { setAnnouncesDrags(true); }

void MethodView::setMethod(const std::string& text) {
    selectedFlag = false;
    viewport()->update();
    if (sructEnumView) sructEnumView->clear();
    if (method && *method == text) return;  // the rows stay
    method = text;
    rows_ = DeclarationText::methodRows(text);
    rowsReplaced(static_cast<int>(rows_.size()));
}

QString MethodView::noMethodText() { return tr("Choose a method from a class's menu in the class tree."); }

std::optional<std::string> MethodView::getTextFromArray(int index) const {
    if (index < 0 || index >= static_cast<int>(rows_.size())) return std::nullopt;
    return rows_[static_cast<std::size_t>(index)];
}

double MethodView::rowWidth(int index) const {
    return TextArrayView::rowWidth(index) + (index > 0 ? kIndent : 0);
}

void MethodView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const RowStyle plain = PrefFonts::currentStyle(PrefFonts::Row::Plain, palette());
    const int x = kTextInset - horizontalScrollBar()->value();
    const int y = -verticalScrollBar()->value();
    if (!method || method->empty()) {
        // A hint, in the window's own font, wrapped rather than cut.
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(viewport()->rect().adjusted(kTextInset, 0, -kTextInset, 0),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, noMethodText());
        paintFocusFrame(painter);
        return;
    }
    // The whole method is highlighted at once, while the view has the focus.
    const bool highlighted = selectedFlag && isFirstResponder;
    const RowStyle style = highlighted ? PrefFonts::currentStyle(window()->isActiveWindow() ? PrefFonts::Row::Selected
                                                                                            : PrefFonts::Row::InactiveSelected,
                                                                 palette())
                                       : plain;
    if (highlighted && style.background) {
        const int height = rowHeight() * static_cast<int>(rows_.size());
        fillRowBackground(painter, QRect(0, y, std::max(viewport()->width(), dataBounds().width()), height),
                          *style.background);
    }
    painter.setPen(style.foreground ? *style.foreground : palette().color(QPalette::Text));
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        QFont font = style.font;
        font.setStrikeOut(isRowStruck(static_cast<int>(i)));
        painter.setFont(font);
        const int indent = i > 0 ? kIndent : 0;
        painter.drawText(QRect(x + indent, y + static_cast<int>(i) * rowHeight(), dataBounds().width() + kIndent,
                               rowHeight()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, qText(rows_[i]));
    }
    paintFocusFrame(painter);
}

void MethodView::keyPressEvent(QKeyEvent* event) {
    // The method is one thing to take away: a moving key highlights it whole, ready to copy.
    if (method && !method->empty() && rowForKey(event->key(), -1) && !selectedFlag) {
        selectedFlag = true;
        viewport()->update();
    }
    TextArrayView::keyPressEvent(event);
}

void MethodView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && method) {
        const double row = contentY(static_cast<int>(event->position().y())) / double(rowHeight());
        if (row >= static_cast<double>(rows_.size())) {
            // A click under the text takes the highlight away.
            if (selectedFlag) {
                selectedFlag = false;
                viewport()->update();
            }
            return;
        }
        if (!selectedFlag) {
            selectedFlag = true;
            viewport()->update();
        }
    }
    TextArrayView::mousePressEvent(event);
}

std::string MethodView::createDragStrings() const {
    if (!method) return {};
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    const bool addLF = pref ? pref->addLF : true;
    return DeclarationText::methodViewText(*method, Host::current().getDragStyleMode(), receiverName(), addLF);
}

}  // namespace kestrel::gui
