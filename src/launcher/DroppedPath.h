#pragma once
// Files, folders and shortcuts dropped from the shell onto a cell of a button
// tab sheet: the record a dropped path makes, and storing it as the cell's
// button.

#include <cstdint>
#include <functional>
#include <string>

#include "base/Platform.h"
#include "settings/UBtnSettingXml.h"

namespace quorlet {

// Sets all twenty-six values of record (BtnStyle .. Day6Week) to the button
// that path makes, counters at zero:
// - a file that is not a shortcut starts itself: Command and IconFile are the
//   path, Description its file name, WindowStyle 1;
// - a shortcut whose target exists, with analyseLinkFile set, is resolved:
//   Command and WorkingDir are the target's and its folder's long paths,
//   Parameters its arguments, Description its own (or the target's file
//   name), IconFile and IconNumber its icon (or the target's first);
// - a shortcut that cannot be read, or any shortcut with analyseLinkFile off,
//   is kept as a plain file;
// - a folder opens itself: Command and IconFile are the path, Description its
//   last name (none for a drive root), WindowStyle 5.
// False, with the record untouched, for a shortcut whose target is gone and
// for a path that is neither a file nor a folder.
bool FillFromPath(IPlatform& platform, bool analyseLinkFile, const std::string& path, TBtnSettingXml& record);

// The Description FillFromPath gives path: a file's name, a resolved
// shortcut's own, a folder's last name. A shortcut whose target is gone,
// which makes no button, is named as the shortcut file it is. Empty for a
// path that is neither a file nor a folder, and for a drive root.
std::string DroppedDescription(IPlatform& platform, bool analyseLinkFile, const std::string& path);

// What a drop stored, for the cell to show.
struct TDroppedButton {
    bool Assigned = false;
    std::string Description;
    int32_t IconNumber = 0;
    std::string IconFile;
};

// Asks the user the question; true for Yes.
using TAskReplace = std::function<bool(const std::string& question)>;

// Makes path the button under id. The settings document is read afresh; when
// it holds a record under id (of any style), askReplace is asked whether the
// path replaces that record's command, and without a Yes nothing changes. When
// the path makes a button (FillFromPath) the record replaces any old one,
// counters at zero, and the document is saved; otherwise nothing is saved.
// The process-wide store, the recent list and the most-used buttons are left
// alone. Errors of the settings file are raised (EXmlError).
TDroppedButton AssignDroppedPath(IPlatform& platform, bool analyseLinkFile, int32_t id, const std::string& path,
                                 const TAskReplace& askReplace);

}  // namespace quorlet
