#pragma once
// The alarm dialog's rules (TfrmAlarmConfig) on a model of its controls: the
// values they hold, which of them are enabled, the two defaults it fills in,
// and the number field of the ring length. The dialog copies the model to
// its controls after every change.

#include <cstdint>
#include <string>

#include "base/DateTime.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

extern const char* const DefaultAlarmMessage;  // "Input your message for Alarm here"
extern const char* const DefaultAlarmToneName;  // "Alarm1.wav", in the program folder

// The number field of the ring length: 10..60 seconds.
const int32_t kTimerOutMin = 10;
const int32_t kTimerOutMax = 60;
// Its value: the typed whole number, or 10 when the text is not one.
int32_t TimerOutOfText(const std::string& text);
// When it loses the focus: a value outside 10..60 is replaced by the nearest
// bound, and a text that is no whole number by 10; a value inside stays as typed.
std::string TimerOutTextOnExit(const std::string& text);
int32_t ClampTimerOut(int32_t value);
// Typed characters it accepts: digits, signs and the decimal separator.
bool IsTimerOutChar(char c, char decimalSeparator);

struct TAlarmConfigControls {
    // Values
    bool AlarmChecked = false;
    TDateTime Time;
    std::string TimerOutText = "10";
    std::string Message;
    bool ToneChecked = false;
    std::string TonePath;
    bool EventChecked = false;
    int32_t EventIndex = -1;  // -1: no entry selected
    bool RepeatChecked = false;
    bool Days[7] = {};  // Sunday .. Saturday

    // Enabled states; the number field, "Alarm Clock On", the pictures and
    // the bottom buttons are always enabled.
    bool TimeEnabled = false;
    bool MessageEnabled = false;
    bool ToneEnabled = false;
    bool TonePathEnabled = false;  // the path field and its "..." button
    bool EventEnabled = false;
    bool EventListEnabled = false;
    bool RepeatEnabled = false;
    bool DaysEnabled = false;
    bool TestEnabled = false;
    // The armed picture shows; the resting one otherwise.
    bool ArmedPicture = false;
};

class TAlarmConfigModel {
public:
    // programFolder ends with a backslash.
    explicit TAlarmConfigModel(std::string programFolder) : FProgramFolder(std::move(programFolder)) {}

    // Opening: the stored values, adjusted by the alarm rule.
    void Load(const TAppSettingXml& settings);
    // OK: every control into the settings, without checks.
    void Store(TAppSettingXml& settings) const;

    // Clicks (the check box has already changed its value in Controls).
    void AlarmClick() { AlarmRule(); }
    void ToneClick() { ToneRule(); }
    void EventClick() { EventRule(); }
    void RepeatClick() { RepeatRule(); }
    // A click on either picture toggles "Alarm Clock On".
    void PictureClick();
    // The number field lost the focus.
    void TimerOutExit() { Controls.TimerOutText = TimerOutTextOnExit(Controls.TimerOutText); }

    // "&Test Alarm": the message, the ring length and the tone and event
    // choices as the controls hold them now.
    int32_t TimerOut() const { return TimerOutOfText(Controls.TimerOutText); }

    TAlarmConfigControls Controls;

private:
    void AlarmRule();
    void ToneRule();
    void EventRule();
    void RepeatRule();

    std::string FProgramFolder;
};

}  // namespace quorlet
