// Code page 1252 <-> UTF-8 and the \U+XXXX escapes of DXF text.
#include "database/io/DxfEncoding.h"

#include <cstdint>
#include <cstring>

namespace orv::io {

namespace {

// Code page 1252 bytes 0x80..0x9F; the five unassigned ones keep their
// C1 code point so no byte is lost.
constexpr uint16_t kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when invalid.
size_t utf8Sequence(std::string_view text, size_t i, uint32_t& cp) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char c = b(0);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > text.size()) return 0;
    cp = n == 1 ? c : n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
    for (size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(k) & 0x3F);
    }
    static constexpr uint32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

// Offset of the first invalid UTF-8 byte, or npos.
size_t firstInvalidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        uint32_t cp = 0;
        const size_t n = utf8Sequence(text, i, cp);
        if (n == 0) return i;
        i += n;
    }
    return std::string_view::npos;
}

size_t lineOf(std::string_view text, size_t offset) {
    size_t line = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i) line += text[i] == '\n';
    return line;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of a header variable in the first part of the file ("" if none).
std::string_view headerValue(std::string_view text, std::string_view name) {
    const std::string_view head = text.substr(0, 4096);
    size_t at = head.find(name);
    if (at == std::string_view::npos) return {};
    // Skip the name line and the group code line.
    for (int lines = 0; lines < 2; ++lines) {
        at = head.find('\n', at);
        if (at == std::string_view::npos) return {};
        ++at;
    }
    size_t end = head.find('\n', at);
    if (end == std::string_view::npos) return {};
    std::string_view v = head.substr(at, end - at);
    while (!v.empty() && (v.back() == '\r' || v.back() == ' ')) v.remove_suffix(1);
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    return v;
}

}  // namespace

bool isUtf8DxfVersion(std::string_view acadver) { return acadver.size() == 6 && acadver >= "AC1021"; }

// Eight bytes at a time: most drawings are plain ASCII and this is a pass
// over the whole file.
static bool isAscii(std::string_view text) {
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ull) return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

bool decodeDxfText(std::string_view text, std::string& out, bool& changed, std::string& message) {
    changed = false;
    out.clear();
    const bool ascii = isAscii(text);
    const bool escapes = text.find("\\U+") != std::string_view::npos;
    if (ascii && !escapes) return true;

    std::string_view utf8 = text;
    std::string converted;
    if (!ascii) {
        const size_t invalid = firstInvalidUtf8(text);
        if (isUtf8DxfVersion(headerValue(text, "$ACADVER"))) {
            if (invalid != std::string_view::npos) {
                message = "text that is not valid UTF-8 at line " + std::to_string(lineOf(text, invalid)) +
                          " (a DXF file of version 2007 or later must be UTF-8)";
                return false;
            }
        } else if (invalid != std::string_view::npos) {
            // Valid UTF-8 is taken as UTF-8 (older writers put it into
            // files of any version); anything else is in the code page.
            std::string_view page = headerValue(text, "$DWGCODEPAGE");
            if (!page.empty() && page != "ANSI_1252" && page != "ansi_1252") {
                message = "the file's code page " + std::string(page) +
                          " is not supported (only ANSI_1252 and UTF-8); save it as DXF 2007 or later";
                return false;
            }
            converted.reserve(text.size() + text.size() / 8);
            for (char ch : text) {
                const unsigned char c = static_cast<unsigned char>(ch);
                if (c < 0x80) converted.push_back(ch);
                else appendUtf8(converted, c < 0xA0 ? kHigh1252[c - 0x80] : c);
            }
            utf8 = converted;
        }
    }
    if (utf8.find("\\U+") == std::string_view::npos) {
        out = converted.empty() ? std::string(utf8) : std::move(converted);
        changed = true;
        return true;
    }
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        if (utf8[i] == '\\' && i + 7 <= utf8.size() && utf8[i + 1] == 'U' && utf8[i + 2] == '+') {
            uint32_t cp = 0;
            bool hex = true;
            for (size_t k = 3; k < 7 && hex; ++k) {
                const int h = hexValue(utf8[i + k]);
                hex = h >= 0;
                cp = cp * 16 + static_cast<uint32_t>(h < 0 ? 0 : h);
            }
            if (hex && cp != '\n' && cp != '\r' && !(cp >= 0xD800 && cp <= 0xDFFF) && cp != 0) {
                appendUtf8(out, cp);
                i += 7;
                continue;
            }
        }
        out.push_back(utf8[i++]);
    }
    changed = true;
    return true;
}

std::string encodeDxfCodePage1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    static const char* kHex = "0123456789ABCDEF";
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        uint32_t cp = 0;
        const size_t n = utf8Sequence(utf8, i, cp);
        if (n == 0) {  // not UTF-8 (should not happen inside the host): a replacement
            out.push_back('?');
            ++i;
            continue;
        }
        i += n;
        if (cp >= 0xA0 && cp <= 0xFF) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        int byte = -1;
        for (int k = 0; k < 32; ++k)
            if (kHigh1252[k] == cp) byte = 0x80 + k;
        if (byte >= 0) {
            out.push_back(static_cast<char>(byte));
            continue;
        }
        if (cp > 0xFFFF) cp = 0xFFFD;  // four hex digits cannot say more
        out += "\\U+";
        for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(cp >> shift) & 0xF]);
    }
    return out;
}

}  // namespace orv::io
