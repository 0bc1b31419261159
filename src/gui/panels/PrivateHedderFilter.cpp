#include "gui/panels/PrivateHedderFilter.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <algorithm>

#include "core/model/PrivateHedderPaths.h"

namespace kestrel::gui {

PrivateHedderFilter::PrivateHedderFilter(const std::vector<std::string>& listed, std::vector<std::string> frameworks,
                                         QObject* parent)
    : QSortFilterProxyModel(parent), frameworks_(std::move(frameworks)) {
    for (const std::string& path : listed) listed_.insert(PrivateHedderPaths::canonical(path));
}

bool PrivateHedderFilter::shows(const QString& path) const {
    const std::string canonical = PrivateHedderPaths::canonical(path.toStdString());
    if (std::find(frameworks_.begin(), frameworks_.end(), canonical) != frameworks_.end()) return false;
    if (listed_.count(canonical)) return false;
    const QFileInfo info(path);
    if (!info.exists()) return true;
    if (info.isFile()) return path.endsWith(QLatin1String(".h"));
    if (info.isDir()) return !PrivateHedderPaths::isBundleName(info.fileName().toStdString());
    return true;
}

bool PrivateHedderFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files) return true;
    return shows(files->filePath(files->index(sourceRow, 0, sourceParent)));
}

}  // namespace kestrel::gui
