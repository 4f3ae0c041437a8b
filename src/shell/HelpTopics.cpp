#include "shell/HelpTopics.h"

#include "base/AppPaths.h"

namespace quorlet {

const char* const HelpTopicVersion = "::/Version.htm";
const char* const HelpTopicGeneralSettings = "::/General_settings.htm";
const char* const HelpTopicTabsheetsSetting = "::/Tabsheets_setting.htm";
const char* const HelpTopicUpdateSetting = "::/Update_setting.htm";
const char* const HelpTopicButtonProperties = "::/QuickStart.htm#DescriptionofSettings";
const char* const HelpTopicFrequencyReport = "::/frequencyreport.htm";
const char* const HelpTopicAlarmConfig = "::/Alarm Config.htm";

void ShowHelpTopic(IPlatform& platform, const std::string& topic) {
    // The file name and topic go to the viewer as one unquoted parameter.
    platform.ShellOpen("open", "hh.exe", HelpFileName + topic, "", swShow);
}

}  // namespace quorlet
