#pragma once
// Process-wide paths, set once before the main window exists.

#include <string>

namespace quorlet {

extern std::string HelpFileName;     // program folder + "Quorlet_Help.chm"
extern std::string ConfigFileName;   // executable path with the extension ".xml"
extern std::string SettingFileName;  // the current user's settings document; empty until start-up

// "D:\Tools\Quorlet.exe" -> "D:\Tools\" (either separator; "" when there is none).
std::string ExtractFilePath(const std::string& fileName);
// "D:\Tools\Quorlet.exe" -> "Quorlet.exe".
std::string ExtractFileName(const std::string& fileName);
// The extension of the last path component with its dot ("" when it has none).
std::string ExtractFileExt(const std::string& fileName);
// Replaces the extension of the last path component (or appends one).
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);

// Sets HelpFileName and ConfigFileName from the executable path and empties SettingFileName.
void InitAppPaths(const std::string& executableName);

}  // namespace quorlet
