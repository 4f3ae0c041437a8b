#include "launcher/IconChoice.h"

#include <algorithm>

#include "shell/ShellServices.h"

namespace quorlet {

void TIconChoiceModel::FileChanged(const std::string& file) {
    File = file;
    if (file.empty() || !FPlatform.FileExists(file)) {
        Index = MinIndex = MaxIndex = 1;
        IndexEnabled = false;
        PreviewShown = false;
        OkEnabled = false;
        return;
    }
    MinIndex = 1;
    MaxIndex = GetIconCount(FPlatform, file);
    if (MaxIndex == 0) {
        // Nothing to choose: the shell's icon, shown as index 0.
        MinIndex = 0;
        Index = 0;
    } else if (Index > MaxIndex || Index < 1) {
        Index = 1;
    }
    IndexEnabled = MaxIndex > 1;
    PreviewShown = true;
    OkEnabled = true;
}

void TIconChoiceModel::IndexChanged(int index) {
    Index = std::min(std::max(index, MinIndex), MaxIndex);
    PreviewShown = !File.empty() && FPlatform.FileExists(File);
}

}  // namespace quorlet
