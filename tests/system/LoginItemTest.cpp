#include "system/LoginItem.h"

#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

TEST(LoginItem, WritesAnAutostartEntryThatStartsInTheBackgroundAndRemovesItSilently) {
    EXPECT_EQ(LoginItem::path(),
              TestEnvironment::home() + "/.config/autostart/com.qerin.voxmere.desktop");
    LoginItem::set(true);
    QFile file(LoginItem::path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(
        text.contains("Exec=\"" + QCoreApplication::applicationFilePath() + "\" --background\n"));
    LoginItem::set(false);
    EXPECT_FALSE(QFile::exists(LoginItem::path()));
    LoginItem::set(false);
    EXPECT_FALSE(QFile::exists(LoginItem::path()));
}

// Exec is unescaped as a desktop-entry string, then as a quoted argument, then for field codes.
TEST(LoginItem, AnExecutablePathWithSpecialCharactersStaysOneArgument) {
    const QString entry = LoginItem::entry(R"(/opt/My "Apps"/50%$HOME`x\y/voxmere)");
    EXPECT_TRUE(
        entry.contains(R"(Exec="/opt/My \\"Apps\\"/50%%\\$HOME\\`x\\\\y/voxmere" --background)"
                       "\n"))
        << entry.toStdString();
}
