#include "launcher/UpdateCheck.h"

#include <exception>
#include <vector>

#include "base/Addresses.h"
#include "base/TextCompare.h"
#include "settings/XmlDoc.h"

namespace quorlet {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHostChar(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' || c == '-' || c == '_';
}

// 1 to 65535 in decimal digits only; -1 otherwise.
int ParsePort(const std::string& text) {
    if (text.empty() || text.size() > 5) return -1;
    int port = 0;
    for (char c : text) {
        if (!IsDigit(c)) return -1;
        port = port * 10 + (c - '0');
    }
    return port >= 1 && port <= 65535 ? port : -1;
}

// Bytes below 32 other than CR and LF: no version holds them, and the
// settings document, where the reply is kept, could not.
bool HoldsControlBytes(const std::string& text) {
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 && byte != '\r' && byte != '\n') return true;
    }
    return false;
}

// The arguments split as the program's start-up code splits them: at blanks
// outside double quotes, the quotes dropped.
std::vector<std::string> SplitArguments(const std::string& arguments) {
    std::vector<std::string> parts;
    std::string part;
    bool quoted = false, any = false;
    for (char c : arguments) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any) parts.push_back(part);
            part.clear();
            any = false;
        } else {
            part += c;
            any = true;
        }
    }
    if (any) parts.push_back(part);
    return parts;
}

}  // namespace

bool operator==(const TUpdateEndpoint& a, const TUpdateEndpoint& b) { return a.Host == b.Host && a.Port == b.Port; }

TUpdateEndpoint DefaultUpdateEndpoint() { return TUpdateEndpoint{UpdateHost, UpdatePort}; }

bool ParseUpdateEndpoint(const std::string& text, TUpdateEndpoint& endpoint) {
    const size_t colon = text.find(':');
    const std::string host = text.substr(0, colon);
    if (host.empty()) return false;
    for (char c : host)
        if (!IsHostChar(c)) return false;
    int port = 80;
    if (colon != std::string::npos) {
        port = ParsePort(text.substr(colon + 1));
        if (port < 0) return false;
    }
    endpoint.Host = host;
    endpoint.Port = port;
    return true;
}

std::string UpdateHostSwitch(const std::string& arguments) {
    static const std::string name = "/updatehost=";
    for (const std::string& part : SplitArguments(arguments))
        if (part.size() >= name.size() && SameText(part.substr(0, name.size()), name))
            return part.substr(name.size());
    return std::string();
}

std::string ReadUpdateHostItem(const std::string& settingFile) {
    // Only read: the settings stores keep an item they do not know as it is.
    try {
        XmlDocumentPtr doc = LoadXmlFile(settingFile);
        XmlElementPtr root = RootElement(doc);
        XmlElementPtr application = root ? ChildElement(root, "Application") : nullptr;
        XmlElementPtr item = application ? ChildByAttr(application, "Item", "Name", std::string("UpdateHost")) : nullptr;
        return item ? ReadStrAttr(item, "Value", "") : std::string();
    } catch (const std::exception&) {
        // The stores report a document they cannot read when they next use it.
        return std::string();
    }
}

TUpdateEndpoint ResolveUpdateEndpoint(const std::string& switchValue, const std::string& environmentValue,
                                      const std::string& settingsValue) {
    TUpdateEndpoint endpoint;
    for (const std::string* value : {&switchValue, &environmentValue, &settingsValue})
        if (ParseUpdateEndpoint(*value, endpoint)) return endpoint;
    return DefaultUpdateEndpoint();
}

std::string UpdateHostText(const TUpdateEndpoint& endpoint) {
    return endpoint.Port == 80 ? endpoint.Host : endpoint.Host + ":" + std::to_string(endpoint.Port);
}

std::string UpdateRequestBytes(const TUpdateEndpoint& endpoint) {
    return "POST /version.php HTTP/1.0\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\n"
           "Accept: text/html, */*\r\n"
           "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
           "Host: " + UpdateHostText(endpoint) + "\r\n"
           "Content-Length: 0\r\n"
           "\r\n";
}

std::string DownloadPageAddress(const TUpdateEndpoint& endpoint) {
    return "http://" + UpdateHostText(endpoint) + "/download.php";
}

TUpdateReply ParseUpdateReply(const std::string& received) {
    TUpdateReply reply;
    if (received.size() > kUpdateReplyLimit) return reply;
    const size_t headerEnd = received.find("\r\n\r\n");
    if (headerEnd == std::string::npos) return reply;  // closed before the header ended
    // "HTTP/d.d SSS[ reason]"
    const std::string status = received.substr(0, received.find("\r\n"));
    static const std::string prefix = "HTTP/";
    if (status.compare(0, prefix.size(), prefix) != 0) return reply;
    size_t at = prefix.size();
    if (!(at + 3 <= status.size() && IsDigit(status[at]) && status[at + 1] == '.' && IsDigit(status[at + 2])))
        return reply;
    at += 3;
    if (at >= status.size() || status[at] != ' ') return reply;
    while (at < status.size() && status[at] == ' ') ++at;
    if (at + 3 > status.size() || !IsDigit(status[at]) || !IsDigit(status[at + 1]) || !IsDigit(status[at + 2]))
        return reply;
    if (at + 3 < status.size() && status[at + 3] != ' ') return reply;
    if (status[at] != '2') return reply;  // redirects are not followed
    std::string body = received.substr(headerEnd + 4);
    if (body.size() > kUpdateVersionLimit || HoldsControlBytes(body)) return reply;
    reply.Succeeded = true;
    reply.Version = std::move(body);
    return reply;
}

TUpdateOutcome UpdateOutcomeOf(const TUpdateReply& reply) {
    if (!reply.Succeeded) return TUpdateOutcome::Failed;
    return reply.Version == kAppVersion ? TUpdateOutcome::UpToDate : TUpdateOutcome::Newer;
}

bool TakeAutomaticCheckTurn(bool& updateChecked, const TAppSettingXml& settings) {
    if (updateChecked) return false;
    updateChecked = true;
    return settings.IsUpdateCheckDue();
}

void FinishUpdateCheck(TUpdateCheckKind kind, const TUpdateReply& reply, const TUpdateEndpoint& endpoint,
                       TAppSettingXml& settings, IPlatform& platform, IUpdatePrompts& prompts,
                       TWindowHandle owner) {
    const bool manual = kind == TUpdateCheckKind::Manual;
    const TUpdateOutcome outcome = UpdateOutcomeOf(reply);
    if (outcome == TUpdateOutcome::Failed) {
        if (manual) prompts.Inform(kUpdateFailedText);
        return;
    }
    settings.LastChecking = platform.Now();
    settings.LastCheckingKnown = true;
    if (outcome == TUpdateOutcome::UpToDate) {
        if (settings.LastVersion != reply.Version) settings.LastVersion = reply.Version;
        if (manual) {
            prompts.SettingsChanged();
            prompts.Inform(kUpToDateText);
        }
    } else {
        // The manual check shows the new version before it asks; the
        // automatic one records it whatever the answer.
        if (manual) {
            settings.LastVersion = reply.Version;
            prompts.SettingsChanged();
        }
        if (prompts.AskToUpdate())
            platform.ShellOpen("open", DownloadPageAddress(endpoint), "", "", swShowNormal, TShellOwner::Window,
                               owner);
        settings.LastVersion = reply.Version;
    }
    settings.SaveSettings();
}

}  // namespace quorlet
