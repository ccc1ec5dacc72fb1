#include "app/Translations.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {
class TranslationsTest : public ::testing::Test {
  protected:
    // A translator leaves the application when it is deleted, so each test starts in English.
    void TearDown() override { qDeleteAll(qApp->findChildren<QTranslator*>()); }

    static QString today() { return QCoreApplication::translate("HistoryGroups", "Today"); }
};
} // namespace

TEST_F(TranslationsTest, GermanReachesVoxmeresTextsItsPluralsAndQtsOwnButtons) {
    Translations::install(*qApp, {"de-AT"});
    EXPECT_EQ(today(), "Heute");
    EXPECT_EQ(QCoreApplication::translate("HistoryPage", "%n snippets", nullptr, 1), "1 Diktat");
    EXPECT_EQ(QCoreApplication::translate("HistoryPage", "%n snippets", nullptr, 3), "3 Diktate");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
}

TEST_F(TranslationsTest, TheFirstLanguageVoxmereSpeaksWins) {
    Translations::install(*qApp, {"en-GB", "de-DE"});
    EXPECT_EQ(today(), "Today") << "English comes first, so German is never loaded";
    Translations::install(*qApp, {"fr-FR", "de-DE"});
    EXPECT_EQ(today(), "Heute") << "no French, so the next language the user reads";
}
