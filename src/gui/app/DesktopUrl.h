#pragma once
// Opens a stored address (a class's URL) through the desktop:
// its browser, file viewer or mail program. Only what UrlCheck::isOpenable accepts is handed
// over; nothing is ever run through a script or a shell.
#include <QCoreApplication>
#include <QString>

namespace kestrel::gui {

class DesktopUrl {
    Q_DECLARE_TR_FUNCTIONS(DesktopUrl)
public:
    // Answers what went wrong, for the user; an empty text when the desktop took the address.
    static QString open(const QString& url);
};

}  // namespace kestrel::gui
