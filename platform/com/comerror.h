// The exception raised for a failed component call: the status code, the
// interface that failed and a description.
#pragma once

#include <string>

#include "com/comtypes.h"
#include "com/guid.h"

class _com_error {
public:
    explicit _com_error(HRESULT hr, const IID& iid = GUID_NULL, std::wstring description = {})
        : mHr(hr), mIid(iid), mDescription(std::move(description)) {}

    HRESULT Error() const { return mHr; }
    const IID& GUID() const { return mIid; }
    // The component's description, empty when it gave none.
    const std::wstring& Description() const { return mDescription; }
    // The description, or a text for the status code.
    std::wstring ErrorMessage() const;

private:
    HRESULT mHr;
    IID mIid;
    std::wstring mDescription;
};

[[noreturn]] void _com_issue_error(HRESULT hr);
[[noreturn]] void _com_issue_errorex(HRESULT hr, const IID& iid, std::wstring description = {});
