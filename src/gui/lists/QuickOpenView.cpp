#include "gui/lists/QuickOpenView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QToolTip>

#include "core/text/QuickOpenIndex.h"
#include "gui/app/QtText.h"

namespace kestrel::gui {

namespace {

using Kind = QuickOpenIndex::Kind;

// The badge's colour: one hue for each family of kinds, as IDEs colour them.
QColor badgeColour(Kind kind) {
    switch (kind) {
        case Kind::Class:
        case Kind::Category:
            return QColor(0x8e, 0x44, 0xad);  // purple
        case Kind::Protocol:
            return QColor(0x6c, 0x5c, 0xe7);
        case Kind::Method:
        case Kind::ClassMethod:
            return QColor(0x27, 0x6f, 0xbf);  // blue
        case Kind::Property:
        case Kind::ClassProperty:
            return QColor(0x1c, 0x8a, 0x9e);
        case Kind::Function:
        case Kind::InlineFunction:
            return QColor(0x2e, 0x8b, 0x57);  // green
        case Kind::Constant:
        case Kind::Variable:
        case Kind::EnumConstant:
            return QColor(0xb3, 0x6b, 0x00);  // amber
        case Kind::Struct:
        case Kind::Enum:
        case Kind::Typedef:
            return QColor(0xa8, 0x3a, 0x32);  // brick
    }
    return QColor(Qt::gray);
}

constexpr int kGap = 8;

}  // namespace

QuickOpenView::QuickOpenView(QWidget* parent) : TextArrayView(parent) {
    setFocusPolicy(Qt::NoFocus);  // the keys stay in the field above
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void QuickOpenView::setEntries(const QuickOpenIndex* index, std::vector<std::uint32_t> entries) {
    index_ = index;
    entries_ = index ? std::move(entries) : std::vector<std::uint32_t>{};
    rowsReplaced(static_cast<int>(entries_.size()));
    verticalScrollBar()->setValue(0);
}

std::optional<std::uint32_t> QuickOpenView::selectedEntry() const {
    if (selectLine < 0 || selectLine >= static_cast<int>(entries_.size())) return std::nullopt;
    return entries_[static_cast<std::size_t>(selectLine)];
}

std::optional<std::string> QuickOpenView::getTextFromArray(int index) const {
    if (!index_ || index < 0 || index >= static_cast<int>(entries_.size())) return std::nullopt;
    return std::string(index_->name(entries_[static_cast<std::size_t>(index)]));
}

void QuickOpenView::doDoubleClick() {
    if (selectLine >= 0 && open_) open_();
}

bool QuickOpenView::moveSelection(int key) {
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_PageUp && key != Qt::Key_PageDown) return false;
    if (rowCount() == 0) return true;
    const std::optional<int> row = rowForKey(key, selectLine);
    if (row && *row != selectLine) selectRow(*row);
    return true;
}

double QuickOpenView::rowWidth(int) const { return 0; }  // rows are cut to the list's width, never scrolled

void QuickOpenView::drawRow(QPainter& painter, int index, const QRect& rect, const RowStyle& plain) const {
    if (!index_ || index < 0 || index >= static_cast<int>(entries_.size())) return;
    const std::uint32_t entry = entries_[static_cast<std::size_t>(index)];
    const bool selected = index == selectLine;
    const RowStyle style = selected ? PrefFonts::currentStyle(PrefFonts::Row::Selected, palette()) : plain;
    if (style.background) fillRowBackground(painter, rect, *style.background);
    const QColor ink = style.foreground ? *style.foreground : palette().color(QPalette::Text);
    const QColor dim = selected ? ink : palette().color(QPalette::PlaceholderText);
    const QRect row(0, rect.y(), viewport()->width(), rect.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    // The badge: the kind's letters, white on its colour.
    const Kind kind = index_->kind(entry);
    QFont badgeFont = style.font;
    badgeFont.setBold(true);
    badgeFont.setPointSizeF(std::max(6.0, style.font.pointSizeF() * 0.8));
    const QFontMetrics badgeMetrics(badgeFont);
    const QString badge = QString::fromLatin1(QuickOpenIndex::kindBadge(kind));
    const int badgeHeight = std::max(8, row.height() - 4);
    const int badgeWidth = std::max(badgeHeight, badgeMetrics.horizontalAdvance(QStringLiteral("Pr")) + 6);
    const QRect badgeRect(row.x() + kTextInset + 2, row.y() + (row.height() - badgeHeight) / 2, badgeWidth, badgeHeight);
    QPainterPath path;
    path.addRoundedRect(QRectF(badgeRect), 3, 3);
    painter.fillPath(path, badgeColour(kind));
    painter.setFont(badgeFont);
    painter.setPen(Qt::white);
    painter.drawText(badgeRect, Qt::AlignCenter, badge);

    // Availability at the right, where the record knows it.
    int right = row.right() - kTextInset - 2;
    painter.setFont(style.font);
    const QFontMetrics metrics(style.font);
    if (std::optional<std::string> availability = index_->availability(entry)) {
        const QString text = qText(*availability);
        const int width = std::min(metrics.horizontalAdvance(text), row.width() / 4);
        painter.setPen(dim);
        painter.drawText(QRect(right - width, row.y(), width, row.height()), Qt::AlignRight | Qt::AlignVCenter,
                         metrics.elidedText(text, Qt::ElideRight, width));
        right -= width + kGap;
    }

    // The name, then its owner, dimmed; the owner gives way first when room is short.
    int x = badgeRect.right() + kGap;
    const QString name = qText(std::string(index_->name(entry)));
    QFont nameFont = style.font;
    nameFont.setStrikeOut(index_->isDeprecated(entry));
    painter.setFont(nameFont);
    // The advance is rounded: a name given exactly its advance can come out elided.
    const int fullWidth = metrics.horizontalAdvance(name) + 1;
    const int nameWidth = std::min(fullWidth, std::max(0, right - x));
    painter.setPen(ink);
    painter.drawText(QRect(x, row.y(), nameWidth, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     nameWidth >= fullWidth ? name : metrics.elidedText(name, Qt::ElideRight, nameWidth));
    x += nameWidth + 2 * kGap;
    if (x < right) {
        const QString owner = qText(index_->ownerText(entry));
        painter.setFont(style.font);
        painter.setPen(dim);
        painter.drawText(QRect(x, row.y(), right - x, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(owner, Qt::ElideMiddle, right - x));
    }
    painter.restore();
}

bool QuickOpenView::event(QEvent* event) {
    // A row's tool tip: its kind in words, its whole name and owner.
    if (event->type() == QEvent::ToolTip && index_) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int row = contentY(viewport()->mapFrom(this, help->pos()).y()) / std::max(1, rowHeight());
        if (row >= 0 && row < static_cast<int>(entries_.size())) {
            const std::uint32_t entry = entries_[static_cast<std::size_t>(row)];
            QString tip = QString::fromLatin1(QuickOpenIndex::kindLabel(index_->kind(entry))) + QLatin1Char(' ') +
                          qText(std::string(index_->name(entry)));
            if (!index_->ownerText(entry).empty()) tip += QStringLiteral("\n") + qText(index_->ownerText(entry));
            QToolTip::showText(help->globalPos(), tip, this);
            return true;
        }
    }
    return TextArrayView::event(event);
}

}  // namespace kestrel::gui
