#pragma once

#include <QStringList>

class QCoreApplication;

// The texts of Voxmere, and the buttons of Qt's own dialogs, in the user's language.
namespace Translations {
// Loads the first of `languages` (most wanted first, as QLocale::uiLanguages() lists them) that
// Voxmere is translated into. English, the language the texts are written in, ends the search:
// someone who prefers English to German keeps English. The translators belong to `app`.
void install(QCoreApplication& app, const QStringList& languages);
// The system's languages: LANGUAGE, else LC_ALL, LC_MESSAGES or LANG.
void install(QCoreApplication& app);
} // namespace Translations
