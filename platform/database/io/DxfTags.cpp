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

bool parseDxfDouble(std::string_view text, double& value) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    double parsed = 0.0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !acgeIsUsableNumber(parsed)) return false;
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
    tags.reserve(text.size() / 12);
    size_t pos = 0;
    uint32_t line = 0;
    auto nextLine = [&](std::string_view& out) {
        if (pos >= text.size()) return false;
        const void* nl = std::memchr(text.data() + pos, '\n', text.size() - pos);
        size_t end = nl ? static_cast<size_t>(static_cast<const char*>(nl) - text.data()) : text.size();
        out = text.substr(pos, end - pos);
        if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
        pos = end + 1;
        ++line;
        return true;
    };
    // Group codes are short right-aligned numbers: read them directly, and
    // fall back to the general parser only for unusual text.
    auto quickCode = [](std::string_view s, int64_t& code) {
        size_t i = 0;
        while (i < s.size() && s[i] == ' ') ++i;
        if (i == s.size() || s.size() - i > 4) return false;
        int v = 0;
        for (; i < s.size(); ++i) {
            if (s[i] < '0' || s[i] > '9') return false;
            v = v * 10 + (s[i] - '0');
        }
        code = v;
        return true;
    };
    std::string_view codeText, value;
    while (nextLine(codeText)) {
        uint32_t codeLine = line;
        if (trim(codeText).empty() && pos >= text.size()) break;  // trailing blank line
        int64_t code = 0;
        if ((!quickCode(codeText, code) && !parseDxfInt(codeText, code)) || code < -5 || code > 1071) {
            message = "invalid group code '" + std::string(codeText.substr(0, 20)) + "' at line " +
                      std::to_string(codeLine);
            return false;
        }
        if (!nextLine(value)) {
            message = "file ends after group code " + std::to_string(code) + " at line " +
                      std::to_string(codeLine) + " (truncated)";
            return false;
        }
        tags.push_back({static_cast<int>(code), value, codeLine});
    }
    return true;
}

}  // namespace orv::io
