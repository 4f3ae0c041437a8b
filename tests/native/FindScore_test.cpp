// Scoring and ranking of type-to-find: queries against names with the order
// they must come out in, the tie rules, which names of a button are searched,
// and the letters of the code pages.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "launcher/FindScore.h"

using namespace quorlet;

namespace {

using Strings = std::vector<std::string>;

struct TSpec {
    std::string Name;
    int32_t Runs = 0;
    int Recent = 0;
    std::string Command = "";
    std::string Sheet = "";
};

// Buttons 101, 102, ... in the order given, so that a tie left to the
// identifiers keeps that order.
std::vector<TFindItem> Buttons(int codePage, const std::vector<TSpec>& specs) {
    const TFindLetters letters(codePage);
    std::vector<TFindItem> items;
    for (size_t i = 0; i < specs.size(); ++i) {
        TFindItem item;
        item.Name = specs[i].Name;
        item.TotolRunTimes = specs[i].Runs;
        item.RecentRank = specs[i].Recent;
        item.Command = specs[i].Command;
        item.SheetName = specs[i].Sheet;
        item.ButtonId = static_cast<int32_t>(101 + i);
        PrepareFindItem(letters, item);
        items.push_back(item);
    }
    return items;
}

std::vector<TFindMatch> Rank(int codePage, const std::string& query, const std::vector<TFindItem>& items,
                             size_t limit, size_t& total) {
    std::vector<const TFindItem*> pointers;
    for (const TFindItem& item : items) pointers.push_back(&item);
    return RankFindItems(TFindLetters(codePage).Fold(query), pointers, limit, total);
}

// The names of the matching items, best first.
Strings Order(int codePage, const std::string& query, const std::vector<TFindItem>& items) {
    size_t total = 0;
    Strings names;
    for (const TFindMatch& match : Rank(codePage, query, items, 100, total))
        names.push_back(match.Item->Name + (match.Item->Kind == fiStartMenu ? " (Start Menu)" : ""));
    EXPECT_EQ(total, names.size());
    return names;
}

Strings Order(const std::string& query, const Strings& names) {
    std::vector<TSpec> specs;
    for (const std::string& name : names) specs.push_back({name});
    return Order(1252, query, Buttons(1252, specs));
}

}  // namespace

TEST(FindScore, QueriesAgainstNames) {
    // Every case lists the names so that the lower identifier would win each
    // tie the other way: the order comes out of the rule under test.
    struct Case {
        const char* What;
        const char* Query;
        Strings Names;
        Strings Expected;
    } cases[] = {
        {"a word start outweighs letters side by side", "ntp",
         {"Mantis Wallpaper", "Notepad Plus"}, {"Notepad Plus", "Mantis Wallpaper"}},
        {"letters in order with gaps", "ntp", {"Paint", "Notepad++"}, {"Notepad++"}},
        {"word start, then substring, then subsequence", "mo",
         {"Media Organizer", "Gizmo", "Monitor", "Paint"}, {"Monitor", "Gizmo", "Media Organizer"}},
        {"the tier outweighs every bonus", "pad",
         {"Paint And Draw", "Wordpad", "Pad"}, {"Pad", "Wordpad", "Paint And Draw"}},
        {"a case change starts a word", "pad", {"notepad", "NotePad"}, {"NotePad", "notepad"}},
        {"a digit starts a word after a letter, a letter after a digit", "tools",
         {"Wintools", "Win7tools"}, {"Win7tools", "Wintools"}},
        {"a digit inside a number starts nothing", "7", {"Office 2007", "Win7"}, {"Win7", "Office 2007"}},
        {"punctuation and path separators start words", "ed",
         {"Reed", "Tools\\editor", "my-editor", "(edit)"}, {"Tools\\editor", "my-editor", "(edit)", "Reed"}},
        {"letters side by side beat scattered ones", "ntp", {"axnxtxp", "antxp"}, {"antxp", "axnxtxp"}},
        {"more word starts in a subsequence rank first", "vsc",
         {"Visual sourcecode", "Visual Studio Code"}, {"Visual Studio Code", "Visual sourcecode"}},
        {"a query across words", "notepad p", {"Notepad Plus", "Notepad", "Notepad Pro"},
         {"Notepad Plus", "Notepad Pro"}},
        {"blanks count like letters", "e ", {"Note Pad", "Notepad"}, {"Note Pad"}},
        {"case is ignored in query and name", "NOTE", {"notebook", "My Notes"}, {"notebook", "My Notes"}},
        {"an empty query finds nothing", "", {"Notepad", ""}, {}},
        {"a query longer than every name", "notepad plus plus", {"Notepad", "Notepad Plus"}, {}},
        {"an empty name is never found", "a", {"", "a"}, {"a"}},
        {"accents of Western letters are ignored", "cafe",
         {"Bar Caf\xE9", "CAF\xC9 MENU", "Cafeteria"}, {"Bar Caf\xE9", "CAF\xC9 MENU", "Cafeteria"}},
        {"an accented query finds the plain name", "\xE9" "cole", {"Ecole"}, {"Ecole"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(Order(c.Query, c.Names), c.Expected);
    }
}

TEST(FindScore, TiesGoToLaunchesThenTheRecentListThenTheIdentifier) {
    const std::vector<TFindItem> items = Buttons(1252, {
                                                           {"App one", 5, 0},  // 101
                                                           {"App two", 9, 0},  // 102
                                                           {"App three", 5, 3},
                                                           {"App four", 5, 1},
                                                           {"App five", 5, 0},
                                                           {"App six", 0, 2},
                                                       });
    EXPECT_EQ(Order(1252, "app", items), (Strings{"App two", "App four", "App three", "App one", "App five", "App six"}));
    // A better score is never overruled by launches.
    EXPECT_EQ(Order(1252, "six", items), (Strings{"App six"}));
    EXPECT_EQ(Order(1252, "ap", Buttons(1252, {{"Snap", 90}, {"Apps", 1}})), (Strings{"Apps", "Snap"}));
}

TEST(FindScore, SearchesTheDescriptionTheCommandsFileNameAndTheSheetName) {
    const std::vector<TFindItem> items = Buttons(1252, {
        {"Numbers", 0, 0, "C:\\Windows\\System32\\calc.exe", "Tools"},
        {"Calculator", 0, 0, "D:\\Apps\\Calc\\calc-plus.exe", "Tools"},
        {"Solitaire", 50, 0, "C:\\Games\\sol.exe", "Games"},
        {"Game Center", 0, 0, "C:\\Program Files\\GC\\center.exe", "Tools"},
        {"Excel", 0, 0, "C:\\Office\\xl.exe", "Office"},
        {"Notepad", 10, 0, "C:\\Windows\\notepad.exe", "Tools"},
    });
    // The folders of the command are not searched.
    EXPECT_EQ(Order(1252, "calc", items), (Strings{"Numbers", "Calculator"}));
    EXPECT_EQ(Order(1252, "system", items), (Strings{}));
    // A button's own name goes before the name of its sheet, whatever the launches.
    EXPECT_EQ(Order(1252, "gam", items), (Strings{"Game Center", "Solitaire"}));
    EXPECT_EQ(Order(1252, "office", items), (Strings{"Excel"}));
    // The extension of the file name begins no word.
    EXPECT_EQ(Order(1252, "ex", items), (Strings{"Excel", "Solitaire", "Notepad", "Numbers", "Calculator",
                                                 "Game Center"}));
}

TEST(FindScore, ButtonsComeBeforeStartMenuShortcuts) {
    const TFindLetters letters(1252);
    std::vector<TFindItem> items = Buttons(1252, {{"Wordpad"}, {"My Word List"}});
    for (const char* name : {"Word 2016", "Microsoft Word", "Wordpad"}) {
        TFindItem shortcut;
        shortcut.Kind = fiStartMenu;
        shortcut.Name = name;
        shortcut.LinkPath = std::string("C:\\Start Menu\\") + name + ".lnk";
        PrepareFindItem(letters, shortcut);
        items.push_back(shortcut);
    }
    EXPECT_EQ(Order(1252, "word", items),
              (Strings{"Wordpad", "My Word List", "Microsoft Word (Start Menu)", "Word 2016 (Start Menu)",
                       "Wordpad (Start Menu)"}));
}

TEST(FindScore, ShowsTheBestWithinTheLimitAndCountsAll) {
    std::vector<TSpec> specs;
    for (int i = 0; i < 25; ++i) specs.push_back({"Tool " + std::to_string(i), i});
    specs.push_back({"Nothing"});
    const std::vector<TFindItem> items = Buttons(1252, specs);
    size_t total = 0;
    const std::vector<TFindMatch> shown = Rank(1252, "tool", items, 20, total);
    EXPECT_EQ(total, 25u);
    ASSERT_EQ(shown.size(), 20u);
    for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i].Item->TotolRunTimes, static_cast<int32_t>(24 - i));
}

TEST(FindScore, CodePageLetters) {
    struct Case {
        int CodePage;
        const char* Query;
        Strings Names;
        Strings Expected;
    } cases[] = {
        // 1251: блок finds Блокнот; ёлка and елка find each other; и is not й.
        {1251, "\xE1\xEB\xEE\xEA", {"\xD1\xE1\xEB\xEE\xEA", "\xC1\xEB\xEE\xEA\xED\xEE\xF2"},
         {"\xC1\xEB\xEE\xEA\xED\xEE\xF2", "\xD1\xE1\xEB\xEE\xEA"}},
        {1251, "\xC5\xCB\xCA\xC0", {"\xA8\xEB\xEA\xE0"}, {"\xA8\xEB\xEA\xE0"}},
        {1251, "\xB8\xEB\xEA\xE0", {"\xE5\xEB\xEA\xE0"}, {"\xE5\xEB\xEA\xE0"}},
        {1251, "\xEC\xEE\xE8", {"\xCC\xEE\xE9 \xEA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0"}, {}},
        // 1251: the case change in МойКомпьютер starts a word, so ком ranks it first.
        {1251, "\xEA\xEE\xEC", {"\xD1\xF2\xE0\xEA\xEE\xEC", "\xCC\xEE\xE9\xCA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0"},
         {"\xCC\xEE\xE9\xCA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0", "\xD1\xF2\xE0\xEA\xEE\xEC"}},
        // 1250: lodz finds Łódź.
        {1250, "lodz", {"\xA3\xF3" "d\x9F"}, {"\xA3\xF3" "d\x9F"}},
        // The same bytes under 1252 are other letters: no match there.
        {1252, "lodz", {"\xA3\xF3" "d\x9F"}, {}},
        // A code page without a table: A to Z fold, Greek alpha does not.
        {1253, "a\xE1", {"A\xC1", "A\xE1"}, {"A\xE1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.CodePage) + " " + c.Query);
        std::vector<TSpec> specs;
        for (const std::string& name : c.Names) specs.push_back({name});
        EXPECT_EQ(Order(c.CodePage, c.Query, Buttons(c.CodePage, specs)), c.Expected);
    }
}

TEST(FindScore, BonusesOfOneName) {
    const TFindLetters letters(1252);
    struct Case {
        const char* Query;
        const char* Name;
        TFindTier Tier;
        int Bonus;
    } cases[] = {
        {"ntp", "Notepad Plus", ftSubsequence, 2 * kWordStartBonus},
        {"ntp", "Mantis Wallpaper", ftSubsequence, kAdjacentBonus},
        {"not", "Notepad", ftWordStart, kWordStartBonus + 2 * kAdjacentBonus},
        {"pad", "Notepad", ftSubstring, 2 * kAdjacentBonus},
        // The best of several places: the one at a word start.
        {"pad", "padpad Pad", ftWordStart, kWordStartBonus + 2 * kAdjacentBonus},
        {"np", "Note Pad", ftSubsequence, 2 * kWordStartBonus},
        {"x", "Notepad", ftNone, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Query) + " in " + c.Name);
        const TFindScore score = ScoreFindName(c.Query, PrepareFindName(letters, c.Name));
        EXPECT_EQ(score.Tier, c.Tier);
        EXPECT_EQ(score.Bonus, c.Bonus);
    }
}

namespace {

// Every placing of the query's letters in the name, tried one by one.
void BestByTrial(const std::string& query, const TFindName& name, size_t from, size_t letter, int bonus, int last,
                 bool gaps, TFindScore& best) {
    if (letter == query.size()) {
        TFindScore score;
        score.Tier = gaps ? ftSubsequence : name.WordStart[from - query.size()] ? ftWordStart : ftSubstring;
        score.Bonus = bonus;
        if (ScoresBefore(score, best)) best = score;
        return;
    }
    for (size_t j = from; j < name.Folded.size(); ++j) {
        if (name.Folded[j] != query[letter]) continue;
        const bool adjacent = letter > 0 && static_cast<int>(j) == last + 1;
        BestByTrial(query, name, j + 1, letter + 1,
                    bonus + (name.WordStart[j] ? kWordStartBonus : 0) + (adjacent ? kAdjacentBonus : 0),
                    static_cast<int>(j), gaps || (letter > 0 && !adjacent), best);
    }
}

}  // namespace

TEST(FindScore, AgreesWithTryingEveryPlacing) {
    const TFindLetters letters(1252);
    const char alphabet[] = "abAB -1";
    unsigned seed = 12345;
    auto next = [&seed](unsigned n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int round = 0; round < 5000; ++round) {
        std::string name, query;
        for (unsigned i = 0, n = next(11); i < n; ++i) name += alphabet[next(sizeof alphabet - 1)];
        for (unsigned i = 0, n = 1 + next(4); i < n; ++i) query += "ab -"[next(4)];
        const TFindName prepared = PrepareFindName(letters, name);
        TFindScore expected;
        BestByTrial(query, prepared, 0, 0, 0, -1, false, expected);
        const TFindScore score = ScoreFindName(query, prepared);
        SCOPED_TRACE("\"" + query + "\" in \"" + name + "\"");
        ASSERT_EQ(score.Tier, expected.Tier);
        ASSERT_EQ(score.Bonus, expected.Bonus);
    }
}
