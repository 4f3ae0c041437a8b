// Sounds embedded in the program, played through the system's sound library.
#include "platform/Win32Platform.h"

#include <mmsystem.h>

namespace quorlet {

namespace {

// The sound library is loaded at the first sound, not at start: on some
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

    void PlayResource(HINSTANCE instance, const char* name) const {
        if (FPlaySound) FPlaySound(name, instance, SND_RESOURCE | SND_ASYNC);
    }
    void PlayFile(const char* fileName) const {
        if (FPlaySound) FPlaySound(fileName, nullptr, SND_ASYNC);
    }
    void Purge() const {
        if (FPlaySound) FPlaySound(nullptr, nullptr, SND_PURGE);
    }

private:
    using TPlaySound = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
    HMODULE FModule;
    TPlaySound FPlaySound = nullptr;
};

const TSoundLibrary& SoundLibrary() {
    static TSoundLibrary library;
    return library;
}

}  // namespace

void TWin32Platform::PlayResourceSound(const std::string& name) { SoundLibrary().PlayResource(FInstance, name.c_str()); }

void TWin32Platform::PlaySoundFile(const std::string& fileName) { SoundLibrary().PlayFile(fileName.c_str()); }

void TWin32Platform::StopSounds() { SoundLibrary().Purge(); }

}  // namespace quorlet
