#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;
class QLocale;

namespace quil {

// Loads Qt's own translations for the locale (its buttons, file dialog and
// standard texts) from Qt's translations folder and installs them in the
// application, which owns them. False when Qt has none for the locale.
bool installQtTranslations(QCoreApplication &application, const QLocale &locale);

// The program's texts are written in Russian; every other language reads
// the English translation.
enum class InterfaceLanguage { Russian, English };

// QUIL_LANGUAGE ("ru", "en" or a locale name such as ru_RU.UTF-8) forces the
// language when set. Otherwise the first of the user's languages, in the
// order of LANGUAGE, LC_ALL, LC_MESSAGES, LANG (QLocale::uiLanguages), that
// is Russian or English decides; none of them, or the C locale: English.
InterfaceLanguage interfaceLanguage(const QStringList &userLanguages, const QString &forced);

// The compiled translations: translations/ beside the executable (a build
// folder), else share/quil/translations/ of an installed program.
QString translationsFolder();

// Russian: Qt's own Russian texts. English: the program's English
// translation from the folder (Qt's texts are English already). False when
// a translation is missing.
bool installInterfaceTranslations(QCoreApplication &application, InterfaceLanguage language, const QString &folder);

} // namespace quil
