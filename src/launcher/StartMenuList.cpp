#include "launcher/StartMenuList.h"

#include <algorithm>
#include <set>

#include "base/AppPaths.h"
#include "base/TextCompare.h"

namespace quorlet {

namespace {

std::string LowerAscii(std::string text) {
    for (char& c : text) c = AsciiLower(c);
    return text;
}

}  // namespace

bool IsShortcutFileName(const std::string& fileName) {
    // ".lnk" alone would be a shortcut without a name to find it by.
    return SameText(ExtractFileExt(fileName), ".lnk") && ExtractFileName(fileName).size() > 4;
}

std::vector<TStartMenuEntry> MergeStartMenuShortcuts(const std::vector<TFoundShortcut>& user,
                                                     const std::vector<TFoundShortcut>& common) {
    std::vector<TStartMenuEntry> entries;
    entries.reserve(user.size() + common.size());
    std::set<std::string> userPaths;
    for (const TFoundShortcut& found : user) {
        userPaths.insert(LowerAscii(found.RelativePath));
        entries.push_back(StartMenuEntryOf(found.LinkPath));
    }
    for (const TFoundShortcut& found : common)
        if (userPaths.count(LowerAscii(found.RelativePath)) == 0) entries.push_back(StartMenuEntryOf(found.LinkPath));
    // The key of each entry made once: the order by name, then by path, as
    // the file system compares them; byte order settles what they leave equal.
    struct TKeyed {
        std::string Name, Path;
        TStartMenuEntry Entry;
    };
    std::vector<TKeyed> keyed;
    keyed.reserve(entries.size());
    for (TStartMenuEntry& entry : entries)
        keyed.push_back({LowerAscii(entry.Name), LowerAscii(entry.LinkPath), std::move(entry)});
    std::sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) {
        if (a.Name != b.Name) return a.Name < b.Name;
        if (a.Path != b.Path) return a.Path < b.Path;
        return a.Entry.LinkPath < b.Entry.LinkPath;
    });
    entries.clear();
    for (TKeyed& item : keyed) entries.push_back(std::move(item.Entry));
    return entries;
}

}  // namespace quorlet
