#include "app/ClickSound.h"

namespace quorlet {

const char* ClickSoundResourceName(int kind) {
    switch (kind) {
        case csIcon: return "ICON";
        case csTabsheet: return "TABSHEET";
        default: return nullptr;
    }
}

#ifndef _WIN32
void PlayClickSound(int) {}
#endif

}  // namespace quorlet
