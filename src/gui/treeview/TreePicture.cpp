#include "gui/treeview/TreePicture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>
#include <limits>

#include "core/model/TreeLayout.h"
#include "core/platform/RegularFile.h"
#include "gui/treeview/TreePainter.h"

namespace kestrel::gui {

namespace {

// Pictures larger than this many pixels are refused for PNG (a QImage of them would need
// gigabytes); SVG has no such limit.
constexpr double kMaximumPixels = 400.0 * 1000 * 1000;

}  // namespace

bool TreePicture::write(const std::vector<std::shared_ptr<ClassData>>& roots, const QFont& font, const QString& path,
                        Format format, QString& problem) {
    const TreeMetrics metrics = TreeMetrics::current();
    const TreeRect frame = TreeLayout::calcPosition(roots, metrics);
    const int width = static_cast<int>(std::ceil(frame.width));
    const int height = static_cast<int>(std::ceil(frame.height));
    const std::vector<TreeDrawOp> ops =
        TreeLayout::drawOps(roots, {0, 0, static_cast<float>(width), static_cast<float>(height)}, metrics);
    const TreePainter treePainter(font, metrics);

    // Drawn into memory, then written as the store writes its files (RegularFile::replace):
    // beside the target and moved into place, so that a failed write leaves any earlier
    // picture as it was, and never over anything that is not a file.
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    if (format == Format::SVG) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setTitle(QStringLiteral("Class tree"));
        svg.setDescription(QStringLiteral("Drawn by Kestrel"));
        QPainter painter;
        if (!painter.begin(&svg)) {
            problem = QStringLiteral("cannot draw the SVG picture");
            return false;
        }
        painter.fillRect(QRect(0, 0, width, height), Qt::white);
        treePainter.paint(painter, ops);
        painter.end();
    } else {
        if (static_cast<double>(width) * height > kMaximumPixels) {
            problem = QStringLiteral("the tree is too large for a PNG picture (%1 x %2 pixels): draw a subtree, "
                                     "or an SVG picture with --svg")
                          .arg(width)
                          .arg(height);
            return false;
        }
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull()) {
            problem = QStringLiteral("not enough memory for a %1 x %2 picture").arg(width).arg(height);
            return false;
        }
        image.fill(Qt::white);
        QPainter painter(&image);
        treePainter.paint(painter, ops);
        painter.end();
        QImageWriter writer(&file, "png");
        if (!writer.write(image)) {
            problem = QStringLiteral("cannot write %1: %2").arg(path, writer.errorString());
            return false;
        }
    }
    std::string reason;
    const QByteArray& bytes = file.data();
    if (!RegularFile::replace(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size()),
                              &reason)) {
        problem = QString::fromStdString(reason);
        return false;
    }
    return true;
}

}  // namespace kestrel::gui
