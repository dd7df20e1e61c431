#pragma once

class QCoreApplication;
class QLocale;

namespace quil {

// Loads Qt's own translations for the locale (its buttons, file dialog and
// standard texts) from Qt's translations folder and installs them in the
// application, which owns them. False when Qt has none for the locale.
bool installQtTranslations(QCoreApplication &application, const QLocale &locale);

} // namespace quil
