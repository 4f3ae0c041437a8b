#include "win32/FileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

namespace quorlet {

namespace {

// The dialogs want the filter's parts apart by zeros, the whole ended by two.
std::string FilterParts(const char* filter) {
    std::string parts(filter);
    for (char& c : parts)
        if (c == '|') c = '\0';
    parts.append(2, '\0');
    return parts;
}

using TFileDialog = BOOL(WINAPI*)(OPENFILENAMEA*);

// One run of the open or save dialog; file holds the proposed name going in
// and the chosen one coming out.
bool RunFileDialog(TFileDialog dialog, HWND owner, const char* filter, const std::string& initialFolder,
                   const char* defaultExtension, DWORD flags, std::string& file) {
    const std::string parts = FilterParts(filter);
    char chosen[MAX_PATH] = "";
    lstrcpynA(chosen, file.c_str(), MAX_PATH);
    OPENFILENAMEA dialogInfo = {};
    dialogInfo.lStructSize = sizeof dialogInfo;
    dialogInfo.hwndOwner = owner;
    dialogInfo.lpstrFilter = parts.c_str();
    dialogInfo.lpstrFile = chosen;
    dialogInfo.nMaxFile = sizeof chosen;
    dialogInfo.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialogInfo.lpstrDefExt = defaultExtension;
    dialogInfo.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING | flags;
    if (!dialog(&dialogInfo)) return false;
    file = chosen;
    return true;
}

}  // namespace

bool AskSaveFile(HWND owner, const char* filter, const std::string& initialFolder, const std::string& proposedName,
                 std::string& file) {
    std::string chosen = proposedName;
    if (!RunFileDialog(&GetSaveFileNameA, owner, filter, initialFolder, "xml", 0, chosen)) return false;
    file = chosen;
    return true;
}

bool AskOpenFile(HWND owner, const char* filter, const std::string& initialFolder, std::string& file) {
    std::string chosen;
    if (!RunFileDialog(&GetOpenFileNameA, owner, filter, initialFolder, nullptr, OFN_FILEMUSTEXIST, chosen))
        return false;
    file = chosen;
    return true;
}

bool AskFolder(HWND owner, const char* title, std::string& path) {
    char display[MAX_PATH] = "";
    BROWSEINFOA browse = {};
    browse.hwndOwner = owner;
    browse.pszDisplayName = display;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_BROWSEINCLUDEFILES;
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&browse);
    if (!item) return false;
    char chosen[MAX_PATH] = "";
    const bool named = SHGetPathFromIDListA(item, chosen) != FALSE;
    CoTaskMemFree(item);
    if (!named) return false;
    path = chosen;
    return true;
}

}  // namespace quorlet
