#include "launcher/DpiScale.h"

#include "launcher/ButtonGrid.h"

namespace quorlet {

int FittingIconSize(int dpi) {
    static const int kIconSizes[] = {16, 24, 32, 48, 64, 96, 128, 256};
    const long long room = static_cast<long long>(CellIconSize) * dpi / TDpiScale::kBaseDpi;
    int fitting = kIconSizes[0];
    for (int size : kIconSizes)
        if (size <= room) fitting = size;
    return fitting;
}

int TDpiScale::Px(int length) const {
    // Half a pixel rounds away from zero, like MulDiv.
    const long long scaled = static_cast<long long>(length) * Dpi;
    const long long half = kBaseDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kBaseDpi : -((-scaled + half) / kBaseDpi));
}

}  // namespace quorlet
