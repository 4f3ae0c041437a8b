// Program entry. The one switch it reads is /updatehost=host[:port], the
// server the update check asks.
#include <windows.h>

#include "app/ProgramEntry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    return quorlet::RunProgram(instance, arguments);
}
