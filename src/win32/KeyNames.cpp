#include "win32/KeyNames.h"

#include <windows.h>

namespace quorlet {

std::string SystemKeyName(uint32_t vk) {
    UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    // Keys of the extended block are named apart from their keypad twins.
    switch (vk) {
        case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT: case VK_UP: case VK_RIGHT:
        case VK_DOWN: case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK: case VK_LWIN: case VK_RWIN:
        case VK_APPS:
            scan |= 0x100;
            break;
        default:
            break;
    }
    char name[64] = {};
    if (!scan || GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name) <= 0) return std::string();
    return name;
}

}  // namespace quorlet
