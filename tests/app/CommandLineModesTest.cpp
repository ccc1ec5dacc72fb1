#include "app/CommandLineModes.h"

#include <gtest/gtest.h>

namespace {
using Kind = CommandLineMode::Kind;
const QList<CommandLineMode> modes = {
    {"--list-mics", Kind::onItsOwn, 0, false, {}, {}},
    {"--snapshot", Kind::onItsOwn, 1, true, {}, {}},
    {"--rename", Kind::onTheUsersData, 3, false, {}, {}},
};
QString found(const QStringList& args) {
    const auto mode = CommandLineModes::find(args, modes);
    return mode ? mode->flag : QString();
}
} // namespace

TEST(CommandLineModes, AModeNeedsAllItsValuesAndTheTableOrderDecides) {
    EXPECT_EQ(found({"--snapshot"}), "") << "the value is missing: start normally";
    EXPECT_EQ(found({"--snapshot", "/tmp/shots"}), "--snapshot");
    EXPECT_EQ(found({"--rename", "id", "Speaker 1"}), "");
    EXPECT_EQ(found({"--rename", "id", "Speaker 1", "Ann"}), "--rename");
    EXPECT_EQ(found({"--rename", "id", "a", "b", "--list-mics"}), "--list-mics");
    EXPECT_EQ(found({"--background"}), "");
}
