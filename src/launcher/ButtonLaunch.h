#pragma once
// Starting a button's target through the shell and counting the launch.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "base/Platform.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

namespace quorlet {

// What became of a launch.
struct TLaunchOutcome {
    // The shell started the target and the launch was counted.
    bool Launched = false;
    // Set when the target exists but nothing was started: "Cannot start
    // <Command>: <reason>", for the user. Empty for a missing target, which
    // is passed over in silence.
    std::string Failure;
};

// Hands the target of the store's current record (as ReadButton left it) to
// the shell and counts the launch under id: a program ".exe" starts in its own
// folder when the record names none, a shortcut ".lnk" as a double click on it
// would, a folder opens in Explorer, anything else with the record's values.
// Nothing is counted when Command names neither a file nor a folder, nor when
// the shell refuses the target or it is a shortcut to a shortcut. alsoWrite
// rides along in the counters' save (see TBtnSettingXml::IncRunTimes).
TLaunchOutcome LaunchButton(IPlatform& platform, TBtnSettingXml& store, int32_t id,
                            const TDocumentEdit& alsoWrite = nullptr);

// A click on a cell of a tab sheet, after ReadButton: LaunchButton, and the
// button to the front of the recent list whatever came of the launch. A
// counted launch writes its counters and the list in one save, so the click
// reads the document once (ReadButton) and writes it once; otherwise the list
// is saved by itself.
TLaunchOutcome LaunchSheetButton(IPlatform& platform, TBtnSettingXml& store, TAppSettingXml& settings,
                                 int32_t id);

// The error a click that started nothing ends with, shown by the error
// boundary; nothing when the launch started or its target is missing.
class ELaunchError : public std::runtime_error {
public:
    explicit ELaunchError(const std::string& message) : std::runtime_error(message) {}
};
void RaiseLaunchFailure(const TLaunchOutcome& outcome);

// Opens the folder of the record under id in Explorer: Command itself when it
// is a folder, else the folder part of Command. False without a record.
bool ExploreButtonPath(IPlatform& platform, TBtnSettingXml& store, int32_t id);

}  // namespace quorlet
