#include "shell/HelpFile.h"

#include "platform/Launcher.h"
#include "platform/SettingsFiles.h"

#include <QCoreApplication>
#include <QDir>

namespace quil {

namespace {

// A help file of the given relative name beside the executable, else in
// share/quil/ of an installed program.
QString findBesideOrInstalled(const FolderPath &programFolder, const QString &relative)
{
    const QString beside = programFolder.filePath(relative);
    if (fileExists(beside))
        return beside;
    const QString installed = QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/quil/") + relative));
    if (fileExists(installed))
        return installed;
    return {};
}

} // namespace

QString findHelpFile(const FolderPath &programFolder)
{
    return findBesideOrInstalled(programFolder, QCoreApplication::translate("HelpFile", helpFileName));
}

QString findHelpPages(const FolderPath &programFolder)
{
    return findBesideOrInstalled(programFolder, QCoreApplication::translate("HelpFile", "help/index.html"));
}

HelpOpened openHelp(Launcher &launcher, const FolderPath &programFolder)
{
    const QString file = findHelpFile(programFolder);
    if (!file.isEmpty() && launcher.openDocument(file))
        return HelpOpened::File;
    const QString pages = findHelpPages(programFolder);
    if (!pages.isEmpty() && launcher.openDocument(pages))
        return HelpOpened::Pages;
    return file.isEmpty() && pages.isEmpty() ? HelpOpened::Missing : HelpOpened::Failed;
}

} // namespace quil
