#include <gtest/gtest.h>

#include "XdgScope.h"
#include "app/AppSettings.h"
#include "app/Autostart.h"
#include "app/Folders.h"
#include "common/FileIo.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;

class Autostart : public testing::Test {
protected:
    void SetUp() override {
        ReadAppValue(kExitModeValue);  // as at start-up, the settings file exists
    }
    test::XdgScope xdg;
    const fs::path exe = "/opt/vellomir/bin/vellomir";
};

TEST_F(Autostart, OnWritesTheEntryAndOffRemovesItAndClearsMinimise) {
    AutostartState on = SetAutorun(true, exe);
    EXPECT_TRUE(on.startWithSession);
    EXPECT_TRUE(on.minimizeEnabled);
    EXPECT_FALSE(on.minimizeChecked);
    const auto entry = ReadWholeFile(xdg.config() / "autostart" / "Vellomir.desktop");
    ASSERT_TRUE(entry);
    EXPECT_NE(entry->find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(entry->find("\nExec=/opt/vellomir/bin/vellomir -autorun\n"), std::string::npos);

    SetAutorunMinimize(true);
    EXPECT_TRUE(ReadAutostartState().minimizeChecked);

    AutostartState off = SetAutorun(false, exe);
    EXPECT_EQ(off, (AutostartState{false, false, false, false}));
    EXPECT_FALSE(fs::exists(GetAutostartFile()));
    EXPECT_EQ(ReadAppValue(kAutorunMinimizeValue), 0);
    EXPECT_EQ(ReadWholeFile(GetSettingsFile())->find("autorun_minimize=0"), 0u);

    // On again: the minimise box is enabled but stays unchecked.
    EXPECT_EQ(SetAutorun(true, exe), (AutostartState{true, true, false, false}));
    EXPECT_EQ(ReadAutostartState(), (AutostartState{true, true, false, false}));
}

TEST_F(Autostart, StateShowsExitModeOnlyWhenItIsOne) {
    const std::pair<const char*, bool> cases[] = {{"1", true}, {"0", false}, {"2", false}, {"x", false}};
    for (auto [text, hide] : cases) {
        WriteAppValue(kExitModeValue, text);
        EXPECT_EQ(ReadAutostartState().hideToTray, hide) << text;
    }
    SetExitMode(true);
    EXPECT_EQ(ReadAppValue(kExitModeValue), 1);
    SetExitMode(false);
    EXPECT_EQ(ReadAppValue(kExitModeValue), 0);
}

TEST_F(Autostart, MinimiseIsShownOnlyWithTheEntry) {
    WriteAppValue(kAutorunMinimizeValue, "1");
    EXPECT_EQ(ReadAutostartState(), (AutostartState{false, false, false, false}));
    SetAutorun(true, exe);
    EXPECT_EQ(ReadAutostartState(), (AutostartState{true, true, true, false}));
    // An entry the desktop marked hidden does not start the program.
    ASSERT_TRUE(WriteFileAtomically(GetAutostartFile(), "[Desktop Entry]\nExec=x -autorun\nHidden=true\n"));
    EXPECT_FALSE(ReadAutostartState().startWithSession);
}

TEST_F(Autostart, EntryThatCannotBeWrittenIsReportedOff) {
    // A file stands where the autostart folder should be.
    xdg.dir().Write("config/autostart", "x");
    AutostartState state = SetAutorun(true, exe);
    EXPECT_FALSE(state.startWithSession);
    EXPECT_EQ(ReadWholeFile(xdg.config() / "autostart"), "x");
    // Without a known executable there is nothing to start.
    fs::remove(xdg.config() / "autostart");
    EXPECT_FALSE(SetAutorun(true, "").startWithSession);
    EXPECT_FALSE(fs::exists(GetAutostartFile()));
}

TEST(AutostartExec, ReservedCharactersAreQuotedAndEscaped) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/vellomir", "/usr/bin/vellomir -autorun"},
        {"/home/a b/vellomir", R"("/home/a b/vellomir" -autorun)"},
        {"/opt/100%/v", R"("/opt/100%%/v" -autorun)"},
        {"/opt/$HOME/v", R"("/opt/\\$HOME/v" -autorun)"},
        {R"(/opt/q"uote/v)", R"("/opt/q\\"uote/v" -autorun)"},
    };
    for (auto [path, exec] : cases)
        EXPECT_EQ(AutostartExecLine(path), exec) << path;
}

}  // namespace
}  // namespace vellomir
