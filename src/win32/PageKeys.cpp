#include "win32/PageKeys.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "win32/ErrorBoundary.h"

namespace quorlet {

namespace {

struct TPagedDialog {
    HWND Dialog;
    HWND Tabs;
};

// The dialogs of this thread that have the keys, and the one message filter
// that serves them while there are any. A dialog's modal loop runs on the
// thread that made it, and its loop hands every message to the filter first.
struct TThreadPageKeys {
    std::vector<TPagedDialog> Dialogs;
    HHOOK Filter = nullptr;
};
thread_local TThreadPageKeys tPageKeys;

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// +1 for the next page, -1 for the one before, 0 for any other key.
int PageStep(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !Held(VK_CONTROL) || Held(VK_MENU)) return 0;
    const bool shift = Held(VK_SHIFT);
    switch (msg.wParam) {
    case VK_TAB: return shift ? -1 : 1;
    case VK_NEXT: return shift ? 0 : 1;
    case VK_PRIOR: return shift ? 0 : -1;
    }
    return 0;
}

// A control that asks for every key it is sent (a multi-line field) keeps them.
bool ControlWantsKey(const MSG& msg) {
    MSG copy = msg;
    return (SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy)) & DLGC_WANTMESSAGE) !=
           0;
}

LRESULT NotifyDialog(HWND tabs, UINT code) {
    NMHDR header = {};
    header.hwndFrom = tabs;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(tabs));
    header.code = code;
    return SendMessageA(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void TurnPage(const TPagedDialog& paged, int step) {
    const int count = static_cast<int>(SendMessageA(paged.Tabs, TCM_GETITEMCOUNT, 0, 0));
    const int current = static_cast<int>(SendMessageA(paged.Tabs, TCM_GETCURSEL, 0, 0));
    if (count < 1) return;
    const int next = ((current < 0 ? 0 : current) + step + count) % count;
    if (next == current) return;
    // As a click on the tab: the dialog may keep its page, and shows the new one.
    if (NotifyDialog(paged.Tabs, TCN_SELCHANGING)) return;
    SendMessageA(paged.Tabs, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    NotifyDialog(paged.Tabs, TCN_SELCHANGE);
    // A focus left on the page now hidden moves to the tabs.
    HWND focus = GetFocus();
    if (!focus || focus == paged.Dialog || !IsWindowVisible(focus))
        SendMessageA(paged.Dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(paged.Tabs), TRUE);
}

LRESULT CALLBACK PageKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && lParam) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (const int step = PageStep(msg)) {
            HWND root = GetAncestor(msg.hwnd, GA_ROOT);
            const auto found = std::find_if(tPageKeys.Dialogs.begin(), tPageKeys.Dialogs.end(),
                                            [&](const TPagedDialog& paged) { return paged.Dialog == root; });
            if (found != tPageKeys.Dialogs.end() && !ControlWantsKey(msg)) {
                // A copy: the dialog's answer may open or close other dialogs.
                const TPagedDialog paged = *found;
                RunGuarded(root, 0, [&] {
                    TurnPage(paged, step);
                    return 0;
                });
                return 1;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Forget(HWND tabs) {
    auto& dialogs = tPageKeys.Dialogs;
    dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(),
                                 [&](const TPagedDialog& paged) { return paged.Tabs == tabs; }),
                  dialogs.end());
    if (dialogs.empty() && tPageKeys.Filter) {
        UnhookWindowsHookEx(tPageKeys.Filter);
        tPageKeys.Filter = nullptr;
    }
}

LRESULT CALLBACK TabsProc(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(tabs, &TabsProc, id);
        Forget(tabs);
    }
    return DefSubclassProc(tabs, message, wParam, lParam);
}

}  // namespace

void EnablePageKeys(HWND dialog, HWND tabs) {
    auto& dialogs = tPageKeys.Dialogs;
    if (!dialog || !tabs ||
        std::any_of(dialogs.begin(), dialogs.end(), [&](const TPagedDialog& paged) { return paged.Dialog == dialog; }))
        return;
    if (!SetWindowSubclass(tabs, &TabsProc, 0, 0)) return;  // without it the keys could outlive the dialog
    dialogs.push_back(TPagedDialog{dialog, tabs});
    if (!tPageKeys.Filter)
        tPageKeys.Filter = SetWindowsHookExA(WH_MSGFILTER, &PageKeyFilter, nullptr, GetCurrentThreadId());
}

}  // namespace quorlet
