#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translations {

void install(QCoreApplication& app, const QStringList& languages) {
    for (const QString& name : languages) {
        const QLocale language(name);
        if (language.language() == QLocale::English || language.language() == QLocale::C)
            return;
        auto* own = new QTranslator(&app);
        if (!own->load(language, QStringLiteral("voxmere"), QStringLiteral("_"),
                       QStringLiteral(":/i18n"))) {
            delete own;
            continue;
        }
        // Qt's own texts (the stock buttons of file and message dialogs) come with the
        // system's Qt translations when they are installed; without them those stay English.
        auto* qt = new QTranslator(&app);
        if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
        QCoreApplication::installTranslator(own);
        return;
    }
}

void install(QCoreApplication& app) {
    install(app, QLocale::system().uiLanguages());
}

} // namespace Translations
