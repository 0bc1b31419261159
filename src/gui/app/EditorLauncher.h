#pragma once
// "Open in Editor": hands a file and a line to the user's editor, the command of the
// preferences (EditorCommand: a program and its arguments, never a shell string), or, when
// that is empty, to the desktop's program for the file.
#include <QCoreApplication>
#include <QString>

namespace kestrel::gui {

class EditorLauncher {
    Q_DECLARE_TR_FUNCTIONS(EditorLauncher)
public:
    // Answers what went wrong, for the user; an empty text when the editor was started.
    static QString open(const QString& path, int line);
    static QString open(const QString& command, const QString& path, int line);
};

}  // namespace kestrel::gui
