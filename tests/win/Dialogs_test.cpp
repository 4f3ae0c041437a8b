// The tab sheet name prompt and the about box in this process, each run
// modally on a thread of its own while the test types, clicks and reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include <windows.h>

#include "ModalOnThread.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "base/Addresses.h"
#include "dialogs/UAbout.h"
#include "dialogs/UGroupName.h"
#include "fakes/FakePlatform.h"
#include "resources/resource.h"

using namespace quorlet;

namespace {

std::string Text(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

POINT CentreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

POINT WindowCentre(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return CentreOf(r);
}

LOGFONTA FontOf(HWND control) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// The control with the keyboard focus in the thread of window.
HWND FocusOf(HWND window) {
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) ? thread.hwndFocus : nullptr;
}

// Keys as the dialog's own loop takes them from its queue.
void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// The selection of an edit field: its first character and the one past its last.
std::pair<int, int> Selection(HWND field) {
    DWORD from = 0, to = 0;
    SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return {static_cast<int>(from), static_cast<int>(to)};
}

// Typing into a field: the text replaces the selection.
void Type(HWND field, const std::string& text) {
    for (char c : text) SendMessageA(field, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
}

// A stand-in for the main window that owns the prompt.
class TOwnerWindow {
public:
    TOwnerWindow() {
        FHandle = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_BORDER | WS_VISIBLE, 160, 140, 520, 360,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~TOwnerWindow() { DestroyWindow(FHandle); }
    HWND Handle() const { return FHandle; }

private:
    HWND FHandle = nullptr;
};

// The prompt on its own thread; Name holds what the caller reads afterwards.
class TGroupNameRun {
public:
    TGroupNameRun(HWND owner, const std::string& initial)
        : Name(initial), FRun([this, owner] { return TfrmGroupName::Execute(GetModuleHandleA(nullptr), owner, Name); }) {
        Dialog = FRun.WaitForWindow(TfrmGroupName::Caption);
        Field = GetDlgItem(Dialog, IDC_GRP_NAME);
    }
    // 1 for OK, 0 for Cancel, -99 while still open.
    int Result(DWORD ms = 5000) { return FRun.Result(ms); }
    bool Done() const { return FRun.Done(); }

    std::string Name;
    HWND Dialog = nullptr, Field = nullptr;

private:
    TModalOnThread FRun;
};

}  // namespace

TEST(GroupNameDialog, BlankNamesKeepThePromptOpenAndANameComesBackExactlyAsTyped) {
    TOwnerWindow owner;
    TGroupNameRun run(owner.Handle(), "");
    ASSERT_NE(run.Dialog, nullptr);

    // A fixed dialog frame, centred on its owner; OK is the default button.
    EXPECT_EQ(Text(run.Dialog), "Tabsheet name");
    EXPECT_EQ(GetWindow(run.Dialog, GW_OWNER), owner.Handle());
    EXPECT_TRUE(GetWindowLongPtrA(run.Dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(GetWindowLongPtrA(run.Dialog, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    const POINT mine = WindowCentre(run.Dialog), theirs = WindowCentre(owner.Handle());
    EXPECT_NEAR(mine.x, theirs.x, 1);
    EXPECT_NEAR(mine.y, theirs.y, 1);
    EXPECT_EQ(Text(GetDlgItem(run.Dialog, IDC_GRP_LABEL)), "Enter the name:");
    EXPECT_EQ(Text(GetDlgItem(run.Dialog, IDOK)), "&OK");
    EXPECT_EQ(Text(GetDlgItem(run.Dialog, IDCANCEL)), "&Cancel");
    EXPECT_EQ(LOWORD(SendMessageA(run.Dialog, DM_GETDEFID, 0, 0)), IDOK);
    EXPECT_EQ(Text(run.Field), "");

    // Only blanks, then blanks and control characters: OK leaves the user in the prompt.
    const struct {
        const char* Text;
        bool Typed;  // a tab cannot be typed into the field: that one is set
    } blanks[] = {{"   ", true}, {" \t\x01 ", false}};
    for (const auto& blank : blanks) {
        SendMessageA(run.Field, EM_SETSEL, 0, -1);
        if (blank.Typed) Type(run.Field, blank.Text);
        else SetWindowTextA(run.Field, blank.Text);
        EXPECT_EQ(Text(run.Field), blank.Text);
        SendMessageA(run.Field, EM_SETSEL, 0, 0);
        PostMessageA(GetDlgItem(run.Dialog, IDOK), BM_CLICK, 0, 0);
        // A selection posted after the click shows once the dialog's loop has
        // handled the click; a dialog that closed on it never takes it.
        PostMessageA(run.Field, EM_SETSEL, 1, 2);
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return run.Done() || Selection(run.Field) == std::make_pair(1, 2); }));
        EXPECT_FALSE(run.Done()) << "closed on \"" << blank.Text << "\"";
        EXPECT_TRUE(IsWindowVisible(run.Dialog));
    }

    SendMessageA(run.Field, EM_SETSEL, 0, -1);
    Type(run.Field, " a ");
    EXPECT_EQ(Text(run.Field), " a ");
    PostMessageA(GetDlgItem(run.Dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(run.Name, " a ");
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(GroupNameDialog, APrefilledNameShowsSelectedAndEnterTakesWhatIsTyped) {
    TOwnerWindow owner;
    TGroupNameRun run(owner.Handle(), "Tabsheet 2");
    ASSERT_NE(run.Dialog, nullptr);
    EXPECT_EQ(Text(run.Field), "Tabsheet 2");
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(run.Dialog, nullptr), &thread));
    EXPECT_EQ(thread.hwndFocus, run.Field);
    DWORD from = 0, to = 0;
    SendMessageA(run.Field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 10u);
    EXPECT_EQ(SaveWindowPicture(run.Dialog, ScreenshotPath("groupname-dialog.bmp")), "");

    // Typing replaces the selected name; Enter in the field is OK.
    Type(run.Field, "Games ");
    PostKey(run.Field, VK_RETURN);
    EXPECT_EQ(run.Result(), 1);
    EXPECT_EQ(run.Name, "Games ");
}

TEST(GroupNameDialog, CancelEscAndTheCloseBoxLeaveEvenWhenEmptyAndKeepTheName) {
    struct Case {
        const char* Name;
        const char* Initial;
        std::function<void(HWND dialog, HWND field)> Close;
    } cases[] = {
        {"Cancel on an empty field", "", [](HWND dialog, HWND) { PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }},
        {"Esc", "Tools", [](HWND, HWND field) { PostKey(field, VK_ESCAPE); }},
        {"close box", "Tools", [](HWND dialog, HWND) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    TOwnerWindow owner;
    for (const Case& c : cases) {
        TGroupNameRun run(owner.Handle(), c.Initial);
        ASSERT_NE(run.Dialog, nullptr) << c.Name;
        SendMessageA(run.Field, EM_SETSEL, 0, -1);
        SendMessageA(run.Field, WM_CLEAR, 0, 0);
        c.Close(run.Dialog, run.Field);
        EXPECT_EQ(run.Result(), 0) << c.Name;
        EXPECT_EQ(run.Name, c.Initial) << c.Name;
    }
}

// The about box.

namespace {

// Counts the shell requests as they come, so that the test can wait for them.
class TCountingPlatform : public TFakePlatform {
public:
    bool ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int showCommand, TShellOwner owner,
                   TWindowHandle ownerWindow) override {
        const bool result = TFakePlatform::ShellOpen(verb, file, parameters, directory, showCommand, owner, ownerWindow);
        ++Opened;
        return result;
    }
    std::atomic<int> Opened{0};
};

class AboutBoxTest : public ::testing::Test {
protected:
    HWND Open() {
        FRun.reset(new TModalOnThread([this] {
            TfrmAbout::Execute(platform, GetModuleHandleA(nullptr), owner.Handle());
            return 0;
        }));
        return FRun->WaitForWindow(TfrmAbout::Caption);
    }
    bool Closed() { return FRun->Result() == 0; }
    bool WaitForOpens(int count) {
        return PumpUntil(3000, [&] { return platform.Opened.load() >= count; }) && platform.Opened.load() == count;
    }

    TOwnerWindow owner;
    TCountingPlatform platform;

private:
    std::unique_ptr<TModalOnThread> FRun;
};

bool IsLinkBlue(COLORREF c) { return GetBValue(c) >= 192 && GetRValue(c) <= 64 && GetGValue(c) <= 64; }

}  // namespace

TEST_F(AboutBoxTest, ShowsEveryTextInItsFontsWithBlueUnderlinedLinksAndOkCloses) {
    HWND about = Open();
    ASSERT_NE(about, nullptr);

    // A single fixed frame with only the close box, centred on the desktop.
    EXPECT_EQ(Text(about), "About");
    const LONG_PTR style = GetWindowLongPtrA(about, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const POINT centre = WindowCentre(about), middle = CentreOf(desktop);
    EXPECT_NEAR(centre.x, middle.x, 1);
    EXPECT_NEAR(centre.y, middle.y, 1);

    const struct {
        int Id;
        std::string Text;
    } texts[] = {
        {IDC_ABOUT_HEADING, "Technical Support and Customer Assistance"},
        {IDC_ABOUT_AVAILABLE, "We are available 24x7 via our email support system."},
        {IDC_ABOUT_PROMISE, "We promise you will get our response within 24 hours."},
        {IDC_ABOUT_MAILLABEL, "Please contact our support team at:"},
        {IDC_ABOUT_MAIL, "support@quorlet.example"},
        {IDC_ABOUT_WEBLABEL, "Quorlet Home at:"},
        {IDC_ABOUT_WEB, "http://www.quorlet.example/"},
        {IDC_ABOUT_VERSIONLABEL, "Version:"},
        {IDC_ABOUT_VERSION, "1.3.0.1"},
        {IDC_ABOUT_UPDATELABEL, "Update Date:"},
        {IDC_ABOUT_UPDATE, "Dec 11, 2008"},
        {IDOK, "&OK"},
    };
    for (const auto& t : texts) {
        HWND control = GetDlgItem(about, t.Id);
        EXPECT_EQ(Text(control), t.Text) << t.Id;
        EXPECT_TRUE(IsWindowVisible(control)) << t.Id;
    }
    EXPECT_EQ(Text(GetDlgItem(about, IDC_ABOUT_MAIL)), SupportMailAddress);
    EXPECT_EQ(Text(GetDlgItem(about, IDC_ABOUT_WEB)), HomePageAddress);

    // The heading bold and larger; the version and its date bold, their
    // captions plain like the rest.
    const LOGFONTA plain = FontOf(GetDlgItem(about, IDC_ABOUT_AVAILABLE));
    const LOGFONTA heading = FontOf(GetDlgItem(about, IDC_ABOUT_HEADING));
    EXPECT_GE(heading.lfWeight, FW_BOLD);
    EXPECT_GT(std::abs(heading.lfHeight), std::abs(plain.lfHeight));
    EXPECT_LT(plain.lfWeight, FW_BOLD);
    for (int id : {IDC_ABOUT_VERSION, IDC_ABOUT_UPDATE}) {
        const LOGFONTA value = FontOf(GetDlgItem(about, id));
        EXPECT_GE(value.lfWeight, FW_BOLD) << id;
        EXPECT_EQ(std::abs(value.lfHeight), std::abs(plain.lfHeight)) << id;
    }
    for (int id : {IDC_ABOUT_VERSIONLABEL, IDC_ABOUT_UPDATELABEL})
        EXPECT_LT(FontOf(GetDlgItem(about, id)).lfWeight, FW_BOLD) << id;

    // The links: underlined, blue, a hand over them and the arrow elsewhere;
    // each only as wide as its address, on its label's line.
    EXPECT_TRUE(IsLinkBlue(TfrmAbout::LinkColour));
    for (int id : {IDC_ABOUT_MAIL, IDC_ABOUT_WEB}) {
        HWND link = GetDlgItem(about, id);
        EXPECT_TRUE(FontOf(link).lfUnderline) << id;
        EXPECT_FALSE(FontOf(link).lfWeight >= FW_BOLD) << id;
        HDC dc = CreateCompatibleDC(nullptr);
        SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
        EXPECT_EQ(GetTextColor(dc), TfrmAbout::LinkColour) << id;
        DeleteDC(dc);
        EXPECT_TRUE(SendMessageA(about, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)))
            << id;

        // On the screen: blue letters over a blue line along the bottom, once
        // the box has been painted and the picture has reached the screen.
        TWindowPicture picture;
        int blue = 0, longestRow = 0;
        auto measure = [&] {
            if (!CaptureWindowPicture(link, picture)) return false;
            const size_t stride = (static_cast<size_t>(picture.Width) * 3 + 3) & ~static_cast<size_t>(3);
            blue = longestRow = 0;
            for (int y = 0; y < picture.Height; ++y) {
                int row = 0;
                for (int x = 0; x < picture.Width; ++x) {
                    const uint8_t* p = &picture.Bits[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
                    if (IsLinkBlue(RGB(p[2], p[1], p[0]))) ++row;
                }
                blue += row;
                longestRow = std::max(longestRow, row);
            }
            return blue > picture.Width && longestRow >= picture.Width * 9 / 10;
        };
        EXPECT_TRUE(PumpUntil(kShortWait, measure)) << id << ": the link is not drawn as one";
        EXPECT_GT(blue, picture.Width) << id;
        EXPECT_GE(longestRow, picture.Width * 9 / 10) << id << ": no underline";
    }
    RECT label, mail;
    GetWindowRect(GetDlgItem(about, IDC_ABOUT_MAILLABEL), &label);
    GetWindowRect(GetDlgItem(about, IDC_ABOUT_MAIL), &mail);
    EXPECT_NEAR(CentreOf(mail).y, CentreOf(label).y, 1);
    EXPECT_GT(mail.left, label.right);
    EXPECT_FALSE(SendMessageA(about, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(about, IDC_ABOUT_MAILLABEL)),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));

    EXPECT_EQ(SaveWindowPicture(about, ScreenshotPath("about-box.bmp")), "");
    PostMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(platform.Opened.load(), 0);
}

TEST_F(AboutBoxTest, TheLinksOpenTheMailProgramAndTheHomePageWithTheBoxAsOwner) {
    HWND about = Open();
    ASSERT_NE(about, nullptr);
    HWND mail = GetDlgItem(about, IDC_ABOUT_MAIL), web = GetDlgItem(about, IDC_ABOUT_WEB);
    const std::string mailTo = "mailto:support@quorlet.example?subject=Quorlet Support";

    // A click with the mouse on the mail address.
    RECT r;
    GetWindowRect(mail, &r);
    ASSERT_TRUE(SendClick(CentreOf(r)));
    ASSERT_TRUE(WaitForOpens(1));
    // The pointer over it is the hand.
    CURSORINFO pointer = {};
    pointer.cbSize = sizeof pointer;
    PumpUntil(kShortWait, [&] { return GetCursorInfo(&pointer) && pointer.hCursor == LoadCursor(nullptr, IDC_HAND); });
    EXPECT_EQ(pointer.hCursor, LoadCursor(nullptr, IDC_HAND));
    // Enter on the home page and Space on the mail address, from the keyboard:
    // they follow the link and do not press OK.
    SendMessageA(about, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(web), TRUE);
    PostKey(web, VK_RETURN);
    ASSERT_TRUE(WaitForOpens(2));
    SendMessageA(about, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(mail), TRUE);
    PostKey(mail, VK_SPACE);
    // The focus, moved by a message posted after the keys, moves once the
    // box has handled both of them.
    PostMessageA(about, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(web), TRUE);
    ASSERT_TRUE(WaitForOpens(3));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] { return FocusOf(about) == web; }));
    EXPECT_EQ(platform.Opened.load(), 3);

    const std::string files[] = {mailTo, HomePageAddress, mailTo};
    ASSERT_EQ(platform.ShellOpenCalls.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        const TShellOpenCall& call = platform.ShellOpenCalls[k];
        EXPECT_EQ(call.Verb, "open") << k;
        EXPECT_EQ(call.File, files[k]) << k;
        EXPECT_EQ(call.Parameters, "") << k;
        EXPECT_EQ(call.Directory, "") << k;
        EXPECT_EQ(call.ShowCommand, swShowNormal) << k;
        EXPECT_EQ(call.Owner, TShellOwner::Window) << k;
        EXPECT_EQ(call.OwnerWindow, about) << k;
    }

    // Still open; Esc closes it.
    EXPECT_TRUE(IsWindowVisible(about));
    PostKey(about, VK_ESCAPE);
    EXPECT_TRUE(Closed());
}

TEST(AboutBanner, DrawsTheEmblemFromItsOwnPictureAtOneAndTwoTimesTheDotsPerInch) {
    for (int dpi : {96, 192}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        const RECT area = {0, 0, MulDiv(396, dpi, 96), MulDiv(65, dpi, 96)};
        const RECT emblem = AboutEmblemRect(area, dpi);
        const int size = emblem.right - emblem.left;
        EXPECT_EQ(size, MulDiv(48, dpi, 96));

        // Paints into a 24-bit picture the size of area.
        auto paint = [&](const std::function<void(HDC)>& draw) {
            TWindowPicture picture;
            picture.Width = area.right;
            picture.Height = area.bottom;
            BITMAPINFO format = {};
            format.bmiHeader.biSize = sizeof format.bmiHeader;
            format.bmiHeader.biWidth = picture.Width;
            format.bmiHeader.biHeight = picture.Height;
            format.bmiHeader.biPlanes = 1;
            format.bmiHeader.biBitCount = 24;
            format.bmiHeader.biCompression = BI_RGB;
            const DWORD stride = (static_cast<DWORD>(picture.Width) * 3 + 3) & ~3u;
            format.bmiHeader.biSizeImage = stride * static_cast<DWORD>(picture.Height);
            HDC dc = CreateCompatibleDC(nullptr);
            void* bits = nullptr;
            HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
            HGDIOBJ old = SelectObject(dc, bitmap);
            draw(dc);
            GdiFlush();
            picture.Header = format.bmiHeader;
            picture.Bits.assign(static_cast<uint8_t*>(bits), static_cast<uint8_t*>(bits) + format.bmiHeader.biSizeImage);
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteDC(dc);
            return picture;
        };
        const TWindowPicture banner = paint([&](HDC dc) { PaintAboutBanner(dc, area, dpi, GetModuleHandleA(nullptr)); });
        if (dpi == 192) {
            EXPECT_TRUE(banner.Save(ScreenshotPath("about-banner-2x.bmp")));
        }

        // The picture of that size alone, on black and on white: where the
        // two agree it is opaque, and the banner must show those pixels as they are.
        HICON picture = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ABOUTEMBLEM), IMAGE_ICON, size, size, 0));
        ASSERT_NE(picture, nullptr);
        auto onGround = [&](int stock) {
            return paint([&](HDC dc) {
                FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(stock)));
                DrawIconEx(dc, emblem.left, emblem.top, picture, size, size, 0, nullptr, DI_NORMAL);
            });
        };
        const TWindowPicture black = onGround(BLACK_BRUSH), white = onGround(WHITE_BRUSH);
        DestroyIcon(picture);
        const size_t stride = (static_cast<size_t>(area.right) * 3 + 3) & ~static_cast<size_t>(3);
        int opaque = 0, differing = 0;
        for (int y = emblem.top; y < emblem.bottom; ++y)
            for (int x = emblem.left; x < emblem.right; ++x) {
                const size_t at = static_cast<size_t>(area.bottom - 1 - y) * stride + static_cast<size_t>(x) * 3;
                bool same = true;
                for (size_t c = 0; c < 3; ++c) same = same && black.Bits[at + c] == white.Bits[at + c];
                if (!same) continue;
                ++opaque;
                for (size_t c = 0; c < 3; ++c)
                    if (banner.Bits[at + c] != black.Bits[at + c]) {
                        ++differing;
                        break;
                    }
            }
        EXPECT_GT(opaque, size * size / 2);
        EXPECT_EQ(differing, 0);
    }
}
