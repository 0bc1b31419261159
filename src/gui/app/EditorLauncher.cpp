#include "gui/app/EditorLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "core/platform/EditorCommand.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "gui/app/QtText.h"

namespace kestrel::gui {

QString EditorLauncher::open(const QString& path, int line) {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    return open(pref ? qText(pref->editorCommand) : QString(), path, line);
}

QString EditorLauncher::open(const QString& command, const QString& path, int line) {
    if (EditorCommand::isEmpty(command.toStdString())) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            return tr("The desktop has no program for %1. Set an editor command in Edit > Preferences.").arg(path);
        return {};
    }
    std::string problem;
    std::optional<EditorCommand::Launch> launch =
        EditorCommand::launch(command.toStdString(), path.toStdString(), line, &problem);
    if (!launch) return tr("The editor command “%1” cannot be used: %2").arg(command, qText(problem));
    const QString program = qText(launch->program);
    // A bare name is looked for on PATH first, so that the user learns which name was missing.
    if (!program.contains(QLatin1Char('/')) && QStandardPaths::findExecutable(program).isEmpty())
        return tr("The editor “%1” was not found on the program path (PATH). Change the command in Edit > Preferences.")
            .arg(program);
    QStringList arguments;
    for (const std::string& argument : launch->arguments) arguments << qText(argument);
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached())
        return tr("The editor “%1” could not be started: %2").arg(program, process.errorString());
    return {};
}

}  // namespace kestrel::gui
