#include "platform/TShellWarmUp.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/ComPtr.h"

namespace quorlet {

TShellWarmUp::TShellWarmUp()
    : FWorker([] {
          TComApartment apartment;
          char windows[MAX_PATH] = {};
          if (!GetWindowsDirectoryA(windows, MAX_PATH)) return;
          // The index request builds the system image list and makes no icon.
          SHFILEINFOA info = {};
          SHGetFileInfoA(windows, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_LARGEICON);
      }) {}

TShellWarmUp::~TShellWarmUp() {
    if (FWorker.joinable()) FWorker.join();
}

}  // namespace quorlet
