#pragma once
// The configuration index and the current user's settings document for a copy
// of the program, written through the program's own stores.

#include <string>
#include <vector>

#include "ButtonTargets.h"
#include "launcher/FindSources.h"

namespace quorlet {
namespace startupbench {

constexpr int kTabSheets = 10;
constexpr int kButtonsPerSheet = 20;

// Writes "<exe>.xml" and the settings document beside exeCopy with kTabSheets
// tab sheets whose buttons point at targets (kTabSheets * kButtonsPerSheet of
// them, group by group), reads both back through the stores and returns the
// settings document's path. Throws std::runtime_error (or EXmlError) on failure.
std::string WriteBenchDocuments(const std::string& exeCopy, const std::vector<TButtonTarget>& targets);

// The buttons of the settings document written for exeCopy, as type-to-find
// reads them when a find starts.
TFindButtons ReadBenchFindButtons(const std::string& exeCopy);

}  // namespace startupbench
}  // namespace quorlet
