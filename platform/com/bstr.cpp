// Allocation of length-prefixed strings and UTF-8 conversion.
#include "com/bstr.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define ORV_BSTR_CACHE 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORV_BSTR_CACHE 0
#endif
#endif
#ifndef ORV_BSTR_CACHE
#define ORV_BSTR_CACHE 1
#endif

namespace {
// The byte count sits in the 8 bytes before the characters; the 4 bytes
// before it hold the block's size class (0: a block of its own size).
constexpr size_t kHeader = 8;

uint32_t& byteLength(BSTR text)
{
    return *reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(text) - sizeof(uint32_t));
}

uint32_t& sizeClass(char* block) { return *reinterpret_cast<uint32_t*>(block); }

// A shared string's size class; its reference count sits in the 8 bytes
// before the usual header.
constexpr uint32_t kSharedClass = 0xFFFFFFFFu;
constexpr size_t kSharedPrefix = 8;

std::atomic<uint32_t>& references(char* block)
{
    return *reinterpret_cast<std::atomic<uint32_t>*>(block - kSharedPrefix);
}

#if ORV_BSTR_CACHE
// Freed blocks of short strings are kept per thread by size class and
// handed out again: a field list makes and frees a string per field on
// every record read. Builds with AddressSanitizer bypass the cache, so each
// string's lifetime stays visible to it.
constexpr size_t kClassBytes = 64;
constexpr uint32_t kClasses = 4;   // blocks up to 256 bytes
constexpr unsigned kMaxKept = 256;  // per class and thread

struct FreeBlock {
    FreeBlock* next;
};

struct BlockCache {
    FreeBlock* heads[kClasses];
    unsigned counts[kClasses];
    bool closed;  // the thread is ending: blocks go straight back to the heap
};
// Trivially destructible, so frees during thread or program exit still find it.
thread_local BlockCache tCache{};

// Returns the kept blocks when the thread ends.
struct CacheCloser {
    ~CacheCloser()
    {
        tCache.closed = true;
        for (uint32_t c = 0; c < kClasses; ++c)
            while (FreeBlock* block = tCache.heads[c]) {
                tCache.heads[c] = block->next;
                std::free(block);
            }
    }
};
thread_local CacheCloser tCloser;
#endif

char* takeBlock(size_t size)
{
#if ORV_BSTR_CACHE
    if (size <= kClassBytes * kClasses) {
        const auto cls = static_cast<uint32_t>((size - 1) / kClassBytes);
        (void)&tCloser;  // made on first use in each thread, so it runs at the thread's end
        char* block = nullptr;
        if (FreeBlock* kept = tCache.heads[cls]) {
            tCache.heads[cls] = kept->next;
            --tCache.counts[cls];
            block = reinterpret_cast<char*>(kept);
        } else {
            block = static_cast<char*>(std::malloc((cls + 1) * kClassBytes));
        }
        if (block) sizeClass(block) = cls + 1;
        return block;
    }
#endif
    char* block = static_cast<char*>(std::malloc(size));
    if (block) sizeClass(block) = 0;
    return block;
}

void giveBlock(char* block)
{
#if ORV_BSTR_CACHE
    const uint32_t cls = sizeClass(block);
    if (cls != 0 && !tCache.closed && tCache.counts[cls - 1] < kMaxKept) {
        auto* kept = reinterpret_cast<FreeBlock*>(block);
        kept->next = tCache.heads[cls - 1];
        tCache.heads[cls - 1] = kept;
        ++tCache.counts[cls - 1];
        return;
    }
#endif
    std::free(block);
}
}

// The string in a block: its byte length, the text (zeros without one) and
// the terminating zero.
static BSTR fillString(char* block, const OLECHAR* text, unsigned length)
{
    const size_t bytes = size_t(length) * sizeof(OLECHAR);
    BSTR result = reinterpret_cast<BSTR>(block + kHeader);
    byteLength(result) = static_cast<uint32_t>(bytes);
    if (text)
        std::memcpy(result, text, bytes);
    else
        std::memset(static_cast<void*>(result), 0, bytes);
    result[length] = L'\0';
    return result;
}

BSTR SysAllocStringLen(const OLECHAR* text, unsigned length)
{
    size_t bytes = size_t(length) * sizeof(OLECHAR);
    char* block = takeBlock(kHeader + bytes + sizeof(OLECHAR));
    if (!block) return nullptr;
    return fillString(block, text, length);
}

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text) return nullptr;
    return SysAllocStringLen(text, static_cast<unsigned>(std::wcslen(text)));
}

void SysFreeString(BSTR text)
{
    if (!text) return;
    char* block = reinterpret_cast<char*>(text) - kHeader;
    if (sizeClass(block) == kSharedClass) {
        if (references(block).fetch_sub(1, std::memory_order_acq_rel) == 1) {
            references(block).~atomic();
            std::free(block - kSharedPrefix);
        }
        return;
    }
    giveBlock(block);
}

BSTR SysAllocSharedString(const OLECHAR* text, unsigned length)
{
    size_t bytes = size_t(length) * sizeof(OLECHAR);
    auto* start = static_cast<char*>(std::malloc(kSharedPrefix + kHeader + bytes + sizeof(OLECHAR)));
    if (!start) return nullptr;
    char* block = start + kSharedPrefix;
    new (start) std::atomic<uint32_t>(1);
    sizeClass(block) = kSharedClass;
    return fillString(block, text, length);
}

BSTR SysAddRefString(BSTR text)
{
    if (!text) return nullptr;
    char* block = reinterpret_cast<char*>(text) - kHeader;
    if (sizeClass(block) != kSharedClass) return SysAllocStringLen(text, SysStringLen(text));
    references(block).fetch_add(1, std::memory_order_relaxed);
    return text;
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
