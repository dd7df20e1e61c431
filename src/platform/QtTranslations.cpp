#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
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

InterfaceLanguage interfaceLanguage(const QStringList &userLanguages, const QString &forced)
{
    const QStringList candidates = forced.isEmpty() ? userLanguages : QStringList{forced};
    for (const QString &name : candidates) {
        // "ru_RU.UTF-8" and "ru-RU" alike; the C locale names no language.
        const QLocale::Language language = QLocale(name.section(QLatin1Char('.'), 0, 0)).language();
        if (language == QLocale::Russian)
            return InterfaceLanguage::Russian;
        if (language == QLocale::English)
            return InterfaceLanguage::English;
    }
    return InterfaceLanguage::English;
}

QString translationsFolder()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString beside = programFolder.filePath(QStringLiteral("translations"));
    if (QDir(beside).exists())
        return beside;
    return QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/quil/translations")));
}

bool installInterfaceTranslations(QCoreApplication &application, InterfaceLanguage language, const QString &folder)
{
    if (language == InterfaceLanguage::Russian)
        return installQtTranslations(application, QLocale(QLocale::Russian, QLocale::Russia));
    auto *translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("quil_en"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace quil
