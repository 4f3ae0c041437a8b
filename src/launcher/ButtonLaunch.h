#pragma once
// Starting a button's target through the shell and counting the launch.

#include <cstdint>

#include "base/Platform.h"
#include "settings/UBtnSettingXml.h"

namespace quorlet {

// Hands the target of the store's current record (as ReadButton left it) to
// the shell and counts the launch under id: a program ".exe" starts in its own
// folder when the record names none, a shortcut ".lnk" as a double click on it
// would, a folder opens in Explorer, anything else with the record's values.
// False, and nothing counted, when Command names neither a file nor a folder.
bool LaunchButton(IPlatform& platform, TBtnSettingXml& store, int32_t id);

// Opens the folder of the record under id in Explorer: Command itself when it
// is a folder, else the folder part of Command. False without a record.
bool ExploreButtonPath(IPlatform& platform, TBtnSettingXml& store, int32_t id);

}  // namespace quorlet
