// Per-user string settings and the dialog failure report.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "integration/DrawingHelpers.h"
#include "lisp/AdsHost.h"
#include "project/DialogReport.h"
#include "ui/MessageBox.h"

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orv-settings-XXXXXX";
        dir = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(dir);
    }
    std::string dir;
};

class DialogReport : public ::testing::Test {
protected:
    void SetUp() override {
        adsSetOutputSink([this](std::string_view text) { output.append(text); });
        uiClearAnswers();
    }
    void TearDown() override { adsSetOutputSink({}); }
    std::string output;
};

} // namespace

TEST_F(Settings, MissingKeysReadEmptyAndWritingNeedsTheKey) {
    EXPECT_EQ(readRegistryString("HVAC\\Explorer", "Columns"), "");
    EXPECT_FALSE(writeRegistryString("HVAC\\Explorer", "Columns", "a,b"));
    ASSERT_TRUE(createRegistryKey("HVAC\\Explorer"));
    ASSERT_TRUE(writeRegistryString("HVAC\\Explorer", "Columns", "a,b"));
    ASSERT_TRUE(writeRegistryString("HVAC\\Explorer", "Width", "line\nbreak"));
    EXPECT_EQ(readRegistryString("HVAC\\Explorer", "Columns"), "a,b");
    EXPECT_EQ(readRegistryString("HVAC\\Explorer", "Width"), "line break");
    EXPECT_EQ(readRegistryString("HVAC\\Other", "Columns"), "");
    EXPECT_TRUE(std::filesystem::exists(dir + "/orvane/registry.ini"));
}

TEST_F(DialogReport, OtherResultsPassSilently) {
    EXPECT_EQ(reportDialogFailure(1), 1);
    EXPECT_EQ(output, "");
}

TEST_F(DialogReport, NoDeclinesTheDownload) {
    uiQueueAnswer("No");
    EXPECT_EQ(reportDialogFailure(-1), -1);
    EXPECT_EQ(output, "\n[Orvane Error] Dialog box could not be created.\nComponents need to be installed.\n"
                      "Would you like to download a fix to this error? <No>");
}

TEST_F(DialogReport, FailedDownloadSendsTheUserToSupport) {
    uiQueueAnswer("Yes");
    EXPECT_EQ(reportDialogFailure(3), 3);
    EXPECT_NE(output.find("<Yes>"), std::string::npos);
    EXPECT_NE(output.find("\nThe download could not be started. Please contact Orvane technical support."),
              std::string::npos);
}
