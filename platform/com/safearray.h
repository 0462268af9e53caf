// One-dimensional safe arrays: a typed, bounds-checked vector owned by
// whoever holds the pointer (released with SafeArrayDestroy).
#pragma once

#include "com/bstr.h"
#include "com/comtypes.h"

struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};

struct SAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
    VARTYPE vt;  // element type
};

// Element types: VT_VARIANT, VT_BSTR, VT_I2, VT_I4, VT_R4, VT_R8, VT_BOOL, VT_UI1.
// Elements start zeroed (VT_EMPTY variants, null strings).
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG count);
HRESULT SafeArrayDestroy(SAFEARRAY* array);
unsigned SafeArrayGetDim(SAFEARRAY* array);
HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt);
HRESULT SafeArrayGetLBound(SAFEARRAY* array, unsigned dim, LONG* bound);
HRESULT SafeArrayGetUBound(SAFEARRAY* array, unsigned dim, LONG* bound);
// Copies element *index out into value: a variant is deep-copied into an
// uninitialised VARIANT, a string is allocated anew.
HRESULT SafeArrayGetElement(SAFEARRAY* array, const LONG* index, void* value);
// Stores a deep copy of value at *index (a VARIANT* or a BSTR for those types).
HRESULT SafeArrayPutElement(SAFEARRAY* array, const LONG* index, const void* value);
HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
HRESULT SafeArrayUnaccessData(SAFEARRAY* array);
HRESULT SafeArrayCopy(SAFEARRAY* array, SAFEARRAY** copy);
