#include "shell/ShellLinker.h"

#include "base/AppPaths.h"
#include "base/Platform.h"
#include "base/FileIo.h"
#include "base/TextCompare.h"
#include "shell/ShellServices.h"

namespace quorlet {

namespace {

// The shell link header: its size, the low byte of LinkFlags and ShowCommand.
const size_t LinkHeaderSize = 0x4C;
const size_t LinkFlagsOffset = 20;
const size_t ShowCommandOffset = 60;
const uint8_t HasLinkInfo = 0x02;

std::string LinkText(const std::string& text) {
    std::string cut = text.substr(0, text.find('\0'));
    if (cut.size() > LinkTextLimit) cut.resize(LinkTextLimit);
    return cut;
}

uint32_t LittleEndian32(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<uint8_t>(bytes[offset + i]);
    return value;
}

// The first bytes of the file; false unless it has the link-information flag.
bool ReadLinkHeader(const std::string& linkFile, std::string& header) {
    if (!ReadFileBytes(linkFile, 0, LinkHeaderSize, header) || header.size() <= LinkFlagsOffset) return false;
    return (static_cast<uint8_t>(header[LinkFlagsOffset]) & HasLinkInfo) != 0;
}

// Some shell link objects report the default show command whatever the file
// holds; a complete header says what is stored.
bool HeaderShowCommand(const std::string& header, int& showCmd) {
    if (header.size() < LinkHeaderSize || LittleEndian32(header, 0) != LinkHeaderSize) return false;
    showCmd = static_cast<int>(LittleEndian32(header, ShowCommandOffset));
    return true;
}

// A path the shell would open as a shortcut: its own rule is the extension,
// in any letter case. A folder of such a name is explored instead.
bool NamesShortcut(IPlatform& platform, const std::string& path) {
    return !path.empty() && SameText(ExtractFileExt(path), ".lnk") && !platform.DirectoryExists(path);
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

bool ReadLink(IPlatform& platform, const std::string& linkFile, TLinkInfo& info) {
    std::string header;
    if (!ReadLinkHeader(linkFile, header)) return false;
    info = TLinkInfo();
    TShellLinkData data;
    if (!platform.LoadShellLink(linkFile, data) || !data.HasIdList) return false;
    info.Path = LinkText(data.Path);
    info.WorkingDir = LinkText(data.WorkingDir);
    info.Arguments = LinkText(data.Arguments);
    info.Description = LinkText(data.Description);
    std::string iconLocation = LinkText(data.IconLocation);
    info.IconLocation = iconLocation.empty() ? info.Path : iconLocation;
    info.IconIndex = data.IconIndex;
    int showCmd = data.ShowCmd;
    HeaderShowCommand(header, showCmd);
    info.ShowState = ShowStateFromShowCmd(showCmd);
    return true;
}

bool OpenLink(IPlatform& platform, const std::string& linkFile, const std::string& verb) {
    std::string failure;
    return OpenLink(platform, linkFile, verb, failure);
}

const char* const LinkChainFailure = "the shortcut points to a shortcut.";

bool OpenLink(IPlatform& platform, const std::string& linkFile, const std::string& verb, std::string& failure) {
    TLinkInfo info;
    const bool read = ReadLink(platform, linkFile, info);
    // A shortcut that the header test refuses still stands for its target
    // when it is handed over itself, so its target is asked for all the same.
    if (read ? NamesShortcut(platform, info.Path) : LinkPointsToShortcut(platform, linkFile)) {
        failure = LinkChainFailure;
        return false;
    }
    const std::string& target = info.Path.empty() ? linkFile : info.Path;
    const std::string folder = info.WorkingDir.empty() ? std::string(".") : info.WorkingDir;
    return platform.ShellOpen(verb, target, info.Arguments, folder, ShowCmdFromShowState(info.ShowState),
                              TShellOwner::Application, nullptr, failure);
}

bool LinkPointsToShortcut(IPlatform& platform, const std::string& linkFile) {
    TShellLinkData data;
    return platform.LoadShellLink(linkFile, data) && NamesShortcut(platform, LinkText(data.Path));
}

bool ResolveLinkFields(IPlatform& platform, const std::string& linkFile, TLinkButtonFields& fields) {
    if (!SameText(ExtractFileExt(linkFile), ".lnk")) return false;
    TLinkInfo info;
    if (!ReadLink(platform, linkFile, info)) return false;
    if (info.Path.empty() || !(platform.FileExists(info.Path) || platform.DirectoryExists(info.Path))) return false;
    TLinkButtonFields resolved;
    resolved.Command = GetLongPathByShell(platform, info.Path);
    resolved.WorkingDir = info.WorkingDir.empty() ? std::string() : GetLongPathByShell(platform, info.WorkingDir);
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
