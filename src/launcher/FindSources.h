#pragma once
// What type-to-find searches: the button records of the loaded settings
// document, on every tab sheet whether or not its page has been built, and
// the shortcuts of the Start Menu.

#include <cstdint>
#include <string>
#include <vector>

#include "launcher/FindScore.h"
#include "settings/XmlDoc.h"

namespace quorlet {

// The buttons of the settings document, as a find needs them.
struct TFindButtons {
    // The launch buttons (BtnStyle 0) on existing tab sheets, in the order of
    // the document, their searched names not yet prepared.
    std::vector<TFindItem> Items;
    // The identifiers that hold a record of any style on an existing tab
    // sheet, ascending: the cells that are not empty.
    std::vector<int32_t> OccupiedIds;
    // The tab sheet names: sheet k (page k) is entry k - 1.
    std::vector<std::string> SheetNames;
};

// Reads the buttons from doc (the button store's ButtonDoc as last loaded, or
// any settings document) without changing it or any store's record.
// groupNames are the tab sheet names (GroupNames); a record under an
// identifier whose tab sheet does not exist, or whose position is not 1..20,
// is left out, and so is every record after the first under one identifier,
// as the cells show only the first. recentButtons is the recent list
// (RecentButtons), most recent first. No document, or no `Buttons` section,
// gives no buttons; a record whose identifier is not a number is skipped.
// Errors of the XML layer in a record's values (EXmlError) reach the caller.
TFindButtons FindButtonsOf(const XmlDocumentPtr& doc, const std::vector<std::string>& groupNames,
                           const std::vector<std::string>& recentButtons);

// A shortcut of the Start Menu's Programs folders.
struct TStartMenuEntry {
    std::string Name;      // what the find shows and searches
    std::string LinkPath;  // the .lnk file
    // The shortcut's target when the reader took it from the file, else empty.
    // A button made by dropping the shortcut holds the target as its Command.
    std::string Target{};
    // The shortcut's own icon as a button made by dropping it would show it
    // (its icon location and index), when the reader took them from the file;
    // else empty, and the shell's icon of the shortcut file is shown.
    std::string IconFile{};
    int32_t IconNumber = 0;
};

// The entry of a shortcut file: its file name without the extension is its name.
TStartMenuEntry StartMenuEntryOf(const std::string& linkPath, const std::string& target = std::string());

// The find item of a Start Menu entry, its searched names not yet prepared.
TFindItem StartMenuItemOf(const TStartMenuEntry& entry);

}  // namespace quorlet
