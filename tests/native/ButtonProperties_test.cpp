// The rules of the button properties dialog and the icon chooser, without
// their windows: filling by record kind, OK enabling, the resolve button,
// the pickers, what OK writes, and the chooser's index range.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "launcher/ButtonProperties.h"
#include "launcher/IconChoice.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

std::string KeyName(uint32_t vk) {
    if (vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(vk));
    if (vk == 0x70) return "F1";
    return std::string();
}

class ButtonPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        tool = folder.File("tool.exe");
        WriteFileText(tool, "MZ");
        work = folder.File("work");
        std::filesystem::create_directory(work);
        link = folder.File("tool.lnk");
        TShellLinkData data;
        data.Path = tool;
        data.WorkingDir = work;
        data.Arguments = "-from-link";
        data.Description = "Linked tool";
        data.ShowCmd = 7;  // minimised without activation: Minimized
        data.HasIdList = true;
        WriteFakeShortcut(platform, link, data);
    }

    // A file button with something in every field.
    void LoadFileButton() {
        record.BtnStyle = 0;
        record.Command = tool;
        record.Parameters = "-p";
        record.WorkingDir = work;
        record.Description = "Tool";
        record.HotKey = "Ctrl+Alt+A";
        record.WindowStyle = 2;
        record.Priority = 1;
        record.IgnoreRunTimes = true;
        record.IconFile = tool;
        record.IconNumber = 3;
    }

    TTempFolder folder;
    TFakePlatform platform;
    TBtnSettingXml record{platform};
    TButtonPropertiesModel model{platform, record, KeyName, true};
    std::string tool, work, link;
};

TEST_F(ButtonPropertiesTest, ANewRecordFillsNothingButNormalAndRunsNoRule) {
    record.BtnStyle = -1;
    record.IconFile = "left over";
    record.IconNumber = 4;
    model.Open();
    EXPECT_EQ(model.Fields.Command, "");
    EXPECT_EQ(model.Fields.WindowStyle, 1);  // "Normal"
    EXPECT_EQ(model.Fields.Priority, -1);
    EXPECT_TRUE(model.EditPageVisible);
    EXPECT_TRUE(model.ResolveVisible);
    EXPECT_TRUE(model.ResolveEnabled);
    EXPECT_FALSE(model.OkEnabled);
    EXPECT_EQ(record.IconFile, "");
    EXPECT_EQ(record.IconNumber, 0);

    // The resolve button on the empty field only disables itself.
    EXPECT_FALSE(model.ResolveLink());
    EXPECT_FALSE(model.ResolveEnabled);
    EXPECT_EQ(model.Fields.Command, "");

    // OK makes it a file button with what was typed.
    model.Fields.Command = tool;
    model.ApplyChangeRule();
    EXPECT_TRUE(model.OkEnabled);
    model.Ok();
    EXPECT_EQ(record.BtnStyle, 0);
    EXPECT_EQ(record.Command, tool);
    EXPECT_EQ(record.WindowStyle, 1);  // left at "Normal"
    EXPECT_FALSE(record.IgnoreRunTimes);
    EXPECT_EQ(record.IconFile, tool);  // typed, not picked: the target's icon
    EXPECT_EQ(record.IconNumber, 0);
}

TEST_F(ButtonPropertiesTest, AFileButtonFillsEveryFieldAndWritesThemBack) {
    LoadFileButton();
    model.Open();
    const TButtonPropertiesFields& f = model.Fields;
    EXPECT_EQ(f.Command, tool);
    EXPECT_EQ(f.Parameters, "-p");
    EXPECT_EQ(f.WorkingDir, work);
    EXPECT_EQ(f.Description, "Tool");
    EXPECT_EQ(f.WindowStyle, 2);
    EXPECT_EQ(f.Priority, 1);
    EXPECT_FALSE(f.EnableReport);
    EXPECT_EQ(f.HotKey, 'A' | (0x02 | 0x04) << 8);
    EXPECT_TRUE(model.OkEnabled);
    EXPECT_FALSE(model.ResolveVisible);
    EXPECT_FALSE(model.ResolveEnabled);

    model.Fields.Description = "Renamed";
    model.Fields.EnableReport = true;
    model.Fields.WindowStyle = 3;
    model.Ok();
    EXPECT_EQ(record.Description, "Renamed");
    EXPECT_EQ(record.HotKey, "Ctrl+Alt+A");
    EXPECT_EQ(record.WindowStyle, 3);
    EXPECT_EQ(record.Priority, 1);
    EXPECT_FALSE(record.IgnoreRunTimes);
    EXPECT_EQ(record.IconFile, tool);  // the icon changes only through its pickers
    EXPECT_EQ(record.IconNumber, 3);
}

TEST_F(ButtonPropertiesTest, AnotherKindHidesThePageAndOkLeavesTheRecord) {
    LoadFileButton();
    record.BtnStyle = 1;
    model.Open();
    EXPECT_FALSE(model.EditPageVisible);
    EXPECT_FALSE(model.ResolveEnabled);
    model.Fields.Command = "changed";
    model.Ok();
    EXPECT_EQ(record.BtnStyle, 1);
    EXPECT_EQ(record.Command, tool);
}

TEST_F(ButtonPropertiesTest, StoredValuesOutsideTheListsShowNoneAndComeBackAsMinusOne) {
    const struct {
        int32_t Stored;
        int Selection;
    } cases[] = {{-1, -1}, {0, 0}, {3, 3}, {4, -1}, {5, -1}, {-7, -1}};
    for (const auto& c : cases) {
        LoadFileButton();
        record.WindowStyle = c.Stored;
        record.Priority = c.Stored;
        model.Open();
        EXPECT_EQ(model.Fields.WindowStyle, c.Selection) << c.Stored;
        EXPECT_EQ(model.Fields.Priority, c.Selection) << c.Stored;
        model.Ok();
        EXPECT_EQ(record.WindowStyle, c.Selection) << c.Stored;
        EXPECT_EQ(record.Priority, c.Selection) << c.Stored;
    }
}

TEST_F(ButtonPropertiesTest, HotKeyTextsComeBackInTheirOwnFormOrEmpty) {
    const struct {
        const char* Stored;
        const char* Written;
    } cases[] = {
        {"Ctrl+Alt+A", "Ctrl+Alt+A"}, {"alt+ctrl+a", "Ctrl+Alt+A"}, {"Shift+F1", "Shift+F1"},
        {"", ""},                     {"Ctrl+", ""},                {"Hyper+A", ""},
        {"Win+A", ""},  // the hot-key control holds no Win key
    };
    for (const auto& c : cases) {
        LoadFileButton();
        record.HotKey = c.Stored;
        model.Open();
        model.Ok();
        EXPECT_EQ(record.HotKey, c.Written) << c.Stored;
    }
}

TEST_F(ButtonPropertiesTest, OkNeedsAnExistingTargetAndAnEmptyOrExistingWorkFolder) {
    const std::string missing = folder.File("missing.exe");
    const struct {
        std::string Command, WorkingDir;
        bool Ok;
    } cases[] = {
        {tool, "", true},
        {tool, work, true},
        {work, "", true},  // a folder is a target too
        {tool, folder.File("gone"), false},
        {tool, tool, false},  // a file is no work folder
        {missing, "", false},
        {"", "", false},
        {std::string(400, 'x'), "", false},
    };
    for (const auto& c : cases) {
        model.Fields.Command = c.Command;
        model.Fields.WorkingDir = c.WorkingDir;
        model.ApplyChangeRule();
        EXPECT_EQ(model.OkEnabled, c.Ok) << c.Command << " | " << c.WorkingDir;
    }
}

TEST_F(ButtonPropertiesTest, TheResolveButtonShowsForExactCaseAndIsEnabledForAnyCase) {
    const std::string upper = folder.File("UPPER.LNK");  // not TOOL.LNK: one file where names ignore case
    std::filesystem::copy_file(link, upper);
    TShellLinkData data;
    platform.LoadShellLink(link, data);
    platform.ShellLinks[upper] = data;
    const std::string broken = folder.File("broken.lnk");
    WriteFileText(broken, "not a shortcut");
    const struct {
        std::string Command;
        bool Visible, Enabled;
    } cases[] = {
        {link, true, true},
        {upper, false, true},   // hidden although it would work
        {broken, true, false},  // a shortcut that cannot be read
        {tool, false, false},
        {folder.File("gone.lnk"), false, false},
    };
    for (const auto& c : cases) {
        LoadFileButton();
        record.Command = c.Command;
        model.Open();
        EXPECT_EQ(model.ResolveVisible, c.Visible) << c.Command;
        EXPECT_EQ(model.ResolveEnabled, c.Enabled) << c.Command;
    }
}

TEST_F(ButtonPropertiesTest, ResolvingReplacesTheShortcutByItsTarget) {
    LoadFileButton();
    record.Command = link;
    record.Description = "Before";
    model.Open();
    ASSERT_TRUE(model.ResolveLink());
    EXPECT_EQ(model.Fields.Command, tool);
    EXPECT_EQ(model.Fields.Parameters, "-from-link");
    EXPECT_EQ(model.Fields.WorkingDir, work);
    EXPECT_EQ(model.Fields.Description, "Linked tool");
    EXPECT_EQ(model.Fields.WindowStyle, 2);
    EXPECT_EQ(record.IconFile, tool);  // the shortcut names no icon: its target's
    EXPECT_EQ(record.IconNumber, 0);
    EXPECT_FALSE(model.ResolveEnabled);  // the field holds the target now
    EXPECT_FALSE(model.ResolveVisible);
    EXPECT_TRUE(model.OkEnabled);
}

TEST_F(ButtonPropertiesTest, PickingATargetReplacesTheDescriptionButKeepsAWorkFolder) {
    model.Fields.Description = "typed before";
    model.TargetChosen(tool);
    EXPECT_EQ(model.Fields.Command, tool);
    EXPECT_EQ(model.Fields.Description, "tool.exe");
    std::string expectedFolder = folder.Path();
    expectedFolder.pop_back();  // no final separator
    EXPECT_EQ(model.Fields.WorkingDir, expectedFolder);
    EXPECT_EQ(record.IconFile, tool);
    EXPECT_EQ(record.IconNumber, 0);
    EXPECT_TRUE(model.OkEnabled);

    model.Fields.WorkingDir = work;
    model.TargetChosen(tool);
    EXPECT_EQ(model.Fields.WorkingDir, work);

    // A root keeps its separator: "C:" alone would name C:'s current folder.
    TButtonPropertiesModel other(platform, record, KeyName, true);
    other.TargetChosen("C:\\tool.exe");
    EXPECT_EQ(other.Fields.WorkingDir, "C:\\");

    // A folder pick that is no folder changes nothing.
    model.FolderChosen(tool);
    EXPECT_EQ(model.Fields.WorkingDir, work);
    model.FolderChosen(folder.Path());
    EXPECT_EQ(model.Fields.WorkingDir, folder.Path());
}

TEST_F(ButtonPropertiesTest, LeavingTheFileFieldNamesAnEmptyDescriptionAsADropWould) {
    const std::string notes = folder.File("notes.txt");
    WriteFileText(notes, "text");
    const std::string undescribed = folder.File("Undescribed.lnk");
    TShellLinkData toTool;
    toTool.Path = tool;
    toTool.HasIdList = true;
    WriteFakeShortcut(platform, undescribed, toTool);
    const std::string gone = folder.File("gone.lnk");
    TShellLinkData toGone = toTool;
    toGone.Path = folder.File("deleted.exe");
    WriteFakeShortcut(platform, gone, toGone);
    const struct {
        const char* Name;
        std::string Command, DescriptionBefore;
        bool AnalyseLinkFile;
        std::string Description;
    } cases[] = {
        {"program", tool, "", true, "tool.exe"},
        {"document", notes, "", true, "notes.txt"},
        {"folder", work, "", true, "work"},
        {"folder with a final separator", work + "/", "", true, "work"},
        {"shortcut with a description", link, "", true, "Linked tool"},
        {"shortcut without one: its target's name", undescribed, "", true, "tool.exe"},
        {"shortcut with analysis off", link, "", false, "tool.lnk"},
        {"shortcut to what is gone: its own name", gone, "", true, "gone.lnk"},
        {"typed description", tool, "Mine", true, "Mine"},
        {"typed blank description", tool, " ", true, " "},
        {"empty field", "", "", true, ""},
        {"missing file", folder.File("missing.exe"), "", true, ""},
        {"missing folder", folder.File("missing") + "/", "", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TButtonPropertiesModel typed(platform, record, KeyName, c.AnalyseLinkFile);
        typed.Fields.Command = c.Command;
        typed.Fields.Description = c.DescriptionBefore;
        typed.DescribeTarget();
        EXPECT_EQ(typed.Fields.Description, c.Description);
        EXPECT_EQ(typed.Fields.Command, c.Command);  // the target stays as typed
    }

    // The name comes before OK and is what OK stores.
    record.BtnStyle = -1;
    model.Open();
    model.Fields.Command = link;
    model.ApplyChangeRule();
    model.DescribeTarget();
    model.Ok();
    EXPECT_EQ(record.Description, "Linked tool");
    EXPECT_EQ(record.Command, link);
}

TEST_F(ButtonPropertiesTest, TheChoosersIndexBecomesTheIconNumber) {
    LoadFileButton();
    model.Open();
    model.IconChosen("icons.dll", 2);
    EXPECT_EQ(model.IconFile(), "icons.dll");
    EXPECT_EQ(model.IconNumber(), 1);
    model.IconChosen("plain.txt", 0);  // a file without icons
    EXPECT_EQ(model.IconNumber(), -1);
}

TEST_F(ButtonPropertiesTest, TheChooserRangesFollowTheFile) {
    const std::string icons = folder.File("icons.dll"), one = folder.File("one.ico"), plain = folder.File("plain.txt");
    for (const std::string& file : {icons, one, plain}) WriteFileText(file, "x");
    platform.IconCounts[icons] = 5;
    platform.IconCounts[one] = 1;
    const struct {
        std::string File;
        int IndexBefore;
        int Index, Max;
        bool IndexEnabled, Ok, Preview;
    } cases[] = {
        {icons, 3, 3, 5, true, true, true},
        {icons, 9, 1, 5, true, true, true},  // beyond the count: back to 1
        {one, 1, 1, 1, false, true, true},
        {plain, 1, 0, 0, false, true, true},  // no icons: index 0, the shell's icon
        {folder.File("gone.ico"), 3, 1, 1, false, false, false},
        {"", 3, 1, 1, false, false, false},
    };
    for (const auto& c : cases) {
        TIconChoiceModel chooser(platform);
        chooser.Index = c.IndexBefore;
        chooser.FileChanged(c.File);
        EXPECT_EQ(chooser.Index, c.Index) << c.File;
        EXPECT_EQ(chooser.MaxIndex, c.Max) << c.File;
        EXPECT_EQ(chooser.IndexEnabled, c.IndexEnabled) << c.File;
        EXPECT_EQ(chooser.OkEnabled, c.Ok) << c.File;
        EXPECT_EQ(chooser.PreviewShown, c.Preview) << c.File;
    }

    // Set up as the callers do: the file, then the icon number plus one.
    TIconChoiceModel chooser(platform);
    chooser.FileChanged(icons);
    chooser.IndexChanged(2 + 1);
    EXPECT_EQ(chooser.IconNumber(), 2);
    chooser.IndexChanged(40);  // typed beyond the count
    EXPECT_EQ(chooser.Index, 5);
    chooser.IndexChanged(-3);
    EXPECT_EQ(chooser.Index, 1);
    chooser.FileChanged(plain);
    chooser.IndexChanged(1);
    EXPECT_EQ(chooser.IconNumber(), -1);
}

}  // namespace
