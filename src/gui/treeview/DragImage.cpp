#include "gui/treeview/DragImage.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace kestrel::gui {

QPixmap DragImage::createDragStringImage(const QString& text, const QFont& font, qreal devicePixelRatio) {
    const int width = std::max(1, static_cast<int>(QFontMetricsF(font).horizontalAdvance(text)));
    QPixmap pixmap(QSize(width, kHeight) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, kHeight - kBaselineFromBottom), text);
    return pixmap;
}

}  // namespace kestrel::gui
