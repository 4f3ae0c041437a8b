// What an armed alarm's tick costs while it is not due: no allocation and no
// file opened. Its own program, because it replaces the global operator new
// and puts itself in front of the C library's file opening calls.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "alarm/AlarmClock.h"
#include "base/AppPaths.h"
#include "base/DateCalc.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"

namespace {
std::atomic<long> g_allocations{0};
std::atomic<long> g_opens{0};
}  // namespace

void* operator new(size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

extern "C" {
FILE* fopen(const char* path, const char* mode) {
    ++g_opens;
    using TFopen = FILE* (*)(const char*, const char*);
    static TFopen next = reinterpret_cast<TFopen>(dlsym(RTLD_NEXT, "fopen"));
    return next(path, mode);
}
int open(const char* path, int flags, ...) {
    ++g_opens;
    mode_t mode = 0;
    if (flags & O_CREAT) {
        va_list args;
        va_start(args, flags);
        mode = static_cast<mode_t>(va_arg(args, int));
        va_end(args);
    }
    using TOpen = int (*)(const char*, int, ...);
    static TOpen next = reinterpret_cast<TOpen>(dlsym(RTLD_NEXT, "open"));
    return next(path, flags, mode);
}
}

using namespace quorlet;

namespace {

// A host whose hint has its room already, as a cell's hint has after the first tick.
class TQuietHost : public IAlarmHost {
public:
    TQuietHost() { Hint.reserve(64); }
    std::string Hint;
    int Rings = 0;
    void SetAlarmTimer(bool) override {}
    void ShowAlarmIcon(bool) override {}
    void SetArmedHint(const char* hint) override { Hint.assign(hint); }
    void UpdateTrayHint() override {}
    void BringToFront() override {}
    TAlarmAnswer ShowAlarm(const TAlarmRing&) override {
        ++Rings;
        return TAlarmAnswer::Snoozed;
    }
    void CloseMainWindow() override {}
    bool ProgramClosing() const override { return false; }
};

}  // namespace

TEST(AlarmTickCost, TicksThatAreNotDueAllocateNothingAndOpenNoFile) {
    TTempFolder folder;
    SettingFileName = folder.File("QL_alice.xml");
    TFakePlatform platform;
    platform.FakeNow = MakeDateTime(2026, 12, 7, 6, 0, 0);
    TAppSettingXml settings(platform);
    const long opensAtStart = g_opens;
    settings.LoadSettings();
    ASSERT_GT(g_opens, opensAtStart);  // the counting sees the store's file access
    settings.AlarmOn = true;
    settings.RepeatOn = true;
    settings.Day1 = true;
    settings.AlarmTime = MakeDateTime(2026, 1, 1, 7, 0, 0);
    TQuietHost host;
    TAlarmClock clock(platform, settings, host);
    clock.LoadSchedule();

    // An hour of ticks before the alarm: 7200 ticks, 500 ms apart.
    const long allocationsBefore = g_allocations, opensBefore = g_opens;
    for (int tick = 0; tick < 7199; ++tick) {
        platform.FakeNow = FromUnixSeconds(ToUnixSeconds(MakeDateTime(2026, 12, 7, 6, 0, 0)) + tick / 2);
        platform.FakeNow.Millisecond = (tick % 2) * 500;
        clock.TimerAlarmTimer();
    }
    EXPECT_EQ(g_allocations - allocationsBefore, 0);
    EXPECT_EQ(g_opens - opensBefore, 0);
    EXPECT_EQ(host.Hint, "[Alarm Clock - 07:00:00] <- 06:59:59");
    EXPECT_EQ(host.Rings, 0);

    // The due tick rings (and may allocate and read what it needs).
    platform.FakeNow = MakeDateTime(2026, 12, 7, 7, 0, 0, 100);
    clock.TimerAlarmTimer();
    EXPECT_EQ(host.Rings, 1);
    SettingFileName.clear();
}
