// Reading shortcuts into records, opening them and turning them into buttons.
#include <gtest/gtest.h>

#include <string>

#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "shell/ShellLinker.h"

using namespace quorlet;

namespace {

class ShellLinkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        target = folder.File("Target Program.exe");
        WriteFileText(target, "MZ");
    }

    std::string Shortcut(const std::string& name, const TShellLinkData& data) {
        std::string file = folder.File(name);
        WriteFakeShortcut(platform, file, data);
        return file;
    }
    TShellLinkData ToTarget() {
        TShellLinkData data;
        data.Path = target;
        data.HasIdList = true;
        return data;
    }

    TTempFolder folder;
    TFakePlatform platform;
    std::string target;
};

TEST(ShowStates, BothDirections) {
    const int readCmds[][2] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 0}, {5, 0}, {6, 0}, {7, 1}, {10, 0}, {-1, 0}};
    for (const auto& c : readCmds) EXPECT_EQ(ShowStateFromShowCmd(c[0]), c[1]) << c[0];
    const int openCmds[][2] = {{0, 1}, {1, 7}, {2, 3}, {3, 1}, {255, 1}};
    for (const auto& c : openCmds) EXPECT_EQ(ShowCmdFromShowState(static_cast<uint8_t>(c[0])), c[1]) << c[0];
}

TEST_F(ShellLinkerTest, FilesThatAreNotShortcutsLeaveTheRecordAsItWas) {
    std::string header(76, '\0');
    header[20] = 0x01;  // target id list only, no link information
    struct Case {
        const char* Name;
        std::string Bytes;
    } cases[] = {{"empty.lnk", ""}, {"short.lnk", std::string(20, '\x02')}, {"noinfo.lnk", header}};
    for (const Case& c : cases) {
        std::string file = folder.File(c.Name);
        WriteFileText(file, c.Bytes);
        platform.ShellLinks[file] = ToTarget();  // the shell object would read it: it is never asked
        TLinkInfo info;
        info.Path = "kept";
        EXPECT_FALSE(ReadLink(platform, file, info)) << c.Name;
        EXPECT_EQ(info.Path, "kept") << c.Name;
    }
    TLinkInfo info;
    info.Path = "kept";
    EXPECT_FALSE(ReadLink(platform, folder.File("missing.lnk"), info));
    EXPECT_EQ(info.Path, "kept");
}

TEST_F(ShellLinkerTest, ShortcutWithoutTargetItemClearsTheRecord) {
    TShellLinkData data = ToTarget();
    data.HasIdList = false;
    std::string file = Shortcut("noitem.lnk", data);
    TLinkInfo info;
    info.Path = "old";
    EXPECT_FALSE(ReadLink(platform, file, info));
    EXPECT_EQ(info.Path, "");

    platform.ShellLinks.erase(file);  // the shell object fails on it
    info.Path = "old";
    EXPECT_FALSE(ReadLink(platform, file, info));
    EXPECT_EQ(info.Path, "");
}

TEST_F(ShellLinkerTest, ReadsFieldsCutsLongTextsAndFallsBackToThePathForTheIcon) {
    TShellLinkData data = ToTarget();
    data.Arguments = "-x " + std::string(300, 'a');
    data.WorkingDir = "C:\\Work";
    data.Description = "Editor";
    data.IconIndex = 4;
    data.ShowCmd = 7;
    TLinkInfo info;
    ASSERT_TRUE(ReadLink(platform, Shortcut("a.lnk", data), info));
    EXPECT_EQ(info.Path, target);
    EXPECT_EQ(info.Arguments, ("-x " + std::string(300, 'a')).substr(0, 259));
    EXPECT_EQ(info.WorkingDir, "C:\\Work");
    EXPECT_EQ(info.Description, "Editor");
    EXPECT_EQ(info.IconLocation, target);
    EXPECT_EQ(info.IconIndex, 4);
    EXPECT_EQ(info.ShowState, 1);
}

TEST_F(ShellLinkerTest, ShowCommandStoredInTheHeaderWins) {
    TShellLinkData data = ToTarget();
    data.ShowCmd = 3;
    std::string file = Shortcut("max.lnk", data);
    platform.ShellLinks[file].ShowCmd = 1;  // an object that reports only the default
    TLinkInfo info;
    ASSERT_TRUE(ReadLink(platform, file, info));
    EXPECT_EQ(info.ShowState, 2);

    std::string cut = folder.File("cut.lnk");  // flag present, header incomplete
    WriteFileText(cut, ReadFileText(file).substr(0, 40));
    platform.ShellLinks[cut] = data;
    platform.ShellLinks[cut].ShowCmd = 7;
    ASSERT_TRUE(ReadLink(platform, cut, info));
    EXPECT_EQ(info.ShowState, 1);
}

TEST_F(ShellLinkerTest, OpenLinkStartsTheTargetAsTheShortcutSays) {
    struct Case {
        std::string Arguments, WorkingDir;
        std::string ExpectedDirectory;
    } cases[] = {
        {"--profile work", "C:\\Work", "C:\\Work"},
        {"", "", "."},  // no folder of its own: the current one
    };
    for (const Case& c : cases) {
        platform.ShellOpenCalls.clear();
        TShellLinkData data = ToTarget();
        data.Arguments = c.Arguments;
        data.WorkingDir = c.WorkingDir;
        data.ShowCmd = 3;
        EXPECT_TRUE(OpenLink(platform, Shortcut("max.lnk", data)));
        ASSERT_EQ(platform.ShellOpenCalls.size(), 1u);
        const TShellOpenCall& call = platform.ShellOpenCalls[0];
        EXPECT_EQ(call.Verb, "");
        EXPECT_EQ(call.File, target);
        EXPECT_EQ(call.Parameters, c.Arguments);
        EXPECT_EQ(call.Directory, c.ExpectedDirectory);
        EXPECT_EQ(call.ShowCommand, 3);
        EXPECT_EQ(call.Owner, TShellOwner::Application);
    }
}

TEST_F(ShellLinkerTest, OpenLinkHandsAnUnreadableShortcutToTheShell) {
    std::string file = folder.File("odd.lnk");
    WriteFileText(file, "not a shortcut at all, but long enough");
    platform.ShellOpenResult = false;
    EXPECT_FALSE(OpenLink(platform, file, "open"));
    ASSERT_EQ(platform.ShellOpenCalls.size(), 1u);
    EXPECT_EQ(platform.ShellOpenCalls[0].File, file);
    EXPECT_EQ(platform.ShellOpenCalls[0].Verb, "open");
    EXPECT_EQ(platform.ShellOpenCalls[0].ShowCommand, 1);
}

TEST_F(ShellLinkerTest, ResolveLinkFieldsFallbacks) {
    platform.ShellLongNames[target] = "C:\\Long Names\\Target Program.exe";
    platform.ShellLongNames["C:\\WORK~1"] = "C:\\Work Folder";

    TShellLinkData plain = ToTarget();  // no description, no icon location
    plain.IconIndex = 2;
    plain.WorkingDir = "C:\\WORK~1";
    plain.Arguments = "/a /b";
    plain.ShowCmd = 2;
    TLinkButtonFields fields;
    ASSERT_TRUE(ResolveLinkFields(platform, Shortcut("Plain.LNK", plain), fields));
    EXPECT_EQ(fields.Command, "C:\\Long Names\\Target Program.exe");
    EXPECT_EQ(fields.WorkingDir, "C:\\Work Folder");
    EXPECT_EQ(fields.Parameters, "/a /b");
    EXPECT_EQ(fields.Description, "Target Program.exe");
    EXPECT_EQ(fields.IconFile, target);  // the link's path stands in for a missing icon location
    EXPECT_EQ(fields.IconNumber, 2);
    EXPECT_EQ(fields.ShowState, 1);

    TShellLinkData described = ToTarget();
    described.Description = "My tool";
    described.IconLocation = "C:\\icons.dll";
    described.IconIndex = 9;
    ASSERT_TRUE(ResolveLinkFields(platform, Shortcut("described.lnk", described), fields));
    EXPECT_EQ(fields.Description, "My tool");
    EXPECT_EQ(fields.IconFile, "C:\\icons.dll");
    EXPECT_EQ(fields.IconNumber, 9);
    EXPECT_EQ(fields.WorkingDir, "");

    TShellLinkData toFolder = ToTarget();
    toFolder.Path = folder.Path().substr(0, folder.Path().size() - 1);
    ASSERT_TRUE(ResolveLinkFields(platform, Shortcut("folder.lnk", toFolder), fields));
    EXPECT_EQ(fields.Command, toFolder.Path);  // the shell could not parse it: the full path
}

TEST_F(ShellLinkerTest, UnresolvedShortcutsLeaveTheFieldsUntouched) {
    TLinkButtonFields fields;
    fields.Command = "kept";
    std::string deleted = folder.File("deleted.exe");
    TShellLinkData gone = ToTarget();
    gone.Path = deleted;
    EXPECT_FALSE(ResolveLinkFields(platform, Shortcut("gone.lnk", gone), fields));
    EXPECT_FALSE(ResolveLinkFields(platform, Shortcut("target.txt", ToTarget()), fields));  // not a ".lnk" name
    EXPECT_FALSE(ResolveLinkFields(platform, folder.File("missing.lnk"), fields));
    EXPECT_EQ(fields.Command, "kept");
}

}  // namespace
