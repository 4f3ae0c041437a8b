#include "app/TDropTarget.h"

#include <ole2.h>
#include <shellapi.h>

#include "win32/ErrorBoundary.h"

namespace quorlet {

namespace {

// Long enough for the window to have painted and gone idle before OLE is
// brought up.
const UINT kStartDelayMs = 250;

FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool HoldsFiles(IDataObject* data) {
    FORMATETC format = FileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

// The first file of the drop's file list; "" when there is none.
std::string FirstPath(IDataObject* data) {
    FORMATETC format = FileListFormat();
    STGMEDIUM medium = {};
    if (!data || FAILED(data->GetData(&format, &medium))) return std::string();
    std::string path;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        HDROP drop = static_cast<HDROP>(medium.hGlobal);
        if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
            const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
            path.resize(length + 1);
            path.resize(DragQueryFileA(drop, 0, &path[0], length + 1));
        }
    }
    ReleaseStgMedium(&medium);
    return path;
}

// Copies first, then links; nothing outside a cell.
DWORD EffectFor(const TCell* cell, DWORD allowed) {
    if (!cell) return DROPEFFECT_NONE;
    if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK;
    return DROPEFFECT_NONE;
}

}  // namespace

// The drop target of one window. OLE and the drag's source may hold it after
// the window is gone; detached from its owner it answers every drag with
// "nothing".
class TDropTarget::TTarget final : public IDropTarget {
public:
    TTarget(TDropTarget& owner, HWND window, TSheetWindow* sheet) : FOwner(&owner), FWindow(window), FSheet(sheet) {}

    void Detach() {
        FOwner = nullptr;
        FSheet = nullptr;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = InterlockedDecrement(&FRefs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        FHasFiles = FOwner && HoldsFiles(data);
        FCell = nullptr;
        if (!FHasFiles) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        FCell = CellAt(point);
        Report([&] { FOwner->FEvents.DropFileTarget1Enter(FWindow, FCell); });
        *effect = EffectFor(CellAt(point), *effect);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        if (!FHasFiles || !FOwner) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        // Cells are no windows: OLE sees one target for the page, so moving
        // onto another cell is an entry of its own.
        TCell* cell = CellAt(point);
        if (cell != FCell) {
            FCell = cell;
            Report([&] { FOwner->FEvents.DropFileTarget1Enter(FWindow, cell); });
        }
        Report([&] { FOwner->FEvents.DropFileTarget1DragOver(keyState, POINT{point.x, point.y}); });
        *effect = EffectFor(CellAt(point), *effect);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragLeave() override {
        FHasFiles = false;
        FCell = nullptr;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        const bool hasFiles = FHasFiles && FOwner && HoldsFiles(data);
        FHasFiles = false;
        FCell = nullptr;
        TCell* cell = hasFiles ? CellAt(point) : nullptr;
        *effect = EffectFor(cell, *effect);
        if (!hasFiles) return S_OK;
        Report([&] {
            const std::string path = FirstPath(data);
            FOwner->FEvents.DropFileTarget1Drop(cell, path);
        });
        return S_OK;
    }

private:
    ~TTarget() = default;

    TCell* CellAt(POINTL point) const {
        if (!FSheet) return nullptr;
        POINT client = {point.x, point.y};
        ScreenToClient(FWindow, &client);
        return FSheet->CellAt(client);
    }

    // Runs an event inside the error boundary: nothing is thrown back to OLE.
    // The owner may have gone while the event ran its messages.
    template <typename TEvent>
    void Report(TEvent&& event) {
        if (!FOwner) return;
        RunGuarded(FWindow, 0, [&] {
            event();
            return 0;
        });
    }

    LONG FRefs = 1;
    TDropTarget* FOwner;
    HWND FWindow;
    TSheetWindow* FSheet;
    bool FHasFiles = false;
    TCell* FCell = nullptr;  // under the pointer in this drag
};

TDropTarget::~TDropTarget() { Stop(); }

void TDropTarget::StartWhenIdle(HWND mainWindow, HWND tabStrip) {
    if (FMainWindow || !mainWindow) return;
    FMainWindow = mainWindow;
    // The form reports the main window's end, and the strip goes with it.
    Add(mainWindow, nullptr);
    if (tabStrip) Add(tabStrip, nullptr);
    // A timer message comes only when nothing else waits: after the first
    // paint, the icons that have arrived and the thread's first idle moment.
    SetTimer(mainWindow, StartTimerId(), kStartDelayMs, &TDropTarget::StartTimerProc);
}

void TDropTarget::AddSheet(TSheetWindow& sheet) {
    if (sheet.Handle()) Add(sheet.Handle(), &sheet);
}

void TDropTarget::Add(HWND window, TSheetWindow* sheet) {
    for (const TEntry& entry : FEntries)
        if (entry.Window == window) return;
    // A page body can go while the window stays (a tab sheet removed).
    if (sheet) sheet->SetDestroyedHandler([this, window] { WindowDestroyed(window); });
    FEntries.push_back(TEntry{window, sheet, nullptr});
    Register(FEntries.back());
}

UINT_PTR TDropTarget::StartTimerId() const { return reinterpret_cast<UINT_PTR>(this); }

void CALLBACK TDropTarget::StartTimerProc(HWND window, UINT, UINT_PTR id, DWORD) {
    // The timer's identifier is its drop target, which kills it before it goes.
    TDropTarget* self = reinterpret_cast<TDropTarget*>(id);
    KillTimer(window, id);
    RunGuarded(window, 0, [&] {
        self->Start();
        return 0;
    });
}

void TDropTarget::MainWindowDestroyed() { Stop(); }

void TDropTarget::Start() {
    if (FStarted || !FMainWindow) return;
    if (FAILED(OleInitialize(nullptr))) return;
    FOleInitialized = true;
    FStarted = true;
    for (TEntry& entry : FEntries) Register(entry);
}

void TDropTarget::Register(TEntry& entry) {
    if (!FStarted || entry.Target) return;
    TTarget* target = new TTarget(*this, entry.Window, entry.Sheet);
    if (SUCCEEDED(RegisterDragDrop(entry.Window, target))) {
        entry.Target = target;
        return;
    }
    target->Detach();
    target->Release();
}

void TDropTarget::Revoke(TEntry& entry) {
    if (!entry.Target) return;
    if (IsWindow(entry.Window)) RevokeDragDrop(entry.Window);
    entry.Target->Detach();
    entry.Target->Release();
    entry.Target = nullptr;
}

void TDropTarget::WindowDestroyed(HWND window) {
    for (auto entry = FEntries.begin(); entry != FEntries.end(); ++entry) {
        if (entry->Window != window) continue;
        Revoke(*entry);
        if (entry->Sheet) entry->Sheet->SetDestroyedHandler(nullptr);
        FEntries.erase(entry);
        return;
    }
}

void TDropTarget::Stop() {
    for (TEntry& entry : FEntries) {
        Revoke(entry);
        if (entry.Sheet) entry.Sheet->SetDestroyedHandler(nullptr);
    }
    FEntries.clear();
    if (FMainWindow && IsWindow(FMainWindow)) KillTimer(FMainWindow, StartTimerId());
    FMainWindow = nullptr;
    FStarted = false;
    if (FOleInitialized) {
        FOleInitialized = false;
        OleUninitialize();
    }
}

}  // namespace quorlet
