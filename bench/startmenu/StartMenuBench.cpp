// Reading the Start Menu for type-to-find, under Wine or on Windows: 500
// shortcuts in two Programs folders of nested groups (300 the user's, 200
// shared), read as the worker reads them. Timed apart: listing the files with
// their names (the folders walked, merged and sorted), reading the targets of
// all 500 through the shell link object, and the whole reading. The first
// round is shown apart, as it loads the shell link object's code.
//
//   startmenu_bench [rounds]
//
// Figures are milliseconds, the median over the rounds after the first.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "../startup/ModalTiming.h"
#include "../startup/ProgramFolder.h"
#include "app/StartMenuScan.h"
#include "platform/Win32Platform.h"
#include "shell/LinkCreateInfo.h"
#include "win32/ComPtr.h"

using namespace quorlet;
using namespace quorlet::startupbench;

namespace {

const int kUserShortcuts = 300;
const int kCommonShortcuts = 200;

// Copies of one shortcut in groups of ten, each group a folder, as installers
// make them.
void CopyShortcuts(const std::string& shortcut, const TProgramFolder& root, const std::string& folderName,
                   int count) {
    const std::string folder = root.File(folderName + "\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        // Named after their folder: a shared shortcut of the user's place would be left out.
        const std::string group = folder + folderName + " Vendor " + std::to_string(i / 10) + "\\";
        CreateDirectoryA(group.c_str(), nullptr);
        const std::string link = group + "Program " + std::to_string(i) + ".lnk";
        if (!CopyFileA(shortcut.c_str(), link.c_str(), FALSE)) throw std::runtime_error("Cannot write " + link);
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const int rounds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 11;
        TWin32Platform platform(GetModuleHandleA(nullptr));
        TProgramFolder root("quorlet-startmenu-bench-");
        const std::string target = root.WriteText("program.exe", "x");
        TLinkCreateInfo info = {};
        AssignLinkField(info.Path, target);
        AssignLinkField(info.WorkingDir, root.Path());
        info.ShowCmd = swShowNormal;
        const std::string shortcut = root.File("Program.lnk");
        if (!platform.SaveShellLink(info, shortcut)) throw std::runtime_error("Cannot write " + shortcut);
        CopyShortcuts(shortcut, root, "User", kUserShortcuts);
        CopyShortcuts(shortcut, root, "Common", kCommonShortcuts);

        const TStartMenuFolders folders = {root.File("User\\"), root.File("Common\\")};
        const std::atomic<bool> running{false};
        std::vector<double> listing, targets, whole;
        for (int round = 0; round < rounds; ++round) {
            // The worker's COM, open while it reads.
            TComApartment apartment;
            double start = NowMs();
            std::vector<TStartMenuEntry> entries = MergeStartMenuShortcuts(FindShortcutFiles(folders.User, running),
                                                                           FindShortcutFiles(folders.Common, running));
            listing.push_back(NowMs() - start);
            start = NowMs();
            ReadShortcutTargets(platform, entries, running);
            targets.push_back(NowMs() - start);
            size_t withTarget = 0;
            for (const TStartMenuEntry& entry : entries) withTarget += entry.Target == target;
            start = NowMs();
            const std::vector<TStartMenuEntry> read = ReadStartMenu(platform, folders, running);
            whole.push_back(NowMs() - start);
            if (entries.size() != kUserShortcuts + kCommonShortcuts || withTarget != entries.size() ||
                read.size() != entries.size())
                throw std::runtime_error("Of " + std::to_string(kUserShortcuts + kCommonShortcuts) + " shortcuts " +
                                         std::to_string(entries.size()) + " were found, " +
                                         std::to_string(withTarget) + " with their target " + target + " (first: " +
                                         (entries.empty() ? std::string() : entries[0].Target) + "), and " +
                                         std::to_string(read.size()) + " in a whole reading");
            if (round == 0)
                std::printf("First round: names %.1f ms, targets %.1f ms, whole reading %.1f ms\n", listing[0],
                            targets[0], whole[0]);
        }
        listing.erase(listing.begin());
        targets.erase(targets.begin());
        whole.erase(whole.begin());
        std::printf("Median of %d rounds: names %.1f ms, targets %.1f ms (%.3f ms a shortcut), whole reading %.1f ms\n",
                    rounds - 1, Median(listing), Median(targets),
                    Median(targets) / (kUserShortcuts + kCommonShortcuts), Median(whole));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "startmenu_bench: %s\n", e.what());
        return 1;
    }
}
