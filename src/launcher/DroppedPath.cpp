#include "launcher/DroppedPath.h"

#include "base/AppPaths.h"
#include "base/TextCompare.h"
#include "shell/ShellLinker.h"

namespace quorlet {

namespace {

// The values that tell one dropped path's button from another's.
struct TDropValues {
    std::string IconFile;
    int32_t IconNumber = 0;
    std::string Command, Parameters, WorkingDir, Description;
    int32_t WindowStyle = swShowNormal;
};

// The path starts itself: a file, or a shortcut taken as it is.
TDropValues PlainFileValues(const std::string& path) {
    TDropValues values;
    values.Command = path;
    values.IconFile = path;
    values.Description = ExtractFileName(path);
    return values;
}

void Store(const TDropValues& values, TBtnSettingXml& record) {
    record.Empty = false;
    record.BtnStyle = 0;
    record.IconFile = values.IconFile;
    record.IconNumber = values.IconNumber;
    record.Command = values.Command;
    record.Parameters = values.Parameters;
    record.WorkingDir = values.WorkingDir;
    record.Description = values.Description;
    record.HotKey.clear();
    record.WindowStyle = values.WindowStyle;
    record.Priority = 0;
    record.IgnoreRunTimes = false;
    record.TotolRunTimes = 0;
    for (int day = 0; day < 7; ++day) {
        record.DayCount(day) = 0;
        record.DayWeek(day) = 0;
    }
}

std::string ReplaceQuestion(const std::string& path, const std::string& command) {
    return "Use the:\r\n\r\n" + path + "\r\n\r\nReplace the exists icon:\r\n\r\n" + command + " ?";
}

// The values path makes; false when it makes no button. A shortcut whose
// target is gone keeps the values of the plain file it is.
bool DropValuesOf(IPlatform& platform, bool analyseLinkFile, const std::string& path, TDropValues& values) {
    if (platform.FileExists(path)) {
        values = PlainFileValues(path);
        if (analyseLinkFile && SameText(ExtractFileExt(path), ".lnk")) {
            TLinkButtonFields link;
            if (ResolveLinkFields(platform, path, link)) {
                values.Command = link.Command;
                values.Parameters = link.Parameters;
                values.WorkingDir = link.WorkingDir;
                values.Description = link.Description;
                values.IconFile = link.IconFile;
                values.IconNumber = link.IconNumber;
            } else {
                // A shortcut that reads but whose target is gone makes no
                // button; one that does not read is kept as a plain file.
                TLinkInfo info;
                if (ReadLink(platform, path, info)) return false;
            }
        }
        return true;
    }
    if (platform.DirectoryExists(path)) {
        values.Command = path;
        values.IconFile = path;
        values.Description = ExtractFileName(path);
        values.WindowStyle = swShow;
        return true;
    }
    return false;
}

}  // namespace

bool FillFromPath(IPlatform& platform, bool analyseLinkFile, const std::string& path, TBtnSettingXml& record) {
    TDropValues values;
    if (!DropValuesOf(platform, analyseLinkFile, path, values)) return false;
    Store(values, record);
    return true;
}

std::string DroppedDescription(IPlatform& platform, bool analyseLinkFile, const std::string& path) {
    TDropValues values;
    DropValuesOf(platform, analyseLinkFile, path, values);
    return values.Description;
}

TDroppedButton AssignDroppedPath(IPlatform& platform, bool analyseLinkFile, int32_t id, const std::string& path,
                                 const TAskReplace& askReplace) {
    TDroppedButton dropped;
    // A store of its own: the process-wide one keeps the record it holds.
    TBtnSettingXml store(platform);
    store.ReadButton(id);
    if (!store.Empty && !askReplace(ReplaceQuestion(path, store.Command))) return dropped;
    if (!FillFromPath(platform, analyseLinkFile, path, store)) return dropped;
    // The old element goes and the new record, counters at zero, takes its id.
    store.WriteButton(id);
    dropped.Assigned = true;
    dropped.Description = store.Description;
    dropped.IconNumber = store.IconNumber;
    dropped.IconFile = store.IconFile;
    return dropped;
}

}  // namespace quorlet
