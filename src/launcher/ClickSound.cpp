#include "launcher/ClickSound.h"

namespace quorlet {

const char* ClickSoundResourceName(int kind) {
    switch (kind) {
        case csIcon: return "ICON";
        case csTabsheet: return "TABSHEET";
        default: return nullptr;
    }
}

void PlayClickSound(IPlatform& platform, int kind) {
    if (const char* name = ClickSoundResourceName(kind)) platform.PlayResourceSound(name);
}

}  // namespace quorlet
