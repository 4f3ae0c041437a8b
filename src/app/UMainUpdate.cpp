// The update check of the main window: the automatic one a moment after the
// window first becomes active in a run, and the manual one of the options.
#include "app/UMain.h"

#include "base/AppPaths.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

namespace {

std::string EnvironmentText(const char* name) {
    char value[256] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

}  // namespace

TUpdateEndpoint TfrmQuorlet::UpdateEndpoint() const {
    return ResolveUpdateEndpoint(FUpdateHostSwitch, EnvironmentText("QUORLET_UPDATE_HOST"),
                                 ReadUpdateHostItem(SettingFileName));
}

void TfrmQuorlet::StartCheckVerTimer() {
    // Each activation restarts the delay, so the check comes once the user
    // has stayed with the window a moment.
    if (!UpdateChecked) SetTimer(Handle(), TimerCheckVer, TimerCheckVerMs, nullptr);
}

void TfrmQuorlet::TimerCheckVerTimer() {
    KillTimer(Handle(), TimerCheckVer);
    // A manual check already on its way answers for this run too.
    if (FUpdateChecker.Busy()) return;
    if (!TakeAutomaticCheckTurn(UpdateChecked, AppSettingXml())) return;
    FUpdateChecker.Start(Handle(), UpdateEndpoint(), TUpdateCheckKind::Automatic, Handle());
}

bool TfrmQuorlet::CheckUpdateNow(HWND owner, std::function<void()> labelsChanged) {
    return FUpdateChecker.Start(Handle(), UpdateEndpoint(), TUpdateCheckKind::Manual, owner,
                                std::move(labelsChanged));
}

void TfrmQuorlet::UpdateCheckArrived(WPARAM ticket) { FUpdateChecker.Finished(ticket); }

}  // namespace quorlet
