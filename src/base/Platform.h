#pragma once
// The few system services the program's rules need. The Win32 implementation
// lives in Win32Platform; tests use a recording fake.

#include <string>

#include "base/DateTime.h"

namespace quorlet {

struct TLinkCreateInfo;

// An icon as the system hands it out; destroyed through DestroyIconHandle.
using TIconHandle = void*;

enum class TRegistryRoot { CurrentUser, LocalMachine };
enum class TSystemFolder { Windows, System, Temp };
// A window as portable code passes it on (an HWND on Windows).
using TWindowHandle = void*;
// The window that owns a shell request: the application window, the desktop,
// or a window the caller names (a dialog, say).
enum class TShellOwner { Application, Desktop, Window };

// What the shell link object reports of a shortcut file.
struct TShellLinkData {
    std::string Path, Description, WorkingDir, Arguments, IconLocation;
    int IconIndex = 0;
    int ShowCmd = 0;
    bool HasIdList = false;
};

// Show commands as ShellExecute takes them.
enum TShowCommand {
    swHide = 0, swShowNormal = 1, swShowMinimized = 2, swShowMaximized = 3, swShow = 5,
    swShowMinNoActive = 7, swForceMinimize = 11  // the last one the system defines
};

class IPlatform {
public:
    virtual ~IPlatform() = default;

    // The Windows user name, or "" when it cannot be read.
    virtual std::string UserName() = 0;
    // Full path of the running executable.
    virtual std::string ExecutableName() = 0;
    virtual bool FileExists(const std::string& fileName) = 0;
    // Copies from over to, replacing an existing file; false on failure.
    virtual bool CopyFileOver(const std::string& from, const std::string& to) = 0;
    // ShellExecute; an empty verb is the default verb. ownerWindow is the
    // owner when owner is TShellOwner::Window. True when the shell accepted
    // the request.
    virtual bool ShellOpen(const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory,
                           int showCommand, TShellOwner owner = TShellOwner::Application,
                           TWindowHandle ownerWindow = nullptr) = 0;
    // The same request for a launch the caller reports itself: the shell
    // shows no error box of its own, and when it refuses the request, failure
    // gets the system's text for the reason.
    virtual bool ShellOpen(const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory,
                           int showCommand, TShellOwner owner, TWindowHandle ownerWindow,
                           std::string& failure) = 0;
    // Local wall-clock time.
    virtual TDateTime Now() = 0;
    // Width of the primary screen and height of its work area, in pixels.
    virtual int ScreenWidth() = 0;
    virtual int WorkAreaHeight() = 0;

    // Files and folders.
    virtual bool DirectoryExists(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& fileName) = 0;
    // The absolute form of path; "" when it has none.
    virtual std::string FullPathName(const std::string& path) = 0;
    // The path as the shell names it (long names, the file system's letter
    // case); false when the shell cannot parse it.
    virtual bool ShellLongPath(const std::string& fullPath, std::string& longPath) = 0;

    // Icons.
    virtual int IconCount(const std::string& file) = 0;
    // Icon `index` stored in the file (a negative index other than -1 names a
    // resource identifier) at size x size pixels; null when there is none.
    virtual TIconHandle ExtractIconAt(const std::string& file, int index, int size) = 0;
    // The shell's icon for a file, folder or drive, size pixels wide or, when
    // the shell has none of that size, the next larger; null on failure.
    virtual TIconHandle ShellIconOf(const std::string& file, int size) = 0;
    virtual void DestroyIconHandle(TIconHandle icon) = 0;

    // Shortcut files through the shell link object. SaveShellLink throws
    // std::runtime_error when the object cannot be created.
    virtual bool SaveShellLink(const TLinkCreateInfo& info, const std::string& linkFile) = 0;
    virtual bool LoadShellLink(const std::string& linkFile, TShellLinkData& data) = 0;

    // Registry string values; "" when the key or the value is missing.
    virtual std::string RegistryString(TRegistryRoot root, const std::string& key,
                                       const std::string& valueName) = 0;
    virtual void RegistryDeleteValue(TRegistryRoot root, const std::string& key,
                                     const std::string& valueName) = 0;
    // The Windows, system or temporary folder as the system reports it; "" on failure.
    virtual std::string SystemFolderPath(TSystemFolder folder) = 0;

    // Plays a sound embedded in the program (resource type WAVE) without
    // waiting for it to end.
    virtual void PlayResourceSound(const std::string& name) = 0;
    // Plays a .wav file once without waiting for it to end (nothing when it
    // cannot be played), and stops every sound this program is playing.
    virtual void PlaySoundFile(const std::string& fileName) = 0;
    virtual void StopSounds() = 0;
    // The shell's type name of a file of that name (by its extension), or of a
    // folder; "" when the shell has none.
    virtual std::string ShellTypeName(const std::string& path, bool folder) = 0;
    // The index of an existing file's or folder's icon in the system image
    // list; -1 when the shell has none.
    virtual int ShellImageIndex(const std::string& path) = 0;
    // The time of day in the user's long time format.
    virtual std::string LongTimeText(const TDateTime& time) = 0;

    // Session end: the shutdown privilege for this process (results not
    // examined), and ExitWindowsEx with these flags and reason.
    virtual void EnableShutdownPrivilege() = 0;
    virtual void ExitWindowsSession(unsigned flags, unsigned long reason) = 0;
};

// The process-wide platform; set once at start (tests may swap in a fake).
IPlatform& Platform();
void SetPlatform(IPlatform* platform);

}  // namespace quorlet
