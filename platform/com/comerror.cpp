// Messages for failed component calls.
#include "com/comerror.h"

#include <cwchar>

std::wstring _com_error::ErrorMessage() const
{
    if (!mDescription.empty()) return mDescription;
    switch (mHr) {
    case E_POINTER: return L"Invalid pointer";
    case E_OUTOFMEMORY: return L"Not enough memory";
    case E_INVALIDARG: return L"The parameter is incorrect.";
    case E_NOINTERFACE: return L"No such interface supported";
    case E_NOTIMPL: return L"Not implemented";
    case REGDB_E_CLASSNOTREG: return L"Class not registered";
    case E_FAIL: return L"Unspecified error";
    default: {
        wchar_t buf[48];
        std::swprintf(buf, 48, L"Unknown error 0x%08X", static_cast<unsigned>(mHr));
        return buf;
    }
    }
}

void _com_issue_error(HRESULT hr) { throw _com_error(hr); }

void _com_issue_errorex(HRESULT hr, const IID& iid, std::wstring description)
{
    throw _com_error(hr, iid, std::move(description));
}
