#pragma once
// The icon chooser's rules, apart from its window: the icon file and the
// index of its icon counted from 1, their range, and what the preview shows.
// Index 1 is the shell's icon of the file (icon number 0), index k + 1 the
// file's stored icon k; a file without icons shows index 0 (icon number -1,
// also the shell's icon).

#include <cstdint>
#include <string>

#include "base/Platform.h"

namespace quorlet {

class TIconChoiceModel {
public:
    explicit TIconChoiceModel(IPlatform& platform) : FPlatform(platform) {}

    std::string File;
    int Index = 1;
    int MinIndex = 1, MaxIndex = 1;  // the maximum is the file's icon count
    bool IndexEnabled = false;
    bool OkEnabled = false;
    bool PreviewShown = false;

    // "Icon:" changed.
    void FileChanged(const std::string& file);
    // "Index:" changed; a value outside the range is taken back into it.
    void IndexChanged(int index);
    // The icon number the index stands for.
    int32_t IconNumber() const { return Index - 1; }

private:
    IPlatform& FPlatform;
};

}  // namespace quorlet
