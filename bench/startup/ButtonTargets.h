#pragma once
// The files the benchmark's buttons point at: real files of the running
// system, each checked to give the icon the button asks for.

#include <string>
#include <vector>

namespace quorlet {
namespace startupbench {

struct TButtonTarget {
    std::string File;
    int IconNumber = 0;  // 0 the shell's icon for the file, k >= 1 the k-th icon stored in it
};

struct TTargetFiles {
    std::vector<std::string> ShellIconFiles;  // programs, libraries, documents and folders
    std::vector<std::string> IconFiles;       // files that store icons
    std::vector<int> IconCounts;              // icons stored in IconFiles[i]
};

// Looks for the candidate files in the Windows and system folders and keeps
// those whose icons load; extraFiles (a document, folders) join the shell-icon
// files when the shell gives them an icon. Throws std::runtime_error when
// either list stays empty.
TTargetFiles FindTargetFiles(const std::vector<std::string>& extraFiles);

// count targets, alternating between a shell icon and an icon extracted from a
// file, each list used in turn.
std::vector<TButtonTarget> ButtonTargets(const TTargetFiles& files, int count);

}  // namespace startupbench
}  // namespace quorlet
