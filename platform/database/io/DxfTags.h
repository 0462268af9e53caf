// ASCII DXF group code/value pairs: a fast tag writer and a tokenizer that
// splits a whole file into tags.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::io {

// Appends "code\nvalue\n" lines to a string; numbers use the shortest text
// that reads back to the same value.
class DxfTagWriter {
public:
    void string(int code, std::string_view value);
    void real(int code, double value);
    void integer(int code, int64_t value);
    void handle(int code, uint64_t handle);
    void point(int code, double x, double y, double z);
    void point2d(int code, double x, double y);

    std::string& data() { return mOut; }
    const std::string& data() const { return mOut; }

private:
    void code(int c);
    std::string mOut;
};

struct DxfTag {
    int code = 0;
    std::string_view value;
    uint32_t line = 0;  // 1-based line of the group code, for messages
};

// Splits ASCII DXF text (LF or CRLF lines) into tags. On malformed input
// returns false and sets message to what is wrong and where.
bool tokenizeDxf(std::string_view text, std::vector<DxfTag>& tags, std::string& message);

// Number parsing of tag values (leading/trailing blanks allowed); false when
// the text is not a number of that kind.
bool parseDxfDouble(std::string_view text, double& value);
// True for text that is a number but not one drawings accept (NaN, an
// infinity, beyond the coordinate limit): refused, unlike mere text.
bool isUnusableDxfNumber(std::string_view text);
bool parseDxfInt(std::string_view text, int64_t& value);
bool parseDxfHandle(std::string_view text, uint64_t& value);
// Text of a double as written by the tag writer.
std::string formatDxfDouble(double value);

}  // namespace orv::io
