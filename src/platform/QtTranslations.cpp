#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quil {

bool installQtTranslations(QCoreApplication &application, const QLocale &locale)
{
    auto *translator = new QTranslator(&application);
    // qtbase holds the texts of the widgets, dialogs and message boxes.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace quil
