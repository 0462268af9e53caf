// Printed forms of AutoLISP values, as princ (plain) and prin1 (escaped).
#include "lisp/LispPrinter.h"

#include "lisp/LispError.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace lisp {

namespace {

constexpr int kMaxPrintDepth = 10000;

void printString(std::string& out, const std::string& text, bool escape) {
    if (!escape) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\x1b': out += "\\e"; break;
        default: out += c;
        }
    }
    out += '"';
}

void printFunction(std::string& out, const Value& value) {
    const char* kind = value.type == Type::Subr    ? "SUBR"
                       : value.type == Type::Usubr ? "USUBR"
                                                   : "EXRXSUBR";
    char address[40];
    std::snprintf(address, sizeof address, "%016" PRIxPTR,
                  reinterpret_cast<uintptr_t>(value.fn.get()));
    out += "#<";
    out += kind;
    out += " @";
    out += address;
    out += ' ';
    out += value.fn->name ? value.fn->name->name : std::string("-lambda-");
    out += '>';
}

void print(std::string& out, const Ref& value, bool escape, int depth) {
    if (depth > kMaxPrintDepth) raiseError("print depth exceeded");
    if (!value) {
        out += "nil";
        return;
    }
    char buffer[64];
    switch (value->type) {
    case Type::Int: out += std::to_string(value->u.i); break;
    case Type::Real: out += formatReal(value->u.r); break;
    case Type::Str: printString(out, value->str, escape); break;
    case Type::Sym: out += value->u.sym->name; break;
    case Type::Ename:
        std::snprintf(buffer, sizeof buffer, "<Entity name: %" PRIx64 ">",
                      static_cast<uint64_t>(value->u.name[0]));
        out += buffer;
        break;
    case Type::Pickset:
        std::snprintf(buffer, sizeof buffer, "<Selection set: %" PRIx64 ">",
                      static_cast<uint64_t>(value->u.name[0]));
        out += buffer;
        break;
    case Type::Subr:
    case Type::Usubr:
    case Type::Exrxsubr: printFunction(out, *value); break;
    case Type::CatchError: out += "#<%catch-all-apply-error%>"; break;
    case Type::Cons: {
        out += '(';
        const Value* p = value.get();
        bool first = true;
        while (true) {
            if (!first) out += ' ';
            first = false;
            print(out, p->car, escape, depth + 1);
            const Ref& rest = p->cdr;
            if (!rest) break;
            if (rest->type != Type::Cons) {
                out += " . ";
                print(out, rest, escape, depth + 1);
                break;
            }
            p = rest.get();
        }
        out += ')';
        break;
    }
    }
}

}  // namespace

std::string formatReal(double value) {
    if (std::isnan(value)) return "1.#QNAN";
    if (std::isinf(value)) return value > 0 ? "1.#INF" : "-1.#INF";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    std::string text = buffer;
    auto exponent = text.find('e');
    std::string mantissa = text.substr(0, exponent);
    if (mantissa.find('.') == std::string::npos) mantissa += ".0";
    if (exponent == std::string::npos) return mantissa;
    return mantissa + text.substr(exponent);
}

void printValue(std::string& out, const Ref& value, bool escape) { print(out, value, escape, 0); }

std::string toText(const Ref& value, bool escape) {
    std::string out;
    print(out, value, escape, 0);
    return out;
}

}  // namespace lisp
