#pragma once
// The picture that follows a dragged text: the text in black on a transparent strip 16 points
// high and as wide as the text, its baseline 3 points above the strip's bottom edge.
#include <QFont>
#include <QPixmap>
#include <QString>

namespace kestrel::gui {

class DragImage {
public:
    static constexpr int kHeight = 16;
    static constexpr int kBaselineFromBottom = 3;

    // createDragStringImage: at the device pixel ratio given, so that it is sharp where it is shown.
    static QPixmap createDragStringImage(const QString& text, const QFont& font, qreal devicePixelRatio = 1.0);
};

}  // namespace kestrel::gui
