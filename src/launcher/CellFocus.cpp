#include "launcher/CellFocus.h"

#include <algorithm>
#include <cstdlib>

namespace quorlet {

namespace {

// The shown cells in reading order.
std::vector<int> ReadingOrder(const std::vector<TCellPlace>& places) {
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(places.size()); ++i)
        if (places[i].Visible) order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return places[a].Top != places[b].Top ? places[a].Top < places[b].Top : places[a].Left < places[b].Left;
    });
    return order;
}

// The cell of the next row up (step -1) or down (step 1) nearest column left.
int OtherRow(const std::vector<TCellPlace>& places, const std::vector<int>& order, int from, int step) {
    const int top = places[from].Top;
    int rowTop = 0;
    bool found = false;
    for (int i : order) {
        const int t = places[i].Top;
        if (step < 0 ? t < top && (!found || t > rowTop) : t > top && (!found || t < rowTop)) {
            rowTop = t;
            found = true;
        }
    }
    if (!found) return from;
    int best = -1;
    for (int i : order) {
        if (places[i].Top != rowTop) continue;
        // Reading order puts the left one of two as near first.
        if (best < 0 || std::abs(places[i].Left - places[from].Left) < std::abs(places[best].Left - places[from].Left))
            best = i;
    }
    return best;
}

}  // namespace

int MoveCellFocus(const std::vector<TCellPlace>& places, int from, TCellFocusMove move) {
    const std::vector<int> order = ReadingOrder(places);
    if (order.empty()) return -1;
    const auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end()) return move == cfEnd ? order.back() : order.front();
    const size_t position = static_cast<size_t>(at - order.begin());
    switch (move) {
    case cfLeft: return position == 0 ? from : order[position - 1];
    case cfRight: return position + 1 == order.size() ? from : order[position + 1];
    case cfUp: return OtherRow(places, order, from, -1);
    case cfDown: return OtherRow(places, order, from, 1);
    case cfHome: return order.front();
    case cfEnd: return order.back();
    }
    return from;
}

}  // namespace quorlet
