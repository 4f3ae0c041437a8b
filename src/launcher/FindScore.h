#pragma once
// Scoring and ranking of type-to-find: how well a query matches a name, and
// the order in which the matching buttons and Start Menu shortcuts are shown.
//
// A query matches a name, case and accents ignored (TFindLetters), in one of
// three tiers, best first:
//   1. at the start of a word ("pad" in "Notepad Plus" does not, "plu" does);
//   2. anywhere, as one piece ("pad" in "Notepad");
//   3. its letters in order with gaps between them ("ntp" in "Notepad++").
// Within a tier, each matched letter that begins a word earns kWordStartBonus
// and each matched letter right after the previous one kAdjacentBonus; a
// word start weighs more, so "ntp" puts "Notepad Plus" (N, P at word starts)
// before "Mantis Wallpaper" (n, t side by side). The third tier takes the
// best placing of the letters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/FindLetters.h"

namespace quorlet {

constexpr int kWordStartBonus = 3;
constexpr int kAdjacentBonus = 2;

// A name made ready for matching: folded, with its word starts marked.
struct TFindName {
    std::string Folded;
    std::vector<unsigned char> WordStart;  // one flag per byte of Folded
};

TFindName PrepareFindName(const TFindLetters& letters, const std::string& name);
// A file name: as a name, except that its extension does not begin a word, so
// that "ex" finds "Excel" at a word start but "notepad.exe" only inside.
TFindName PrepareFindFileName(const TFindLetters& letters, const std::string& fileName);

enum TFindTier { ftNone, ftSubsequence, ftSubstring, ftWordStart };

struct TFindScore {
    TFindTier Tier = ftNone;
    int Bonus = 0;
    // For a button: the match is in its own names (description, file name),
    // not only in the name of its tab sheet.
    bool OwnName = true;
};

// foldedQuery must have been folded with the letters the name was prepared
// with. An empty query matches nothing.
TFindScore ScoreFindName(const std::string& foldedQuery, const TFindName& name);

// Whether score a ranks before score b: the higher tier, then a button's own
// name before its sheet's name, then the larger bonus. False for equal scores.
bool ScoresBefore(const TFindScore& a, const TFindScore& b);

enum TFindItemKind { fiButton, fiStartMenu };

// One thing a find can show: a button record or a Start Menu shortcut.
struct TFindItem {
    TFindItemKind Kind = fiButton;
    // What it is called: a button's Description, a shortcut's name.
    std::string Name;

    // A button: its identifier, the record's values the window shows and
    // searches, the name of its tab sheet, its launch count and its place in
    // the recent list (1 the most recent, 0 not in it).
    int32_t ButtonId = 0;
    std::string HotKey;
    std::string Command;
    std::string IconFile;
    int32_t IconNumber = 0;
    std::string SheetName;
    int32_t TotolRunTimes = 0;
    int RecentRank = 0;

    // A Start Menu shortcut: the path of its .lnk file, and its target when known.
    std::string LinkPath;
    std::string Target;

    // Filled by PrepareFindItem: Name, the file name of Command, SheetName.
    TFindName Searched[3];
};

// Prepares the searched names of an item. Call it again after changing them.
void PrepareFindItem(const TFindLetters& letters, TFindItem& item);

// The best match of the query in the item's names (all buttons' names
// prepared before): a match in its own names goes before one in its sheet's
// name of the same tier.
TFindScore ScoreFindItem(const std::string& foldedQuery, const TFindItem& item);

struct TFindMatch {
    const TFindItem* Item = nullptr;
    TFindScore Score;
};

// Whether a shows before b. Buttons come before Start Menu shortcuts; then the
// better score (ScoresBefore). Equal buttons: the more launches
// (TotolRunTimes), then the more recent (a place in the recent list, the
// earlier the better), then the lower identifier. Equal shortcuts: by folded
// name, then by path.
bool FindsBefore(const TFindMatch& a, const TFindMatch& b);

// The items that match the query, best first (FindsBefore), at most limit of
// them; total receives how many matched in all. items may mix both kinds.
std::vector<TFindMatch> RankFindItems(const std::string& foldedQuery, const std::vector<const TFindItem*>& items,
                                      size_t limit, size_t& total);

}  // namespace quorlet
