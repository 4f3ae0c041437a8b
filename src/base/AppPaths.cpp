#include "base/AppPaths.h"

namespace quorlet {

std::string HelpFileName;
std::string ConfigFileName;
std::string SettingFileName;

std::string ExtractFilePath(const std::string& fileName) {
    size_t slash = fileName.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& fileName) {
    size_t slash = fileName.find_last_of("\\/:");
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

std::string ExtractFileExt(const std::string& fileName) {
    std::string name = ExtractFileName(fileName);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
    size_t slash = fileName.find_last_of("\\/:");
    size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return fileName + extension;
    return fileName.substr(0, dot) + extension;
}

void InitAppPaths(const std::string& executableName) {
    HelpFileName = ExtractFilePath(executableName) + "Quorlet_Help.chm";
    ConfigFileName = ChangeFileExt(executableName, ".xml");
    SettingFileName.clear();
}

}  // namespace quorlet
