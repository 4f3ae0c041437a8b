#pragma once
#include <string>
#include "settings/UAppSettingXml.h"
