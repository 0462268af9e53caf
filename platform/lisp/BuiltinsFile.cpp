// File built-ins: open close read-line write-line read-char write-char.
// Without a file, reading takes the keyboard (the host's input queue) and
// writing goes to the command line.
#include "lisp/AdsHost.h"
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "lisp/LispFiles.h"

namespace lisp {

namespace {

// A line without its end (\n or \r\n); nil at the end of the file.
Ref readLine(Args a) {
    if (a.empty()) {
        std::optional<std::string> line = readKeyboardLine();
        return line ? makeString(*line) : nullptr;
    }
    std::FILE* stream = lispFileStream(a[0], false);
    std::string line;
    int c;
    bool any = false;
    while ((c = std::fgetc(stream)) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!any) return nullptr;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return makeString(std::move(line));
}

// The next character code; a line end reads as 10; nil at the end.
Ref readChar(Args a) {
    if (a.empty()) {
        static std::string pending;
        static bool havePending = false;
        if (!havePending) {
            std::optional<std::string> line = readKeyboardLine();
            if (!line) return nullptr;
            pending = *line + "\n";
            havePending = true;
        }
        int code = static_cast<unsigned char>(pending.front());
        pending.erase(0, 1);
        havePending = !pending.empty();
        return makeInt(code);
    }
    std::FILE* stream = lispFileStream(a[0], false);
    int c = std::fgetc(stream);
    if (c == '\r') {
        int next = std::fgetc(stream);
        if (next == '\n') return makeInt('\n');
        if (next != EOF) std::ungetc(next, stream);
    }
    return c == EOF ? nullptr : makeInt(c);
}

void writeText(Args a, size_t fileIndex, const std::string& text) {
    if (a.size() > fileIndex) {
        std::FILE* stream = lispFileStream(a[fileIndex], true);
        std::fwrite(text.data(), 1, text.size(), stream);
    } else {
        adsWriteOutput(text);
    }
}

}  // namespace

void registerFileBuiltins() {
    defineSubr("open", [](Args a) { return openLispFile(stringArg(a[0]), stringArg(a[1])); }, 2, 3);
    defineSubr("close", [](Args a) -> Ref {
        closeLispFile(a[0]);
        return nullptr;
    }, 1, 1);
    defineSubr("read-line", readLine, 0, 1);
    defineSubr("read-char", readChar, 0, 1);
    defineSubr("write-line", [](Args a) {
        writeText(a, 1, stringArg(a[0]) + "\n");
        return a[0];
    }, 1, 2);
    defineSubr("write-char", [](Args a) {
        int32_t code = intArg(a[0]);
        if (code < 0 || code > 255) raiseError("bad argument value: character code " + std::to_string(code));
        writeText(a, 1, std::string(1, static_cast<char>(code)));
        return a[0];
    }, 1, 2);
}

}  // namespace lisp
