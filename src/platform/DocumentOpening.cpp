#include "platform/DocumentOpening.h"

#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/OpenWithApplications.h"
#include "platform/OsError.h"
#include "platform/SettingsFiles.h"

#include <QFileInfo>

#include <QCoreApplication>
#include <cerrno>

namespace quil {

namespace {
QString title()
{
    return QCoreApplication::translate("DocumentOpening", "Открыть с помощью");
}
} // namespace

bool openDocumentOrChoose(Dialogs &dialogs, Launcher &launcher, const QString &path)
{
    if (launcher.openDocument(path))
        return true;
    // A file of a location (named by its URI) is offered no other choice.
    const bool local = path.startsWith(QLatin1Char('/'));
    if (local && !fileExists(path) && !directoryExists(path))
        throw OsError(ENOENT);
    const QString name = QFileInfo(path).fileName();
    const QList<OpenWithApplication> applications = local ? applicationsToOffer(path) : QList<OpenWithApplication>();
    if (applications.isEmpty()) {
        dialogs.message(
            QCoreApplication::translate("DocumentOpening", "Нет приложения, которым можно открыть файл «%1».")
                .arg(name),
            title(), Dialogs::Icon::Information);
        return false;
    }
    QStringList names;
    for (const OpenWithApplication &application : applications)
        names.append(application.name);
    const std::optional<int> chosen = dialogs.chooseItem(
        title(),
        QCoreApplication::translate("DocumentOpening",
                                    "Файл «%1» не открылся: для его типа нет приложения, или оно не запускается.\n"
                                    "Выберите приложение:")
            .arg(name),
        names);
    if (!chosen)
        return false;
    const OpenWithApplication &application = applications[*chosen];
    if (launcher.openWith(application.id, path))
        return true;
    dialogs.message(QCoreApplication::translate("DocumentOpening", "Не удалось открыть «%1» приложением «%2».")
                        .arg(name, application.name),
                    title(), Dialogs::Icon::Warning);
    return false;
}

} // namespace quil
