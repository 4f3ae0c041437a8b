#pragma once
#include <string>
#include "base/Platform.h"
#include "settings/FileIo.h"
