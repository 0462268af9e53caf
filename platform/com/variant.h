// Automation variants: a type tag and a value, owning its string or array.
#pragma once

#include "com/bstr.h"
#include "com/comtypes.h"
#include "com/safearray.h"

struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    union {
        double dblVal = 0;
        LONG lVal;
        SHORT iVal;
        BYTE bVal;
        float fltVal;
        VARIANT_BOOL boolVal;
        BSTR bstrVal;
        SAFEARRAY* parray;
    };
};
typedef VARIANT VARIANTARG;

void VariantInit(VARIANT* v);
// Frees what the variant owns and leaves it VT_EMPTY.
HRESULT VariantClear(VARIANT* v);
// Clears dest and fills it with a deep copy of source.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* source);
// Converts source to the type vt (VT_I2, VT_I4, VT_R4, VT_R8, VT_BOOL,
// VT_UI1, VT_BSTR); dest may equal source. Reals round to integers, text is
// parsed. Fails with DISP_E_TYPEMISMATCH for arrays, null and bad text.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, USHORT flags, VARTYPE vt);

// Size in bytes of one element of the given type, 0 when unsupported.
ULONG variantElementSize(VARTYPE vt);
