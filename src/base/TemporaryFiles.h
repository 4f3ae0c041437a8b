#pragma once
// The temporary files a save writes beside its target before it replaces the
// target with them: "<target>.<process>-<tick>.tmp". A save that is cut short
// (the process killed, the machine off) leaves one behind, as large as the
// document; the process number tells whether its save can still be under way.

#include <string>

namespace quorlet {

// The temporary file's path for a save of target by a process at a tick.
std::string TemporaryFileName(const std::string& target, unsigned long processId, unsigned long tick);

// Whether candidateName (a file name without its folder) is a temporary file
// of a save of the file named targetName (without its folder; letter case
// ignored as Windows does); processId gets the saving process.
bool IsTemporaryFileOf(const std::string& targetName, const std::string& candidateName, unsigned long& processId);

}  // namespace quorlet
