#include "app/ClickSound.h"

#include <windows.h>
#include <mmsystem.h>

namespace quorlet {

namespace {

// The sound library is loaded at the first click, not at start: on some
// systems loading it sets up the audio devices, which is slow.
class TSoundLibrary {
public:
    TSoundLibrary() : FModule(LoadLibraryA("winmm.dll")) {
        if (FModule)
            FPlaySound = reinterpret_cast<TPlaySound>(reinterpret_cast<void*>(GetProcAddress(FModule, "PlaySoundA")));
    }
    ~TSoundLibrary() {
        if (FModule) FreeLibrary(FModule);
    }
    TSoundLibrary(const TSoundLibrary&) = delete;
    TSoundLibrary& operator=(const TSoundLibrary&) = delete;

    void Play(const char* name) const {
        if (FPlaySound) FPlaySound(name, GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC);
    }

private:
    using TPlaySound = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
    HMODULE FModule;
    TPlaySound FPlaySound = nullptr;
};

}  // namespace

void PlayClickSound(int kind) {
    const char* name = ClickSoundResourceName(kind);
    if (!name) return;
    static TSoundLibrary library;
    library.Play(name);
}

}  // namespace quorlet
