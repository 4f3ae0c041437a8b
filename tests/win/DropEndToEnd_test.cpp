// End-to-end: files dragged with OLE drag and drop from this process onto the
// cells of the real Quorlet.exe. This process is the drag's source: it holds
// a file list (CF_HDROP), presses the left button on a window of its own,
// runs DoDragDrop, and moves the pointer and releases the button with real
// input from a second thread, which also answers the program's question. The
// settings document, read back through the program's own stores, shows what
// the drop stored.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <atomic>
#include <string>
#include <thread>

#include "FileListData.h"
#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

// The source's rule: drop when the left button is up, stop on Escape.
class TDragSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
            *object = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&FRefs)); }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keyState) override {
        Started = true;
        if (escape || Cancel) return DRAGDROP_S_CANCEL;
        // The key state OLE hands over is this thread's, which the release
        // does not reach once the program has come to the front (under Wine
        // the pointer goes to the foreground thread's windows): the button as
        // the system knows it decides.
        const bool down = (keyState & MK_LBUTTON) && (GetAsyncKeyState(VK_LBUTTON) & 0x8000);
        return down ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

    std::atomic<bool> Started{false};
    std::atomic<bool> Cancel{false};

private:
    LONG FRefs = 1;
};

// A window of this process where the drag begins: it notes the press that
// puts the left button into this thread's key state.
const char* const kSourceClass = "QuorletDropTestSource";
std::atomic<bool> g_sourcePressed{false};

LRESULT CALLBACK SourceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) g_sourcePressed = true;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool SendButton(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return SendInput(1, &input, sizeof input) == 1;
}

// What the input thread saw of one drag.
struct TDragRecord {
    bool Started = false;
    std::string StatusOnCell;  // the hint line with the pointer on the cell
    int ActiveTabOnCell = -1;
    bool BoxShown = false;
    TMessageBox Box;
    // The question came up above the window the drag came from.
    bool BoxAboveSource = false;
};

// Whether window a lies above window b on the screen (in the z-order of the
// top-level windows).
bool Above(HWND a, HWND b) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == a) return true;
        if (w == b) return false;
    }
    return false;
}

class DropEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(oleResult = OleInitialize(nullptr)));
        HMODULE ole32 = GetModuleHandleA("ole32.dll");
        ASSERT_NE(ole32, nullptr);
        doDragDrop = reinterpret_cast<TDoDragDrop>(reinterpret_cast<void*>(GetProcAddress(ole32, "DoDragDrop")));
        ASSERT_NE(doDragDrop, nullptr);

        exe = folder.File("Quorlet.exe");
        recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        tool = folder.File("Dropped Tool.exe");
        ASSERT_TRUE(CopyFileA(recorder.c_str(), tool.c_str(), FALSE));
        docs = folder.File("Docs");
        ASSERT_TRUE(CreateDirectoryA(docs.c_str(), nullptr));

        TStoreScope scope(exe);
        settingsFile = SettingFileName;
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.AutoCheckUpdate = false;
        // The Quorlet Tab comes up first: the drag brings the first button tab sheet.
        settings.ShowAppPanel = true;
        settings.ActiveAppPanel = true;
        settings.LastPanelIndex = 1;
        settings.X = 600;
        settings.Y = 200;
        settings.SaveSettings();
        TBtnSettingXml buttons(scope.Platform());
        StoreButton(buttons, {102, recorder, "-old", "", "Old tool", "", recorder, 1, SW_SHOWNORMAL, 7});

        WNDCLASSA wc = {};
        wc.lpfnWndProc = &SourceProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kSourceClass;
        RegisterClassA(&wc);
        sourceWindow = CreateWindowExA(WS_EX_TOPMOST, kSourceClass, "Drag source", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                       80, 80, 160, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(sourceWindow, nullptr);
    }

    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) SendButton(MOUSEEVENTF_LEFTUP);
        if (sourceWindow) DestroyWindow(sourceWindow);
        if (SUCCEEDED(oleResult)) OleUninitialize();
    }

    void StartQuorlet() {
        ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
        // The drop targets come up once the window is shown and idle.
        HWND sheet = quorlet.Sheet(1);
        ASSERT_NE(sheet, nullptr);
        EXPECT_TRUE(PumpUntil(kLaunchWait, [&] {
            return IsRegistered(quorlet.Window()) && IsRegistered(quorlet.Tabs()) && IsRegistered(sheet);
        })) << "no drop targets registered";
        EXPECT_FALSE(IsRegistered(quorlet.Sheet(0)));  // the Quorlet Tab takes no drops
    }

    // OLE keeps a registered window's target in window properties (the
    // marshalled one for other processes under Wine).
    static bool IsRegistered(HWND window) {
        return window && (GetPropA(window, "WineMarshalledDropTarget") || GetPropA(window, "OleDropTargetInterface"));
    }

    int ActiveTab() const { return static_cast<int>(SendMessageA(quorlet.Tabs(), TCM_GETCURSEL, 0, 0)); }

    // Drags path from the source window onto the cell and drops it there;
    // answer (IDYES or IDNO) goes to a question if one comes. Returns the
    // effect DoDragDrop reports.
    // expectedStatus is the hint line awaited with the pointer on the cell.
    DWORD DragOnto(const TCellRef& cell, const std::string& path, const std::string& expectedStatus, int answer,
                   TDragRecord& record) {
        TFileList files(path);
        TDragSource source;
        RECT r;
        GetWindowRect(sourceWindow, &r);
        g_sourcePressed = false;
        EXPECT_TRUE(SendPointerMove(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
        EXPECT_TRUE(SendButton(MOUSEEVENTF_LEFTDOWN));
        if (!PumpUntil(kShortWait, [] { return g_sourcePressed.load(); })) {
            ADD_FAILURE() << "the source window was not pressed";
            SendButton(MOUSEEVENTF_LEFTUP);
            return DROPEFFECT_NONE;
        }
        const POINT target = CellScreenCenter(cell);
        std::atomic<bool> done{false};
        std::thread input([&] {
            const DWORD start = GetTickCount();
            while (!source.Started && GetTickCount() - start < kShortWait) Sleep(20);
            record.Started = source.Started;
            // Onto the window, then onto the cell itself once its page shows.
            SendPointerMove(POINT{target.x + 1, target.y + 1});
            for (DWORD wait = GetTickCount(); GetTickCount() - wait < kShortWait;) {
                if (IsWindowVisible(cell.Sheet) && WindowFromPoint(target) == cell.Sheet) break;
                Sleep(20);
            }
            SendPointerMove(target);
            for (DWORD wait = GetTickCount(); GetTickCount() - wait < kShortWait;) {
                record.StatusOnCell = quorlet.Panel(0);
                if (record.StatusOnCell == expectedStatus) break;
                Sleep(20);
            }
            record.ActiveTabOnCell = ActiveTab();
            SendButton(MOUSEEVENTF_LEFTUP);
            // A question holds the drop until it is answered; a drag that does
            // not end is called off.
            const DWORD released = GetTickCount();
            while (!done) {
                if (GetTickCount() - released > kLaunchWait) {
                    source.Cancel = true;
                    SendPointerMove(POINT{target.x + 2, target.y});
                }
                TMessageBox box;
                if (quorlet.WaitForMessageBox(100, box)) {
                    record.BoxShown = true;
                    record.Box = box;
                    record.BoxAboveSource = PumpUntil(kShortWait, [&] { return Above(box.Window, sourceWindow); });
                    PostMessageA(box.Window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
                    PumpUntil(kShortWait, [&] { return !IsWindow(box.Window) || !IsWindowVisible(box.Window); });
                }
            }
        });
        DWORD effect = DROPEFFECT_NONE;
        const HRESULT result = doDragDrop(&files, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
        done = true;
        input.join();
        EXPECT_EQ(result, DRAGDROP_S_DROP);
        EXPECT_GT(files.GetDataCalls.load(), 0) << "the program never read the file list";
        return effect;
    }

    // The record under id as the file holds it.
    struct TStored {
        bool Exists = false;
        int32_t BtnStyle = -1, IconNumber = -1, WindowStyle = -1, TotolRunTimes = -1;
        std::string Command, Parameters, IconFile, Description;
    };
    TStored ReadStored(int32_t id) {
        TStoreScope scope(exe);
        TBtnSettingXml store(scope.Platform());
        store.ReadButton(id);
        TStored stored;
        stored.Exists = !store.Empty;
        stored.BtnStyle = store.BtnStyle;
        stored.IconNumber = store.IconNumber;
        stored.WindowStyle = store.WindowStyle;
        stored.TotolRunTimes = store.TotolRunTimes;
        stored.Command = store.Command;
        stored.Parameters = store.Parameters;
        stored.IconFile = store.IconFile;
        stored.Description = store.Description;
        return stored;
    }

    using TDoDragDrop = HRESULT(WINAPI*)(IDataObject*, IDropSource*, DWORD, DWORD*);
    HRESULT oleResult = E_FAIL;
    TDoDragDrop doDragDrop = nullptr;
    TTempFolder folder;
    std::string exe, recorder, tool, docs, settingsFile;
    HWND sourceWindow = nullptr;
    TQuorletUnderTest quorlet;
};

}  // namespace

TEST_F(DropEndToEndTest, FilesDroppedOnCellsBecomeTheirButtons) {
    ASSERT_NO_FATAL_FAILURE(StartQuorlet());
    ASSERT_EQ(ActiveTab(), 0);
    {
        SCOPED_TRACE("a program onto an empty cell");
        const TCellRef cell = quorlet.Cell(1, 101);
        ASSERT_EQ(CellHint(cell), "");
        TDragRecord record;
        EXPECT_EQ(DragOnto(cell, tool, "101", IDNO, record), static_cast<DWORD>(DROPEFFECT_COPY));
        EXPECT_TRUE(record.Started);
        EXPECT_EQ(record.ActiveTabOnCell, 1);        // the Quorlet Tab made way for the first sheet
        EXPECT_EQ(record.StatusOnCell, "101");       // an empty cell shows its identifier
        EXPECT_FALSE(record.BoxShown) << record.Box.Text;  // nothing to replace: no question
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return CellHint(cell) == "Dropped Tool.exe"; })) << CellHint(cell);
        EXPECT_TRUE(CellHasPicture(cell));
        const TStored stored = ReadStored(101);
        ASSERT_TRUE(stored.Exists);
        EXPECT_EQ(stored.BtnStyle, 0);
        EXPECT_EQ(stored.Command, tool);
        EXPECT_EQ(stored.IconFile, tool);
        EXPECT_EQ(stored.IconNumber, 0);
        EXPECT_EQ(stored.Description, "Dropped Tool.exe");
        EXPECT_EQ(stored.Parameters, "");
        EXPECT_EQ(stored.WindowStyle, 1);
        EXPECT_EQ(stored.TotolRunTimes, 0);
        quorlet.SavePicture("quorlet-drop.bmp");
    }
    const std::string beforeNo = ReadFileText(settingsFile);
    {
        SCOPED_TRACE("a folder onto an occupied cell, answered No");
        const TCellRef cell = quorlet.Cell(1, 102);
        TDragRecord record;
        DragOnto(cell, docs, "Old tool", IDNO, record);
        EXPECT_EQ(record.StatusOnCell, "Old tool");
        ASSERT_TRUE(record.BoxShown);
        EXPECT_EQ(record.Box.Caption, "Quorlet");
        EXPECT_EQ(record.Box.Text, "Use the:\r\n\r\n" + docs + "\r\n\r\nReplace the exists icon:\r\n\r\n" + recorder + " ?");
        EXPECT_TRUE(record.Box.HasIcon);
        // Asked in front of the window the file came from (which stays on top).
        EXPECT_TRUE(record.BoxAboveSource);
        EXPECT_EQ(ReadFileText(settingsFile), beforeNo);
        EXPECT_EQ(CellHint(cell), "Old tool");
    }
    {
        SCOPED_TRACE("the same, answered Yes");
        const TCellRef cell = quorlet.Cell(1, 102);
        TDragRecord record;
        DragOnto(cell, docs, "Old tool", IDYES, record);
        EXPECT_TRUE(record.BoxShown);
        EXPECT_TRUE(PumpUntil(kShortWait, [&] { return CellHint(cell) == "Docs"; })) << CellHint(cell);
        const TStored stored = ReadStored(102);
        ASSERT_TRUE(stored.Exists);
        EXPECT_EQ(stored.Command, docs);
        EXPECT_EQ(stored.Parameters, "");
        EXPECT_EQ(stored.Description, "Docs");
        EXPECT_EQ(stored.WindowStyle, 5);
        EXPECT_EQ(stored.TotolRunTimes, 0);  // the old record's counts are gone
        EXPECT_EQ(ReadStored(101).Command, tool);  // the first drop stays
    }
    EXPECT_TRUE(quorlet.Running());
}
