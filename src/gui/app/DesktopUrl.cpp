#include "gui/app/DesktopUrl.h"

#include <QDesktopServices>
#include <QUrl>

#include "core/model/AnnotationFiles.h"
#include "core/model/UrlCheck.h"

namespace kestrel::gui {

QString DesktopUrl::open(const QString& url) {
    if (static_cast<std::size_t>(url.toUtf8().size()) > AnnotationFiles::kLongestURL)
        return tr("The address is longer than any browser accepts (more than 1 MB), so it is not opened.");
    if (!UrlCheck::isOpenable(url.toStdString()))
        return tr("“%1” is not a web, file or mail address (http, https, file or mailto), so it is not opened.").arg(url);
    if (!QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode))) return tr("The desktop could not open %1.").arg(url);
    return {};
}

}  // namespace kestrel::gui
