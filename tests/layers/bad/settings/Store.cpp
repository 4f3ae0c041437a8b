#include "base/Paths.h"
#  include <Windows.h>
