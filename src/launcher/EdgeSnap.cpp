#include "launcher/EdgeSnap.h"

namespace quorlet {

namespace {

const int kSnapDistance = 20;

// Overhang d of the far edge: positive beyond, negative inside.
bool SnapsToFarEdge(long long d) { return d > 0 || (d > -kSnapDistance && d < 0); }

}  // namespace

TSnapResult SnapToEdges(int left, int top, int width, int height, int screenWidth, int workAreaHeight) {
    TSnapResult result;
    result.Left = left < kSnapDistance ? 0 : left;
    result.Top = top < kSnapDistance ? 0 : top;
    if (SnapsToFarEdge(static_cast<long long>(result.Left) + width - screenWidth))
        result.Left = screenWidth - width;
    if (SnapsToFarEdge(static_cast<long long>(result.Top) + height - workAreaHeight))
        result.Top = workAreaHeight - height;
    result.Changed = result.Left != left || result.Top != top;
    return result;
}

TSnapResult SnapToMonitorEdges(int left, int top, int width, int height, const TMonitorArea& monitor) {
    TSnapResult result = SnapToEdges(left - monitor.Left, top - monitor.Top, width, height, monitor.Width,
                                     monitor.WorkAreaHeight);
    result.Left += monitor.Left;
    result.Top += monitor.Top;
    result.Changed = result.Left != left || result.Top != top;
    return result;
}

}  // namespace quorlet
