// Launching a button's target: which shell request each kind of target makes,
// what is counted, and opening a button's folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "launcher/ButtonLaunch.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

class ButtonLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPlatform(&platform);
        platform.FakeNow = MakeDateTime(2025, 3, 5, 10, 0, 0);
        SettingFileName = folder.File("QL_alice.xml");
        WriteFileText(SettingFileName,
                      "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<RKConfig>\r\n\t<Buttons/>\r\n</RKConfig>");
        tools = folder.File("Tools");
        std::filesystem::create_directories(tools);
        program = tools + "/run.exe";
        WriteFileText(program, "MZ");
    }
    void TearDown() override {
        SettingFileName.clear();
        SetPlatform(nullptr);
    }

    // Stores a record under id and reads it back as a click does.
    TBtnSettingXml& Store(int32_t id, const std::string& command, const std::string& workingDir = "",
                          const std::string& parameters = "", int32_t windowStyle = 1) {
        TBtnSettingXml writer(platform);
        writer.BtnStyle = 0;
        writer.Command = command;
        writer.WorkingDir = workingDir;
        writer.Parameters = parameters;
        writer.WindowStyle = windowStyle;
        writer.WriteButton(id);
        EXPECT_TRUE(store.ReadButton(id));
        return store;
    }
    int32_t StoredCount(int32_t id) {
        TBtnSettingXml reader(platform);
        reader.ReadButton(id);
        return reader.TotolRunTimes;
    }

    TTempFolder folder;
    TFakePlatform platform;
    TBtnSettingXml store{platform};
    std::string tools, program;
};

TEST_F(ButtonLaunchTest, EachKindOfTargetMakesItsShellRequest) {
    std::string upper = tools + "/RUN.EXE", document = tools + "/notes.txt", link = tools + "/run.lnk";
    WriteFileText(upper, "MZ");
    WriteFileText(document, "text");
    TShellLinkData target;
    target.Path = program;
    target.Arguments = "--profile work";
    target.WorkingDir = "C:\\Profiles";
    target.HasIdList = true;
    target.ShowCmd = 7;
    WriteFakeShortcut(platform, link, target);

    struct Case {
        std::string Command, WorkingDir, Parameters;
        int WindowStyle;
        TShellOpenCall Expected;
    } cases[] = {
        // A program without a working folder starts in its own folder.
        {program, "", "-x", 2, {"open", program, "-x", tools, 2}},
        {program, "C:\\Work", "a b", 3, {"open", program, "a b", "C:\\Work", 3}},
        // Capitals take the general way, with the stored (empty) working folder.
        {upper, "", "-y", 1, {"open", upper, "-y", "", 1}},
        {document, "D:\\", "", 0, {"open", document, "", "D:\\", 0}},
        // A shortcut opens its target as a double click on it would: its own
        // arguments, folder and show state, none of the record's.
        {link, "C:\\Work", "-z", 1, {"", program, "--profile work", "C:\\Profiles", 7}},
        // A folder is explored with a backslash added, whatever its window style.
        {tools, "C:\\Work", "-w", 3, {"explore", tools + "\\", "", "", 1, TShellOwner::Desktop}},
    };
    int32_t id = 101;
    for (const Case& c : cases) {
        platform.ShellOpenCalls.clear();
        Store(id, c.Command, c.WorkingDir, c.Parameters, c.WindowStyle);
        EXPECT_TRUE(LaunchButton(platform, store, id)) << c.Command;
        ASSERT_EQ(platform.ShellOpenCalls.size(), 1u) << c.Command;
        const TShellOpenCall& call = platform.ShellOpenCalls[0];
        EXPECT_EQ(call.Verb, c.Expected.Verb) << c.Command;
        EXPECT_EQ(call.File, c.Expected.File) << c.Command;
        EXPECT_EQ(call.Parameters, c.Expected.Parameters) << c.Command;
        EXPECT_EQ(call.Directory, c.Expected.Directory) << c.Command;
        EXPECT_EQ(call.ShowCommand, c.Expected.ShowCommand) << c.Command;
        EXPECT_EQ(call.Owner, c.Expected.Owner) << c.Command;
        EXPECT_EQ(StoredCount(id), 1) << c.Command;
        EXPECT_EQ(store.TotolRunTimes, 1) << c.Command;
        ++id;
    }
    TBtnSettingXml reader(platform);
    reader.ReadButton(101);
    EXPECT_EQ(reader.WorkingDir, "");  // the fallback folder is not stored
}

TEST_F(ButtonLaunchTest, AWindowStyleOutsideTheShowCommandsStartsNormally) {
    // -1 is what a window style list without a selection stored.
    std::string document = tools + "/notes.txt";
    WriteFileText(document, "text");
    const struct {
        int32_t Stored;
        int Passed;
    } cases[] = {{-1, 1}, {12, 1}, {65535, 1}, {-2147483647 - 1, 1}, {0, 0}, {3, 3}, {5, 5}, {7, 7}, {11, 11}};
    int32_t id = 101;
    for (const auto& c : cases) {
        for (const std::string& command : {program, document}) {
            platform.ShellOpenCalls.clear();
            Store(id, command, "", "", c.Stored);
            EXPECT_TRUE(LaunchButton(platform, store, id));
            ASSERT_EQ(platform.ShellOpenCalls.size(), 1u);
            EXPECT_EQ(platform.ShellOpenCalls[0].ShowCommand, c.Passed) << command << " stored " << c.Stored;
            EXPECT_EQ(store.WindowStyle, c.Stored);  // the record keeps what it holds
            ++id;
        }
    }
}

TEST_F(ButtonLaunchTest, MissingTargetStartsAndCountsNothing) {
    Store(101, folder.File("gone.exe"));
    EXPECT_FALSE(LaunchButton(platform, store, 101));
    EXPECT_TRUE(platform.ShellOpenCalls.empty());
    EXPECT_EQ(StoredCount(101), 0);
    EXPECT_EQ(store.TotolRunTimes, 0);
}

TEST_F(ButtonLaunchTest, ARefusedStartStillCounts) {
    platform.ShellOpenResult = false;
    Store(101, program);
    EXPECT_TRUE(LaunchButton(platform, store, 101));
    EXPECT_EQ(StoredCount(101), 1);
}

TEST_F(ButtonLaunchTest, ExploreButtonPathOpensTheFolder) {
    Store(101, program);
    Store(102, tools);
    EXPECT_TRUE(ExploreButtonPath(platform, store, 101));
    EXPECT_TRUE(ExploreButtonPath(platform, store, 102));
    EXPECT_FALSE(ExploreButtonPath(platform, store, 103));
    ASSERT_EQ(platform.ShellOpenCalls.size(), 2u);
    EXPECT_EQ(platform.ShellOpenCalls[0].File, tools + "/");
    EXPECT_EQ(platform.ShellOpenCalls[1].File, tools + "\\");
    for (const TShellOpenCall& call : platform.ShellOpenCalls) {
        EXPECT_EQ(call.Verb, "explore");
        EXPECT_EQ(call.Owner, TShellOwner::Desktop);
        EXPECT_EQ(call.ShowCommand, 1);
    }
}

}  // namespace
