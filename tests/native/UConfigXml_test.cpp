#include <gtest/gtest.h>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "base/FileIo.h"
#include "settings/UConfigXml.h"

using namespace quorlet;

namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>";

std::string IndexWith(const std::string& items) {
    return kDecl + "\r\n<Config>\r\n\t<UserConfig>" + items + "\r\n\t</UserConfig>\r\n</Config>";
}

std::string ItemLine(const std::string& name, const std::string& curXml, const std::string& restore) {
    return "\r\n\t\t<Item Name=\"" + name + "\" CurXml=\"" + curXml + "\" RestoreXml=\"" + restore +
           "\"/>";
}

class ConfigIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.FakeExecutableName = folder.File("Quorlet.exe");
        InitAppPaths(platform.FakeExecutableName);
    }
    TTempFolder folder;
    TFakePlatform platform;
};

}  // namespace

TEST_F(ConfigIndexTest, PathsFollowTheExecutable) {
    EXPECT_EQ(ConfigFileName, folder.File("Quorlet.xml"));
    EXPECT_EQ(HelpFileName, folder.File("Quorlet_Help.chm"));
    EXPECT_EQ(SettingFileName, "");
    EXPECT_EQ(ChangeFileExt("D:\\Tools\\Quorlet.exe", ".xml"), "D:\\Tools\\Quorlet.xml");
    EXPECT_EQ(ChangeFileExt("D:\\v1.2\\Quorlet", ".xml"), "D:\\v1.2\\Quorlet.xml");
    EXPECT_EQ(ExtractFilePath("D:\\Tools\\Quorlet.exe"), "D:\\Tools\\");
}

TEST_F(ConfigIndexTest, FirstStartCreatesTheIndexForTheUser) {
    platform.FakeUserName = "bob";
    TAppConfig config(platform);
    EXPECT_EQ(config.LoadUserConfig(), folder.File("QL_bob.xml"));
    EXPECT_EQ(ReadFileText(ConfigFileName), IndexWith(ItemLine("bob", "QL_bob.xml", "")));
    EXPECT_EQ(config.CurXml, "QL_bob.xml");
    EXPECT_EQ(config.RestoreXml, "");
}

TEST_F(ConfigIndexTest, SecondUserIsAppendedAndTheFirstKept) {
    platform.FakeUserName = "bob";
    TAppConfig(platform).LoadUserConfig();
    platform.FakeUserName = "carol";
    TAppConfig carol(platform);
    EXPECT_EQ(carol.LoadUserConfig(), folder.File("QL_carol.xml"));
    EXPECT_EQ(ReadFileText(ConfigFileName),
              IndexWith(ItemLine("bob", "QL_bob.xml", "") + ItemLine("carol", "QL_carol.xml", "")));
    // Names compare exactly: Bob is somebody else.
    platform.FakeUserName = "Bob";
    TAppConfig(platform).LoadUserConfig();
    EXPECT_NE(ReadFileText(ConfigFileName).find("Name=\"Bob\" CurXml=\"QL_Bob.xml\""), std::string::npos);
}

TEST_F(ConfigIndexTest, EmptyUserNameGivesAnEmptyEntry) {
    platform.FakeUserName = "";
    TAppConfig config(platform);
    EXPECT_EQ(config.LoadUserConfig(), folder.File("QL_.xml"));
    EXPECT_EQ(ReadFileText(ConfigFileName), IndexWith(ItemLine("", "QL_.xml", "")));
}

TEST_F(ConfigIndexTest, PendingRestoreIsCarriedOutAtStart) {
    TAppConfig config(platform);
    config.LoadUserConfig();
    WriteFileText(folder.File("QL_alice.xml"), "current");
    WriteFileText(folder.File("backup & copy.xml"), "from backup");
    config.SetRestoreXml(folder.File("backup & copy.xml"));
    EXPECT_EQ(ReadFileText(ConfigFileName),
              IndexWith(ItemLine("alice", "QL_alice.xml", folder.File("backup &amp; copy.xml"))));

    TAppConfig nextStart(platform);
    EXPECT_EQ(nextStart.LoadUserConfig(), folder.File("QL_alice.xml"));
    EXPECT_EQ(ReadFileText(folder.File("QL_alice.xml")), "from backup");
    EXPECT_EQ(ReadFileText(folder.File("QL_alice.xml.bak")), "current");  // the restore can be undone
    EXPECT_EQ(nextStart.RestoreXml, "");
    EXPECT_EQ(ReadFileText(ConfigFileName), IndexWith(ItemLine("alice", "QL_alice.xml", "")));
}

TEST_F(ConfigIndexTest, RestoreStaysPendingWhileItCannotBeDone) {
    TAppConfig config(platform);
    config.LoadUserConfig();
    WriteFileText(folder.File("QL_alice.xml"), "current");
    const std::string pending = IndexWith(ItemLine("alice", "QL_alice.xml", folder.File("gone.xml")));

    config.SetRestoreXml(folder.File("gone.xml"));  // backup deleted before the next start
    TAppConfig(platform).LoadUserConfig();
    EXPECT_EQ(ReadFileText(ConfigFileName), pending);
    EXPECT_EQ(ReadFileText(folder.File("QL_alice.xml")), "current");

    WriteFileText(folder.File("gone.xml"), "back again");
    platform.FailCopies = true;  // the copy itself fails
    TAppConfig failing(platform);
    failing.LoadUserConfig();
    EXPECT_EQ(failing.RestoreXml, folder.File("gone.xml"));
    EXPECT_EQ(ReadFileText(ConfigFileName), pending);
    EXPECT_EQ(ReadFileText(folder.File("QL_alice.xml")), "current");

    platform.FailCopies = false;  // tried again at the next start
    TAppConfig(platform).LoadUserConfig();
    EXPECT_EQ(ReadFileText(folder.File("QL_alice.xml")), "back again");
}

TEST_F(ConfigIndexTest, RestoreEqualToCurXmlIsNotCopied) {
    TAppConfig config(platform);
    config.LoadUserConfig();
    WriteFileText(folder.File("QL_alice.xml"), "current");
    config.SetRestoreXml("QL_alice.xml");
    TAppConfig nextStart(platform);
    nextStart.LoadUserConfig();
    EXPECT_TRUE(platform.Copies.empty());
    EXPECT_EQ(nextStart.RestoreXml, "QL_alice.xml");
    EXPECT_EQ(ReadFileText(ConfigFileName), IndexWith(ItemLine("alice", "QL_alice.xml", "QL_alice.xml")));
}

TEST_F(ConfigIndexTest, HandEditedIndexesAreRepaired) {
    // No UserConfig section: the section is added back, other content kept.
    WriteFileText(ConfigFileName, kDecl + "\r\n<Config>\r\n\t<Other Keep=\"1\"/>\r\n</Config>");
    TAppConfig config(platform);
    EXPECT_EQ(config.LoadUserConfig(), folder.File("QL_alice.xml"));
    EXPECT_EQ(ReadFileText(ConfigFileName),
              kDecl + "\r\n<Config>\r\n\t<Other Keep=\"1\"/>\r\n\t<UserConfig>" +
                  ItemLine("alice", "QL_alice.xml", "") + "\r\n\t</UserConfig>\r\n</Config>");

    // An empty file: a fresh index.
    WriteFileText(ConfigFileName, "");
    EXPECT_EQ(TAppConfig(platform).LoadUserConfig(), folder.File("QL_alice.xml"));
    EXPECT_EQ(ReadFileText(ConfigFileName), IndexWith(ItemLine("alice", "QL_alice.xml", "")));

    // An entry without CurXml (hand-edited) reads as empty text; missing RestoreXml likewise.
    WriteFileText(ConfigFileName, IndexWith("\r\n\t\t<Item Name=\"alice\" CurXml=\"mine.xml\"/>"));
    TAppConfig own(platform);
    EXPECT_EQ(own.LoadUserConfig(), folder.File("mine.xml"));
    EXPECT_EQ(own.RestoreXml, "");
}

TEST_F(ConfigIndexTest, SetRestoreWithoutAnEntryAddsOne) {
    TAppConfig config(platform);
    config.SetRestoreXml("C:\\b.xml");  // no index file yet
    EXPECT_EQ(ReadFileText(ConfigFileName), IndexWith(ItemLine("alice", "QL_alice.xml", "C:\\b.xml")));
    WriteFileText(ConfigFileName, IndexWith(ItemLine("bob", "QL_bob.xml", "")));
    config.SetRestoreXml("C:\\c.xml");
    EXPECT_EQ(ReadFileText(ConfigFileName),
              IndexWith(ItemLine("bob", "QL_bob.xml", "") + ItemLine("alice", "QL_alice.xml", "C:\\c.xml")));
}

TEST_F(ConfigIndexTest, DamagedIndexRaisesAndIsLeftAlone) {
    const std::string garbage = "<Config><UserConfig><Item Name=\"alice\"";
    WriteFileText(ConfigFileName, garbage);
    TAppConfig config(platform);
    EXPECT_THROW(config.LoadUserConfig(), EXmlError);
    EXPECT_EQ(ReadFileText(ConfigFileName), garbage);
}
