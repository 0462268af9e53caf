// String built-ins: strcat strlen substr strcase itoa atoi atof rtos chr ascii.
#include "ads/ads.h"
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "lisp/LispPrinter.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace lisp {

namespace {

Ref substr(Args a) {
    const std::string& text = stringArg(a[0]);
    int32_t start = intArg(a[1]);
    if (start < 1) raiseError("bad argument value: positive " + std::to_string(start));
    size_t from = static_cast<size_t>(start - 1);
    if (from >= text.size()) return makeString("");
    size_t count = std::string::npos;
    if (a.size() > 2) {
        int32_t length = intArg(a[2]);
        if (length < 0) raiseError("bad argument value: non-negative " + std::to_string(length));
        count = static_cast<size_t>(length);
    }
    return makeString(text.substr(from, count));
}

// An integer system variable, or the fallback when it is not registered.
int32_t intSysVar(const char* name, int32_t fallback) {
    resbuf value{};
    if (acedGetVar(name, &value) != RTNORM) return fallback;
    if (value.restype == RTSHORT) return value.resval.rint;
    if (value.restype == RTLONG) return value.resval.rlong;
    if (value.restype == RTSTR) std::free(value.resval.rstring);
    return fallback;
}

// Decimal (mode 2) or scientific (mode 1) text of a number; the defaults
// come from LUNITS and LUPREC.
Ref rtos(Args a) {
    double value = numberArg(a[0]);
    int32_t mode = a.size() > 1 && a[1] ? intArg(a[1]) : intSysVar("LUNITS", 2);
    int32_t precision = a.size() > 2 && a[2] ? intArg(a[2]) : intSysVar("LUPREC", 4);
    if (mode < 1 || mode > 5) raiseError("bad argument value: rtos mode " + std::to_string(mode));
    if (precision < 0 || precision > 16)
        raiseError("bad argument value: rtos precision " + std::to_string(precision));
    char buffer[400];
    if (mode == 1)
        std::snprintf(buffer, sizeof buffer, "%.*E", precision, value);
    else
        std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    return makeString(buffer);
}

}  // namespace

void registerStringBuiltins() {
    defineSubr("strcat", [](Args a) {
        std::string text;
        for (const Ref& v : a) text += stringArg(v);
        return makeString(std::move(text));
    });
    defineSubr("strlen", [](Args a) {
        size_t length = 0;
        for (const Ref& v : a) length += stringArg(v).size();
        return makeInt(static_cast<int32_t>(length));
    });
    defineSubr("substr", substr, 2, 3);
    defineSubr("strcase", [](Args a) {
        std::string text = stringArg(a[0]);
        bool lower = a.size() > 1 && a[1];
        for (char& c : text)
            c = static_cast<char>(lower ? std::tolower(static_cast<unsigned char>(c))
                                        : std::toupper(static_cast<unsigned char>(c)));
        return makeString(std::move(text));
    }, 1, 2);
    defineSubr("itoa", [](Args a) { return makeString(std::to_string(intArg(a[0]))); }, 1, 1);
    defineSubr("atoi", [](Args a) {
        return makeInt(static_cast<int32_t>(std::strtol(stringArg(a[0]).c_str(), nullptr, 10)));
    }, 1, 1);
    defineSubr("atof", [](Args a) {
        return makeReal(std::strtod(stringArg(a[0]).c_str(), nullptr));
    }, 1, 1);
    defineSubr("rtos", rtos, 1, 3);
    defineSubr("chr", [](Args a) {
        return makeString(std::string(1, static_cast<char>(intArg(a[0]))));
    }, 1, 1);
    defineSubr("ascii", [](Args a) {
        const std::string& text = stringArg(a[0]);
        return makeInt(text.empty() ? 0 : static_cast<unsigned char>(text[0]));
    }, 1, 1);
    defineSubr("vl-princ-to-string", [](Args a) { return makeString(toText(a[0], false)); }, 1, 1);
    defineSubr("vl-prin1-to-string", [](Args a) { return makeString(toText(a[0], true)); }, 1, 1);
}

}  // namespace lisp
