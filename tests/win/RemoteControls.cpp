#include "RemoteControls.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "base/RemoteQuestion.h"

namespace quorlet {

TRemoteMemory::TRemoteMemory(HWND window, size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    FProcess.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (FProcess)
        FAddress = VirtualAllocEx(FProcess.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

TRemoteMemory::~TRemoteMemory() {
    if (FAddress) VirtualFreeEx(FProcess.Get(), FAddress, 0, MEM_RELEASE);
}

bool TRemoteMemory::Write(const void* data, size_t size) {
    SIZE_T done = 0;
    return FAddress && WriteProcessMemory(FProcess.Get(), FAddress, data, size, &done) && done == size;
}

bool TRemoteMemory::Read(void* data, size_t size) const {
    SIZE_T done = 0;
    return FAddress && ReadProcessMemory(FProcess.Get(), FAddress, data, size, &done) && done == size;
}

HWND FindChildControl(HWND parent, int id, const char* className) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (GetDlgCtrlID(child) == id && lstrcmpiA(cls, className) == 0) return child;
    }
    return nullptr;
}

namespace {

// Sends a message with a pointer into the control's own process and returns its result.
bool RemoteSend(HWND control, UINT message, WPARAM wParam, TRemoteMemory& memory, LRESULT& result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(control, message, wParam, reinterpret_cast<LPARAM>(memory.Address()),
                             SMTO_ABORTIFHUNG, 5000, &answer))
        return false;
    result = static_cast<LRESULT>(answer);
    return true;
}

}  // namespace

std::string StatusPanelText(HWND statusBar, int panel) {
    const size_t size = 1024;
    TRemoteMemory memory(statusBar, size);
    std::vector<char> text(size, '\0');
    LRESULT ignored = 0;
    if (!memory || !memory.Write(text.data(), size) || !RemoteSend(statusBar, SB_GETTEXTA, panel, memory, ignored) ||
        !memory.Read(text.data(), size))
        return "<unreadable>";
    text.back() = '\0';
    return text.data();
}

std::string TabCaption(HWND tabControl, int index) {
    const size_t textSize = 256;
    TRemoteMemory memory(tabControl, sizeof(TCITEMA) + textSize);
    if (!memory) return "<unreadable>";
    char* remoteText = static_cast<char*>(memory.Address()) + sizeof(TCITEMA);
    std::vector<char> block(sizeof(TCITEMA) + textSize, '\0');
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = remoteText;
    item.cchTextMax = static_cast<int>(textSize);
    std::memcpy(block.data(), &item, sizeof item);
    LRESULT ok = 0;
    if (!memory.Write(block.data(), block.size()) || !RemoteSend(tabControl, TCM_GETITEMA, index, memory, ok) ||
        !ok || !memory.Read(block.data(), block.size()))
        return "<unreadable>";
    std::memcpy(&item, block.data(), sizeof item);
    block.back() = '\0';
    // The control may answer with a pointer to its own copy of the text.
    if (item.pszText != remoteText) return "<text elsewhere>";
    return block.data() + sizeof(TCITEMA);
}

bool TabScreenRect(HWND tabControl, int index, RECT& rect) {
    TRemoteMemory memory(tabControl, sizeof(RECT));
    LRESULT ok = 0;
    if (!memory || !RemoteSend(tabControl, TCM_GETITEMRECT, index, memory, ok) || !ok || !memory.Read(&rect, sizeof rect))
        return false;
    MapWindowPoints(tabControl, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

namespace {

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT MouseInput(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

bool WriteAll(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

bool Send(INPUT input) { return SendInput(1, &input, sizeof input) == 1; }

// A key with no meaning to any program (the range 0x88..0x8F is unassigned).
const WORD kNeutralKey = 0x88;

const DWORD kMoveSettleMs = 400;

// Owners of the drawing handles of a picture.
class TScreenDc {
public:
    TScreenDc() : FDc(GetDC(nullptr)) {}
    ~TScreenDc() { ReleaseDC(nullptr, FDc); }
    TScreenDc(const TScreenDc&) = delete;
    TScreenDc& operator=(const TScreenDc&) = delete;
    HDC Get() const { return FDc; }

private:
    HDC FDc;
};

class TMemoryDc {
public:
    explicit TMemoryDc(HDC compatible) : FDc(CreateCompatibleDC(compatible)) {}
    ~TMemoryDc() {
        if (FDc) DeleteDC(FDc);
    }
    TMemoryDc(const TMemoryDc&) = delete;
    TMemoryDc& operator=(const TMemoryDc&) = delete;
    HDC Get() const { return FDc; }

private:
    HDC FDc;
};

class TBitmap {
public:
    explicit TBitmap(HBITMAP bitmap) : FBitmap(bitmap) {}
    ~TBitmap() {
        if (FBitmap) DeleteObject(FBitmap);
    }
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    HBITMAP Get() const { return FBitmap; }

private:
    HBITMAP FBitmap;
};

}  // namespace

bool SendKey(WORD key, bool up) { return Send(KeyInput(key, up)); }

bool SendPointerMove(POINT point) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    // The smallest normalised coordinate that maps back onto the pixel.
    move.mi.dx = static_cast<LONG>((point.x * 65536LL + width - 1) / width);
    move.mi.dy = static_cast<LONG>((point.y * 65536LL + height - 1) / height);
    if (!Send(move)) return false;
    for (int attempt = 0; attempt < 50; ++attempt) {
        POINT now = {};
        GetCursorPos(&now);
        if (std::abs(now.x - point.x) <= 1 && std::abs(now.y - point.y) <= 1) {
            // Under Wine the display's answer to the move (entering a window) resets
            // the modifier keys to what the display knows of them, which is not
            // what SendInput pressed: let it pass before any key goes down. The
            // answer is handled in the process that owns the window, where
            // nothing of it can be seen from here, so this is a pause between
            // moving and pressing, as a hand makes one.
            Sleep(kMoveSettleMs);
            return true;
        }
        Sleep(10);
    }
    return false;
}

bool SendRightClick(POINT point) {
    return SendPointerMove(point) && Send(MouseInput(MOUSEEVENTF_RIGHTDOWN)) && Send(MouseInput(MOUSEEVENTF_RIGHTUP));
}

bool SendText(const std::string& text) {
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan == -1) return false;
        const WORD key = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift && !SendKey(VK_SHIFT, false)) return false;
        const bool ok = SendKey(key, false) && SendKey(key, true);
        if (shift) SendKey(VK_SHIFT, true);
        if (!ok) return false;
    }
    return true;
}

TCopyDataInbox::TCopyDataInbox() {
    static const char* const kClassName = "QuorletTestInbox";
    static const bool registered = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &TCopyDataInbox::WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    if (!registered) return;
    FWindow = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (FWindow) SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TCopyDataInbox::~TCopyDataInbox() {
    if (FWindow) DestroyWindow(FWindow);
}

LRESULT CALLBACK TCopyDataInbox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* inbox = reinterpret_cast<TCopyDataInbox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && inbox && lParam) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        TItem item;
        item.Kind = data->dwData;
        if (data->lpData && data->cbData)
            item.Bytes.assign(static_cast<const uint8_t*>(data->lpData),
                              static_cast<const uint8_t*>(data->lpData) + data->cbData);
        inbox->FItems.push_back(std::move(item));
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT SendCopyData(HWND window, const TCopyDataInbox& from, uint64_t kind, const std::vector<uint8_t>& bytes,
                     DWORD timeoutMs) {
    COPYDATASTRUCT data = {};
    data.dwData = static_cast<ULONG_PTR>(kind);
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = bytes.empty() ? nullptr : const_cast<uint8_t*>(bytes.data());
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_COPYDATA, reinterpret_cast<WPARAM>(from.Handle()),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeoutMs, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

int OpenMenuEntry(HWND mainWindow, int position, std::string& caption) {
    caption.clear();
    static uint32_t lastSerial = 0;
    TCopyDataInbox inbox;
    TQuestion question;
    question.Kind = kQuestionOpenMenuEntry;
    question.Serial = ++lastSerial;
    question.ReplyWindow = reinterpret_cast<uintptr_t>(inbox.Handle());
    question.Argument = position;
    // The answer is sent while the question is being answered, so it is in
    // the inbox when the question returns.
    if (!inbox.Handle() || SendCopyData(mainWindow, inbox, question.Kind, EncodeQuestion(question)) != TRUE) return -1;
    TMenuEntryAnswer answer;
    for (const TCopyDataInbox::TItem& item : inbox.Items())
        if (DecodeMenuEntryAnswer(item.Kind, item.Bytes.data(), item.Bytes.size(), answer) &&
            answer.Serial == question.Serial) {
            caption = answer.Caption;
            return answer.State;
        }
    return -1;
}

bool SendLeftClick() { return Send(MouseInput(MOUSEEVENTF_LEFTDOWN)) && Send(MouseInput(MOUSEEVENTF_LEFTUP)); }

bool ReleaseKey(WORD key) {
    bool ok = true;
    if (key == VK_MENU) ok = SendKey(kNeutralKey, false) && SendKey(kNeutralKey, true);
    return SendKey(key, true) && ok;
}

bool SendClick(POINT point, std::initializer_list<WORD> keys) {
    if (!SendPointerMove(point)) return false;
    bool ok = true;
    for (WORD key : keys) ok = SendKey(key, false) && ok;
    ok = SendLeftClick() && ok;
    for (auto key = keys.end(); key != keys.begin();) {
        --key;
        ok = ReleaseKey(*key) && ok;
    }
    return ok;
}

bool CaptureWindowPicture(HWND window, TWindowPicture& picture) {
    RECT r = {};
    if (!GetWindowRect(window, &r)) return false;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;  // rows from the bottom up, as BMP files store them
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    format.bmiHeader.biSizeImage = imageSize;

    TScreenDc screen;
    TMemoryDc memory(screen.Get());
    void* bits = nullptr;
    TBitmap bitmap(CreateDIBSection(screen.Get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory.Get() || !bitmap.Get()) return false;
    HGDIOBJ old = SelectObject(memory.Get(), bitmap.Get());
    const bool copied =
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY | CAPTUREBLT) != FALSE;
    GdiFlush();
    SelectObject(memory.Get(), old);
    if (!copied) return false;
    picture.Width = width;
    picture.Height = height;
    picture.Header = format.bmiHeader;
    picture.Bits.assign(static_cast<const uint8_t*>(bits), static_cast<const uint8_t*>(bits) + imageSize);
    return true;
}

size_t TWindowPicture::DistinctColours(size_t enough) const {
    std::set<uint32_t> colours;
    const size_t stride = (static_cast<size_t>(Width) * 3 + 3) & ~static_cast<size_t>(3);
    for (int y = 0; y < Height && colours.size() < enough; ++y)
        for (int x = 0; x < Width && colours.size() < enough; ++x) {
            const uint8_t* p = &Bits[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
            colours.insert(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                           static_cast<uint32_t>(p[2]) << 16);
        }
    return colours.size();
}

bool TWindowPicture::Save(const std::string& bmpFile) const {
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + static_cast<DWORD>(Bits.size());
    TUniqueHandle file(
        CreateFileA(bmpFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.Get(), &header, sizeof header) && WriteAll(file.Get(), &Header, sizeof Header) &&
           WriteAll(file.Get(), Bits.data(), Bits.size());
}

std::string SaveWindowPicture(HWND window, const std::string& bmpFile, DWORD stillMs) {
    // What the screen shows settles a moment after the last paint: two
    // pictures alike in a row, and more than a flat area, make a finished one.
    const size_t kNotBlank = 16;
    TWindowPicture last, now;
    bool haveLast = false;
    const DWORD start = GetTickCount();
    do {
        if (!CaptureWindowPicture(window, now)) return "the window cannot be captured";
        if (haveLast && now.Bits == last.Bits && now.DistinctColours(kNotBlank) >= kNotBlank)
            return now.Save(bmpFile) ? std::string() : "cannot write " + bmpFile;
        last = now;
        haveLast = true;
        Sleep(stillMs);
    } while (GetTickCount() - start < 10000);
    last.Save(bmpFile);
    return "the picture did not settle or stayed blank (" + std::to_string(last.DistinctColours(kNotBlank)) +
           " colours), saved as " + bmpFile;
}

}  // namespace quorlet

namespace quorlet {

std::string ListViewCellText(HWND list, int row, int column) {
    const size_t textSize = 1024;
    TRemoteMemory memory(list, sizeof(LVITEMA) + textSize);
    if (!memory) return "<unreadable>";
    char* remoteText = static_cast<char*>(memory.Address()) + sizeof(LVITEMA);
    std::vector<char> block(sizeof(LVITEMA) + textSize, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = remoteText;
    item.cchTextMax = static_cast<int>(textSize);
    std::memcpy(block.data(), &item, sizeof item);
    LRESULT length = 0;
    if (!memory.Write(block.data(), block.size()) || !RemoteSend(list, LVM_GETITEMTEXTA, row, memory, length) ||
        !memory.Read(block.data(), block.size()))
        return "<unreadable>";
    block.back() = '\0';
    return block.data() + sizeof(LVITEMA);
}

bool HeaderItemScreenRect(HWND header, int index, RECT& rect) {
    TRemoteMemory memory(header, sizeof(RECT));
    LRESULT ok = 0;
    if (!memory || !RemoteSend(header, HDM_GETITEMRECT, index, memory, ok) || !ok || !memory.Read(&rect, sizeof rect))
        return false;
    MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

}  // namespace quorlet
