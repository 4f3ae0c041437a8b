#pragma once
// A copy of Quorlet.exe in a temporary folder of its own with the benchmarks'
// settings document: 10 tab sheets of 20 buttons pointing at real files of
// the system (BenchDocuments.h), removed with the folder.

#include <string>
#include <vector>

#include "ButtonTargets.h"
#include "ProgramFolder.h"
#include "StartupTimer.h"

namespace quorlet {
namespace startupbench {

struct TQuorletWithDocument {
    // Throws std::runtime_error when the folder or the document cannot be made.
    explicit TQuorletWithDocument(const std::string& quorletExe);
    const TProgramFolder Folder;
    const TProgramUnderTest Program;
    TTargetFiles Files;
    std::vector<TButtonTarget> Targets;
    std::string SettingsFile;
};

}  // namespace startupbench
}  // namespace quorlet
