// Launching a button's target: which shell request each kind of target makes,
// what is counted, and opening a button's folder.
#include <gtest/gtest.h>

#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "launcher/ButtonLaunch.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

#ifdef __linux__
// Watches a folder for the opens of one file in it (each read opens it) and
// for the files renamed onto that name (each atomic save is one).
class TFileWatch {
public:
    TFileWatch(const std::string& folder, const std::string& name) : FName(name) {
        FFd = inotify_init1(IN_NONBLOCK);
        // Closes are watched too: two opens in a row would be reported as one.
        if (FFd >= 0) inotify_add_watch(FFd, folder.c_str(), IN_OPEN | IN_CLOSE | IN_MOVED_TO);
    }
    ~TFileWatch() {
        if (FFd >= 0) close(FFd);
    }
    bool Ok() const { return FFd >= 0; }
    // The events since the last call, counted.
    void Take(int& opens, int& replaces) {
        opens = replaces = 0;
        alignas(inotify_event) char buffer[64 * 1024];
        ssize_t got;
        while ((got = read(FFd, buffer, sizeof buffer)) > 0) {
            for (char* p = buffer; p < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(p);
                if (event->len && FName == event->name) {
                    if (event->mask & IN_OPEN) ++opens;
                    if (event->mask & IN_MOVED_TO) ++replaces;
                }
                p += sizeof(inotify_event) + event->len;
            }
        }
    }

private:
    std::string FName;
    int FFd = -1;
};
#endif

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
        EXPECT_TRUE(LaunchButton(platform, store, id).Launched) << c.Command;
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
            EXPECT_TRUE(LaunchButton(platform, store, id).Launched);
            ASSERT_EQ(platform.ShellOpenCalls.size(), 1u);
            EXPECT_EQ(platform.ShellOpenCalls[0].ShowCommand, c.Passed) << command << " stored " << c.Stored;
            EXPECT_EQ(store.WindowStyle, c.Stored);  // the record keeps what it holds
            ++id;
        }
    }
}

TEST_F(ButtonLaunchTest, MissingTargetStartsAndCountsNothingAndSaysNothing) {
    Store(101, folder.File("gone.exe"));
    const TLaunchOutcome outcome = LaunchButton(platform, store, 101);
    EXPECT_FALSE(outcome.Launched);
    EXPECT_EQ(outcome.Failure, "");
    EXPECT_NO_THROW(RaiseLaunchFailure(outcome));
    EXPECT_TRUE(platform.ShellOpenCalls.empty());
    EXPECT_EQ(StoredCount(101), 0);
    EXPECT_EQ(store.TotolRunTimes, 0);
}

TEST_F(ButtonLaunchTest, ARefusedStartIsNotCountedAndSaysWhy) {
    platform.ShellOpenResult = false;
    platform.ShellOpenFailure = "Bad EXE format.";
    TShellLinkData target;
    target.Path = program;
    target.HasIdList = true;
    const std::string link = tools + "/run.lnk", document = tools + "/notes.txt";
    WriteFakeShortcut(platform, link, target);
    WriteFileText(document, "text");
    int32_t id = 101;
    for (const std::string& command : {program, link, document, tools}) {
        Store(id, command);
        const TLaunchOutcome outcome = LaunchButton(platform, store, id);
        EXPECT_FALSE(outcome.Launched) << command;
        EXPECT_EQ(outcome.Failure, "Cannot start " + command + ": Bad EXE format.");
        try {
            RaiseLaunchFailure(outcome);
            ADD_FAILURE() << "no error for " << command;
        } catch (const ELaunchError& e) {
            EXPECT_EQ(e.what(), outcome.Failure);
        }
        EXPECT_EQ(StoredCount(id), 0) << command;
        EXPECT_EQ(store.TotolRunTimes, 0) << command;
        ++id;
    }
    EXPECT_EQ(platform.ShellOpenCalls.size(), 4u);
}

TEST_F(ButtonLaunchTest, AShortcutToAShortcutIsNeverHandedToTheShell) {
    // The shell would follow such a chain until its stack ran out.
    const std::string self = tools + "/self.lnk", chain = tools + "/chain.lnk", caps = tools + "/SELF.LNK",
                      bare = tools + "/bare.lnk", unread = tools + "/unread.lnk", toFolder = tools + "/folder.lnk",
                      folderNamedLink = tools + "/Links.lnk";
    TShellLinkData data;
    data.HasIdList = true;
    data.Path = self;
    WriteFakeShortcut(platform, self, data);
    WriteFakeShortcut(platform, caps, data);
    data.Path = tools + "\\Other.Lnk";
    WriteFakeShortcut(platform, chain, data);
    // Without the link-information flag the shortcut is not read and would be
    // handed over itself; its object still names a shortcut as its target.
    WriteFileText(bare, std::string(76, '\0'));
    data.Path = self;
    platform.ShellLinks[bare] = data;
    // A target that cannot be read at all: the shortcut itself goes to the shell.
    WriteFileText(unread, "not a shortcut at all, but long enough");
    // A folder whose name ends in ".lnk" is explored, not followed.
    std::filesystem::create_directories(folderNamedLink);
    data.Path = folderNamedLink;
    WriteFakeShortcut(platform, toFolder, data);

    const struct {
        std::string Command;
        bool Refused;
    } cases[] = {{self, true}, {chain, true}, {caps, true}, {bare, true}, {unread, false}, {toFolder, false}};
    int32_t id = 101;
    for (const auto& c : cases) {
        platform.ShellOpenCalls.clear();
        Store(id, c.Command);
        const TLaunchOutcome outcome = LaunchButton(platform, store, id);
        if (c.Refused) {
            EXPECT_TRUE(platform.ShellOpenCalls.empty()) << c.Command;
            EXPECT_FALSE(outcome.Launched) << c.Command;
            EXPECT_EQ(outcome.Failure, "Cannot start " + c.Command + ": the shortcut points to a shortcut.");
            EXPECT_EQ(StoredCount(id), 0) << c.Command;
        } else {
            ASSERT_EQ(platform.ShellOpenCalls.size(), 1u) << c.Command;
            EXPECT_TRUE(outcome.Launched) << c.Command;
            EXPECT_EQ(StoredCount(id), 1) << c.Command;
        }
        ++id;
    }
}

#ifdef __linux__
// What a click costs is what it does to the file: Linux reports each opening.
TEST_F(ButtonLaunchTest, AClickReadsTheDocumentOnceAndWritesItOnce) {
    Store(101, program);
    TAppSettingXml settings(platform);
    settings.LoadRecentButtons();
    TFileWatch watch(folder.Path(), "QL_alice.xml");
    ASSERT_TRUE(watch.Ok());
    const IXmlDocument* parsed = nullptr;
    for (int click = 1; click <= 3; ++click) {
        SCOPED_TRACE("click " + std::to_string(click));
        ASSERT_TRUE(store.ReadButton(101));
        // What the last click saved is not parsed again.
        if (parsed) {
            EXPECT_EQ(store.ButtonDoc.get(), parsed);
        }
        EXPECT_TRUE(LaunchSheetButton(platform, store, settings, 101).Launched);
        parsed = store.ButtonDoc.get();
        int opens = 0, replaces = 0;
        watch.Take(opens, replaces);
        EXPECT_EQ(opens, 1);
        EXPECT_EQ(replaces, 1);
    }
    EXPECT_EQ(StoredCount(101), 3);
    TAppSettingXml reader(platform);
    reader.LoadRecentButtons();
    EXPECT_EQ(reader.RecentButtons, (std::vector<std::string>{"101", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(settings.RecentButtons, reader.RecentButtons);
}
#endif

TEST_F(ButtonLaunchTest, AClickThatCountsNothingStillSavesTheRecentList) {
    TAppSettingXml settings(platform);
    settings.LoadRecentButtons();
    Store(101, folder.File("gone.exe"));
    Store(102, program);
    platform.ShellOpenResult = false;
    EXPECT_FALSE(LaunchSheetButton(platform, store, settings, 102).Launched);
    ASSERT_TRUE(store.ReadButton(101));
    EXPECT_FALSE(LaunchSheetButton(platform, store, settings, 101).Launched);
    TAppSettingXml reader(platform);
    reader.LoadRecentButtons();
    EXPECT_EQ(reader.RecentButtons, (std::vector<std::string>{"101", "102", "0", "0", "0", "0"}));
    EXPECT_EQ(StoredCount(101), 0);
    EXPECT_EQ(StoredCount(102), 0);
}

TEST_F(ButtonLaunchTest, AFileWrittenBetweenTheReadAndTheSaveIsReadAgain) {
    TAppSettingXml settings(platform);
    settings.LoadRecentButtons();
    Store(102, program);
    const std::string before = "\"Description\" Value=\"before\"", after = "\"Description\" Value=\"after!\"";
    {
        TBtnSettingXml other(platform);
        other.BtnStyle = 0;
        other.Command = program;
        other.Description = "before";
        other.WriteButton(103);
    }
    const struct {
        const char* What;
        std::function<void()> Write;
        std::function<bool(const std::string&)> Kept;
    } cases[] = {
        {"another store saves another record",
         [&] {
             TBtnSettingXml other(platform);
             other.BtnStyle = 0;
             other.Command = program;
             other.WriteButton(104);
         },
         [](const std::string& text) { return text.find("<Button ID=\"104\">") != std::string::npos; }},
        {"another program rewrites the file in place, to the same size",
         [&] {
             std::string text = ReadFileText(SettingFileName);
             text.replace(text.find(before), before.size(), after);
             std::fstream(SettingFileName, std::ios::in | std::ios::out | std::ios::binary) << text;
             const auto written = std::filesystem::last_write_time(SettingFileName);
             std::filesystem::last_write_time(SettingFileName, written + std::chrono::seconds(2));
         },
         [&](const std::string& text) { return text.find(after) != std::string::npos; }},
    };
    int32_t expected = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        ASSERT_TRUE(store.ReadButton(102));
        c.Write();
        EXPECT_TRUE(LaunchSheetButton(platform, store, settings, 102).Launched);
        EXPECT_TRUE(c.Kept(ReadFileText(SettingFileName)));
        EXPECT_EQ(StoredCount(102), ++expected);
    }
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
