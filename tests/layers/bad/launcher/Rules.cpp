#include "shell/ShellLinker.h"
#include "app/UMain.h"
#include "platform/Win32Platform.h"
#include <commctrl.h>
