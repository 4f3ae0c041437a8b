#pragma once
// The update check's rules: which server it asks, the request it sends, what
// it makes of the reply, and what an automatic or a manual check records,
// asks and shows for each outcome. The network side is TUpdateChecker.

#include <cstddef>
#include <string>

#include "base/Platform.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

// The texts of the check, as the user sees them.
constexpr const char* kUpdateCaption = "Quorlet Update";
constexpr const char* kUpdateQuestion =
    "There is a newer version available.\r\n\r\nWould you like to update to the latest version now?";
constexpr const char* kUpdateFailedText = "Connecting internet fail, please try later again.";
constexpr const char* kUpToDateText =
    "There are no updates available at this time.\r\n\r\nYour Quorlet is up-to-date.";

// A whole reply longer than this is not read to its end: the check fails.
constexpr size_t kUpdateReplyLimit = 64 * 1024;
// A body longer than this is a page (a portal's, an error's), not a version.
constexpr size_t kUpdateVersionLimit = 64;

// The server the check asks.
struct TUpdateEndpoint {
    std::string Host;
    int Port = 80;
};

bool operator==(const TUpdateEndpoint& a, const TUpdateEndpoint& b);

// UpdateHost and UpdatePort of Addresses.h.
TUpdateEndpoint DefaultUpdateEndpoint();
// "host" (port 80) or "host:port". The host is letters, digits, '.', '-' and
// '_'; the port 1 to 65535. False, and endpoint untouched, for anything else:
// a bad value is passed over for the next source, never half used.
bool ParseUpdateEndpoint(const std::string& text, TUpdateEndpoint& endpoint);
// The value of the switch /updatehost=VALUE (any letter case, the argument
// may be quoted) in a program's arguments; "" when there is none.
std::string UpdateHostSwitch(const std::string& arguments);
// The optional item UpdateHost of the settings document's Application
// section; "" when the file, the item or its Value is missing or the file
// cannot be read (the check then asks the next source).
std::string ReadUpdateHostItem(const std::string& settingFile);
// The first valid of the switch's value, the environment variable
// QUORLET_UPDATE_HOST's and the settings item's; the build's default otherwise.
TUpdateEndpoint ResolveUpdateEndpoint(const std::string& switchValue, const std::string& environmentValue,
                                      const std::string& settingsValue);

// "host", with ":port" when the port is not 80.
std::string UpdateHostText(const TUpdateEndpoint& endpoint);
// The request, byte for byte.
std::string UpdateRequestBytes(const TUpdateEndpoint& endpoint);
// "http://host[:port]/download.php".
std::string DownloadPageAddress(const TUpdateEndpoint& endpoint);

// What a request brought back.
struct TUpdateReply {
    bool Succeeded = false;
    std::string Version;  // the body, as it came
};

// The reply from the bytes received until the server closed the connection.
// Only a 2xx status with a complete header and a body of at most
// kUpdateVersionLimit bytes, none of them a control byte other than CR and
// LF, succeeds; more than kUpdateReplyLimit bytes fail.
TUpdateReply ParseUpdateReply(const std::string& received);

enum class TUpdateOutcome { Failed, UpToDate, Newer };
// Up to date only when the body is kAppVersion exactly, byte for byte.
TUpdateOutcome UpdateOutcomeOf(const TUpdateReply& reply);

enum class TUpdateCheckKind { Automatic, Manual };

// The boxes a check shows; the window side implements them.
class IUpdatePrompts {
public:
    virtual ~IUpdatePrompts() = default;
    // kUpdateCaption, OK, the information icon.
    virtual void Inform(const std::string& text) = 0;
    // kUpdateQuestion, kUpdateCaption, Yes and No, the question icon; true for Yes.
    virtual bool AskToUpdate() = 0;
    // A manual check changed LastChecking or LastVersion: what shows them follows.
    virtual void SettingsChanged() {}
};

// The automatic check runs once per run, on the first call: it marks the run
// checked and says whether a check is due.
bool TakeAutomaticCheckTurn(bool& updateChecked, const TAppSettingXml& settings);

// Records, asks and shows what the outcome of a check calls for, opens the
// download page (owner: the window that asked) when the user says Yes, and
// saves the settings. A failed automatic check leaves no trace; a failed
// manual one only says so.
void FinishUpdateCheck(TUpdateCheckKind kind, const TUpdateReply& reply, const TUpdateEndpoint& endpoint,
                       TAppSettingXml& settings, IPlatform& platform, IUpdatePrompts& prompts,
                       TWindowHandle owner);

}  // namespace quorlet
