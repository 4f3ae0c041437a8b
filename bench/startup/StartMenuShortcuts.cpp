#include "StartMenuShortcuts.h"

#include <filesystem>
#include <stdexcept>

#include <windows.h>

#include "../FindCorpus.h"
#include "shell/LinkCreateInfo.h"
#include "shell/StartMenuFolders.h"

namespace quorlet {
namespace startupbench {

namespace {

const char* const kFolderName = "Quorlet Find Bench";

}  // namespace

TStartMenuShortcuts::TStartMenuShortcuts(IPlatform& platform, const std::string& target) {
    const std::string programs = GetStartMenuFolders(platform).User;
    if (programs.empty()) throw std::runtime_error("The user's Start Menu Programs folder is unknown");
    FFolder = programs + kFolderName + "\\";
    Remove();  // a folder a killed run left behind
    if (!CreateDirectoryA(FFolder.c_str(), nullptr))
        throw std::runtime_error("Cannot create " + FFolder + " (error " + std::to_string(GetLastError()) + ")");
    try {
        // One shortcut written through the shell link object, copied under every name.
        TLinkCreateInfo info = {};
        AssignLinkField(info.Path, target);
        AssignLinkField(info.WorkingDir, target.substr(0, target.find_last_of('\\') + 1));
        info.ShowCmd = swShowNormal;
        const std::string model = FFolder + "model.lnk";
        if (!platform.SaveShellLink(info, model)) throw std::runtime_error("Cannot write " + model);
        for (const findcorpus::TShortcutName& shortcut : findcorpus::StartMenuNames()) {
            const std::string vendor = FFolder + shortcut.Vendor + "\\";
            CreateDirectoryA(vendor.c_str(), nullptr);
            const std::string link = vendor + shortcut.Name + ".lnk";
            if (!CopyFileA(model.c_str(), link.c_str(), TRUE)) throw std::runtime_error("Cannot write " + link);
            FEntries.push_back(StartMenuEntryOf(link, target));
        }
        if (!DeleteFileA(model.c_str())) throw std::runtime_error("Cannot remove " + model);
    } catch (...) {
        Remove();
        throw;
    }
}

TStartMenuShortcuts::~TStartMenuShortcuts() { Remove(); }

void TStartMenuShortcuts::Remove() const {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(FFolder), ignored);
}

}  // namespace startupbench
}  // namespace quorlet
