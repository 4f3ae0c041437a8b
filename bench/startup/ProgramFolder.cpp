#include "ProgramFolder.h"

#include <filesystem>
#include <stdexcept>

#include <windows.h>

#include "base/FileIo.h"

namespace quorlet {
namespace startupbench {

TProgramFolder::TProgramFolder(const std::string& prefix) {
    char temp[MAX_PATH + 1] = {};
    const DWORD got = GetTempPathA(MAX_PATH, temp);
    if (got == 0 || got >= MAX_PATH) throw std::runtime_error("No temporary folder");
    const std::string base = std::string(temp) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-";
    for (int n = 0; n < 1000; ++n) {
        const std::string candidate = base + std::to_string(n);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            FPath = candidate + "\\";
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("Cannot create a folder named " + base + "N");
}

TProgramFolder::~TProgramFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(FPath), ignored);
}

std::string TProgramFolder::CopyIn(const std::string& source, const std::string& name) const {
    const std::string target = File(name);
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
        throw std::runtime_error("Cannot copy " + source + " to " + target + " (error " +
                                 std::to_string(GetLastError()) + ")");
    return target;
}

std::string TProgramFolder::WriteText(const std::string& name, const std::string& text) const {
    const std::string target = File(name);
    WriteFileAtomically(target, text);
    return target;
}

}  // namespace startupbench
}  // namespace quorlet
