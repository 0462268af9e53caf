// Tag writing and tokenizing of ASCII DXF.
#include "geometry/AcGeLimits.h"
#include "database/io/DxfTags.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace orv::io {

void DxfTagWriter::code(int c) {
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, c);
    size_t n = static_cast<size_t>(r.ptr - buf);
    if (n < 3) mOut.append(3 - n, ' ');
    mOut.append(buf, n);
    mOut.push_back('\n');
}

void DxfTagWriter::string(int c, std::string_view value) {
    code(c);
    // A value cannot span lines; line breaks inside text would split the tag.
    for (char ch : value) mOut.push_back(ch == '\n' || ch == '\r' ? ' ' : ch);
    mOut.push_back('\n');
}

static void appendDouble(std::string& out, double v) {
    if (!std::isfinite(v)) v = 0.0;  // DXF has no text for NaN or infinity
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::string_view s(buf, static_cast<size_t>(r.ptr - buf));
    out.append(s);
    // Keep a decimal point so readers see a real, as DXF files usually show.
    if (s.find_first_of(".e") == std::string_view::npos) out.append(".0");
}

std::string formatDxfDouble(double value) {
    std::string s;
    appendDouble(s, value);
    return s;
}

void DxfTagWriter::real(int c, double value) {
    code(c);
    appendDouble(mOut, value);
    mOut.push_back('\n');
}

void DxfTagWriter::integer(int c, int64_t value) {
    code(c);
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    mOut.append(buf, r.ptr);
    mOut.push_back('\n');
}

void DxfTagWriter::handle(int c, uint64_t h) {
    code(c);
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, h, 16);
    for (char* p = buf; p < r.ptr; ++p)
        if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
    mOut.append(buf, r.ptr);
    mOut.push_back('\n');
}

void DxfTagWriter::point(int c, double x, double y, double z) {
    real(c, x);
    real(c + 10, y);
    real(c + 20, z);
}

void DxfTagWriter::point2d(int c, double x, double y) {
    real(c, x);
    real(c + 10, y);
}

static std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Plain decimals of at most 15 significant digits and 22 decimals ("-12.375",
// what writers put for coordinates): the digits are an exact double and so
// is the power of ten, so one division gives the correctly rounded value,
// the same that from_chars gives, at a fraction of its cost.
static bool quickDouble(std::string_view text, double& value) {
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    uint64_t digits = 0;
    int significant = 0, decimals = 0, seen = 0;
    bool dot = false;
    for (; p < end; ++p) {
        const unsigned d = static_cast<unsigned>(*p - '0');
        if (d < 10) {
            ++seen;
            if (dot) ++decimals;
            if (digits == 0 && d == 0) continue;
            digits = digits * 10 + d;
            if (++significant > 15) return false;
        } else if (*p == '.' && !dot) {
            dot = true;
        } else {
            return false;
        }
    }
    if (seen == 0 || decimals > 22) return false;
    double v = static_cast<double>(digits);
    if (decimals) v /= kPow10[decimals];
    value = negative ? -v : v;
    return true;
}

bool parseDxfDouble(std::string_view text, double& value) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    double parsed = 0.0;
    if (!quickDouble(text, parsed)) {
        auto r = std::from_chars(text.data(), text.data() + text.size(), parsed);
        if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
    }
    if (!acgeIsUsableNumber(parsed)) return false;
    value = parsed;
    return true;
}

bool isUnusableDxfNumber(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double parsed = 0.0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), parsed);
    return !text.empty() && r.ptr == text.data() + text.size() &&
           (r.ec == std::errc::result_out_of_range || (r.ec == std::errc() && !acgeIsUsableNumber(parsed)));
}

bool parseDxfInt(std::string_view text, int64_t& value) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool parseDxfHandle(std::string_view text, uint64_t& value) {
    text = trim(text);
    if (text.empty()) return false;
    auto r = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool tokenizeDxf(std::string_view text, std::vector<DxfTag>& tags, std::string& message) {
    tags.clear();
    tags.reserve(text.size() / 8 + 16);  // tags average about ten bytes
    const char* p = text.data();
    const char* const end = p + text.size();
    uint32_t line = 0;
    // The line at p without its line end; p moves past it.
    auto takeLine = [&](std::string_view& out) {
        const char* nl = p < end ? static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))) : nullptr;
        const char* stop = nl ? nl : end;
        if (stop > p && stop[-1] == '\r') --stop;
        out = std::string_view(p, static_cast<size_t>(stop - p));
        p = nl ? nl + 1 : end;
        ++line;
    };
    std::string_view codeText, value;
    while (p < end) {
        const uint32_t codeLine = line + 1;
        // Group codes are short right-aligned numbers: read them in place,
        // and take the general parser only for unusual text.
        const char* q = p;
        while (q < end && *q == ' ') ++q;
        const char* digits = q;
        int code = 0;
        while (q < end && q - digits < 5 && static_cast<unsigned>(*q - '0') < 10) code = code * 10 + (*q++ - '0');
        const bool quick = q > digits && q - digits <= 4 && q < end &&
                           (*q == '\n' || (*q == '\r' && q + 1 < end && q[1] == '\n'));
        if (quick) {
            p = q + (*q == '\r' ? 2 : 1);
            ++line;
        } else {
            takeLine(codeText);
            if (trim(codeText).empty() && p >= end) break;  // trailing blank line
            int64_t wide = 0;
            if (!parseDxfInt(codeText, wide) || wide < -5 || wide > 1071) {
                message = "invalid group code '" + std::string(codeText.substr(0, 20)) + "' at line " +
                          std::to_string(codeLine);
                return false;
            }
            code = static_cast<int>(wide);
        }
        if (code > 1071) {
            message = "invalid group code '" + std::to_string(code) + "' at line " + std::to_string(codeLine);
            return false;
        }
        if (p >= end) {
            message = "file ends after group code " + std::to_string(code) + " at line " +
                      std::to_string(codeLine) + " (truncated)";
            return false;
        }
        takeLine(value);
        tags.push_back({code, value, codeLine});
    }
    return true;
}

}  // namespace orv::io
