#include "app/TButtonImages.h"

namespace quorlet {

TButtonBrief TButtonImages::LoadButtonImage(TCell& image, bool reload) {
    if (reload && !FDocumentFresh) FStore.LoadButtonsDoc();
    TButtonBrief brief;
    brief.Exists = image.ButtonId != 0 && FStore.ReadButtonBrief(image.ButtonId);
    if (brief.Exists) {
        brief.Description = FStore.Description;
        brief.HotKey = FStore.HotKey;
        const std::string& iconFile = FStore.IconFile;
        if (FPlatform.FileExists(iconFile) || FPlatform.DirectoryExists(iconFile)) {
            image.LoadPicture(FLoader, {iconFile, FStore.IconNumber});
        } else {
            HICON missed = static_cast<HICON>(FMissedIcon.Get());
            image.SetPicture(TOwnedIcon(FPlatform, missed ? CopyIcon(missed) : nullptr));
        }
    } else {
        image.SetPicture(TOwnedIcon());
    }
    image.SetHint(ButtonHint(brief));
    return brief;
}

}  // namespace quorlet
