#include "launcher/ButtonProperties.h"

#include "base/AppPaths.h"
#include "base/TextCompare.h"
#include "launcher/DroppedPath.h"
#include "shell/ShellLinker.h"

namespace quorlet {

const char* const WindowStyleItems[4] = {"Hide", "Normal", "Minimized", "Maximized"};
const char* const PriorityItems[4] = {"Normal", "Lower", "high", ""};

namespace {

// The hot-key control's modifier flags.
const uint16_t kControlShift = 0x01, kControlCtrl = 0x02, kControlAlt = 0x04;

// The path without its final separator, except where that separator is the
// root ("C:\" stays, or it would mean the current folder of C:).
std::string WithoutFinalSeparator(std::string path) {
    if (path.size() > 1 && (path.back() == '\\' || path.back() == '/') && path[path.size() - 2] != ':')
        path.pop_back();
    return path;
}

std::string FolderOf(const std::string& file) { return WithoutFinalSeparator(ExtractFilePath(file)); }

}  // namespace

int ListSelection(int32_t stored) { return stored >= 0 && stored <= 3 ? stored : -1; }

uint16_t HotKeyControlValue(const std::string& text, const TKeyNameOf& keyName) {
    const uint32_t code = ParseHotKeyText(text, keyName);
    const uint32_t key = HotKeyVirtualKey(code), modifiers = HotKeyModifiers(code);
    if (code == 0 || key > 0xFF || (modifiers & hkWin)) return 0;
    uint16_t flags = 0;
    if (modifiers & hkShift) flags |= kControlShift;
    if (modifiers & hkCtrl) flags |= kControlCtrl;
    if (modifiers & hkAlt) flags |= kControlAlt;
    return static_cast<uint16_t>(key | flags << 8);
}

std::string HotKeyControlText(uint16_t value, const TKeyNameOf& keyName) {
    const uint32_t key = value & 0xFF, flags = value >> 8;
    if (key == 0) return std::string();
    uint32_t modifiers = 0;
    if (flags & kControlShift) modifiers |= hkShift;
    if (flags & kControlCtrl) modifiers |= hkCtrl;
    if (flags & kControlAlt) modifiers |= hkAlt;
    return HotKeyText(HotKeyCode(key, modifiers), keyName);
}

bool HasLinkExtension(const std::string& path, bool exactCase) {
    const std::string extension = ExtractFileExt(path);
    return exactCase ? extension == ".lnk" : SameText(extension, ".lnk");
}

TButtonPropertiesModel::TButtonPropertiesModel(IPlatform& platform, TBtnSettingXml& record, TKeyNameOf keyName,
                                               bool analyseLinkFile)
    : FPlatform(platform), FRecord(record), FKeyName(std::move(keyName)), FAnalyseLinkFile(analyseLinkFile) {}

void TButtonPropertiesModel::Open() {
    Fields = TButtonPropertiesFields();
    if (FRecord.BtnStyle == -1) {
        FRecord.IconFile.clear();
        FRecord.IconNumber = 0;
        // A list left without a selection would store -1, which starts the
        // program with its window never shown.
        Fields.WindowStyle = swShowNormal;
        return;
    }
    if (FRecord.BtnStyle == 0) {
        Fields.Command = FRecord.Command;
        Fields.Parameters = FRecord.Parameters;
        Fields.WorkingDir = FRecord.WorkingDir;
        Fields.Description = FRecord.Description;
        Fields.HotKey = HotKeyControlValue(FRecord.HotKey, FKeyName);
        Fields.WindowStyle = ListSelection(FRecord.WindowStyle);
        Fields.Priority = ListSelection(FRecord.Priority);
        Fields.EnableReport = !FRecord.IgnoreRunTimes;
        // Filling the two fields fires the change rule.
        ApplyChangeRule();
    } else {
        EditPageVisible = false;
    }
    ApplyResolveRule();
}

void TButtonPropertiesModel::ApplyChangeRule() {
    const std::string& command = Fields.Command;
    const bool fileExists = !command.empty() && FPlatform.FileExists(command);
    ResolveVisible = fileExists && HasLinkExtension(command, true);
    const bool targetExists = fileExists || (!command.empty() && FPlatform.DirectoryExists(command));
    OkEnabled = targetExists && (Fields.WorkingDir.empty() || FPlatform.DirectoryExists(Fields.WorkingDir));
}

void TButtonPropertiesModel::ApplyResolveRule() {
    TLinkInfo info;
    ResolveEnabled = !Fields.Command.empty() && HasLinkExtension(Fields.Command, false) &&
                     ReadLink(FPlatform, Fields.Command, info);
}

void TButtonPropertiesModel::TargetChosen(const std::string& path) {
    Fields.Command = path;
    Fields.Description = ExtractFileName(path);
    if (Fields.WorkingDir.empty()) Fields.WorkingDir = FolderOf(path);
    FRecord.IconFile = path;
    FRecord.IconNumber = 0;
    ApplyChangeRule();
}

void TButtonPropertiesModel::DescribeTarget() {
    if (!Fields.Description.empty() || Fields.Command.empty()) return;
    // A folder typed with a final separator is the folder a drop hands over without it.
    Fields.Description = DroppedDescription(FPlatform, FAnalyseLinkFile, WithoutFinalSeparator(Fields.Command));
}

void TButtonPropertiesModel::FolderChosen(const std::string& path) {
    if (path.empty() || !FPlatform.DirectoryExists(path)) return;
    Fields.WorkingDir = path;
    ApplyChangeRule();
}

bool TButtonPropertiesModel::ResolveLink() {
    TLinkButtonFields link;
    const bool resolved = ResolveLinkFields(FPlatform, Fields.Command, link);
    if (resolved) {
        Fields.Command = link.Command;
        Fields.Parameters = link.Parameters;
        Fields.WorkingDir = link.WorkingDir;
        Fields.Description = link.Description;
        // Normal, Minimized or Maximized.
        Fields.WindowStyle = link.ShowState + 1;
        FRecord.IconFile = link.IconFile;
        FRecord.IconNumber = link.IconNumber;
        ApplyChangeRule();
    }
    ApplyResolveRule();
    return resolved;
}

void TButtonPropertiesModel::IconChosen(const std::string& file, int index) {
    FRecord.IconFile = file;
    FRecord.IconNumber = index - 1;
}

void TButtonPropertiesModel::Ok() {
    // The one page is the file button's.
    if (FRecord.BtnStyle == -1) FRecord.BtnStyle = 0;
    if (FRecord.BtnStyle != 0) return;
    FRecord.Command = Fields.Command;
    FRecord.Parameters = Fields.Parameters;
    FRecord.WorkingDir = Fields.WorkingDir;
    FRecord.Description = Fields.Description;
    FRecord.HotKey = HotKeyControlText(Fields.HotKey, FKeyName);
    FRecord.WindowStyle = ListSelection(Fields.WindowStyle);
    FRecord.Priority = ListSelection(Fields.Priority);
    FRecord.IgnoreRunTimes = !Fields.EnableReport;
    // A target typed by hand names no icon file: the button shows its
    // target's icon rather than none.
    if (FRecord.IconFile.empty()) {
        FRecord.IconFile = FRecord.Command;
        FRecord.IconNumber = 0;
    }
}

}  // namespace quorlet
