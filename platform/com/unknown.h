// The base interface of every component: interface lookup and reference
// counting.
#pragma once

#include "com/comtypes.h"
#include "com/guid.h"

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};
