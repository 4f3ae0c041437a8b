// Icon choice, special folders, the program's shortcuts and the
// run-at-startup switch, against the recording platform.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"
#include "shell/ShellServices.h"

using namespace quorlet;

namespace {

const char* const ShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const MachineVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* const RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class ShellServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SettingFileName = folder.File("QL_alice.xml");
        platform.FakeExecutableName = "C:\\Tools\\Quorlet\\Quorlet.exe";
    }
    void TearDown() override { SettingFileName.clear(); }

    TTempFolder folder;
    TFakePlatform platform;
    TAppSettingXml settings{platform};
};

TEST_F(ShellServicesTest, FileIconIndexRule) {
    platform.IconCounts["tool.exe"] = 3;
    struct Case {
        const char* File;
        int Index;
        bool FromShell;
        int ExtractedIndex;
    } cases[] = {
        {"tool.exe", 0, true, 0},     // index 0 is the shell's icon, not an extracted one
        {"tool.exe", 1, false, 1},
        {"tool.exe", 2, false, 2},
        {"tool.exe", 3, false, 2},    // beyond the count: the last icon
        {"tool.exe", 5, false, 2},
        {"notes.txt", 2, true, 0},    // no icons stored: the shell's document icon
        {"tool.exe", -1, true, 0},    // -1 is the extraction call's count query
        {"tool.exe", -7, false, -7},  // other negatives name a resource and pass through
    };
    for (const Case& c : cases) {
        TOwnedIcon icon = GetFileIcon(platform, c.File, c.Index, 48);
        ASSERT_TRUE(icon) << c.File << " " << c.Index;
        const TFakeIcon& made = platform.LiveIcons.at(icon.Get());
        EXPECT_EQ(made.File, c.File);
        EXPECT_EQ(made.Size, 48) << "the size asked for reaches the system, whichever way the icon comes";
        EXPECT_EQ(made.FromShell, c.FromShell) << c.File << " " << c.Index;
        if (!c.FromShell) {
            EXPECT_EQ(made.Index, c.ExtractedIndex) << c.File << " " << c.Index;
        }
    }
    EXPECT_TRUE(platform.LiveIcons.empty());
    EXPECT_EQ(platform.ForeignIconsDestroyed, 0);
}

TEST_F(ShellServicesTest, MissingFilesGiveNoIconAndNoCount) {
    platform.NoShellIcon.push_back("gone.exe");
    platform.IconCounts["broken.dll"] = -3;  // a nonsense answer counts as none
    EXPECT_FALSE(GetFileIcon(platform, "gone.exe", 0, 32));
    EXPECT_FALSE(GetFileIcon(platform, "gone.exe", 4, 32));
    EXPECT_EQ(GetIconCount(platform, "gone.exe"), 0);
    EXPECT_EQ(GetIconCount(platform, "broken.dll"), 0);
}

TEST_F(ShellServicesTest, ReplacedIconsAreDestroyedExactlyOnce) {
    platform.IconCounts["tool.exe"] = 3;
    {
        TOwnedIcon shown;
        for (int i = 0; i < 300; ++i) shown = GetFileIcon(platform, "tool.exe", i % 4, 32);
        TOwnedIcon moved(std::move(shown));
        EXPECT_FALSE(shown);
        EXPECT_EQ(platform.LiveIcons.size(), 1u);
    }
    EXPECT_TRUE(platform.LiveIcons.empty());
    EXPECT_EQ(platform.IconsDestroyed, 300);
    EXPECT_EQ(platform.ForeignIconsDestroyed, 0);
}

TEST_F(ShellServicesTest, SpecialFolderTable) {
    const char* userValues[] = {"Desktop", "Start Menu", "Programs", "Startup", "Personal", "AppData",
                                "Fonts", "SendTo", "Recent", "Favorites", "Cache", "Cookies",
                                "History", "NetHood", "PrintHood", "Templates", "Local AppData"};
    const char* machineValues[] = {"ProgramFilesDir", "CommonFilesDir", "ConfigPath",
                                   "DevicePath", "MediaPath", "WallPaperDir"};
    for (int code = 0; code <= 16; ++code)
        platform.SetRegistryString(TRegistryRoot::CurrentUser, ShellFolders, userValues[code],
                                   std::string("U:\\") + userValues[code]);
    for (int code = 21; code <= 26; ++code)
        platform.SetRegistryString(TRegistryRoot::LocalMachine, MachineVersion, machineValues[code - 21],
                                   std::string("M:\\") + machineValues[code - 21]);

    for (int code = 0; code <= 16; ++code)
        EXPECT_EQ(GetSpecialFolder(platform, code), std::string("U:\\") + userValues[code] + "\\") << code;
    for (int code = 21; code <= 26; ++code)
        EXPECT_EQ(GetSpecialFolder(platform, code), std::string("M:\\") + machineValues[code - 21] + "\\") << code;
    EXPECT_EQ(GetSpecialFolder(platform, 17), "C:\\Windows\\");
    EXPECT_EQ(GetSpecialFolder(platform, 18), "C:\\Windows\\system32\\");
    EXPECT_EQ(GetSpecialFolder(platform, 19), "C:\\Users\\alice\\Temp\\");  // already ends in a backslash
    EXPECT_EQ(GetSpecialFolder(platform, 20), "C:\\");
    EXPECT_EQ(GetSpecialFolder(platform, 27), "");
    EXPECT_EQ(GetSpecialFolder(platform, 255), "");
}

TEST_F(ShellServicesTest, MissingSpecialFoldersAreEmpty) {
    platform.SystemFolder.clear();
    EXPECT_EQ(GetSpecialFolder(platform, sfDesktop), "");
    EXPECT_EQ(GetSpecialFolder(platform, 21), "");
    EXPECT_EQ(GetSpecialFolder(platform, sfSystemDrive), "");
}

TEST_F(ShellServicesTest, ProgramLinkPointsAtTheRunningProgram) {
    CreateProgramLink(platform, folder.File("Desk\\"));
    ASSERT_EQ(platform.SavedLinks.size(), 1u);
    const TLinkCreateInfo& info = platform.SavedLinks[0].first;
    EXPECT_EQ(platform.SavedLinks[0].second, folder.File("Desk\\\\Quorlet.lnk"));
    EXPECT_STREQ(info.Path, "C:\\Tools\\Quorlet\\Quorlet.exe");
    EXPECT_STREQ(info.WorkingDir, "C:\\Tools\\Quorlet\\");
    EXPECT_EQ(info.ShowCmd, 1);
    EXPECT_STREQ(info.IconLocation, "");
    EXPECT_STREQ(info.Arguments, "");
    EXPECT_STREQ(info.Description, "");
    EXPECT_STREQ(info.RelativePath, "");
    EXPECT_EQ(info.IconIndex, 0);
    EXPECT_EQ(info.HotKey, 0);
}

TEST_F(ShellServicesTest, ProgramPathTooLongForAShortcutWritesNone) {
    platform.FakeExecutableName = "C:\\" + std::string(270, 'a') + "\\Quorlet.exe";
    CreateProgramLink(platform, folder.Path());
    EXPECT_TRUE(platform.SavedLinks.empty());
}

TEST(LinkCreateInfo, FieldsCopyAtMostTheirWidthLessOne) {
    TLinkCreateInfo info;
    std::memset(&info, 'x', sizeof info);
    EXPECT_TRUE(AssignLinkField(info.Path, std::string(260, 'p')));
    EXPECT_EQ(std::string(info.Path), std::string(260, 'p'));
    EXPECT_FALSE(AssignLinkField(info.Description, std::string(400, 'd')));
    EXPECT_EQ(std::string(info.Description), std::string(255, 'd'));
    EXPECT_EQ(info.RelativePath[0], 'x');  // the neighbour is untouched
}

class RunAtStartupTest : public ShellServicesTest {
protected:
    void SetUp() override {
        ShellServicesTest::SetUp();
        platform.SetRegistryString(TRegistryRoot::CurrentUser, ShellFolders, "Startup", startup.File("Startup"));
        CreateDirectoryForStartup();
        platform.SetRegistryString(TRegistryRoot::CurrentUser, RunKey, "Quorlet", "C:\\old\\Quorlet.exe");
    }
    void CreateDirectoryForStartup() { std::filesystem::create_directories(startup.File("Startup")); }
    std::string LinkFile() { return ProgramLinkFileName(GetSpecialFolder(platform, sfStartup)); }
    bool RunValueGone() {
        return platform.RegistryString(TRegistryRoot::CurrentUser, RunKey, "Quorlet").empty();
    }

    TTempFolder startup;
};

TEST_F(RunAtStartupTest, OnWritesTheStartupShortcutAndRemovesTheRunValue) {
    SetRunAtStartup(platform, settings, true);
    EXPECT_TRUE(settings.RunStartup);
    EXPECT_TRUE(RunValueGone());
    EXPECT_TRUE(platform.FileExists(LinkFile()));
    ASSERT_EQ(platform.SavedLinks.size(), 1u);
    EXPECT_EQ(platform.SavedLinks[0].second, LinkFile());
    EXPECT_STREQ(platform.SavedLinks[0].first.Path, "C:\\Tools\\Quorlet\\Quorlet.exe");

    SetRunAtStartup(platform, settings, true);  // rewritten each time, in the same place
    ASSERT_EQ(platform.SavedLinks.size(), 2u);
    EXPECT_EQ(platform.SavedLinks[1].second, LinkFile());
}

TEST_F(RunAtStartupTest, OffDeletesTheShortcutAndOffAgainOnlyRemovesTheRunValue) {
    SetRunAtStartup(platform, settings, true);
    SetRunAtStartup(platform, settings, false);
    EXPECT_FALSE(settings.RunStartup);
    EXPECT_FALSE(platform.FileExists(LinkFile()));

    platform.SetRegistryString(TRegistryRoot::CurrentUser, RunKey, "Quorlet", "C:\\old\\Quorlet.exe");
    size_t deletions = platform.DeletedRegistryValues.size();
    SetRunAtStartup(platform, settings, false);
    EXPECT_TRUE(RunValueGone());
    EXPECT_EQ(platform.DeletedRegistryValues.size(), deletions + 1);
    EXPECT_EQ(platform.SavedLinks.size(), 1u);
}

TEST_F(RunAtStartupTest, UnknownStartupFolderWritesNoShortcutAnywhere) {
    platform.Registry.erase(TFakePlatform::RegistryKey(TRegistryRoot::CurrentUser, ShellFolders, "Startup"));
    SetRunAtStartup(platform, settings, true);
    EXPECT_TRUE(settings.RunStartup);
    EXPECT_TRUE(RunValueGone());
    EXPECT_TRUE(platform.SavedLinks.empty());
}

}  // namespace
