#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "launcher/UpdateCheck.h"
#include "settings/UAppSettingXml.h"

using namespace quorlet;

namespace {

TEST(UpdateRequest, BytesAndDownloadPageNameThePortOnlyWhenItIsNot80) {
    const std::string common =
        "POST /version.php HTTP/1.0\r\n"
        "Content-Type: application/x-www-form-urlencoded\r\n"
        "Accept: text/html, */*\r\n"
        "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
    EXPECT_EQ(UpdateRequestBytes({"update.quorlet.example", 80}),
              common + "Host: update.quorlet.example\r\nContent-Length: 0\r\n\r\n");
    EXPECT_EQ(UpdateRequestBytes({"127.0.0.1", 8080}), common + "Host: 127.0.0.1:8080\r\nContent-Length: 0\r\n\r\n");
    EXPECT_EQ(DownloadPageAddress({"update.quorlet.example", 80}), "http://update.quorlet.example/download.php");
    EXPECT_EQ(DownloadPageAddress({"127.0.0.1", 8080}), "http://127.0.0.1:8080/download.php");
}

TEST(UpdateEndpoint, ParsesHostAndPortAndRefusesAnythingElseWhole) {
    struct TCase {
        const char* Text;
        bool Valid;
        const char* Host;
        int Port;
    } cases[] = {
        {"127.0.0.1:5000", true, "127.0.0.1", 5000},
        {"update.example", true, "update.example", 80},
        {"my-host_2:65535", true, "my-host_2", 65535},
        {"h:1", true, "h", 1},
        {"h:080", true, "h", 80},
        {"", false, "", 0},
        {":8080", false, "", 0},
        {"host:", false, "", 0},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:123456", false, "", 0},
        {"host:80a", false, "", 0},
        {"host:-1", false, "", 0},
        {"host:1:2", false, "", 0},
        {"host name", false, "", 0},
        {"http://host", false, "", 0},
        {"host/path", false, "", 0},
        {"[::1]:80", false, "", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TUpdateEndpoint endpoint{"untouched", 9};
        EXPECT_EQ(ParseUpdateEndpoint(c.Text, endpoint), c.Valid);
        if (c.Valid)
            EXPECT_EQ(endpoint, (TUpdateEndpoint{c.Host, c.Port}));
        else
            EXPECT_EQ(endpoint, (TUpdateEndpoint{"untouched", 9}));
    }
}

TEST(UpdateEndpoint, SwitchIsFoundAmongTheArgumentsInAnyCaseAndQuoted) {
    struct TCase {
        const char* Arguments;
        const char* Value;
    } cases[] = {
        {"/updatehost=127.0.0.1:5000", "127.0.0.1:5000"},
        {"/other /UpdateHost=h:81 /x", "h:81"},
        {"\"/updatehost=h:82\"", "h:82"},
        {"/updatehost=\"h:83\"", "h:83"},
        {"  /updatehost=a  /updatehost=b", "a"},
        {"", ""},
        {"/updatehost", ""},
        {"x/updatehost=h", ""},
        {"\"a file /updatehost=h\"", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Arguments);
        EXPECT_EQ(UpdateHostSwitch(c.Arguments), c.Value);
    }
}

TEST(UpdateEndpoint, SwitchBeforeEnvironmentBeforeSettingsBeforeTheBuildDefault) {
    const TUpdateEndpoint byDefault = DefaultUpdateEndpoint();
    EXPECT_EQ(byDefault, (TUpdateEndpoint{"update.quorlet.example", 80}));
    struct TCase {
        const char *Switch, *Environment, *Settings;
        TUpdateEndpoint Expected;
    } cases[] = {
        {"s:1", "e:2", "t:3", {"s", 1}},
        {"", "e:2", "t:3", {"e", 2}},
        {"", "", "t:3", {"t", 3}},
        {"", "", "", byDefault},
        {"s:0", "e:2", "t:3", {"e", 2}},  // a bad value is passed over
        {"s:x", "e:", "t", {"t", 80}},
        {"bad value", "", "bad/value", byDefault},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Switch) + "|" + c.Environment + "|" + c.Settings);
        EXPECT_EQ(ResolveUpdateEndpoint(c.Switch, c.Environment, c.Settings), c.Expected);
    }
}

TEST(UpdateReply, OnlyA2xxWithACompleteHeaderAndAShortBodyIsAVersion) {
    const std::string ok = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
    struct TCase {
        const char* What;
        std::string Received;
        bool Succeeded;
        std::string Version;
    } cases[] = {
        {"200", ok + "1.3.0.1", true, "1.3.0.1"},
        {"body taken as it comes", ok + " 1.4\r\n\r\nx", true, " 1.4\r\n\r\nx"},
        {"empty body", ok, true, ""},
        {"status line only", "HTTP/1.0 200 OK\r\n\r\n1.4", true, "1.4"},
        {"no reason", "HTTP/1.0 204\r\n\r\n", true, ""},
        {"299", "HTTP/1.0 299 Whatever\r\n\r\n1.4", true, "1.4"},
        {"body of 64 bytes", ok + std::string(64, 'v'), true, std::string(64, 'v')},
        {"body of 65 bytes", ok + std::string(65, 'v'), false, ""},
        // Control bytes other than CR and LF make no version, and no settings
        // document could hold them.
        {"NUL in the body", ok + std::string("1.4\0", 4), false, ""},
        {"NUL alone", ok + std::string(1, '\0'), false, ""},
        {"tab", ok + "1.4\t", false, ""},
        {"escape", ok + "\x1b[31m1.4", false, ""},
        {"unit separator", ok + "1.4\x1f", false, ""},
        {"CR LF kept", ok + "1.4\r\n", true, "1.4\r\n"},
        {"DEL and high bytes kept", ok + "1.4\x7f\xe9", true, "1.4\x7f\xe9"},
        {"captive portal page", ok + "<html><body>Please sign in to the hotel network first.</body></html>\r\n", false,
         ""},
        {"301", "HTTP/1.1 301 Moved\r\nLocation: http://elsewhere/\r\n\r\n1.4", false, ""},
        {"302", "HTTP/1.0 302 Found\r\n\r\n", false, ""},
        {"404", "HTTP/1.1 404 Not Found\r\n\r\n1.4", false, ""},
        {"500", "HTTP/1.1 500 Internal Server Error\r\n\r\n", false, ""},
        {"100", "HTTP/1.1 100 Continue\r\n\r\n", false, ""},
        {"closed inside the header", "HTTP/1.1 200 OK\r\nContent-Type: te", false, ""},
        {"closed after the status line", "HTTP/1.1 200 OK\r\n", false, ""},
        {"nothing", "", false, ""},
        {"garbage", "1.3.0.1", false, ""},
        {"garbage with a blank line", "hello\r\n\r\n1.4", false, ""},
        {"lower-case protocol", "http/1.1 200 OK\r\n\r\n1.4", false, ""},
        {"four-digit status", "HTTP/1.1 2000 OK\r\n\r\n1.4", false, ""},
        {"two-digit status", "HTTP/1.1 20 OK\r\n\r\n1.4", false, ""},
        {"no version", "HTTP/ 200 OK\r\n\r\n1.4", false, ""},
        {"other protocol", "ICY 200 OK\r\n\r\n1.4", false, ""},
        {"bare line feeds", "HTTP/1.1 200 OK\n\n1.4", false, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const TUpdateReply reply = ParseUpdateReply(c.Received);
        EXPECT_EQ(reply.Succeeded, c.Succeeded);
        EXPECT_EQ(reply.Version, c.Version);
    }
}

TEST(UpdateReply, AWholeReplyBeyond64KiBFailsAtAnyStatus) {
    // Long headers, short body: within the limit it counts, one byte over it does not.
    const std::string start = "HTTP/1.1 200 OK\r\nX-Pad: ";
    const std::string end = "\r\n\r\n1.4";
    std::string atLimit = start + std::string(kUpdateReplyLimit - start.size() - end.size(), 'p') + end;
    ASSERT_EQ(atLimit.size(), 64u * 1024u);
    EXPECT_TRUE(ParseUpdateReply(atLimit).Succeeded);
    atLimit.insert(start.size(), "p");
    EXPECT_FALSE(ParseUpdateReply(atLimit).Succeeded);
}

TEST(UpdateReply, OnlyTheExactVersionTextIsUpToDate) {
    struct TCase {
        TUpdateReply Reply;
        TUpdateOutcome Outcome;
    } cases[] = {
        {{true, "1.3.0.1"}, TUpdateOutcome::UpToDate},
        {{true, "1.3.0.1\r\n"}, TUpdateOutcome::Newer},
        {{true, " 1.3.0.1"}, TUpdateOutcome::Newer},
        {{true, "1.3.0.2"}, TUpdateOutcome::Newer},
        {{true, "1.3.0"}, TUpdateOutcome::Newer},
        {{true, "1.2.9.9"}, TUpdateOutcome::Newer},  // any other text: the server knows best
        {{false, "1.3.0.1"}, TUpdateOutcome::Failed},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Reply.Version);
        EXPECT_EQ(UpdateOutcomeOf(c.Reply), c.Outcome);
    }
}

// The boxes, answered as scripted, with what LastVersion held when each was shown.
class TRecordingPrompts : public IUpdatePrompts {
public:
    explicit TRecordingPrompts(const TAppSettingXml& settings) : FSettings(settings) {}
    bool Answer = false;
    std::vector<std::string> Events;

    void Inform(const std::string& text) override { Events.push_back("inform " + text + " | " + FSettings.LastVersion); }
    bool AskToUpdate() override {
        Events.push_back("ask | " + FSettings.LastVersion);
        return Answer;
    }
    void SettingsChanged() override { Events.push_back("changed | " + FSettings.LastVersion); }

private:
    const TAppSettingXml& FSettings;
};

class UpdateBookkeepingTest : public ::testing::Test {
protected:
    void SetUp() override {
        SettingFileName = folder.File("QL_alice.xml");
        platform.FakeNow = MakeDateTime(2025, 3, 5, 14, 7, 9);
        TAppSettingXml settings(platform);
        settings.LoadSettings();
        settings.LastVersion = "1.2";
        settings.SaveSettings();
        fileAtStart = ReadFileText(SettingFileName);
    }
    void TearDown() override { SettingFileName.clear(); }

    TTempFolder folder;
    TFakePlatform platform;
    std::string fileAtStart;  // LastVersion 1.2, never checked
    TUpdateEndpoint endpoint{"127.0.0.1", 8080};
    TWindowHandle owner = reinterpret_cast<TWindowHandle>(0x1234);
};

TEST_F(UpdateBookkeepingTest, EachOutcomeRecordsAsksShowsOpensAndSavesWhatItShould) {
    const std::string fail = kUpdateFailedText, upToDate = kUpToDateText;
    struct TCase {
        const char* What;
        TUpdateCheckKind Kind;
        bool Succeeded;
        const char* Version;  // the reply's body
        bool Answer;
        std::vector<std::string> Events;
        bool Recorded;             // LastChecking set and the file saved
        const char* LastVersion;   // in memory and on disk afterwards
        bool Opened;
    } cases[] = {
        {"automatic, failed", TUpdateCheckKind::Automatic, false, "", true, {}, false, "1.2", false},
        {"automatic, up to date", TUpdateCheckKind::Automatic, true, "1.3.0.1", true, {}, true, "1.3.0.1", false},
        {"automatic, newer, yes", TUpdateCheckKind::Automatic, true, "2.0", true, {"ask | 1.2"}, true, "2.0", true},
        {"automatic, newer, no", TUpdateCheckKind::Automatic, true, "2.0", false, {"ask | 1.2"}, true, "2.0", false},
        {"manual, failed", TUpdateCheckKind::Manual, false, "", true, {"inform " + fail + " | 1.2"}, false, "1.2",
         false},
        {"manual, up to date", TUpdateCheckKind::Manual, true, "1.3.0.1", true,
         {"changed | 1.3.0.1", "inform " + upToDate + " | 1.3.0.1"}, true, "1.3.0.1", false},
        {"manual, newer, yes", TUpdateCheckKind::Manual, true, "2.0", true, {"changed | 2.0", "ask | 2.0"}, true,
         "2.0", true},
        {"manual, newer, no", TUpdateCheckKind::Manual, true, "2.0", false, {"changed | 2.0", "ask | 2.0"}, true,
         "2.0", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        platform.ShellOpenCalls.clear();
        WriteFileText(SettingFileName, fileAtStart);
        TAppSettingXml settings(platform);
        settings.LoadSettings();
        ASSERT_EQ(settings.LastVersion, "1.2");
        ASSERT_FALSE(settings.LastCheckingKnown);
        platform.FakeNow = MakeDateTime(2025, 4, 1, 9, 30, 15);
        TRecordingPrompts prompts(settings);
        prompts.Answer = c.Answer;

        FinishUpdateCheck(c.Kind, TUpdateReply{c.Succeeded, c.Version}, endpoint, settings, platform, prompts, owner);

        EXPECT_EQ(prompts.Events, c.Events);
        EXPECT_EQ(settings.LastCheckingKnown, c.Recorded);
        EXPECT_EQ(settings.LastVersion, c.LastVersion);
        if (c.Recorded) {
            EXPECT_EQ(settings.LastChecking, platform.FakeNow);
            TAppSettingXml saved(platform);
            saved.LoadSettings();
            EXPECT_TRUE(saved.LastCheckingKnown);
            EXPECT_EQ(saved.LastChecking, MakeDateTime(2025, 4, 1, 9, 30, 15));
            EXPECT_EQ(saved.LastVersion, c.LastVersion);
        } else {
            EXPECT_EQ(ReadFileText(SettingFileName), fileAtStart);
        }
        ASSERT_EQ(platform.ShellOpenCalls.size(), c.Opened ? 1u : 0u);
        if (c.Opened) {
            const TShellOpenCall& call = platform.ShellOpenCalls[0];
            EXPECT_EQ(call.Verb, "open");
            EXPECT_EQ(call.File, "http://127.0.0.1:8080/download.php");
            EXPECT_EQ(call.Parameters, "");
            EXPECT_EQ(call.Directory, "");
            EXPECT_EQ(call.ShowCommand, swShowNormal);
            EXPECT_EQ(call.Owner, TShellOwner::Window);
            EXPECT_EQ(call.OwnerWindow, owner);
        }
    }
}

TEST_F(UpdateBookkeepingTest, TheAutomaticCheckTakesOneTurnPerRunAndRunsOnlyWhenDue) {
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.AutoCheckUpdate = true;
    settings.LastCheckingKnown = false;
    bool checked = false;
    EXPECT_TRUE(TakeAutomaticCheckTurn(checked, settings));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(TakeAutomaticCheckTurn(checked, settings));  // once per run

    // Not due: the turn is used up all the same.
    settings.LastCheckingKnown = true;
    settings.LastChecking = platform.FakeNow;
    checked = false;
    EXPECT_FALSE(TakeAutomaticCheckTurn(checked, settings));
    EXPECT_TRUE(checked);
    settings.AutoCheckUpdate = false;
    settings.LastCheckingKnown = false;
    checked = false;
    EXPECT_FALSE(TakeAutomaticCheckTurn(checked, settings));
    EXPECT_TRUE(checked);
}

TEST_F(UpdateBookkeepingTest, TheSettingsItemIsReadAndOutlivesTheStoresSaves) {
    EXPECT_EQ(ReadUpdateHostItem(SettingFileName), "");
    std::string text = ReadFileText(SettingFileName);
    const std::string anchor = "<Item Name=\"HideAfterClicking\"";
    const size_t at = text.find(anchor);
    ASSERT_NE(at, std::string::npos);
    text.insert(at, "<Item Name=\"UpdateHost\" Value=\"10.1.2.3:8081\"/>\r\n\t\t");
    WriteFileText(SettingFileName, text);
    EXPECT_EQ(ReadUpdateHostItem(SettingFileName), "10.1.2.3:8081");

    // The store neither needs nor drops it.
    TAppSettingXml settings(platform);
    settings.LoadSettings();
    settings.LastVersion = "9";
    settings.SaveSettings();
    EXPECT_EQ(ReadUpdateHostItem(SettingFileName), "10.1.2.3:8081");

    EXPECT_EQ(ReadUpdateHostItem(folder.File("missing.xml")), "");
    WriteFileText(folder.File("broken.xml"), "<RKConfig><Application>");
    EXPECT_EQ(ReadUpdateHostItem(folder.File("broken.xml")), "");
}

}  // namespace
