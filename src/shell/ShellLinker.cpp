#include "shell/ShellLinker.h"

#include "app/AppPaths.h"
#include "platform/Platform.h"
#include "settings/FileIo.h"
#include "shell/ShellServices.h"

namespace quorlet {

namespace {

// Offset of the low byte of LinkFlags in the shell link header.
const uint64_t LinkFlagsOffset = 20;
const uint8_t HasLinkInfo = 0x02;

std::string LinkText(const std::string& text) {
    std::string cut = text.substr(0, text.find('\0'));
    if (cut.size() > LinkTextLimit) cut.resize(LinkTextLimit);
    return cut;
}

bool HasLinkInfoFlag(const std::string& linkFile) {
    std::string flags;
    if (!ReadFileBytes(linkFile, LinkFlagsOffset, 1, flags) || flags.size() != 1) return false;
    return (static_cast<uint8_t>(flags[0]) & HasLinkInfo) != 0;
}

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

uint8_t ShowStateFromShowCmd(int showCmd) {
    if (showCmd == swShowMinimized || showCmd == swShowMinNoActive) return 1;
    if (showCmd == swShowMaximized) return 2;
    return 0;
}

int ShowCmdFromShowState(uint8_t showState) {
    if (showState == 1) return swShowMinNoActive;
    if (showState == 2) return swShowMaximized;
    return swShowNormal;
}

bool ReadLink(const std::string& linkFile, TLinkInfo& info) {
    if (!HasLinkInfoFlag(linkFile)) return false;
    info = TLinkInfo();
    TShellLinkData data;
    if (!Platform().LoadShellLink(linkFile, data) || !data.HasIdList) return false;
    info.Path = LinkText(data.Path);
    info.WorkingDir = LinkText(data.WorkingDir);
    info.Arguments = LinkText(data.Arguments);
    info.Description = LinkText(data.Description);
    std::string iconLocation = LinkText(data.IconLocation);
    info.IconLocation = iconLocation.empty() ? info.Path : iconLocation;
    info.IconIndex = data.IconIndex;
    info.ShowState = ShowStateFromShowCmd(data.ShowCmd);
    return true;
}

bool OpenLink(const std::string& linkFile, const std::string& verb) {
    TLinkInfo info;
    ReadLink(linkFile, info);
    const std::string& target = info.Path.empty() ? linkFile : info.Path;
    return Platform().ShellOpen(verb, target, "", ".", ShowCmdFromShowState(info.ShowState));
}

bool ResolveLinkFields(const std::string& linkFile, TLinkButtonFields& fields) {
    if (!EqualsIgnoringCase(ExtractFileExt(linkFile), ".lnk")) return false;
    TLinkInfo info;
    if (!ReadLink(linkFile, info)) return false;
    IPlatform& platform = Platform();
    if (info.Path.empty() || !(platform.FileExists(info.Path) || platform.DirectoryExists(info.Path))) return false;
    TLinkButtonFields resolved;
    resolved.Command = GetLongPathByShell(info.Path);
    resolved.WorkingDir = info.WorkingDir.empty() ? std::string() : GetLongPathByShell(info.WorkingDir);
    resolved.Parameters = info.Arguments;
    resolved.Description = info.Description.empty() ? ExtractFileName(resolved.Command) : info.Description;
    if (!info.IconLocation.empty()) {
        resolved.IconFile = info.IconLocation;
        resolved.IconNumber = info.IconIndex;
    } else {
        resolved.IconFile = resolved.Command;
        resolved.IconNumber = 0;
    }
    resolved.ShowState = info.ShowState;
    fields = resolved;
    return true;
}

}  // namespace quorlet
