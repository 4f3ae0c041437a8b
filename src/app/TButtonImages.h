#pragma once
// Pictures and hints of button images (LoadButtonImage): a cell of a button
// tab sheet or a recent or most-used image of the Quorlet Tab shows the icon
// and hint of the record stored under its button identifier.

#include "app/TCell.h"
#include "app/TIconLoader.h"
#include "base/Platform.h"
#include "launcher/ButtonGrid.h"
#include "settings/UBtnSettingXml.h"
#include "shell/OwnedIcon.h"

namespace quorlet {

class TButtonImages {
public:
    TButtonImages(IPlatform& platform, TBtnSettingXml& store, TIconLoader& loader)
        : FPlatform(platform), FStore(store), FLoader(loader) {}

    IPlatform& PlatformServices() const { return FPlatform; }
    // ImageMissedIcon: shown for a record whose icon file no longer exists.
    void SetMissedIcon(TOwnedIcon icon) { FMissedIcon = std::move(icon); }
    // While the window is being built, the document just read serves every
    // image and reload requests read nothing.
    void SetDocumentFresh(bool fresh) { FDocumentFresh = fresh; }
    bool DocumentFresh() const { return FDocumentFresh; }

    // Gives the image the icon and hint of the record under its ButtonId, from
    // the store's document (read again from the file first when reload is set).
    // Without a record the image is emptied. The icon arrives later when it
    // must be loaded from its file.
    TButtonBrief LoadButtonImage(TCell& image, bool reload);

    // The image shows icon iconNumber of iconFile (loaded on the icon
    // loader), or the missed icon when iconFile is gone.
    void ShowIcon(TCell& image, const std::string& iconFile, int32_t iconNumber);

private:
    IPlatform& FPlatform;
    TBtnSettingXml& FStore;
    TIconLoader& FLoader;
    TOwnedIcon FMissedIcon;
    bool FDocumentFresh = false;
};

// The store's document is fresh while this lives (a click that has just read
// and saved it shows its buttons from it), then as fresh as it was before.
class TFreshDocumentScope {
public:
    explicit TFreshDocumentScope(TButtonImages& images) : FImages(images), FWasFresh(images.DocumentFresh()) {
        FImages.SetDocumentFresh(true);
    }
    ~TFreshDocumentScope() { FImages.SetDocumentFresh(FWasFresh); }
    TFreshDocumentScope(const TFreshDocumentScope&) = delete;
    TFreshDocumentScope& operator=(const TFreshDocumentScope&) = delete;

private:
    TButtonImages& FImages;
    bool FWasFresh;
};

}  // namespace quorlet
