// Variant lifetime, deep copy and type conversion.
#include "com/variant.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <string>

void VariantInit(VARIANT* v)
{
    if (!v) return;
    v->vt = VT_EMPTY;
    v->dblVal = 0;
}

HRESULT VariantClear(VARIANT* v)
{
    if (!v) return E_INVALIDARG;
    if (v->vt & VT_ARRAY)
        SafeArrayDestroy(v->parray);
    else if (v->vt == VT_BSTR)
        SysFreeString(v->bstrVal);
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* source)
{
    if (!dest || !source) return E_INVALIDARG;
    if (dest == source) return S_OK;
    VARIANT copy = *source;
    if (source->vt & VT_ARRAY) {
        HRESULT hr = SafeArrayCopy(source->parray, &copy.parray);
        if (FAILED(hr)) return hr;
    } else if (source->vt == VT_BSTR && source->bstrVal) {
        copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
    }
    VariantClear(dest);
    *dest = copy;
    return S_OK;
}

// The variant's value as a real; false when it has no numeric reading.
static bool numericValue(const VARIANT& v, double& out)
{
    switch (v.vt) {
    case VT_I2: out = v.iVal; return true;
    case VT_I4: out = v.lVal; return true;
    case VT_R4: out = v.fltVal; return true;
    case VT_R8: out = v.dblVal; return true;
    case VT_BOOL: out = v.boolVal ? -1 : 0; return true;
    case VT_UI1: out = v.bVal; return true;
    case VT_EMPTY: out = 0; return true;
    case VT_BSTR: {
        if (!v.bstrVal) return false;
        wchar_t* end = nullptr;
        out = std::wcstod(v.bstrVal, &end);
        while (end && (*end == L' ' || *end == L'\t')) ++end;
        return end && end != v.bstrVal && *end == L'\0';
    }
    default: return false;
    }
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, USHORT, VARTYPE vt)
{
    if (!dest || !source) return E_INVALIDARG;
    VARIANT result;
    if (vt == VT_BSTR) {
        std::wstring text;
        if (source->vt == VT_BSTR) {
            text.assign(source->bstrVal ? source->bstrVal : L"", SysStringLen(source->bstrVal));
        } else if (source->vt == VT_BOOL) {
            text = source->boolVal ? L"True" : L"False";
        } else if (source->vt == VT_R8 || source->vt == VT_R4) {
            wchar_t buf[64];
            std::swprintf(buf, 64, L"%.15g", source->vt == VT_R8 ? source->dblVal : double(source->fltVal));
            text = buf;
        } else {
            double d;
            if (!numericValue(*source, d)) return DISP_E_TYPEMISMATCH;
            text = std::to_wstring(static_cast<long long>(d));
            if (source->vt == VT_EMPTY) text.clear();
        }
        result.vt = VT_BSTR;
        result.bstrVal = SysAllocStringLen(text.data(), static_cast<unsigned>(text.size()));
        if (!result.bstrVal) return E_OUTOFMEMORY;
    } else {
        double d;
        if (!numericValue(*source, d)) return DISP_E_TYPEMISMATCH;
        // Integers round to nearest, halves to even, as automation does.
        double r = std::nearbyint(d);
        result.vt = vt;
        switch (vt) {
        case VT_I2:
            if (r < -32768 || r > 32767) return DISP_E_TYPEMISMATCH;
            result.iVal = static_cast<SHORT>(r);
            break;
        case VT_I4:
            if (r < -2147483648.0 || r > 2147483647.0) return DISP_E_TYPEMISMATCH;
            result.lVal = static_cast<LONG>(r);
            break;
        case VT_UI1:
            if (r < 0 || r > 255) return DISP_E_TYPEMISMATCH;
            result.bVal = static_cast<BYTE>(r);
            break;
        case VT_R4: result.fltVal = static_cast<float>(d); break;
        case VT_R8: result.dblVal = d; break;
        case VT_BOOL: result.boolVal = d != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
        default: return DISP_E_TYPEMISMATCH;
        }
    }
    VariantClear(dest);
    *dest = result;
    return S_OK;
}
