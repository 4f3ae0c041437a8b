// The hint line written once for a change that shows several hints in turn:
// every write repaints the status bar at once, and only the last is seen.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/TStatusLine.h"

namespace quorlet {
namespace {

// The texts the bar is given for its hint panel, in order.
LRESULT CALLBACK RecordHintWrites(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR written) {
    if (message == SB_SETTEXTA && LOBYTE(LOWORD(wParam)) == 0)
        reinterpret_cast<std::vector<std::string>*>(written)->push_back(reinterpret_cast<const char*>(lParam));
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST(StatusLineTest, HintsShownInOneChangeAreWrittenOnceTheLastOfThem) {
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
    ASSERT_NE(parent, nullptr);
    const TDpiScale scale;
    TStatusLine line(scale);
    line.Create(GetModuleHandleA(nullptr), parent);
    std::vector<std::string> written;
    ASSERT_TRUE(SetWindowSubclass(line.Handle(), RecordHintWrites, 1, reinterpret_cast<DWORD_PTR>(&written)));
    const int cell = 0, page = 0;

    line.WriteOnceAround([&] {
        line.ShowHint(&cell, "Notepad");
        line.ShowHint(&page, "Find: n  (12)");
    });
    EXPECT_EQ(written, (std::vector<std::string>{"Find: n  (12)"}));
    EXPECT_EQ(line.PanelText(0), "Find: n  (12)");

    // Outside one, every new hint is written when shown; inside nested ones, when the outer ends.
    line.ShowHint(&cell, "Notepad");
    line.WriteOnceAround([&] {
        line.WriteOnceAround([&] { line.ShowHint(&page, "Find: no  (3)"); });
        EXPECT_EQ(written.size(), 2u);
        line.ShowHint(&page, "Find: not  (1)");
    });
    EXPECT_EQ(written, (std::vector<std::string>{"Find: n  (12)", "Notepad", "Find: not  (1)"}));

    // A change that fails holds back no later write.
    EXPECT_THROW(line.WriteOnceAround([&] {
        line.ShowHint(&cell, "Paint");
        throw std::runtime_error("failed");
    }),
                 std::runtime_error);
    line.ShowHint(&cell, "Calculator");
    EXPECT_EQ(written.back(), "Calculator");
    EXPECT_EQ(line.PanelText(0), "Calculator");

    RemoveWindowSubclass(line.Handle(), RecordHintWrites, 1);
    DestroyWindow(parent);
}

}  // namespace
}  // namespace quorlet
