#pragma once
// Opening the compiled help file at a topic with the system's help viewer.

#include <string>

#include "base/Platform.h"

namespace quorlet {

extern const char* const HelpTopicVersion;
extern const char* const HelpTopicGeneralSettings;
extern const char* const HelpTopicTabsheetsSetting;
extern const char* const HelpTopicUpdateSetting;
extern const char* const HelpTopicButtonProperties;
extern const char* const HelpTopicFrequencyReport;
extern const char* const HelpTopicAlarmConfig;

// Opens HelpFileName at topic ("" for the start page) in "hh.exe".
void ShowHelpTopic(IPlatform& platform, const std::string& topic);

}  // namespace quorlet
