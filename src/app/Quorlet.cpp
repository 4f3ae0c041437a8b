// Program entry. The program reads no command line.
#include <windows.h>

#include "app/ProgramEntry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return quorlet::RunProgram(instance);
}
