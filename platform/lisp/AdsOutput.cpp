// Command-line output: the output sink, acutPrintf, acedAlert, acedTextScr.
#include "lisp/AdsHost.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

AdsOutputSink& outputSink() {
    static AdsOutputSink sink;
    return sink;
}

}  // namespace

void adsSetOutputSink(AdsOutputSink sink) { outputSink() = std::move(sink); }

void adsWriteOutput(std::string_view text) {
    AdsOutputSink& sink = outputSink();
    if (sink) {
        sink(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

int acutPrintf(const char* format, ...) {
    if (!format) return 0;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        va_end(args);
        return 0;
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    text.resize(static_cast<size_t>(length));
    adsWriteOutput(text);
    return length;
}

int acedTextScr() { return RTNORM; }

int acedAlert(const char* message) {
    std::string text = "\n[Alert] ";
    text += message ? message : "";
    text += '\n';
    adsWriteOutput(text);
    return RTNORM;
}
