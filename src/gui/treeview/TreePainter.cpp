#include "gui/treeview/TreePainter.h"

#include <QFontMetricsF>
#include <QPainter>

#include "core/model/ClassData.h"

namespace kestrel::gui {

namespace {

// text, or as much of it as fits in width followed by "..", the way display names are cut.
QString fitted(const QString& text, const QFontMetricsF& metrics, qreal width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    const QString dots = QStringLiteral("..");
    qsizetype keep = text.size();
    while (keep > 0 && metrics.horizontalAdvance(text.left(keep) + dots) > width) --keep;
    if (keep > 0 && text[keep - 1].isHighSurrogate()) --keep;
    return text.left(keep) + dots;
}

QPointF pointOf(TreePoint p) { return {p.x, p.y}; }

// The buttons are drawn at 2x for sharp screens; their size in points is half the image's.
QPixmap loadButton(const char* path) {
    QPixmap pixmap(path);
    pixmap.setDevicePixelRatio(2.0);
    return pixmap;
}

}  // namespace

TreePainter::TreePainter(const QFont& font, const TreeMetrics& metrics) : font_(font), metrics_(metrics) {}

const QPixmap& TreePainter::showButton() {
    static const QPixmap pixmap = loadButton(":/images/ShowButton.png");
    return pixmap;
}

const QPixmap& TreePainter::hideButton() {
    static const QPixmap pixmap = loadButton(":/images/HideButton.png");
    return pixmap;
}

QString TreePainter::boxText(const ClassData& record) {
    const auto& text = record.getDisplayName() ? record.getDisplayName() : record.getName();
    return text ? QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())) : QString();
}

void TreePainter::paint(QPainter& painter, const std::vector<TreeDrawOp>& ops) const {
    painter.save();
    painter.setFont(font_);
    const QPen line(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap);
    for (const TreeDrawOp& op : ops) {
        switch (op.kind) {
            case TreeDrawOp::Line:
                // A one-point line on whole coordinates covers the pixels right of and below it.
                painter.setRenderHint(QPainter::Antialiasing, false);
                painter.setPen(line);
                painter.drawLine(pointOf(op.from), pointOf(op.to));
                break;
            case TreeDrawOp::Box:
                if (op.record) paintBox(painter, *op.record);
                break;
            case TreeDrawOp::ShowButton:
            case TreeDrawOp::HideButton: {
                const QPixmap& image = op.kind == TreeDrawOp::ShowButton ? showButton() : hideButton();
                painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
                painter.drawPixmap(QRectF(op.from.x, op.from.y - metrics_.buttonHeight, metrics_.buttonWidth,
                                          metrics_.buttonHeight),
                                   image, QRectF(QPointF(0, 0), image.size()));
                break;
            }
        }
    }
    painter.restore();
}

void TreePainter::paintBox(QPainter& painter, const ClassData& record) const {
    const TreeRect b = record.getBounds();
    const QRectF box(b.x, b.y, b.width, b.height);
    const bool selected = record.getSelectFlag();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (selected) painter.fillRect(box, Qt::yellow);
    // The frame lies inside the box, as wide as asked for.
    const qreal frame = record.getCustomFlag() ? 2.0 : 1.0;
    painter.setPen(QPen(selected ? QColor(128, 128, 128) : QColor(Qt::black), frame, Qt::SolidLine, Qt::SquareCap,
                        Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(frame / 2, frame / 2, -frame / 2, -frame / 2));
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::black);
    // Where a fold button is, the text stops before it.
    const qreal width = record.getSubClassList().empty()
                            ? b.width - metrics_.textInset
                            : b.width - metrics_.buttonInset.x - metrics_.textInset - 1;
    painter.drawText(QRectF(b.x + metrics_.textInset, b.y, width, b.height),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     fitted(boxText(record), QFontMetricsF(font_), width));
}

}  // namespace kestrel::gui
