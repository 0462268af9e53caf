// Safe array allocation, bounds checks and element copies.
#include "com/safearray.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "com/variant.h"

ULONG variantElementSize(VARTYPE vt)
{
    switch (vt) {
    case VT_VARIANT: return sizeof(VARIANT);
    case VT_BSTR: return sizeof(BSTR);
    case VT_I2: return sizeof(SHORT);
    case VT_BOOL: return sizeof(VARIANT_BOOL);
    case VT_I4: return sizeof(LONG);
    case VT_R4: return sizeof(float);
    case VT_R8: return sizeof(double);
    case VT_UI1: return sizeof(BYTE);
    default: return 0;
    }
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG count)
{
    ULONG size = variantElementSize(vt);
    if (size == 0) return nullptr;
    auto* array = new (std::nothrow) SAFEARRAY{};
    if (!array) return nullptr;
    array->cDims = 1;
    array->cbElements = size;
    array->rgsabound[0] = {count, lowerBound};
    array->vt = vt;
    array->pvData = std::calloc(count ? count : 1, size);
    if (!array->pvData) {
        delete array;
        return nullptr;
    }
    // calloc's zero bytes are already empty variants (VT_EMPTY) and null strings.
    static_assert(VT_EMPTY == 0);
    return array;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array)
{
    if (!array) return S_OK;
    if (array->cLocks) return E_FAIL;
    ULONG count = array->rgsabound[0].cElements;
    if (array->vt == VT_VARIANT) {
        // What VariantClear frees, without resetting items that go with the array.
        auto* items = static_cast<VARIANT*>(array->pvData);
        for (ULONG i = 0; i < count; ++i) {
            if (items[i].vt & VT_ARRAY)
                SafeArrayDestroy(items[i].parray);
            else if (items[i].vt == VT_BSTR)
                SysFreeString(items[i].bstrVal);
        }
    } else if (array->vt == VT_BSTR) {
        auto* items = static_cast<BSTR*>(array->pvData);
        for (ULONG i = 0; i < count; ++i) SysFreeString(items[i]);
    }
    std::free(array->pvData);
    delete array;
    return S_OK;
}

unsigned SafeArrayGetDim(SAFEARRAY* array) { return array ? array->cDims : 0; }

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt)
{
    if (!array || !vt) return E_INVALIDARG;
    *vt = array->vt;
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, unsigned dim, LONG* bound)
{
    if (!array || !bound) return E_INVALIDARG;
    if (dim != 1) return DISP_E_BADINDEX;
    *bound = array->rgsabound[0].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, unsigned dim, LONG* bound)
{
    if (!array || !bound) return E_INVALIDARG;
    if (dim != 1) return DISP_E_BADINDEX;
    *bound = static_cast<LONG>(array->rgsabound[0].lLbound + static_cast<int64_t>(array->rgsabound[0].cElements) - 1);
    return S_OK;
}

// Address of element *index, or null when out of bounds.
static char* elementAt(SAFEARRAY* array, const LONG* index)
{
    if (!array || !index) return nullptr;
    int64_t offset = int64_t(*index) - array->rgsabound[0].lLbound;
    if (offset < 0 || offset >= int64_t(array->rgsabound[0].cElements)) return nullptr;
    return static_cast<char*>(array->pvData) + offset * array->cbElements;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, const LONG* index, void* value)
{
    if (!array || !index || !value) return E_INVALIDARG;
    char* item = elementAt(array, index);
    if (!item) return DISP_E_BADINDEX;
    if (array->vt == VT_VARIANT) {
        auto* out = static_cast<VARIANT*>(value);
        VariantInit(out);
        return VariantCopy(out, reinterpret_cast<VARIANT*>(item));
    }
    if (array->vt == VT_BSTR) {
        BSTR source = *reinterpret_cast<BSTR*>(item);
        BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        if (source && !copy) return E_OUTOFMEMORY;
        *static_cast<BSTR*>(value) = copy;
        return S_OK;
    }
    std::memcpy(value, item, array->cbElements);
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, const LONG* index, const void* value)
{
    if (!array || !index) return E_INVALIDARG;
    char* item = elementAt(array, index);
    if (!item) return DISP_E_BADINDEX;
    if (array->vt == VT_VARIANT) {
        if (!value) return E_INVALIDARG;
        return VariantCopy(reinterpret_cast<VARIANT*>(item), static_cast<const VARIANT*>(value));
    }
    if (array->vt == VT_BSTR) {
        auto source = static_cast<BSTR>(const_cast<void*>(value));
        BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        if (source && !copy) return E_OUTOFMEMORY;
        SysFreeString(*reinterpret_cast<BSTR*>(item));
        *reinterpret_cast<BSTR*>(item) = copy;
        return S_OK;
    }
    if (!value) return E_INVALIDARG;
    std::memcpy(item, value, array->cbElements);
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data)
{
    if (!array || !data) return E_INVALIDARG;
    ++array->cLocks;
    *data = array->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array)
{
    if (!array || array->cLocks == 0) return E_INVALIDARG;
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* array, SAFEARRAY** copy)
{
    if (!copy) return E_INVALIDARG;
    *copy = nullptr;
    if (!array) return S_OK;
    SAFEARRAY* result = SafeArrayCreateVector(array->vt, array->rgsabound[0].lLbound, array->rgsabound[0].cElements);
    if (!result) return E_OUTOFMEMORY;
    LONG lower = array->rgsabound[0].lLbound;
    for (ULONG i = 0; i < array->rgsabound[0].cElements; ++i) {
        LONG index = lower + static_cast<LONG>(i);
        char* item = elementAt(array, &index);
        const void* value = array->vt == VT_BSTR ? static_cast<const void*>(*reinterpret_cast<BSTR*>(item)) : item;
        HRESULT hr = SafeArrayPutElement(result, &index, value);
        if (FAILED(hr)) {
            SafeArrayDestroy(result);
            return hr;
        }
    }
    *copy = result;
    return S_OK;
}
