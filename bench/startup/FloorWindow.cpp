// The least a launcher of this kind has to hold in memory: a main window with
// a tab control and a status bar, COM initialised on the window's thread, one
// file icon asked of the shell (which builds the shell's image lists), and the
// window registered as an OLE drop target for files, as the launcher's window
// is (which under Wine starts a thread of its own).
// Built twice, with Quorlet's manifest (common controls 6) and without.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>

#include "FloorWindow.h"

namespace {

HICON gFileIcon = nullptr;

// A drop target that takes nothing: its registration is what costs.
class TRefusingDropTarget final : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
};
TRefusingDropTarget gDropTarget;

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            if (gFileIcon) DrawIconEx(dc, 8, 40, gFileIcon, 32, 32, 0, nullptr, DI_NORMAL);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    using namespace quorlet::startupbench;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = FloorWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFloorWindowClass;
    if (!RegisterClassA(&wc)) return 1;
    HWND window = CreateWindowExA(0, kFloorWindowClass, kFloorWindowTitle,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 420, 200, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 404, 30,
                                window, nullptr, instance, nullptr);
    HWND status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr,
                                  instance, nullptr);
    if (!tabs || !status) return 1;
    SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    char caption[] = "Tools";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));

    char file[MAX_PATH + 16] = {};
    const UINT length = GetSystemDirectoryA(file, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    lstrcatA(file, "\\notepad.exe");
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(file, 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON) || !info.hIcon) return 1;
    gFileIcon = info.hIcon;

    ShowWindow(window, showCommand);
    UpdateWindow(window);
    // Once shown, as the launcher does it.
    if (FAILED(OleInitialize(nullptr)) || FAILED(RegisterDragDrop(window, &gDropTarget))) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyIcon(gFileIcon);
    OleUninitialize();
    CoUninitialize();
    return 0;
}
