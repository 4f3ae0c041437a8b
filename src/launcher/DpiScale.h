#pragma once
// The window's layout at the pixel density of its monitor. Every size of the
// layout is given for 96 dots per inch; Px turns it into the monitor's
// pixels, so at 96 DPI every size stays exactly what it is.

namespace quorlet {

// The largest of the usual icon sizes (16, 24, 32, 48, 64, 96, 128, 256)
// that fits where a 32-pixel icon stands at 96 DPI: an icon drawn at a size
// it was made for instead of a stretched one.
int FittingIconSize(int dpi);

struct TDpiScale {
    static const int kBaseDpi = 96;
    int Dpi = kBaseDpi;

    // A length of the 96-DPI layout in this density's pixels, rounded to the
    // nearest pixel.
    int Px(int length) const;
    // The size of a cell's icon.
    int IconSize() const { return FittingIconSize(Dpi); }
};

}  // namespace quorlet
