// Files, folders and shortcuts dropped onto a cell: the record each makes, and
// storing it in the settings document, with the question before a replace.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "launcher/DroppedPath.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

// The recording platform with a drive D: whose root exists.
class TDrivePlatform : public TFakePlatform {
public:
    bool DirectoryExists(const std::string& path) override {
        return path == "D:\\" || TFakePlatform::DirectoryExists(path);
    }
};

// The values a drop sets; everything else of the record is zero or empty.
struct TExpected {
    std::string IconFile;
    int32_t IconNumber;
    std::string Command, Parameters, WorkingDir, Description;
    int32_t WindowStyle;
};

// A record with something in every field, so that a fill shows what it sets.
void FillWithOldValues(TBtnSettingXml& record) {
    record.Empty = true;
    record.BtnStyle = 1;
    record.IconFile = record.Command = "C:\\old.exe";
    record.IconNumber = 7;
    record.Parameters = "-old";
    record.WorkingDir = "C:\\Old";
    record.Description = "Old";
    record.HotKey = "Ctrl+F1";
    record.WindowStyle = 3;
    record.Priority = 2;
    record.IgnoreRunTimes = true;
    record.TotolRunTimes = 40;
    for (int day = 0; day < 7; ++day) {
        record.DayCount(day) = day + 1;
        record.DayWeek(day) = 10 + day;
    }
}

void ExpectRecord(const TBtnSettingXml& record, const TExpected& e) {
    EXPECT_FALSE(record.Empty);
    EXPECT_EQ(record.BtnStyle, 0);
    EXPECT_EQ(record.IconFile, e.IconFile);
    EXPECT_EQ(record.IconNumber, e.IconNumber);
    EXPECT_EQ(record.Command, e.Command);
    EXPECT_EQ(record.Parameters, e.Parameters);
    EXPECT_EQ(record.WorkingDir, e.WorkingDir);
    EXPECT_EQ(record.Description, e.Description);
    EXPECT_EQ(record.HotKey, "");
    EXPECT_EQ(record.WindowStyle, e.WindowStyle);
    EXPECT_EQ(record.Priority, 0);
    EXPECT_FALSE(record.IgnoreRunTimes);
    EXPECT_EQ(record.TotolRunTimes, 0);
    for (int day = 0; day < 7; ++day) {
        EXPECT_EQ(record.DayCount(day), 0) << day;
        EXPECT_EQ(record.DayWeek(day), 0) << day;
    }
}

class DroppedPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool = folder.File("Tool.exe");
        WriteFileText(tool, "MZ");
        docs = folder.File("Docs");
        std::filesystem::create_directory(docs);
        platform.ShellLongNames[tool] = "C:\\Long Names\\Tool.exe";
        platform.ShellLongNames["C:\\WORK~1"] = "C:\\Work Folder";
        SettingFileName = folder.File("QL_alice.xml");
    }
    void TearDown() override { SettingFileName.clear(); }

    std::string Shortcut(const std::string& name, const TShellLinkData& data) {
        const std::string file = folder.File(name);
        WriteFakeShortcut(platform, file, data);
        return file;
    }
    TShellLinkData ToTool() const {
        TShellLinkData data;
        data.Path = tool;
        data.HasIdList = true;
        return data;
    }

    TTempFolder folder;
    TDrivePlatform platform;
    std::string tool, docs;
};

TEST_F(DroppedPathTest, EachKindOfPathMakesItsRecord) {
    TShellLinkData editor = ToTool();  // an icon of its own, no description
    editor.Arguments = "/a \"b c\"";
    editor.WorkingDir = "C:\\WORK~1";
    editor.IconLocation = "C:\\icons.dll";
    editor.IconIndex = 3;
    editor.ShowCmd = 3;  // the shortcut's show state is not taken over
    const std::string editorLink = Shortcut("Editor.lnk", editor);
    TShellLinkData described = ToTool();  // no icon location: the shortcut reads as its target's
    described.Description = "My tool";
    described.IconIndex = 2;
    const std::string describedLink = Shortcut("Described.LNK", described);
    const std::string broken = folder.File("Broken.lnk");
    WriteFileText(broken, "no shortcut at all, but long enough to be read");

    const std::string longTool = "C:\\Long Names\\Tool.exe";
    struct Case {
        const char* Name;
        std::string Path;
        bool AnalyseLinkFile;
        TExpected Expected;
    } cases[] = {
        {"plain file", tool, true, {tool, 0, tool, "", "", "Tool.exe", 1}},
        {"resolved shortcut", editorLink, true,
         {"C:\\icons.dll", 3, longTool, "/a \"b c\"", "C:\\Work Folder", "Tool.exe", 1}},
        {"shortcut in capitals, with a description", describedLink, true,
         {tool, 2, longTool, "", "", "My tool", 1}},
        {"shortcut with analysis off", editorLink, false, {editorLink, 0, editorLink, "", "", "Editor.lnk", 1}},
        {"unreadable shortcut", broken, true, {broken, 0, broken, "", "", "Broken.lnk", 1}},
        {"folder", docs, true, {docs, 0, docs, "", "", "Docs", 5}},
        {"drive root", "D:\\", true, {"D:\\", 0, "D:\\", "", "", "", 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TBtnSettingXml record(platform);
        FillWithOldValues(record);
        ASSERT_TRUE(FillFromPath(platform, c.AnalyseLinkFile, c.Path, record));
        ExpectRecord(record, c.Expected);
        EXPECT_EQ(DroppedDescription(platform, c.AnalyseLinkFile, c.Path), c.Expected.Description);
    }
}

TEST_F(DroppedPathTest, ShortcutToWhatIsGoneAndMissingPathsMakeNothing) {
    TShellLinkData gone = ToTool();
    gone.Path = folder.File("deleted.exe");
    const std::string goneLink = Shortcut("Gone.lnk", gone);
    const std::string missing = folder.File("missing.exe");
    for (const std::string& path : {goneLink, missing, folder.File("missing.lnk")}) {
        SCOPED_TRACE(path);
        TBtnSettingXml record(platform);
        FillWithOldValues(record);
        EXPECT_FALSE(FillFromPath(platform, true, path, record));
        EXPECT_EQ(record.Command, "C:\\old.exe");
        EXPECT_EQ(record.TotolRunTimes, 40);
        EXPECT_EQ(record.WindowStyle, 3);
    }
    // Only the shortcut file exists to be named.
    EXPECT_EQ(DroppedDescription(platform, true, goneLink), "Gone.lnk");
    EXPECT_EQ(DroppedDescription(platform, true, missing), "");
    // Without analysis the shortcut to what is gone is kept as the file it is.
    TBtnSettingXml record(platform);
    ASSERT_TRUE(FillFromPath(platform, false, goneLink, record));
    EXPECT_EQ(record.Command, goneLink);
}

class AssignDroppedPathTest : public DroppedPathTest {
protected:
    void SetUp() override {
        DroppedPathTest::SetUp();
        // The recent row and the most-used ranking live before the buttons.
        WriteFileText(SettingFileName,
                      "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<RKConfig>\r\n\t<Last6Buttons>"
                      "\r\n\t\t<Item ID=\"1\" Value=\"102\"/>\r\n\t</Last6Buttons>\r\n\t<Buttons/>\r\n</RKConfig>");
        TBtnSettingXml store(platform);
        FillWithOldValues(store);
        store.Empty = false;
        store.BtnStyle = 0;
        store.WriteButton(102);
        store.BtnStyle = 1;  // an operation button is replaced only with a Yes, too
        store.Command = "C:\\operation.exe";
        store.WriteButton(103);
    }

    // Drops path on id, answering answer to a question (which is recorded).
    TDroppedButton Drop(int32_t id, const std::string& path, bool answer) {
        return AssignDroppedPath(platform, true, id, path, [&](const std::string& question) {
            questions.push_back(question);
            return answer;
        });
    }
    std::string FileText() const { return ReadFileText(SettingFileName); }

    std::vector<std::string> questions;
};

TEST_F(AssignDroppedPathTest, DropOnAnEmptyCellStoresTheRecordWithoutAQuestion) {
    const std::string before = FileText();
    const TDroppedButton dropped = Drop(101, tool, false);
    EXPECT_TRUE(questions.empty());
    ASSERT_TRUE(dropped.Assigned);
    EXPECT_EQ(dropped.Description, "Tool.exe");
    EXPECT_EQ(dropped.IconFile, tool);
    EXPECT_EQ(dropped.IconNumber, 0);

    TBtnSettingXml read(platform);
    ASSERT_TRUE(read.ReadButton(101));
    ExpectRecord(read, {tool, 0, tool, "", "", "Tool.exe", 1});
    ASSERT_TRUE(read.ReadButton(102));  // the other records stay
    EXPECT_EQ(read.TotolRunTimes, 40);
    // Nothing before the buttons changes: the recent row is not touched.
    const std::string after = FileText();
    EXPECT_EQ(after.substr(0, after.find("<Buttons")), before.substr(0, before.find("<Buttons")));
}

TEST_F(AssignDroppedPathTest, OccupiedCellIsReplacedOnlyWithAYes) {
    for (int32_t id : {102, 103}) {
        SCOPED_TRACE(id);
        const std::string command = id == 102 ? "C:\\old.exe" : "C:\\operation.exe";
        questions.clear();
        const std::string before = FileText();
        EXPECT_FALSE(Drop(id, docs, false).Assigned);
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0], "Use the:\r\n\r\n" + docs + "\r\n\r\nReplace the exists icon:\r\n\r\n" + command + " ?");
        EXPECT_EQ(FileText(), before);

        const TDroppedButton dropped = Drop(id, docs, true);
        EXPECT_EQ(questions.size(), 2u);
        ASSERT_TRUE(dropped.Assigned);
        EXPECT_EQ(dropped.Description, "Docs");
        TBtnSettingXml read(platform);
        ASSERT_TRUE(read.ReadButton(id));
        ExpectRecord(read, {docs, 0, docs, "", "", "Docs", 5});  // the old counters are gone
        const std::string after = FileText();
        EXPECT_EQ(after.find("ID=\"" + std::to_string(id) + "\""),
                  after.rfind("ID=\"" + std::to_string(id) + "\""));  // one record under the id
    }
}

TEST_F(AssignDroppedPathTest, PathThatMakesNoButtonSavesNothing) {
    TShellLinkData gone = ToTool();
    gone.Path = folder.File("deleted.exe");
    const std::string goneLink = Shortcut("Gone.lnk", gone);
    const std::string before = FileText();
    EXPECT_FALSE(Drop(102, goneLink, true).Assigned);
    EXPECT_EQ(questions.size(), 1u);  // asked first, then the path fails
    EXPECT_FALSE(Drop(101, folder.File("missing.exe"), true).Assigned);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(FileText(), before);
}

TEST_F(AssignDroppedPathTest, UnreadableSettingsFileIsReported) {
    WriteFileText(SettingFileName, "not a settings document");
    EXPECT_THROW(Drop(101, tool, true), EXmlError);
    EXPECT_EQ(FileText(), "not a settings document");
}

}  // namespace
