#include "app/TSheetAccessible.h"

#include <string>

#include <oleacc.h>

#include "app/TSheetWindow.h"
#include "win32/ComPtr.h"

namespace quorlet {

namespace {

// The accessibility library is loaded when a tool first asks, not at start.
class TAccessibilityLibrary {
public:
    TAccessibilityLibrary() : FModule(LoadLibraryA("oleacc.dll")) {
        if (!FModule) return;
        LresultFromObject = reinterpret_cast<TLresultFromObject>(
            reinterpret_cast<void*>(GetProcAddress(FModule, "LresultFromObject")));
        CreateStdAccessibleObject = reinterpret_cast<TCreateStd>(
            reinterpret_cast<void*>(GetProcAddress(FModule, "CreateStdAccessibleObject")));
    }
    TAccessibilityLibrary(const TAccessibilityLibrary&) = delete;
    TAccessibilityLibrary& operator=(const TAccessibilityLibrary&) = delete;
    bool Ready() const { return LresultFromObject && CreateStdAccessibleObject; }

    using TLresultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using TCreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    TLresultFromObject LresultFromObject = nullptr;
    TCreateStd CreateStdAccessibleObject = nullptr;

private:
    HMODULE FModule;
};

TAccessibilityLibrary& AccessibilityLibrary() {
    static TAccessibilityLibrary library;
    return library;
}

BSTR NewBstr(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (result && length) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result, length);
    return result;
}

// The sheet's client area, with the cells as simple elements 1..n in the
// order of the sheet's cells. It holds the sheet's window handle only, so a
// tool that keeps it longer than the sheet lives finds nothing, safely.
class TSheetAccessible final : public IAccessible {
public:
    TSheetAccessible(HWND sheet, TComPtr<IAccessible> standard) : FSheet(sheet), FStandard(std::move(standard)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FReferences)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&FReferences);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: not offered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return FStandard->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        TSheetWindow* sheet = Sheet();
        if (!count) return E_POINTER;
        if (!sheet) return E_FAIL;
        *count = static_cast<long>(sheet->Cells().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** result) override {
        if (!result) return E_POINTER;
        *result = nullptr;
        return CellOf(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (IsSelf(child)) return FStandard->get_accName(child, name);
        const TCell* cell = CellOf(child);
        if (!cell || !name) return E_INVALIDARG;
        *name = NewBstr(cell->Hint());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (IsSelf(child)) return FStandard->get_accValue(child, value);
        if (value) *value = nullptr;
        return CellOf(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return NoText(child, text, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (IsSelf(child)) return FStandard->get_accRole(child, role);
        if (!CellOf(child) || !role) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (IsSelf(child)) return FStandard->get_accState(child, state);
        const TCell* cell = CellOf(child);
        if (!cell || !state) return E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = cell->Visible() ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_INVISIBLE;
        const TSheetWindow* sheet = Sheet();
        if (sheet && sheet->FocusCell() == cell && sheet->HasFocus()) state->lVal |= STATE_SYSTEM_FOCUSED;
        if (cell->Selected()) state->lVal |= STATE_SYSTEM_SELECTED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return NoText(child, text, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return FStandard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return NoText(child, text, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        // The focused cell, while the page has the keyboard focus.
        const TSheetWindow* sheet = Sheet();
        if (!focus || !sheet || !sheet->HasFocus()) return FStandard->get_accFocus(focus);
        const auto& cells = sheet->Cells();
        for (size_t i = 0; i < cells.size(); ++i)
            if (cells[i].get() == sheet->FocusCell()) {
                focus->vt = VT_I4;
                focus->lVal = static_cast<long>(i + 1);
                return S_OK;
            }
        return FStandard->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return FStandard->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (IsSelf(child)) return FStandard->get_accDefaultAction(child, action);
        if (!CellOf(child) || !action) return E_INVALIDARG;
        *action = SysAllocString(L"Press");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return IsSelf(child) ? FStandard->accSelect(flags, child) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (IsSelf(child)) return FStandard->accLocation(left, top, width, height, child);
        const TCell* cell = CellOf(child);
        if (!cell || !left || !top || !width || !height) return E_INVALIDARG;
        RECT r = cell->Bounds();
        MapWindowPoints(FSheet, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        TSheetWindow* sheet = Sheet();
        if (!end) return E_POINTER;
        VariantInit(end);
        if (!sheet) return E_FAIL;
        const long count = static_cast<long>(sheet->Cells().size());
        long to = 0;
        if (IsSelf(start)) {
            if (direction == NAVDIR_FIRSTCHILD) to = 1;
            else if (direction == NAVDIR_LASTCHILD) to = count;
            else return FStandard->accNavigate(direction, start, end);
        } else {
            if (!CellOf(start)) return E_INVALIDARG;
            if (direction == NAVDIR_NEXT) to = start.lVal + 1;
            else if (direction == NAVDIR_PREVIOUS) to = start.lVal - 1;
            else return S_FALSE;
        }
        if (to < 1 || to > count) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        TSheetWindow* sheet = Sheet();
        if (!child) return E_POINTER;
        VariantInit(child);
        if (!sheet) return E_FAIL;
        POINT point = {x, y};
        ScreenToClient(FSheet, &point);
        RECT client;
        GetClientRect(FSheet, &client);
        if (!PtInRect(&client, point)) return S_FALSE;
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        const TCell* found = sheet->CellAt(point);
        const auto& cells = sheet->Cells();
        for (size_t i = 0; found && i < cells.size(); ++i)
            if (cells[i].get() == found) child->lVal = static_cast<long>(i + 1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (IsSelf(child)) return FStandard->accDoDefaultAction(child);
        const TCell* cell = CellOf(child);
        if (!cell) return E_INVALIDARG;
        // Pressed and released in its middle, as by the mouse.
        const RECT& r = cell->Bounds();
        const LPARAM middle = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageA(FSheet, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageA(FSheet, WM_LBUTTONUP, 0, middle);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~TSheetAccessible() = default;

    TSheetWindow* Sheet() const {
        if (!IsWindow(FSheet)) return nullptr;
        return dynamic_cast<TSheetWindow*>(reinterpret_cast<TWindowBase*>(GetWindowLongPtrA(FSheet, GWLP_USERDATA)));
    }
    static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    const TCell* CellOf(const VARIANT& child) const {
        TSheetWindow* sheet = Sheet();
        if (!sheet || child.vt != VT_I4 || child.lVal < 1) return nullptr;
        const auto& cells = sheet->Cells();
        return static_cast<size_t>(child.lVal) <= cells.size() ? cells[static_cast<size_t>(child.lVal) - 1].get()
                                                               : nullptr;
    }
    HRESULT NoText(VARIANT child, BSTR* text, HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) {
        if (IsSelf(child)) return (FStandard.Get()->*standard)(child, text);
        if (!text) return E_POINTER;
        *text = nullptr;
        return CellOf(child) ? S_FALSE : E_INVALIDARG;
    }

    HWND FSheet;
    TComPtr<IAccessible> FStandard;
    LONG FReferences = 1;
};

}  // namespace

LRESULT AnswerAccessibilityRequest(HWND sheet, WPARAM flags) {
    TAccessibilityLibrary& library = AccessibilityLibrary();
    if (!library.Ready()) return 0;
    // The object travels to the tool through COM, which this thread may not
    // have started yet (it comes with the first shell call).
    EnsureThreadApartment();
    TComPtr<IAccessible> standard;
    if (FAILED(library.CreateStdAccessibleObject(sheet, OBJID_CLIENT, IID_IAccessible,
                                                 reinterpret_cast<void**>(standard.Put()))))
        return 0;
    TSheetAccessible* accessible = new TSheetAccessible(sheet, std::move(standard));
    const LRESULT answer = library.LresultFromObject(IID_IAccessible, flags, accessible);
    accessible->Release();
    return answer < 0 ? 0 : answer;
}

}  // namespace quorlet
