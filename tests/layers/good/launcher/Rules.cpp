#include <string>
#include <vector>
#include "Rules.h"
#include "base/Platform.h"
#include "settings/UBtnSettingXml.h"
#include "shell/Links.h"
