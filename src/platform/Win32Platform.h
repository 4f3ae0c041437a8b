#pragma once
// The real system services.

#include <windows.h>

#include "base/Platform.h"

namespace quorlet {

class TWin32Platform : public IPlatform {
public:
    explicit TWin32Platform(HINSTANCE instance) : FInstance(instance) {}

    // The application window that owns shell windows and message boxes.
    void SetOwnerWindow(HWND owner) { FOwner = owner; }
    HWND OwnerWindow() const { return FOwner; }
    HINSTANCE Instance() const { return FInstance; }

    std::string UserName() override;
    std::string ExecutableName() override;
    bool FileExists(const std::string& fileName) override;
    bool CopyFileOver(const std::string& from, const std::string& to) override;
    bool ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int showCommand, TShellOwner owner,
                   TWindowHandle ownerWindow) override;
    bool ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int showCommand, TShellOwner owner, TWindowHandle ownerWindow,
                   std::string& failure) override;
    TDateTime Now() override;
    std::string LongTimeText(const TDateTime& time) override;
    int ScreenWidth() override;
    int WorkAreaHeight() override;

    // Win32Shell.cpp
    bool DirectoryExists(const std::string& path) override;
    bool RemoveFile(const std::string& fileName) override;
    std::string FullPathName(const std::string& path) override;
    bool ShellLongPath(const std::string& fullPath, std::string& longPath) override;
    int IconCount(const std::string& file) override;
    TIconHandle ExtractIconAt(const std::string& file, int index, int size) override;
    TIconHandle ShellIconOf(const std::string& file, int size) override;
    std::string ShellTypeName(const std::string& path, bool folder) override;
    int ShellImageIndex(const std::string& path) override;
    void DestroyIconHandle(TIconHandle icon) override;
    bool SaveShellLink(const TLinkCreateInfo& info, const std::string& linkFile) override;
    bool LoadShellLink(const std::string& linkFile, TShellLinkData& data) override;
    std::string RegistryString(TRegistryRoot root, const std::string& key, const std::string& valueName) override;
    void RegistryDeleteValue(TRegistryRoot root, const std::string& key, const std::string& valueName) override;
    std::string SystemFolderPath(TSystemFolder folder) override;

    // Win32Sound.cpp
    void PlayResourceSound(const std::string& name) override;
    void PlaySoundFile(const std::string& fileName) override;
    void StopSounds() override;

    // Win32Session.cpp
    void EnableShutdownPrivilege() override;
    void ExitWindowsSession(unsigned flags, unsigned long reason) override;

private:
    HWND ShellOwnerWindow(TShellOwner owner, TWindowHandle ownerWindow) const;

    HINSTANCE FInstance;
    HWND FOwner = nullptr;
};

}  // namespace quorlet
