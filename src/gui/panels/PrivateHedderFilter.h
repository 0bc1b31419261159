#pragma once
// What the private-header dialog's file panels offer, as a proxy over their file system model:
//   - the frameworks folder (and the folders its frameworks lead to) is hidden;
//   - a path already in the list is hidden (both compared in canonical form);
//   - a path whose attributes cannot be read (a dangling link) is shown;
//   - a regular file is shown only when its name ends in ".h";
//   - a folder is hidden when the desktop shows it as one item (an application, a framework, a
//     plug-in: PrivateHedderPaths::isBundleName); other folders are shown.
// Links are followed.
#include <QSortFilterProxyModel>
#include <set>
#include <string>
#include <vector>

namespace kestrel::gui {

class PrivateHedderFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    // listed: the paths in the list; frameworks: PrivateHedderPaths::frameworkFolders().
    PrivateHedderFilter(const std::vector<std::string>& listed, std::vector<std::string> frameworks,
                        QObject* parent = nullptr);

    bool shows(const QString& path) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::set<std::string> listed_;
    std::vector<std::string> frameworks_;
};

}  // namespace kestrel::gui
