#pragma once
// Recording platform for tests: real files on disk, everything else scripted.

#include <map>
#include <string>
#include <vector>

#include "base/Platform.h"
#include "shell/LinkCreateInfo.h"

namespace quorlet {

struct TShellOpenCall {
    std::string Verb, File, Parameters, Directory;
    int ShowCommand = -1;
    TShellOwner Owner = TShellOwner::Application;
    TWindowHandle OwnerWindow = nullptr;  // given with TShellOwner::Window
};

// An icon handed out by the fake: which file and index it came from.
struct TFakeIcon {
    std::string File;
    int Index = 0;
    bool FromShell = false;
    int Size = 0;  // pixels asked for
};

class TFakePlatform : public IPlatform {
public:
    std::string FakeUserName = "alice";
    std::string FakeExecutableName;
    TDateTime FakeNow;
    int FakeScreenWidth = 1920;
    int FakeWorkAreaHeight = 1040;
    bool FailCopies = false;
    std::vector<TShellOpenCall> ShellOpenCalls;
    bool ShellOpenResult = true;
    // What a refused request reports as the system's reason.
    std::string ShellOpenFailure = "Access denied.";
    std::vector<std::pair<std::string, std::string>> Copies;

    // Long names the shell knows, by full path; other paths do not parse.
    std::map<std::string, std::string> ShellLongNames;
    // Icons stored in files; files not listed hold none. Shell icons fail for
    // files listed in NoShellIcon.
    std::map<std::string, int> IconCounts;
    std::vector<std::string> NoShellIcon;
    std::map<TIconHandle, TFakeIcon> LiveIcons;
    int IconsDestroyed = 0;
    int ForeignIconsDestroyed = 0;  // handles that were not live

    // Shortcuts the shell link object reads, by file name. SaveShellLink
    // writes a small file with the link-information flag and records it here.
    std::map<std::string, TShellLinkData> ShellLinks;
    std::vector<std::pair<TLinkCreateInfo, std::string>> SavedLinks;
    bool FailLinkSaves = false;

    // Registry values, by RegistryKey(root, key, value).
    std::map<std::string, std::string> Registry;
    std::vector<std::string> DeletedRegistryValues;
    static std::string RegistryKey(TRegistryRoot root, const std::string& key, const std::string& valueName);
    void SetRegistryString(TRegistryRoot root, const std::string& key, const std::string& valueName,
                           const std::string& text);

    std::string WindowsFolder = "C:\\Windows";
    std::string SystemFolder = "C:\\Windows\\system32";
    std::string TempFolder = "C:\\Users\\alice\\Temp\\";

    std::string UserName() override { return FakeUserName; }
    std::string ExecutableName() override { return FakeExecutableName; }
    bool FileExists(const std::string& fileName) override;
    bool CopyFileOver(const std::string& from, const std::string& to) override;
    bool ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int showCommand, TShellOwner owner,
                   TWindowHandle ownerWindow) override {
        ShellOpenCalls.push_back({verb, file, parameters, directory, showCommand, owner, ownerWindow});
        return ShellOpenResult;
    }
    bool ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int showCommand, TShellOwner owner, TWindowHandle ownerWindow,
                   std::string& failure) override {
        if (!ShellOpen(verb, file, parameters, directory, showCommand, owner, ownerWindow)) {
            failure = ShellOpenFailure;
            return false;
        }
        return true;
    }
    TDateTime Now() override { return FakeNow; }
    int ScreenWidth() override { return FakeScreenWidth; }
    int WorkAreaHeight() override { return FakeWorkAreaHeight; }

    bool DirectoryExists(const std::string& path) override;
    bool RemoveFile(const std::string& fileName) override;
    std::string FullPathName(const std::string& path) override { return path; }
    bool ShellLongPath(const std::string& fullPath, std::string& longPath) override;
    int IconCount(const std::string& file) override;
    TIconHandle ExtractIconAt(const std::string& file, int index, int size) override;
    TIconHandle ShellIconOf(const std::string& file, int size) override;
    void DestroyIconHandle(TIconHandle icon) override;
    bool SaveShellLink(const TLinkCreateInfo& info, const std::string& linkFile) override;
    bool LoadShellLink(const std::string& linkFile, TShellLinkData& data) override;
    std::string RegistryString(TRegistryRoot root, const std::string& key, const std::string& valueName) override;
    void RegistryDeleteValue(TRegistryRoot root, const std::string& key, const std::string& valueName) override;
    std::string SystemFolderPath(TSystemFolder folder) override;
    // Sounds played, by resource name, in order.
    std::vector<std::string> SoundsPlayed;
    void PlayResourceSound(const std::string& name) override { SoundsPlayed.push_back(name); }
    // Sound files played ("play <path>") and purges ("stop"), in order.
    std::vector<std::string> ToneCalls;
    void PlaySoundFile(const std::string& fileName) override { ToneCalls.push_back("play " + fileName); }
    void StopSounds() override { ToneCalls.push_back("stop"); }
    // Type names by path; a path's image index is 10 + its position in the map.
    std::map<std::string, std::string> ShellTypeNames;
    int TypeNameCalls = 0, ImageIndexCalls = 0;
    std::string ShellTypeName(const std::string& path, bool folder) override;
    int ShellImageIndex(const std::string& path) override;
    // "h:mm:ss", as an English long time format shows it.
    std::string LongTimeText(const TDateTime& time) override;
    // Session-end requests, in order: "privilege", or "exit <flags> <reason>".
    std::vector<std::string> SessionCalls;
    void EnableShutdownPrivilege() override { SessionCalls.push_back("privilege"); }
    void ExitWindowsSession(unsigned flags, unsigned long reason) override {
        SessionCalls.push_back("exit " + std::to_string(flags) + " " + std::to_string(reason));
    }

private:
    TIconHandle NewIcon(const TFakeIcon& icon);
    intptr_t FNextIcon = 0x1000;
};

// Writes a file that passes the shortcut header test (link-information flag
// set at offset 20) and lets the fake's shell link object read data from it.
void WriteFakeShortcut(TFakePlatform& platform, const std::string& linkFile, const TShellLinkData& data);

}  // namespace quorlet
