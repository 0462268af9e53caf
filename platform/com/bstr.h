// Length-prefixed automation strings. A BSTR here holds wide characters
// (wchar_t, UTF-32 on this platform) so code written with L"..." literals
// works unchanged; the helpers below convert to and from UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

typedef wchar_t OLECHAR;
typedef OLECHAR* BSTR;

// Allocates a copy of the zero-terminated text; a null text gives null.
BSTR SysAllocString(const OLECHAR* text);
// Allocates a string of length characters copied from text (zero-filled when text is null).
BSTR SysAllocStringLen(const OLECHAR* text, unsigned length);
// Frees a string made by the functions above; null is allowed.
void SysFreeString(BSTR text);
// A string many holders share without copying, for text handed out again
// and again (a table's field names): each holder frees its reference with
// SysFreeString and the last one frees the string. Its characters must not
// be changed.
BSTR SysAllocSharedString(const OLECHAR* text, unsigned length);
// Another reference to a shared string; for any other string, a copy.
BSTR SysAddRefString(BSTR text);
// Length in characters (embedded zeros counted); 0 for null.
unsigned SysStringLen(BSTR text);
unsigned SysStringByteLen(BSTR text);

// UTF-8 conversion (invalid sequences become U+FFFD).
std::string wideToUtf8(std::wstring_view text);
std::wstring utf8ToWide(std::string_view text);
// A new BSTR from UTF-8 text.
BSTR SysAllocStringUtf8(std::string_view text);
// The BSTR's text as UTF-8 (empty for null).
std::string bstrToUtf8(BSTR text);

// Owns one reference to a shared string; copies share it.
class SharedBstr {
public:
    SharedBstr() = default;
    explicit SharedBstr(std::wstring_view text)
        : mText(SysAllocSharedString(text.data(), static_cast<unsigned>(text.size())))
    {
    }
    SharedBstr(const SharedBstr& other) : mText(other.share()) {}
    SharedBstr(SharedBstr&& other) noexcept : mText(std::exchange(other.mText, nullptr)) {}
    SharedBstr& operator=(SharedBstr other) noexcept
    {
        std::swap(mText, other.mText);
        return *this;
    }
    ~SharedBstr() { SysFreeString(mText); }

    // A reference for a holder that frees it with SysFreeString (a field list).
    BSTR share() const { return mText ? SysAddRefString(mText) : nullptr; }
    BSTR get() const { return mText; }

private:
    BSTR mText = nullptr;
};
