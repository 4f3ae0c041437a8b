#include "fakes/FakePlatform.h"

#include <cstdio>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/FileIo.h"

namespace quorlet {

bool TFakePlatform::FileExists(const std::string& fileName) { return FileExistsOnDisk(fileName); }

bool TFakePlatform::CopyFileOver(const std::string& from, const std::string& to) {
    Copies.emplace_back(from, to);
    if (FailCopies) return false;
    std::string bytes;
    if (!ReadWholeFile(from, bytes)) return false;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool TFakePlatform::DirectoryExists(const std::string& path) { return DirectoryExistsOnDisk(path); }

bool TFakePlatform::RemoveFile(const std::string& fileName) { return RemoveFileOnDisk(fileName); }

bool TFakePlatform::ShellLongPath(const std::string& fullPath, std::string& longPath) {
    auto found = ShellLongNames.find(fullPath);
    if (found == ShellLongNames.end()) return false;
    longPath = found->second;
    return true;
}

int TFakePlatform::IconCount(const std::string& file) {
    auto found = IconCounts.find(file);
    return found == IconCounts.end() ? 0 : found->second;
}

TIconHandle TFakePlatform::NewIcon(const TFakeIcon& icon) {
    TIconHandle handle = reinterpret_cast<TIconHandle>(FNextIcon++);
    LiveIcons[handle] = icon;
    return handle;
}

TIconHandle TFakePlatform::ExtractIconAt(const std::string& file, int index, int size) {
    if (index >= IconCount(file)) return nullptr;
    return NewIcon({file, index, false, size});
}

TIconHandle TFakePlatform::ShellIconOf(const std::string& file, int size) {
    if (std::find(NoShellIcon.begin(), NoShellIcon.end(), file) != NoShellIcon.end()) return nullptr;
    return NewIcon({file, 0, true, size});
}

void TFakePlatform::DestroyIconHandle(TIconHandle icon) {
    if (LiveIcons.erase(icon))
        ++IconsDestroyed;
    else
        ++ForeignIconsDestroyed;
}

bool TFakePlatform::SaveShellLink(const TLinkCreateInfo& info, const std::string& linkFile) {
    SavedLinks.emplace_back(info, linkFile);
    if (FailLinkSaves) return false;
    TShellLinkData data;
    data.Path = info.Path;
    data.WorkingDir = info.WorkingDir;
    data.Arguments = info.Arguments;
    data.Description = info.Description;
    data.IconLocation = info.IconLocation;
    data.IconIndex = info.IconIndex;
    data.ShowCmd = info.ShowCmd;
    data.HasIdList = true;
    WriteFakeShortcut(*this, linkFile, data);
    return true;
}

bool TFakePlatform::LoadShellLink(const std::string& linkFile, TShellLinkData& data) {
    auto found = ShellLinks.find(linkFile);
    if (found == ShellLinks.end()) return false;
    data = found->second;
    return true;
}

std::string TFakePlatform::RegistryKey(TRegistryRoot root, const std::string& key, const std::string& valueName) {
    return std::string(root == TRegistryRoot::CurrentUser ? "HKCU\\" : "HKLM\\") + key + "|" + valueName;
}

void TFakePlatform::SetRegistryString(TRegistryRoot root, const std::string& key, const std::string& valueName,
                                      const std::string& text) {
    Registry[RegistryKey(root, key, valueName)] = text;
}

std::string TFakePlatform::RegistryString(TRegistryRoot root, const std::string& key, const std::string& valueName) {
    auto found = Registry.find(RegistryKey(root, key, valueName));
    return found == Registry.end() ? std::string() : found->second;
}

void TFakePlatform::RegistryDeleteValue(TRegistryRoot root, const std::string& key, const std::string& valueName) {
    std::string name = RegistryKey(root, key, valueName);
    DeletedRegistryValues.push_back(name);
    Registry.erase(name);
}

std::string TFakePlatform::SystemFolderPath(TSystemFolder folder) {
    switch (folder) {
    case TSystemFolder::Windows: return WindowsFolder;
    case TSystemFolder::System: return SystemFolder;
    case TSystemFolder::Temp: return TempFolder;
    }
    return std::string();
}

void WriteFakeShortcut(TFakePlatform& platform, const std::string& linkFile, const TShellLinkData& data) {
    std::string header(76, '\0');
    header[0] = 0x4C;
    header[20] = 0x02 | 0x01;  // HasLinkInfo | HasLinkTargetIDList
    header[60] = static_cast<char>(data.ShowCmd);
    std::ofstream(linkFile, std::ios::binary | std::ios::trunc) << header;
    platform.ShellLinks[linkFile] = data;
}

}  // namespace quorlet

namespace quorlet {

std::string TFakePlatform::LongTimeText(const TDateTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", time.Hour, time.Minute, time.Second);
    return text;
}

}  // namespace quorlet

namespace quorlet {

std::string TFakePlatform::ShellTypeName(const std::string& path, bool) {
    ++TypeNameCalls;
    auto found = ShellTypeNames.find(path);
    return found == ShellTypeNames.end() ? std::string() : found->second;
}

int TFakePlatform::ShellImageIndex(const std::string& path) {
    ++ImageIndexCalls;
    auto found = ShellTypeNames.find(path);
    return found == ShellTypeNames.end() ? -1 : 10 + static_cast<int>(std::distance(ShellTypeNames.begin(), found));
}

}  // namespace quorlet
