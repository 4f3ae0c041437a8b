#include "alarm/AlarmWindowRules.h"

#include <cctype>
#include <cstdint>

#include "base/AppPaths.h"

namespace quorlet {

namespace {
std::string CaptionWith(const std::string& okCaption, const char* blanks, int32_t countdown) {
    return okCaption + blanks + std::to_string(countdown);
}
}  // namespace

void TAlarmCountdown::SetEvent(bool eventOn, int32_t eventIndex) {
    if (!eventOn) {
        FOkCaption = "&Ok";
        return;
    }
    static const char* const captions[] = {"&Logoff", "&Shutdown", "&Reboot"};
    if (eventIndex >= 0 && eventIndex <= 2) FOkCaption = captions[eventIndex];
}

void TAlarmCountdown::Start(int32_t countdown) {
    FCountdown = countdown;
    FPhase = 0;
    FCaption = CaptionWith(FOkCaption, "  ", FCountdown);
}

TAlarmCountdown::TStep TAlarmCountdown::Tick() {
    TStep step;
    step.Frame = FPhase == 0 ? 0 : FPhase == 2 ? 2 : 1;
    // A countdown of 0 or less never reaches 0; it stops at the lowest value.
    if ((FPhase == 0 || FPhase == 2) && FCountdown > INT32_MIN) {
        --FCountdown;
        FCaption = CaptionWith(FOkCaption, "    ", FCountdown);
    }
    if (FCountdown == 0) {
        FCaption = FOkCaption;
        step.Close = true;
    }
    FPhase = (FPhase + 1) % 4;
    step.Caption = FCaption;
    return step;
}

TAlarmPlace AlarmWindowPlace(const TAlarmPlaceInput& in) {
    TAlarmPlace place;
    if (!in.MainShown) {
        place.Left = in.ScreenWidth - in.Width;
        place.Top = in.WorkAreaHeight - in.Height;
        return place;
    }
    place.Left = in.MainLeft;
    place.Top = in.MainTop - in.Height;
    if (place.Top < 0) place.Top = in.MainTop + in.MainHeight;
    return place;
}

TToneKind ToneKindOf(const std::string& path) {
    std::string extension = ExtractFileExt(path);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".wav") return TToneKind::Wav;
    if (extension == ".mp3") return TToneKind::Mp3;
    return TToneKind::None;
}

void PlayAlarmTone(IPlatform& platform, bool toneOn, const std::string& tone) {
    if (!toneOn || !platform.FileExists(tone)) return;
    switch (ToneKindOf(tone)) {
    case TToneKind::Wav: platform.PlaySoundFile(tone); break;
    case TToneKind::Mp3: platform.ShellOpen("open", tone, "", "", swShowNormal); break;
    case TToneKind::None: break;
    }
}

bool SessionEndOf(int32_t eventIndex, TSessionEnd& end) {
    const unsigned long planned = 0x80040001UL;  // planned, application, maintenance
    switch (eventIndex) {
    case 0: end = {0, 0}; return true;           // log off
    case 1: end = {9, planned}; return true;     // shut down and power off
    case 2: end = {2, planned}; return true;     // restart
    default: return false;
    }
}

void EndWindowsSession(IPlatform& platform, int32_t eventIndex) {
    platform.EnableShutdownPrivilege();
    TSessionEnd end;
    if (SessionEndOf(eventIndex, end)) platform.ExitWindowsSession(end.Flags, end.Reason);
}

}  // namespace quorlet
