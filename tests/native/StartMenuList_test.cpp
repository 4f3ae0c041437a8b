// The Start Menu list for type-to-find: which files are shortcuts, the user's
// shortcut over the shared one of the same place, the order by name, and
// where the two Programs folders are found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "launcher/StartMenuList.h"
#include "shell/StartMenuFolders.h"

using namespace quorlet;

namespace {

const char* const UserFolder = "C:\\Users\\alice\\Start Menu\\Programs\\";
const char* const CommonFolder = "C:\\ProgramData\\Start Menu\\Programs\\";

TFoundShortcut Found(const char* folder, const std::string& relativePath) {
    return {relativePath, folder + relativePath};
}

std::vector<std::string> PathsOf(const std::vector<TStartMenuEntry>& entries) {
    std::vector<std::string> paths;
    for (const TStartMenuEntry& entry : entries) paths.push_back(entry.LinkPath);
    return paths;
}

TEST(StartMenuListTest, ShortcutFileNames) {
    struct Case {
        const char* Name;
        bool Shortcut;
    } cases[] = {
        {"Editor.lnk", true},    {"Editor.LNK", true},   {"C:\\Menu\\Tools\\Editor.Lnk", true},
        {"Editor.lnk.txt", false}, {"Editor.url", false}, {"desktop.ini", false},
        {"Editor", false},       {".lnk", false},        {"C:\\Menu\\.lnk", false},
        {"Menu.lnk\\Editor", false}, {"a.lnk", true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsShortcutFileName(c.Name), c.Shortcut) << c.Name;
}

TEST(StartMenuListTest, TheUsersShortcutHidesTheSharedOneOfTheSamePlace) {
    const std::vector<TFoundShortcut> user = {Found(UserFolder, "Editor.lnk"),
                                              Found(UserFolder, "Tools\\Backup.lnk")};
    const std::vector<TFoundShortcut> common = {
        Found(CommonFolder, "EDITOR.lnk"),         // the user's, in another letter case
        Found(CommonFolder, "tools\\backup.LNK"),  // the user's, in a subfolder
        Found(CommonFolder, "Backup.lnk"),         // same name, another place: both stay
        Found(CommonFolder, "Games\\Chess.lnk"),
    };
    const std::vector<TStartMenuEntry> entries = MergeStartMenuShortcuts(user, common);
    EXPECT_EQ(PathsOf(entries), (std::vector<std::string>{
                                    std::string(CommonFolder) + "Backup.lnk",
                                    std::string(UserFolder) + "Tools\\Backup.lnk",
                                    std::string(CommonFolder) + "Games\\Chess.lnk",
                                    std::string(UserFolder) + "Editor.lnk",
                                }));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].Name, "Backup");
    EXPECT_EQ(entries[2].Name, "Chess");
    for (const TStartMenuEntry& entry : entries) EXPECT_EQ(entry.Target, "") << entry.LinkPath;
}

TEST(StartMenuListTest, OrderIsByNameIgnoringCaseWhateverTheFolders) {
    const std::vector<TFoundShortcut> user = {Found(UserFolder, "zip.lnk"), Found(UserFolder, "Word.lnk")};
    const std::vector<TFoundShortcut> common = {Found(CommonFolder, "Access.lnk"), Found(CommonFolder, "b\\word.lnk"),
                                                Found(CommonFolder, "a\\word.lnk")};
    std::vector<std::string> names;
    const std::vector<TStartMenuEntry> entries = MergeStartMenuShortcuts(user, common);
    for (const TStartMenuEntry& entry : entries) names.push_back(entry.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Access", "word", "word", "Word", "zip"}));
    // Equal names keep one order, by path, so a list read again looks the same.
    EXPECT_EQ(entries[1].LinkPath, std::string(CommonFolder) + "a\\word.lnk");
    EXPECT_EQ(entries[2].LinkPath, std::string(CommonFolder) + "b\\word.lnk");
    EXPECT_EQ(entries[3].LinkPath, std::string(UserFolder) + "Word.lnk");
    EXPECT_EQ(MergeStartMenuShortcuts(common, user).size(), 5u);
    EXPECT_TRUE(MergeStartMenuShortcuts({}, {}).empty());
}

TEST(StartMenuListTest, FoldersComeFromTheShellFoldersKeys) {
    TFakePlatform platform;
    EXPECT_EQ(GetStartMenuFolders(platform).User, "");
    EXPECT_EQ(GetStartMenuFolders(platform).Common, "");

    platform.SetRegistryString(TRegistryRoot::CurrentUser,
                               "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs",
                               "C:\\Users\\alice\\Start Menu\\Programs");
    platform.SetRegistryString(TRegistryRoot::LocalMachine,
                               "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                               "Common Programs", "C:\\ProgramData\\Start Menu\\Programs");
    const TStartMenuFolders folders = GetStartMenuFolders(platform);
    EXPECT_EQ(folders.User, UserFolder);
    EXPECT_EQ(folders.Common, CommonFolder);
}

}  // namespace
