#include "launcher/FindScore.h"

#include <algorithm>

#include "base/AppPaths.h"

namespace quorlet {

namespace {

const int kNoPlacing = -1000000;

// Two rows of the placing table, kept between names so that ranking many
// names allocates only for the longest.
struct TScratch {
    std::vector<int> Previous, Current;
};

int PieceBonus(const TFindName& name, size_t start, size_t length) {
    int bonus = static_cast<int>(length - 1) * kAdjacentBonus;
    for (size_t i = start; i < start + length; ++i)
        if (name.WordStart[i]) bonus += kWordStartBonus;
    return bonus;
}

bool IsSubsequence(const std::string& query, const std::string& text) {
    size_t q = 0;
    for (size_t i = 0; i < text.size() && q < query.size(); ++i)
        if (text[i] == query[q]) ++q;
    return q == query.size();
}

// The best bonus over every placing of the query's letters in order. Row q of
// the table holds, for each position j of the name, the best bonus of the
// first q + 1 letters with the last of them at j.
int BestPlacingBonus(const std::string& query, const TFindName& name, TScratch& scratch) {
    const std::string& text = name.Folded;
    const size_t n = text.size();
    std::vector<int>& previous = scratch.Previous;
    std::vector<int>& current = scratch.Current;
    previous.assign(n, kNoPlacing);
    current.assign(n, kNoPlacing);
    for (size_t j = 0; j < n; ++j)
        if (text[j] == query[0]) previous[j] = name.WordStart[j] ? kWordStartBonus : 0;
    for (size_t q = 1; q < query.size(); ++q) {
        int bestEarlier = kNoPlacing;  // the best of previous[0 .. j - 2]
        for (size_t j = 0; j < n; ++j) {
            if (j >= 2) bestEarlier = std::max(bestEarlier, previous[j - 2]);
            current[j] = kNoPlacing;
            if (j == 0 || text[j] != query[q]) continue;
            const int before = std::max(bestEarlier, previous[j - 1] == kNoPlacing
                                                         ? kNoPlacing
                                                         : previous[j - 1] + kAdjacentBonus);
            if (before == kNoPlacing) continue;
            current[j] = before + (name.WordStart[j] ? kWordStartBonus : 0);
        }
        previous.swap(current);
    }
    return *std::max_element(previous.begin(), previous.end());
}

TFindScore ScoreName(const std::string& query, const TFindName& name, TScratch& scratch) {
    TFindScore score;
    if (query.empty() || query.size() > name.Folded.size()) return score;
    for (size_t at = name.Folded.find(query); at != std::string::npos; at = name.Folded.find(query, at + 1)) {
        TFindScore piece;
        piece.Tier = name.WordStart[at] ? ftWordStart : ftSubstring;
        piece.Bonus = PieceBonus(name, at, query.size());
        if (ScoresBefore(piece, score)) score = piece;
    }
    if (score.Tier != ftNone || !IsSubsequence(query, name.Folded)) return score;
    score.Tier = ftSubsequence;
    score.Bonus = BestPlacingBonus(query, name, scratch);
    return score;
}

TFindScore ScoreItem(const std::string& query, const TFindItem& item, TScratch& scratch) {
    TFindScore own = ScoreName(query, item.Searched[0], scratch);
    if (item.Kind != fiButton) return own;
    const TFindScore file = ScoreName(query, item.Searched[1], scratch);
    if (ScoresBefore(file, own)) own = file;
    TFindScore sheet = ScoreName(query, item.Searched[2], scratch);
    sheet.OwnName = false;
    return ScoresBefore(sheet, own) ? sheet : own;
}

// 1 the most recent place, then later places, and last no place at all.
unsigned RecentOrder(int recentRank) { return recentRank > 0 ? static_cast<unsigned>(recentRank) : ~0u; }

}  // namespace

TFindName PrepareFindName(const TFindLetters& letters, const std::string& name) {
    TFindName prepared;
    prepared.Folded = letters.Fold(name);
    prepared.WordStart.resize(name.size());
    for (size_t i = 0; i < name.size(); ++i) prepared.WordStart[i] = letters.IsWordStart(name, i) ? 1 : 0;
    return prepared;
}

TFindName PrepareFindFileName(const TFindLetters& letters, const std::string& fileName) {
    TFindName prepared = PrepareFindName(letters, fileName);
    const size_t dot = fileName.rfind('.');
    if (dot != std::string::npos && dot > 0 && dot + 1 < fileName.size()) prepared.WordStart[dot + 1] = 0;
    return prepared;
}

bool ScoresBefore(const TFindScore& a, const TFindScore& b) {
    if (a.Tier != b.Tier) return a.Tier > b.Tier;
    if (a.OwnName != b.OwnName) return a.OwnName;
    return a.Bonus > b.Bonus;
}

TFindScore ScoreFindName(const std::string& foldedQuery, const TFindName& name) {
    TScratch scratch;
    return ScoreName(foldedQuery, name, scratch);
}

void PrepareFindItem(const TFindLetters& letters, TFindItem& item) {
    item.Searched[0] = PrepareFindName(letters, item.Name);
    item.Searched[1] = PrepareFindFileName(letters, ExtractFileName(item.Command));
    item.Searched[2] = PrepareFindName(letters, item.SheetName);
}

TFindScore ScoreFindItem(const std::string& foldedQuery, const TFindItem& item) {
    TScratch scratch;
    return ScoreItem(foldedQuery, item, scratch);
}

bool FindsBefore(const TFindMatch& a, const TFindMatch& b) {
    const TFindItem& x = *a.Item;
    const TFindItem& y = *b.Item;
    if (x.Kind != y.Kind) return x.Kind == fiButton;
    if (ScoresBefore(a.Score, b.Score)) return true;
    if (ScoresBefore(b.Score, a.Score)) return false;
    if (x.Kind == fiButton) {
        if (x.TotolRunTimes != y.TotolRunTimes) return x.TotolRunTimes > y.TotolRunTimes;
        if (RecentOrder(x.RecentRank) != RecentOrder(y.RecentRank))
            return RecentOrder(x.RecentRank) < RecentOrder(y.RecentRank);
        return x.ButtonId < y.ButtonId;
    }
    if (x.Searched[0].Folded != y.Searched[0].Folded) return x.Searched[0].Folded < y.Searched[0].Folded;
    return x.LinkPath < y.LinkPath;
}

std::vector<TFindMatch> RankFindItems(const std::string& foldedQuery, const std::vector<const TFindItem*>& items,
                                      size_t limit, size_t& total) {
    std::vector<TFindMatch> matches;
    TScratch scratch;
    for (const TFindItem* item : items) {
        const TFindScore score = ScoreItem(foldedQuery, *item, scratch);
        if (score.Tier != ftNone) matches.push_back({item, score});
    }
    total = matches.size();
    const size_t shown = std::min(limit, matches.size());
    std::partial_sort(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(shown), matches.end(),
                      FindsBefore);
    matches.resize(shown);
    return matches;
}

}  // namespace quorlet
