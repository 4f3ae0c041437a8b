// The icon loader's worker: icons arrive by message, and a worker that has
// been idle for a moment ends, so a launcher at rest keeps no thread for it.
#include <gtest/gtest.h>

#include <vector>

#include <windows.h>
#include <tlhelp32.h>

#include "app/TIconLoader.h"
#include "platform/Win32Platform.h"
#include "win/WinTestSupport.h"

namespace quorlet {
namespace {

const UINT WM_ICON_READY = WM_APP + 7;

int ThreadsOfThisProcess() {
    TUniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    return count;
}

std::vector<uint64_t> answered;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ICON_READY) answered.push_back(static_cast<uint64_t>(wParam));
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(IconLoaderTest, IconsArriveAndAnIdleWorkerEndsUntilTheNextRequest) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "IconLoaderTestReceiver";
    RegisterClassA(&wc);
    HWND receiver = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(receiver, nullptr);
    answered.clear();

    TWin32Platform platform(GetModuleHandleA(nullptr));
    const TIconLoader::TIconKey key(WindowsPath(QUORLET_MULTI_IMAGE_ICO), 0);
    {
        TIconLoader loader(platform);
        const int before = ThreadsOfThisProcess();
        const uint64_t first = loader.Request(receiver, WM_ICON_READY, key, 32);
        ASSERT_TRUE(PumpUntil(5000, [] { return !answered.empty(); }));
        EXPECT_EQ(answered.back(), first);
        TOwnedIcon icon = loader.Take(first);
        EXPECT_NE(icon.Get(), nullptr);
        EXPECT_EQ(loader.Take(first).Get(), nullptr) << "an icon is taken once";
        EXPECT_EQ(ThreadsOfThisProcess(), before + 1);

        // At rest the worker goes away; the next request brings one back.
        EXPECT_TRUE(PumpUntil(5000, [&] { return ThreadsOfThisProcess() == before; }));
        const uint64_t second = loader.Request(receiver, WM_ICON_READY, key, 32);
        ASSERT_TRUE(PumpUntil(5000, [] { return answered.size() == 2; }));
        EXPECT_EQ(answered.back(), second);
        EXPECT_NE(loader.Take(second).Get(), nullptr);
    }
    DestroyWindow(receiver);
}

}  // namespace
}  // namespace quorlet
