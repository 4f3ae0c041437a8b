#pragma once
// The system's dialogs for picking a file or a folder.

#include <string>

#include <windows.h>

namespace quorlet {

// An open-file dialog that takes only an existing file. filter is written
// with "|" between its parts ("Icon file(*.ico)|*.ico|All Files(*.*)|*.*").
// True with file set when one was chosen.
bool AskOpenFile(HWND owner, const char* filter, const std::string& initialFolder, std::string& file);

// A save-file dialog in initialFolder proposing proposedName; true with
// file set when a name was chosen (the caller asks before replacing a file).
bool AskSaveFile(HWND owner, const char* filter, const std::string& initialFolder, const std::string& proposedName,
                 std::string& file);

// The shell's folder browser rooted at the desktop, listing files too, as
// "Select folder" shows it; true with path set to the file-system path of
// the chosen item (a file's path when a file was chosen).
bool AskFolder(HWND owner, const char* title, std::string& path);

}  // namespace quorlet
