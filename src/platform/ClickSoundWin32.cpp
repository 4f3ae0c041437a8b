#include "app/ClickSound.h"

#include <windows.h>
#include <mmsystem.h>

namespace quorlet {

void PlayClickSound(int kind) {
    const char* name = ClickSoundResourceName(kind);
    if (name) PlaySoundA(name, GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC);
}

}  // namespace quorlet
