#include "app/Constants.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {
struct ModelVariable {
    explicit ModelVariable(const char* value) {
        if (value)
            qputenv("VOXMERE_MODEL", value);
        else
            qunsetenv("VOXMERE_MODEL");
    }
    ~ModelVariable() { qunsetenv("VOXMERE_MODEL"); }
};
} // namespace

TEST(Constants, ModelPathComesFromTheVariableWheneverItIsPresentEvenEmpty) {
    {
        ModelVariable v(nullptr);
        const auto c = Constants::fromEnvironment("/opt/voxmere/bin");
        EXPECT_EQ(c.port, 8178);
        EXPECT_EQ(c.modelDir, TestEnvironment::home() + "/.local/share/Voxmere/models");
        EXPECT_EQ(c.modelPath, c.modelDir + "/ggml-large-v3-turbo-q5_0.bin");
    }
    {
        ModelVariable v("");
        EXPECT_EQ(Constants::fromEnvironment("/x").modelPath, "");
    }
    {
        ModelVariable v("/models/tiny.bin");
        EXPECT_EQ(Constants::fromEnvironment("/x").modelPath, "/models/tiny.bin");
    }
}

TEST(Constants, ServerIsTheFirstExecutableCandidateElseTheBareName) {
    const auto candidates = Constants::serverCandidates("/opt/voxmere/bin");
    EXPECT_EQ(candidates,
              (QStringList{"/opt/voxmere/bin/whisper-server", "/usr/local/bin/whisper-server",
                           "/usr/bin/whisper-server"}));
    auto only = [](QString wanted) { return [wanted](const QString& p) { return p == wanted; }; };
    EXPECT_EQ(Constants::findServer(candidates, only("/usr/bin/whisper-server")),
              "/usr/bin/whisper-server");
    EXPECT_EQ(Constants::findServer(candidates, [](const QString&) { return true; }),
              "/opt/voxmere/bin/whisper-server");
    EXPECT_EQ(Constants::findServer(candidates, [](const QString&) { return false; }),
              "whisper-server");
}
