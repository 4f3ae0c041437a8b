#include "ModalTiming.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace quorlet {
namespace startupbench {

double NowMs() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

namespace {

double g_openedAt = 0;
const char* g_caption = nullptr;

// A thread timer's tick comes after every message and paint the opening queued.
void CALLBACK DialogOpened(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_openedAt = NowMs();
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char caption[64] = {};
            GetWindowTextA(window, caption, sizeof caption);
            if (std::strcmp(caption, g_caption) == 0) EndDialog(window, IDCANCEL);
            return TRUE;
        },
        0);
}

}  // namespace

double TimeModalOpening(const char* caption, const std::function<void()>& show) {
    g_openedAt = 0;
    g_caption = caption;
    const double start = NowMs();
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &DialogOpened);
    show();
    if (g_openedAt == 0) throw std::runtime_error(std::string("The dialog \"") + caption + "\" did not open");
    return g_openedAt - start;
}

}  // namespace startupbench
}  // namespace quorlet
