#pragma once
// The class tree as a picture file, drawn by the tree window's own painter: the view's frame in
// size (one pixel per point), white behind, every box where the window would show it.
#include <QString>
#include <memory>
#include <vector>

#include "core/model/TreeGeometry.h"

class QFont;

namespace kestrel {
class ClassData;
}

namespace kestrel::gui {

class TreePicture {
public:
    enum class Format { PNG, SVG };

    // Lays the roots out and writes the picture; false with a reason when it cannot.
    static bool write(const std::vector<std::shared_ptr<ClassData>>& roots, const QFont& font, const QString& path,
                      Format format, QString& problem);
};

}  // namespace kestrel::gui
