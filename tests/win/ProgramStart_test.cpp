// End-to-end: the real Quorlet.exe started from a temporary program folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "fakes/TempFolder.h"
#include "win32/WinHandles.h"

using namespace quorlet;

namespace {

std::string CurrentUserName() {
    char buffer[64] = {};
    DWORD size = sizeof buffer;
    return GetUserNameA(buffer, &size) ? std::string(buffer) : std::string();
}

HWND WaitForMainWindow(DWORD ms) {
    HWND found = nullptr;
    PumpUntil(ms, [&] {
        found = FindWindowA("TfrmQuorlet", "Quorlet");
        return found && IsWindowVisible(found);
    });
    return found;
}

DWORD WaitForExit(const TStartedProcess& p, DWORD ms) {
    if (WaitForSingleObject(p.Process.Get(), ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(p.Process.Get(), &code);
    return code;
}

class ProgramStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
    }
    void TearDown() override {
        if (first.Process && WaitForSingleObject(first.Process.Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(first.Process.Get(), 1);
            WaitForSingleObject(first.Process.Get(), 5000);
        }
    }
    TTempFolder folder;
    std::string exe;
    TStartedProcess first;
};

}  // namespace

TEST_F(ProgramStartTest, SingleInstanceWindowAndCleanExit) {
    first = StartProgram(exe, folder.Path());
    ASSERT_TRUE(first.Process);
    HWND window = WaitForMainWindow(15000);
    ASSERT_NE(window, nullptr);
    DWORD owningProcess = 0;
    GetWindowThreadProcessId(window, &owningProcess);
    EXPECT_EQ(owningProcess, first.ProcessId);

    // The index names the current user's settings document.
    const std::string user = CurrentUserName();
    std::string index = ReadFileText(folder.File("Quorlet.xml"));
    EXPECT_NE(index.find("<Item Name=\"" + user + "\" CurXml=\"QL_" + user + ".xml\" RestoreXml=\"\"/>"),
              std::string::npos)
        << index;

    // Shape of the window as another process sees it.
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_TRUE((style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)) == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    HWND owner = GetWindow(window, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(owner, GWL_EXSTYLE), WS_EX_TOOLWINDOW);
    // (The window icon is checked in-process: Wine answers WM_GETICON only there.)

    // A second start signals the first and ends without a window of its own.
    TStartedProcess second = StartProgram(exe, folder.Path());
    ASSERT_TRUE(second.Process);
    EXPECT_EQ(WaitForExit(second, 10000), 0u);
    EXPECT_EQ(CountTopLevelWindows("TfrmQuorlet", "Quorlet"), 1);
    EXPECT_EQ(WaitForSingleObject(first.Process.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

    // Closing the window ends the program with exit code 0.
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first, 10000), 0u);
    EXPECT_EQ(CountTopLevelWindows("TfrmQuorlet", "Quorlet"), 0);
}

TEST_F(ProgramStartTest, ExecutableCarriesItsResources) {
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceA(module, "ICON", "WAVE"), nullptr);
    EXPECT_NE(FindResourceA(module, "TABSHEET", "WAVE"), nullptr);
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr);  // manifest
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)), nullptr);  // icon group
    FreeLibrary(module);

    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, &data[0]));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueA(&data[0], "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(3, 1)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(1, 0)));
    char* text = nullptr;
    UINT textSize = 0;
    ASSERT_TRUE(VerQueryValueA(&data[0], "\\StringFileInfo\\040904E4\\FileVersion",
                               reinterpret_cast<void**>(&text), &textSize));
    EXPECT_STREQ(text, "1.3.0.1");
}

TEST_F(ProgramStartTest, WindowComesBackWhereItWasClosed) {
    first = StartProgram(exe, folder.Path());
    ASSERT_TRUE(first.Process);
    HWND window = WaitForMainWindow(15000);
    ASSERT_NE(window, nullptr);
    const std::string settingsFile = folder.File("QL_" + CurrentUserName() + ".xml");
    EXPECT_NE(ReadFileText(settingsFile).find("<RKConfig>"), std::string::npos);

    ASSERT_TRUE(SetWindowPos(window, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    EXPECT_TRUE(PumpUntil(kShortWait, [&] {
        RECT r;
        GetWindowRect(window, &r);
        return r.left == 123 && r.top == 77;
    }));
    // Closed while minimised: the place it is shown at counts, not the icon's.
    ShowWindowAsync(window, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil(5000, [&] { return IsIconic(window) != FALSE; }));
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForExit(first, 10000), 0u);
    const std::string saved = ReadFileText(settingsFile);
    EXPECT_NE(saved.find("<Item Name=\"X\" Value=\"123\"/>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<Item Name=\"Y\" Value=\"77\"/>"), std::string::npos) << saved;

    first = StartProgram(exe, folder.Path());
    ASSERT_TRUE(first.Process);
    window = WaitForMainWindow(15000);
    ASSERT_NE(window, nullptr);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 123);
    EXPECT_EQ(r.top, 77);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first, 10000), 0u);
}

namespace {

// The first visible message box of a process, waited for up to ms.
HWND WaitForBoxOf(DWORD processId, DWORD ms) {
    HWND found = nullptr;
    PumpUntil(ms, [&] {
        for (HWND w = FindWindowA("#32770", nullptr); w && !found; w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == processId && IsWindowVisible(w)) found = w;
        }
        return found != nullptr;
    });
    return found;
}

std::string ControlText(HWND control) {
    char text[512] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}

LRESULT CALLBACK SilentWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A window that looks like the running instance's, on a thread that stops
// answering once it is there. (Nothing of this process may ask it anything:
// reading its title would wait for it.)
class THungInstance {
public:
    THungInstance() : FRelease(CreateEventA(nullptr, TRUE, FALSE, nullptr)), FReady(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        FThread.Reset(CreateThread(nullptr, 0, &Run, this, 0, nullptr));
        WaitForSingleObject(FReady.Get(), 10000);
    }
    ~THungInstance() {
        SetEvent(FRelease.Get());
        WaitForSingleObject(FThread.Get(), 10000);
    }
    HWND Window() const { return FWindow; }

private:
    static DWORD WINAPI Run(void* data) {
        auto* self = static_cast<THungInstance*>(data);
        // A class of that name of another module: the in-process tests'
        // main window class of this program stays as it is.
        const HINSTANCE module = GetModuleHandleA("kernel32.dll");
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &SilentWindowProc;
        wc.hInstance = module;
        wc.lpszClassName = "TfrmQuorlet";
        const bool registered = RegisterClassA(&wc) != 0;
        if (registered)
            self->FWindow = CreateWindowExA(0, "TfrmQuorlet", "Quorlet", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                            nullptr, module, nullptr);
        SetEvent(self->FReady.Get());
        WaitForSingleObject(self->FRelease.Get(), INFINITE);
        if (self->FWindow) DestroyWindow(self->FWindow);
        if (registered) UnregisterClassA("TfrmQuorlet", module);
        return 0;
    }
    TUniqueHandle FRelease, FReady, FThread;
    HWND FWindow = nullptr;
};

}  // namespace

TEST_F(ProgramStartTest, ASecondStartThatFindsTheFirstNotAnsweringSaysSo) {
    // The first instance holds its mutex but has no window, or a window that
    // does not answer: a second start says so instead of ending silently.
    TUniqueHandle mutex(CreateMutexA(nullptr, FALSE, "TfrmQuorlet"));
    ASSERT_TRUE(mutex);
    for (const bool withWindow : {false, true}) {
        SCOPED_TRACE(withWindow ? "a window that does not answer" : "no window");
        std::unique_ptr<THungInstance> hung;
        if (withWindow) {
            hung.reset(new THungInstance);
            ASSERT_NE(hung->Window(), nullptr);
        }
        TStartedProcess second = StartProgram(exe, folder.Path());
        ASSERT_TRUE(second.Process);
        HWND box = WaitForBoxOf(second.ProcessId, 30000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(ControlText(box), "Quorlet");
        EXPECT_NE(ControlText(GetDlgItem(box, 0xFFFF)).find("Quorlet is already running but does not answer."),
                  std::string::npos);
        if (!withWindow) EXPECT_EQ(SaveWindowPicture(box, ScreenshotPath("quorlet-not-answering.bmp")), "");
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_EQ(WaitForExit(second, 15000), 0u);
    }
}

TEST_F(ProgramStartTest, TemporaryFilesOfSavesCutShortGoAtTheStart) {
    const std::string document = folder.File("QL_" + CurrentUserName() + ".xml");
    // A process that has ended, and numbers no process has.
    const std::string recorder = folder.File("QuorletRecorder.exe");
    ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
    TStartedProcess ended = StartProgram(recorder, folder.Path());
    ASSERT_TRUE(ended.Process);
    ASSERT_EQ(WaitForSingleObject(ended.Process.Get(), 15000), WAIT_OBJECT_0);
    const std::string gone = document + "." + std::to_string(ended.ProcessId) + "-100.tmp";
    const std::string never = folder.File("Quorlet.xml.4294967292-7.tmp");
    // This process runs: its save may be under way.
    const std::string running = document + "." + std::to_string(GetCurrentProcessId()) + "-200.tmp";
    const std::string mine = folder.File("notes.txt.4294967292-1.tmp");
    for (const std::string& file : {gone, never, running, mine}) WriteFileText(file, std::string(4096, 'x'));

    first = StartProgram(exe, folder.Path());
    ASSERT_TRUE(first.Process);
    ASSERT_NE(WaitForMainWindow(15000), nullptr);
    EXPECT_EQ(GetFileAttributesA(gone.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(never.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(running.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(mine.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProgramStartTest, TheShellCOMDialogAndSocketLibrariesWaitUntilFirstUsed) {
    // A start loads only the libraries every window needs; the others are
    // imported as their first function is called (their load costs a start
    // tens of milliseconds under Wine).
    HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(image, nullptr);
    auto* base = reinterpret_cast<const BYTE*>(image);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> direct;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         imports.VirtualAddress && entry->Name; ++entry) {
        std::string name = reinterpret_cast<const char*>(base + entry->Name);
        for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        direct.push_back(name);
    }
    FreeLibrary(image);
    ASSERT_FALSE(direct.empty());
    for (const char* later : {"shell32.dll", "ole32.dll", "oleaut32.dll", "comdlg32.dll", "ws2_32.dll"})
        EXPECT_EQ(std::find(direct.begin(), direct.end(), later), direct.end()) << later << " is imported directly";
}
