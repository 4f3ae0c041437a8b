#include "app/TButtonImages.h"

namespace quorlet {

TButtonBrief TButtonImages::LoadButtonImage(TCell& image, bool reload) {
    if (reload && !FDocumentFresh) FStore.LoadButtonsDoc();
    TButtonBrief brief;
    brief.Exists = image.ButtonId != 0 && FStore.ReadButtonBrief(image.ButtonId);
    if (brief.Exists) {
        brief.Description = FStore.Description;
        brief.HotKey = FStore.HotKey;
        ShowIcon(image, FStore.IconFile, FStore.IconNumber);
    } else {
        image.SetPicture(TOwnedIcon());
    }
    image.SetHint(ButtonHint(brief));
    return brief;
}

void TButtonImages::ShowIcon(TCell& image, const std::string& iconFile, int32_t iconNumber) {
    if (FPlatform.FileExists(iconFile) || FPlatform.DirectoryExists(iconFile)) {
        image.LoadPicture(FLoader, {iconFile, iconNumber});
    } else {
        HICON missed = static_cast<HICON>(FMissedIcon.Get());
        image.SetPicture(TOwnedIcon(FPlatform, missed ? CopyIcon(missed) : nullptr));
    }
}

}  // namespace quorlet
