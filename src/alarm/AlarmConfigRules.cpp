#include "alarm/AlarmConfigRules.h"

#include <cerrno>
#include <cstdlib>

namespace quorlet {

const char* const DefaultAlarmMessage = "Input your message for Alarm here";
const char* const DefaultAlarmToneName = "Alarm1.wav";

int32_t ClampTimerOut(int32_t value) {
    if (value < kTimerOutMin) return kTimerOutMin;
    if (value > kTimerOutMax) return kTimerOutMax;
    return value;
}

namespace {

// A whole number, optionally signed, in the range of int32_t.
bool ParseWholeNumber(const std::string& text, int32_t& value) {
    if (text.empty()) return false;
    size_t at = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (at == text.size()) return false;
    for (size_t k = at; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return false;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

}  // namespace

int32_t TimerOutOfText(const std::string& text) {
    int32_t value = 0;
    return ParseWholeNumber(text, value) ? value : kTimerOutMin;
}

std::string TimerOutTextOnExit(const std::string& text) {
    int32_t value = 0;
    if (ParseWholeNumber(text, value) && value == ClampTimerOut(value)) return text;
    return std::to_string(ClampTimerOut(TimerOutOfText(text)));
}

bool IsTimerOutChar(char c, char decimalSeparator) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == decimalSeparator;
}

void TAlarmConfigModel::Load(const TAppSettingXml& settings) {
    TAlarmConfigControls& c = Controls;
    c.AlarmChecked = settings.AlarmOn;
    c.Message = settings.Message;
    c.Time = settings.AlarmTime;
    c.TimerOutText = std::to_string(ClampTimerOut(settings.TimerOut));
    c.ToneChecked = settings.ToneOn;
    c.TonePath = settings.Tone;
    c.EventChecked = settings.SystemEventOn;
    c.EventIndex = settings.SystemEvent >= 0 && settings.SystemEvent <= 2 ? settings.SystemEvent : -1;
    c.RepeatChecked = settings.RepeatOn;
    const bool days[7] = {settings.Day0, settings.Day1, settings.Day2, settings.Day3,
                          settings.Day4, settings.Day5, settings.Day6};
    for (int day = 0; day < 7; ++day) c.Days[day] = days[day];
    AlarmRule();
}

void TAlarmConfigModel::Store(TAppSettingXml& settings) const {
    const TAlarmConfigControls& c = Controls;
    settings.AlarmOn = c.AlarmChecked;
    settings.Message = c.Message;
    settings.AlarmTime = c.Time;
    settings.TimerOut = TimerOut();
    settings.ToneOn = c.ToneChecked;
    settings.Tone = c.TonePath;
    settings.SystemEventOn = c.EventChecked;
    settings.SystemEvent = c.EventIndex;
    settings.RepeatOn = c.RepeatChecked;
    bool* days[7] = {&settings.Day0, &settings.Day1, &settings.Day2, &settings.Day3,
                     &settings.Day4, &settings.Day5, &settings.Day6};
    for (int day = 0; day < 7; ++day) *days[day] = c.Days[day];
}

void TAlarmConfigModel::PictureClick() {
    Controls.AlarmChecked = !Controls.AlarmChecked;
    AlarmRule();
    AlarmRule();
}

void TAlarmConfigModel::AlarmRule() {
    TAlarmConfigControls& c = Controls;
    c.ArmedPicture = c.AlarmChecked;
    if (c.AlarmChecked) {
        if (c.Message.empty()) c.Message = DefaultAlarmMessage;
        if (c.TonePath.empty()) c.ToneChecked = true;  // its rule runs below
    }
    c.TimeEnabled = c.MessageEnabled = c.ToneEnabled = c.EventEnabled = c.RepeatEnabled = c.TestEnabled =
        c.AlarmChecked;
    ToneRule();
    EventRule();
    RepeatRule();
}

void TAlarmConfigModel::ToneRule() {
    TAlarmConfigControls& c = Controls;
    c.TonePathEnabled = c.ToneEnabled && c.ToneChecked;
    if (c.ToneChecked && c.TonePath.empty()) c.TonePath = FProgramFolder + DefaultAlarmToneName;
}

void TAlarmConfigModel::EventRule() { Controls.EventListEnabled = Controls.EventEnabled && Controls.EventChecked; }

void TAlarmConfigModel::RepeatRule() { Controls.DaysEnabled = Controls.RepeatEnabled && Controls.RepeatChecked; }

}  // namespace quorlet
