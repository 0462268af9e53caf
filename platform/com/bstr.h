// Length-prefixed automation strings. A BSTR here holds wide characters
// (wchar_t, UTF-32 on this platform) so code written with L"..." literals
// works unchanged; the helpers below convert to and from UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

typedef wchar_t OLECHAR;
typedef OLECHAR* BSTR;

// Allocates a copy of the zero-terminated text; a null text gives null.
BSTR SysAllocString(const OLECHAR* text);
// Allocates a string of length characters copied from text (zero-filled when text is null).
BSTR SysAllocStringLen(const OLECHAR* text, unsigned length);
// Frees a string made by the functions above; null is allowed.
void SysFreeString(BSTR text);
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
