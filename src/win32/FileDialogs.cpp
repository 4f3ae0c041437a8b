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

}  // namespace

bool AskSaveFile(HWND owner, const char* filter, const std::string& initialFolder, const std::string& proposedName,
                 std::string& file) {
    const std::string parts = FilterParts(filter);
    char chosen[MAX_PATH] = "";
    lstrcpynA(chosen, proposedName.c_str(), MAX_PATH);
    OPENFILENAMEA save = {};
    save.lStructSize = sizeof save;
    save.hwndOwner = owner;
    save.lpstrFilter = parts.c_str();
    save.lpstrFile = chosen;
    save.nMaxFile = sizeof chosen;
    save.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    save.lpstrDefExt = "xml";
    save.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING;
    if (!GetSaveFileNameA(&save)) return false;
    file = chosen;
    return true;
}

bool AskOpenFile(HWND owner, const char* filter, const std::string& initialFolder, std::string& file) {
    const std::string parts = FilterParts(filter);
    char chosen[MAX_PATH] = "";
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = parts.c_str();
    open.lpstrFile = chosen;
    open.nMaxFile = sizeof chosen;
    open.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    open.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING;
    if (!GetOpenFileNameA(&open)) return false;
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
