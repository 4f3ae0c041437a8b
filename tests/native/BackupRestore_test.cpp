// Backing up and restoring the settings document: proposals, refusals of the
// program's own files under other spellings, the question before a replace,
// and the check that a restore file is a settings document.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "launcher/BackupRestore.h"
#include "settings/UConfigXml.h"

using namespace quorlet;

namespace {

// The dialogs answer with what the test sets; every box shown is recorded.
class TScriptedUi : public IBackupRestoreUi {
public:
    bool AskSaveFile(const std::string& folder, const char* filter, const std::string& proposed,
                     std::string& chosen) override {
        Asked.push_back("save " + folder + " | " + filter + " | " + proposed);
        chosen = Choice;
        return !Choice.empty();
    }
    bool AskOpenFile(const std::string& folder, const char* filter, std::string& chosen) override {
        Asked.push_back("open " + folder + " | " + filter);
        chosen = Choice;
        return !Choice.empty();
    }
    void ShowMessage(const std::string& text, TMessageKind kind) override {
        Shown.push_back((kind == mkWarning ? "warning: " : "information: ") + text);
    }
    bool AskYes(const std::string& question) override {
        Shown.push_back("question: " + question);
        return Yes;
    }
    std::string Choice;  // empty: the dialog is cancelled
    bool Yes = false;
    std::vector<std::string> Asked, Shown;
};

// Other spellings the shell and the system resolve: a short name and a relative path.
class TSpellingPlatform : public TFakePlatform {
public:
    std::string FullPathName(const std::string& path) override {
        auto found = FullNames.find(path);
        return found == FullNames.end() ? path : found->second;
    }
    std::map<std::string, std::string> FullNames;
};

class BackupRestoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.FakeExecutableName = folder.File("Quorlet.exe");
        InitAppPaths(platform.FakeExecutableName);
        SettingFileName = folder.File("QL_alice.xml");
        WriteFileText(ConfigFileName, "<?xml version=\"1.0\"?><Config><UserConfig/></Config>");
        WriteFileText(SettingFileName, "<?xml version=\"1.0\"?><RKConfig><Groups/></RKConfig>");
        for (const std::string& path : {ConfigFileName, SettingFileName}) platform.ShellLongNames[path] = path;
    }
    void TearDown() override { SettingFileName.clear(); }

    TTempFolder folder;
    TSpellingPlatform platform;
    TScriptedUi ui;
};

TEST_F(BackupRestoreTest, BackupProposesTheDatedNameInTheProgramFolderAndCopies) {
    EXPECT_EQ(BackupFileProposal(MakeDateTime(2025, 3, 5)), "Quorlet Config(20250305).xml");
    ui.Choice = folder.File("saved.xml");
    EXPECT_TRUE(BackupConfig(platform, ui, MakeDateTime(2024, 1, 31)));
    ASSERT_EQ(ui.Asked.size(), 1u);
    EXPECT_EQ(ui.Asked[0], "save " + folder.Path() + " | Xml file (*.xml)|*.xml | Quorlet Config(20240131).xml");
    EXPECT_EQ(ReadFileText(ui.Choice), ReadFileText(SettingFileName));
    EXPECT_EQ(ui.Shown, std::vector<std::string>{"information: Backup Quorlet configuration done."});

    // Cancelled: nothing at all.
    ui.Choice.clear();
    ui.Shown.clear();
    EXPECT_FALSE(BackupConfig(platform, ui, MakeDateTime(2024, 1, 31)));
    EXPECT_TRUE(ui.Shown.empty());
}

TEST_F(BackupRestoreTest, AnExistingFileIsReplacedOnlyAfterYes) {
    ui.Choice = folder.File("old.xml");
    WriteFileText(ui.Choice, "old backup");
    EXPECT_FALSE(BackupConfig(platform, ui, MakeDateTime(2024, 1, 31)));
    EXPECT_EQ(ui.Shown, std::vector<std::string>{"question: Replace the exists file:\r\n\r\n" + ui.Choice});
    EXPECT_EQ(ReadFileText(ui.Choice), "old backup");

    ui.Yes = true;
    EXPECT_TRUE(BackupConfig(platform, ui, MakeDateTime(2024, 1, 31)));
    EXPECT_EQ(ReadFileText(ui.Choice), ReadFileText(SettingFileName));

    // A copy that fails shows nothing more and reports false.
    platform.FailCopies = true;
    ui.Shown.clear();
    EXPECT_FALSE(BackupConfig(platform, ui, MakeDateTime(2024, 1, 31)));
    EXPECT_EQ(ui.Shown.size(), 1u);  // the question only
}

TEST_F(BackupRestoreTest, TheProgramsOwnFilesAreRefusedUnderEverySpelling) {
    const std::string shortName = folder.File("QUORLE~1.XML"), relative = folder.File("sub\\..\\quorlet.XML");
    platform.ShellLongNames[shortName] = ConfigFileName;
    platform.FullNames[relative] = folder.File("quorlet.XML");
    std::string upper = SettingFileName;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    for (const std::string& spelling : {ConfigFileName, SettingFileName, shortName, relative, upper}) {
        ui.Shown.clear();
        platform.Copies.clear();
        ui.Choice = spelling;
        ui.Yes = true;
        EXPECT_FALSE(BackupConfig(platform, ui, MakeDateTime(2024, 1, 31))) << spelling;
        EXPECT_EQ(ui.Shown, std::vector<std::string>{std::string("warning: ") + BackupRefusedMessage}) << spelling;
        EXPECT_TRUE(platform.Copies.empty()) << spelling;

        ui.Shown.clear();
        TAppConfig config(platform);
        RestoreConfig(platform, ui, config);
        EXPECT_EQ(ui.Shown, std::vector<std::string>{std::string("warning: ") + RestoreRefusedMessage}) << spelling;
    }
}

TEST_F(BackupRestoreTest, RestoreSchedulesOnlyASettingsDocument) {
    TAppConfig config(platform);
    config.LoadUserConfig();
    const std::string good = folder.File("good.xml"), text = folder.File("notes.xml"),
                      otherRoot = folder.File("other.xml");
    WriteFileText(good, "<?xml version=\"1.0\"?><RKConfig><Application/></RKConfig>");
    WriteFileText(text, "just some words");
    // The index's root: restoring the index as a settings document is refused too.
    WriteFileText(otherRoot, "<?xml version=\"1.0\"?><Config><UserConfig/></Config>");
    const struct {
        std::string Choice;
        std::string Shown;  // "" for no box
        bool Scheduled;
    } cases[] = {
        {folder.File("gone.xml"), "", false},
        {text, std::string("warning: ") + RestoreNotSettingsMessage + text, false},
        {otherRoot, std::string("warning: ") + RestoreNotSettingsMessage + otherRoot, false},
        {good, std::string("information: ") + RestoreDoneMessage, true},
    };
    for (const auto& c : cases) {
        ui.Shown.clear();
        ui.Choice = c.Choice;
        RestoreConfig(platform, ui, config);
        EXPECT_EQ(ui.Shown.empty() ? std::string() : ui.Shown[0], c.Shown) << c.Choice;
        // The next start carries out what was scheduled.
        EXPECT_EQ(TAppConfig(platform).LoadUserConfig(), SettingFileName);
        EXPECT_EQ(ReadFileText(SettingFileName) == ReadFileText(good), c.Scheduled) << c.Choice;
        if (c.Scheduled) {
            EXPECT_EQ(ReadFileText(SettingFileName + ".bak"), "<?xml version=\"1.0\"?><RKConfig><Groups/></RKConfig>");
        }
    }
}

}  // namespace
