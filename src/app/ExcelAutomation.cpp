#include "app/ExcelAutomation.h"

#include <windows.h>

#include <oleauto.h>

#include <stdexcept>

#include "win32/ComPtr.h"
#include "win32/LocaleText.h"

namespace quorlet {

namespace {

// A VARIANT cleared when it goes.
struct TVariant : VARIANT {
    TVariant() { VariantInit(this); }
    ~TVariant() { VariantClear(this); }
    TVariant(const TVariant&) = delete;
    TVariant& operator=(const TVariant&) = delete;
};

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) throw std::runtime_error(std::string("The spreadsheet program failed: ") + what);
}

// IDispatch::Invoke of member name with arguments given in order (Invoke
// wants them last first).
void Invoke(IDispatch* object, const wchar_t* name, WORD kind, VARIANT* result, std::vector<VARIANT*> args) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    Check(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), "unknown member");
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(**it);
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if (kind & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    Check(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr, nullptr), "call refused");
}

TComPtr<IDispatch> GetObject(IDispatch* object, const wchar_t* name, std::vector<VARIANT*> args = {}) {
    TVariant result;
    Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &result, std::move(args));
    if (result.vt != VT_DISPATCH || !result.pdispVal) throw std::runtime_error("The spreadsheet program failed: no object");
    TComPtr<IDispatch> got;
    *got.Put() = result.pdispVal;
    result.pdispVal->AddRef();
    return got;
}

void SetText(VARIANT& value, const std::u16string& text) {
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

VARIANT Int(long value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

}  // namespace

bool SpreadsheetProgramKnown() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Office", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool ExportThroughSpreadsheetProgram(const std::string& fileName,
                                     const std::vector<std::vector<std::u16string>>& cells,
                                     const std::function<void()>& shown, const std::function<void()>& hidden) {
    EnsureThreadApartment();
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"Excel.Application", &clsid))) return false;
    TComPtr<IDispatch> application;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, application.PutVoid())))
        return false;
    struct TQuit {
        IDispatch* Application;
        ~TQuit() {
            try {
                Invoke(Application, L"Quit", DISPATCH_METHOD, nullptr, {});
            } catch (...) {
            }
        }
    } quit{application.Get()};

    VARIANT invisible;
    VariantInit(&invisible);
    invisible.vt = VT_BOOL;
    invisible.boolVal = VARIANT_FALSE;
    Invoke(application.Get(), L"Visible", DISPATCH_PROPERTYPUT, nullptr, {&invisible});
    shown();
    TComPtr<IDispatch> workbooks = GetObject(application.Get(), L"Workbooks");
    Invoke(workbooks.Get(), L"Add", DISPATCH_METHOD, nullptr, {});
    for (size_t r = 0; r < cells.size(); ++r)
        for (size_t c = 0; c < cells[r].size(); ++c) {
            VARIANT row = Int(static_cast<long>(r + 1)), column = Int(static_cast<long>(c + 1));
            TComPtr<IDispatch> cell = GetObject(application.Get(), L"Cells", {&row, &column});
            TVariant value;
            SetText(value, cells[r][c]);
            Invoke(cell.Get(), L"Value", DISPATCH_PROPERTYPUT, nullptr, {&value});
        }
    hidden();
    TComPtr<IDispatch> workbook = GetObject(application.Get(), L"ActiveWorkbook");
    TVariant name;
    SetText(name, AnsiToUtf16(fileName));
    Invoke(workbook.Get(), L"SaveAs", DISPATCH_METHOD, nullptr, {&name});
    return true;
}

}  // namespace quorlet
