// Allocation of length-prefixed strings and UTF-8 conversion.
#include "com/bstr.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {
// The byte count sits in the 8 bytes before the characters.
constexpr size_t kHeader = 8;

uint32_t& byteLength(BSTR text)
{
    return *reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(text) - sizeof(uint32_t));
}
}

BSTR SysAllocStringLen(const OLECHAR* text, unsigned length)
{
    size_t bytes = size_t(length) * sizeof(OLECHAR);
    char* block = static_cast<char*>(std::malloc(kHeader + bytes + sizeof(OLECHAR)));
    if (!block) return nullptr;
    BSTR result = reinterpret_cast<BSTR>(block + kHeader);
    byteLength(result) = static_cast<uint32_t>(bytes);
    if (text)
        std::memcpy(result, text, bytes);
    else
        std::memset(static_cast<void*>(result), 0, bytes);
    result[length] = L'\0';
    return result;
}

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text) return nullptr;
    return SysAllocStringLen(text, static_cast<unsigned>(std::wcslen(text)));
}

void SysFreeString(BSTR text)
{
    if (text) std::free(reinterpret_cast<char*>(text) - kHeader);
}

unsigned SysStringByteLen(BSTR text) { return text ? byteLength(text) : 0; }

unsigned SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

std::string wideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        auto c = static_cast<uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring utf8ToWide(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        uint32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra >= 0;
        for (int k = 1; ok && k <= extra; ++k) {
            if (i + k >= text.size()) { ok = false; break; }
            auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) { ok = false; break; }
            c = (c << 6) | (cont & 0x3F);
        }
        if (!ok) {
            out += L'\xFFFD';
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i += size_t(extra) + 1;
    }
    return out;
}

BSTR SysAllocStringUtf8(std::string_view text)
{
    std::wstring wide = utf8ToWide(text);
    return SysAllocStringLen(wide.data(), static_cast<unsigned>(wide.size()));
}

std::string bstrToUtf8(BSTR text)
{
    if (!text) return {};
    return wideToUtf8(std::wstring_view(text, SysStringLen(text)));
}
