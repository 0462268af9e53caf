// Owning wrappers for strings and variants that free their value when they
// go out of scope.
#pragma once

#include <string>
#include <string_view>

#include "com/bstr.h"
#include "com/variant.h"

class _bstr_t {
public:
    _bstr_t() = default;
    _bstr_t(const wchar_t* text) : mText(SysAllocString(text)) {}
    _bstr_t(std::wstring_view text) : mText(SysAllocStringLen(text.data(), unsigned(text.size()))) {}
    _bstr_t(const std::wstring& text) : _bstr_t(std::wstring_view(text)) {}
    // UTF-8 text.
    _bstr_t(const char* text) : mText(text ? SysAllocStringUtf8(text) : nullptr) {}
    _bstr_t(const _bstr_t& other) : _bstr_t(std::wstring_view(other.wide())) {}
    _bstr_t(_bstr_t&& other) noexcept : mText(other.Detach()) {}
    _bstr_t& operator=(_bstr_t other) noexcept
    {
        std::swap(mText, other.mText);
        return *this;
    }
    ~_bstr_t() { SysFreeString(mText); }

    // Takes ownership of a string allocated by the caller.
    static _bstr_t attach(BSTR text)
    {
        _bstr_t result;
        result.mText = text;
        return result;
    }
    BSTR Detach() noexcept
    {
        BSTR t = mText;
        mText = nullptr;
        return t;
    }
    // Releases the held string and returns the slot for an out parameter.
    BSTR* GetAddress()
    {
        SysFreeString(mText);
        mText = nullptr;
        return &mText;
    }
    BSTR GetBSTR() const { return mText; }
    operator const wchar_t*() const { return mText ? mText : L""; }
    unsigned length() const { return SysStringLen(mText); }
    std::wstring wide() const { return std::wstring(mText ? mText : L"", length()); }
    std::string utf8() const { return bstrToUtf8(mText); }

private:
    BSTR mText = nullptr;
};

class _variant_t : public VARIANT {
public:
    _variant_t() = default;
    _variant_t(const VARIANT& other) { VariantCopy(this, &other); }
    _variant_t(const _variant_t& other) : VARIANT() { VariantCopy(this, &other); }
    _variant_t(_variant_t&& other) noexcept : VARIANT(other) { VariantInit(&other); }
    _variant_t(SHORT value, VARTYPE type = VT_I2)
    {
        vt = type == VT_BOOL ? VT_BOOL : VT_I2;
        iVal = value;
    }
    _variant_t(int value) { vt = VT_I4; lVal = value; }
    _variant_t(LONG value, VARTYPE type) { vt = type; lVal = value; }
    _variant_t(double value) { vt = VT_R8; dblVal = value; }
    _variant_t(bool value) { vt = VT_BOOL; boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; }
    _variant_t(const wchar_t* text) { vt = VT_BSTR; bstrVal = SysAllocString(text ? text : L""); }
    _variant_t(std::wstring_view text)
    {
        vt = VT_BSTR;
        bstrVal = SysAllocStringLen(text.data(), unsigned(text.size()));
    }
    _variant_t(const std::wstring& text) : _variant_t(std::wstring_view(text)) {}
    // UTF-8 text.
    _variant_t(const char* text) { vt = VT_BSTR; bstrVal = SysAllocStringUtf8(text ? text : ""); }
    _variant_t& operator=(const _variant_t& other)
    {
        VariantCopy(this, &other);
        return *this;
    }
    _variant_t& operator=(_variant_t&& other) noexcept
    {
        if (this != &other) {
            VariantClear(this);
            static_cast<VARIANT&>(*this) = other;
            VariantInit(&other);
        }
        return *this;
    }
    ~_variant_t() { VariantClear(this); }

    void Clear() { VariantClear(this); }
    // Takes over the value of a variant filled by a call; the source is left empty.
    void Attach(VARIANT& source)
    {
        VariantClear(this);
        static_cast<VARIANT&>(*this) = source;
        VariantInit(&source);
    }
    VARIANT Detach()
    {
        VARIANT v = *this;
        VariantInit(this);
        return v;
    }
    // Releases the held value and returns this for an out parameter.
    VARIANT* GetAddress()
    {
        VariantClear(this);
        return this;
    }
    bool isNull() const { return vt == VT_EMPTY || vt == VT_NULL; }
};
