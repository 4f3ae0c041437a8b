#pragma once
// The button properties dialog's rules, apart from its window: how its
// fields are filled from the button store's working record, when "Resolve
// lnk file" shows and is enabled, when OK is enabled, what the pickers change
// and what OK writes back. The icon file and number go into the working
// record as they change; the caller stores the record only after OK.

#include <cstdint>
#include <string>

#include "base/Platform.h"
#include "launcher/HotKeyText.h"
#include "settings/UBtnSettingXml.h"

namespace quorlet {

// The items of "Window Style" (show commands 0..3) and of the hidden priority list.
extern const char* const WindowStyleItems[4];
extern const char* const PriorityItems[4];

// A stored list value as the list's selection: -1 (none) outside 0..3.
int ListSelection(int32_t stored);

// The hidden hot-key control holds a shortcut as the system's hot-key control
// does: the virtual key in the low byte, HOTKEYF_SHIFT (1), HOTKEYF_CONTROL
// (2) and HOTKEYF_ALT (4) above it. A stored text that names no such shortcut
// (a Win combination among them) gives 0, and 0 gives the empty text.
uint16_t HotKeyControlValue(const std::string& text, const TKeyNameOf& keyName);
std::string HotKeyControlText(uint16_t value, const TKeyNameOf& keyName);

// Whether the path's extension is ".lnk", in exactly that case or in any.
bool HasLinkExtension(const std::string& path, bool exactCase);

// What the dialog's controls hold.
struct TButtonPropertiesFields {
    std::string Command, Parameters, WorkingDir, Description;
    int WindowStyle = -1;  // selection of "Window Style", -1 for none
    int Priority = -1;     // selection of the hidden priority list
    bool EnableReport = true;
    uint16_t HotKey = 0;   // the hidden hot-key control
};

class TButtonPropertiesModel {
public:
    // record: the working record, loaded by the caller with the button's
    // record; analyseLinkFile: whether a shortcut is named as a drop names it
    // with shortcuts analysed.
    TButtonPropertiesModel(IPlatform& platform, TBtnSettingXml& record, TKeyNameOf keyName, bool analyseLinkFile);

    // FormCreate: the fields by the record's BtnStyle, and the rules that run then.
    void Open();

    TButtonPropertiesFields Fields;
    // The edit page shows for a file button and a new one only.
    bool EditPageVisible = true;
    // A new record fills nothing but "Normal" and runs no rule: the button
    // shows as the dialog was drawn, visible and enabled, and OK disabled.
    bool ResolveVisible = true;
    bool ResolveEnabled = true;
    bool OkEnabled = false;

    // The change rule, on every change of "File " or "Work Folder" (Fields
    // holds the new texts).
    void ApplyChangeRule();
    // The resolve-button rule: enabled for a ".lnk" in any case that reads.
    void ApplyResolveRule();
    // "Select target file" chose path.
    void TargetChosen(const std::string& path);
    // "File " was left or filled by the picker: an empty Description takes
    // the name a drop of that path would give, so that no button made by
    // typing a path is left without a name. A Description that holds
    // anything stays, and a path that names nothing fills nothing.
    void DescribeTarget();
    // "Select folder" chose path: taken only when it is an existing folder.
    void FolderChosen(const std::string& path);
    // "Resolve lnk file": the shortcut in "File " replaced by its target.
    // False when it cannot be resolved (the fields stay as they are).
    bool ResolveLink();
    // The icon chooser's OK, with its file and its index counted from 1.
    void IconChosen(const std::string& file, int index);
    const std::string& IconFile() const { return FRecord.IconFile; }
    int32_t IconNumber() const { return FRecord.IconNumber; }

    // OK: Fields into the working record; a record still without an icon
    // file takes its target's icon.
    void Ok();

private:
    IPlatform& FPlatform;
    TBtnSettingXml& FRecord;
    TKeyNameOf FKeyName;
    bool FAnalyseLinkFile;
};

}  // namespace quorlet
