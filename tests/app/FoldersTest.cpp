#include <gtest/gtest.h>

#include "XdgScope.h"
#include "app/AppIdentity.h"
#include "app/Folders.h"

namespace vellomir {
namespace {

namespace fs = std::filesystem;

TEST(Folders, EveryUserFolderFollowsXdgAndTheDeviceName) {
    test::XdgScope xdg;
    AppIdentity::Instance().SetDeviceName("Vellomir Test");
    EXPECT_EQ(GetUserDataFolder(), xdg.data() / "Vellomir Test Files/");
    EXPECT_EQ(GetSettingsFile(), xdg.config() / "Vellomir Test" / "settings.conf");
    EXPECT_EQ(GetAutostartFile(), xdg.config() / "autostart" / "Vellomir Test.desktop");
    EXPECT_EQ(GetUserDataFolder().string().back(), '/');
}

TEST(Folders, RelativeOrMissingXdgValuesFallBackToHome) {
    test::XdgScope xdg;
    test::EnvVar home("HOME", (xdg.dir() / "home").string());
    {
        test::EnvVar relative("XDG_DATA_HOME", "relative/data");
        EXPECT_EQ(GetUserDataFolder(), xdg.dir() / "home/.local/share/Vellomir Files/");
    }
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(GetSettingsFile(), xdg.dir() / "home/.config/Vellomir/settings.conf");
}

TEST(Folders, DeviceNameIsMadeSafeAsOneFolderName) {
    const std::pair<const char*, const char*> cases[] = {
        {"Vellomir", "Vellomir"}, {"", "Vellomir"},           {".", "Vellomir"}, {"..", "Vellomir"},
        {"a/b", "a_b"},           {"../../etc", ".._.._etc"}, {"x\ny", "x_y"},   {"鼠标 Pro", "鼠标 Pro"},
    };
    for (auto [name, safe] : cases)
        EXPECT_EQ(FolderSafeName(name), safe) << name;

    test::XdgScope xdg;
    AppIdentity::Instance().SetDeviceName("../escape");
    EXPECT_EQ(GetSettingsFile().parent_path().parent_path(), xdg.config());
}

TEST(Folders, EnsureFolderCreatesMissingParentsAndAcceptsExistingOnes) {
    test::TempDir dir;
    const fs::path deep = dir / "a" / "b" / "c";
    EXPECT_TRUE(EnsureFolder(deep));
    EXPECT_TRUE(fs::is_directory(deep));
    const auto stamp = fs::last_write_time(dir / "a");
    EXPECT_TRUE(EnsureFolder(dir / "a"));
    EXPECT_EQ(fs::last_write_time(dir / "a"), stamp);
    EXPECT_TRUE(EnsureFolder(dir / "trailing/"));

    dir.Write("file", "x");
    EXPECT_FALSE(EnsureFolder(dir / "file"));
    EXPECT_FALSE(EnsureFolder(dir / "file" / "below"));
}

TEST(Folders, ProgramFolderIsTheOneHoldingTheCatalogue) {
    test::TempDir dir;
    dir.Write("bin/vellomir", "");
    dir.Write("share/vellomir/config.xml", "<config/>");
    EXPECT_EQ(ProgramFolderFor(dir / "bin/vellomir"), dir / "share/vellomir/");
    dir.Write("bin/config.xml", "<config/>");
    EXPECT_EQ(ProgramFolderFor(dir / "bin/vellomir"), dir / "bin/");
    test::TempDir bare;
    EXPECT_EQ(ProgramFolderFor(bare / "bin/vellomir"), bare / "bin/");

    // The test program itself lies beside the shipped data.
    EXPECT_TRUE(fs::exists(GetProgramFolder() / "config.xml"));
    EXPECT_TRUE(fs::equivalent(GetProgramFolder(), test::BuiltProgramFolder()));
}

}  // namespace
}  // namespace vellomir
