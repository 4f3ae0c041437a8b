// Win32 side of the shell services: paths, icons, the shell link object,
// the registry and the system folders.
#include <stdexcept>
#include <vector>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <commoncontrols.h>

#include "win32/ComPtr.h"
#include "platform/Win32Platform.h"
#include "base/FileIo.h"
#include "shell/LinkCreateInfo.h"

namespace quorlet {

namespace {

// ANSI to UTF-16; false for names the shell's fixed buffers cannot hold.
bool ToWidePath(const std::string& path, std::wstring& wide) {
    if (path.empty() || path.size() >= MAX_PATH) return false;
    int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0 || length > MAX_PATH) return false;
    wide.assign(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return true;
}

// One text of a shell link, fetched into a 260-character buffer and cut at its first zero.
template <typename TGet>
void FetchLinkText(TGet get, std::string& text) {
    char buffer[MAX_PATH] = {};
    if (SUCCEEDED(get(buffer))) text = buffer;
}

HKEY RootKey(TRegistryRoot root) {
    return root == TRegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

class TRegKey {
public:
    TRegKey(TRegistryRoot root, const std::string& key, REGSAM access) {
        if (RegOpenKeyExA(RootKey(root), key.c_str(), 0, access, &FKey) != ERROR_SUCCESS) FKey = nullptr;
    }
    ~TRegKey() {
        if (FKey) RegCloseKey(FKey);
    }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;
    HKEY Get() const { return FKey; }

private:
    HKEY FKey = nullptr;
};

// Calls fill(buffer, size) -> length, growing the buffer until the text fits.
template <typename TFill>
std::string GrowingText(TFill fill) {
    std::vector<char> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(length + 1);
    }
    return std::string();
}

}  // namespace

bool TWin32Platform::DirectoryExists(const std::string& path) { return DirectoryExistsOnDisk(path); }

bool TWin32Platform::RemoveFile(const std::string& fileName) { return RemoveFileOnDisk(fileName); }

std::string TWin32Platform::FullPathName(const std::string& path) {
    if (path.empty()) return std::string();
    return GrowingText([&](char* buffer, DWORD size) {
        return GetFullPathNameA(path.c_str(), size, buffer, nullptr);
    });
}

bool TWin32Platform::ShellLongPath(const std::string& fullPath, std::string& longPath) {
    EnsureThreadApartment();
    std::wstring wide;
    if (!ToWidePath(fullPath, wide)) return false;
    TComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Put())) || !desktop) return false;
    LPITEMIDLIST items = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &items, nullptr)) || !items)
        return false;
    char buffer[MAX_PATH] = {};
    BOOL converted = SHGetPathFromIDListA(items, buffer);
    CoTaskMemFree(items);
    if (!converted || !buffer[0]) return false;
    longPath = buffer;
    return true;
}

int TWin32Platform::IconCount(const std::string& file) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(ExtractIconA(FInstance, file.c_str(), static_cast<UINT>(-1))));
}

TIconHandle TWin32Platform::ExtractIconAt(const std::string& file, int index, int size) {
    if (index == -1) return nullptr;  // that index asks for the count
    if (size == GetSystemMetrics(SM_CXICON)) {
        HICON icon = ExtractIconA(FInstance, file.c_str(), static_cast<UINT>(index));
        // 1 means "not a file with icons", not a handle.
        if (reinterpret_cast<INT_PTR>(icon) == 1) return nullptr;
        return icon;
    }
    // Another size: the file's image that fits it best.
    HICON icon = nullptr;
    const UINT found = PrivateExtractIconsA(file.c_str(), index, size, size, &icon, nullptr, 1, LR_DEFAULTCOLOR);
    if (found == 0 || found == 0xFFFFFFFF) return nullptr;
    return icon;
}

TIconHandle TWin32Platform::ShellIconOf(const std::string& file, int size) {
    EnsureThreadApartment();
    SHFILEINFOA info = {};
    if (size == GetSystemMetrics(SM_CXICON)) {
        if (!SHGetFileInfoA(file.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SYSICONINDEX)) return nullptr;
        return info.hIcon;
    }
    if (!SHGetFileInfoA(file.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX)) return nullptr;
    // The system's image list of that size, else the smallest larger one (an
    // icon drawn smaller stays sharp), else the largest there is.
    TComPtr<IImageList> chosen;
    int chosenSize = 0;
    for (int list : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO}) {
        TComPtr<IImageList> images;
        if (FAILED(SHGetImageList(list, __uuidof(IImageList), images.PutVoid()))) continue;
        int cx = 0, cy = 0;
        if (FAILED(images->GetIconSize(&cx, &cy))) continue;
        const bool fits = cx >= size, chosenFits = chosenSize >= size;
        const bool better = !chosen || (fits != chosenFits ? fits : (fits ? cx < chosenSize : cx > chosenSize));
        if (better) {
            chosen = std::move(images);
            chosenSize = cx;
        }
    }
    HICON icon = nullptr;
    if (!chosen || FAILED(chosen->GetIcon(info.iIcon, ILD_TRANSPARENT, &icon))) return nullptr;
    return icon;
}

std::string TWin32Platform::ShellTypeName(const std::string& path, bool folder) {
    EnsureThreadApartment();
    // By the name and attributes alone: the shell need not open the file.
    SHFILEINFOA info = {};
    const DWORD attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (!SHGetFileInfoA(path.c_str(), attributes, &info, sizeof info, SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES))
        return std::string();
    return info.szTypeName;
}

int TWin32Platform::ShellImageIndex(const std::string& path) {
    EnsureThreadApartment();
    // The index in the system image list is enough: no icon is made to be destroyed again.
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX)) return -1;
    return info.iIcon;
}

void TWin32Platform::DestroyIconHandle(TIconHandle icon) {
    if (icon) DestroyIcon(static_cast<HICON>(icon));
}

bool TWin32Platform::SaveShellLink(const TLinkCreateInfo& info, const std::string& linkFile) {
    EnsureThreadApartment();
    TComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())))
        throw std::runtime_error("The shell link object cannot be created.");
    TComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())))
        throw std::runtime_error("The shell link object cannot be saved.");
    link->SetPath(info.Path);
    link->SetWorkingDirectory(info.WorkingDir);
    link->SetDescription(info.Description);
    link->SetArguments(info.Arguments);
    link->SetIconLocation(info.IconLocation, info.IconIndex);
    link->SetHotkey(info.HotKey);
    link->SetShowCmd(info.ShowCmd);
    // An empty relative path would be stored as one, shifting the texts after it.
    if (info.RelativePath[0]) link->SetRelativePath(info.RelativePath, 0);
    std::wstring wide;
    if (!ToWidePath(linkFile, wide)) return false;
    return SUCCEEDED(file->Save(wide.c_str(), FALSE));
}

bool TWin32Platform::LoadShellLink(const std::string& linkFile, TShellLinkData& data) {
    std::wstring wide;
    if (!ToWidePath(linkFile, wide)) return false;
    TComApartment apartment;  // balanced here, whatever the caller's state
    TComPtr<IShellLinkA> link;
    TComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) || FAILED(file->Load(wide.c_str(), 0)))
        return false;

    WIN32_FIND_DATAA found = {};
    FetchLinkText([&](char* buffer) { return link->GetPath(buffer, MAX_PATH, &found, SLGP_UNCPRIORITY); }, data.Path);
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(link->GetIDList(&items)) && items) {
        data.HasIdList = true;
        CoTaskMemFree(items);
    }
    FetchLinkText([&](char* buffer) { return link->GetDescription(buffer, MAX_PATH); }, data.Description);
    FetchLinkText([&](char* buffer) { return link->GetWorkingDirectory(buffer, MAX_PATH); }, data.WorkingDir);
    FetchLinkText([&](char* buffer) { return link->GetArguments(buffer, MAX_PATH); }, data.Arguments);
    int iconIndex = 0;
    FetchLinkText([&](char* buffer) {
        const HRESULT result = link->GetIconLocation(buffer, MAX_PATH, &iconIndex);
        if (SUCCEEDED(result)) data.IconIndex = iconIndex;
        return result;
    }, data.IconLocation);
    int showCmd = 0;
    if (SUCCEEDED(link->GetShowCmd(&showCmd))) data.ShowCmd = showCmd;
    return true;
}

std::string TWin32Platform::RegistryString(TRegistryRoot root, const std::string& key, const std::string& valueName) {
    TRegKey opened(root, key, KEY_QUERY_VALUE);
    if (!opened.Get()) return std::string();
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(opened.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
        return std::string();
    std::vector<char> text(size + 1, '\0');
    if (RegQueryValueExA(opened.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS)
        return std::string();
    return std::string(text.data());
}

void TWin32Platform::RegistryDeleteValue(TRegistryRoot root, const std::string& key, const std::string& valueName) {
    TRegKey opened(root, key, KEY_SET_VALUE);
    if (opened.Get()) RegDeleteValueA(opened.Get(), valueName.c_str());
}

std::string TWin32Platform::SystemFolderPath(TSystemFolder folder) {
    switch (folder) {
    case TSystemFolder::Windows:
        return GrowingText([](char* buffer, DWORD size) { return static_cast<DWORD>(GetWindowsDirectoryA(buffer, size)); });
    case TSystemFolder::System:
        return GrowingText([](char* buffer, DWORD size) { return static_cast<DWORD>(GetSystemDirectoryA(buffer, size)); });
    case TSystemFolder::Temp:
        return GrowingText([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
    }
    return std::string();
}

}  // namespace quorlet
