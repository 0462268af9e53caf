// Printed forms of AutoLISP values, as princ (plain) and prin1 (escaped).
#include "lisp/LispPrinter.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <vector>

namespace lisp {

namespace {

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

void printAtom(std::string& out, const Value& value, bool escape) {
    char buffer[64];
    switch (value.type) {
    case Type::Int: out += std::to_string(value.u.i); break;
    case Type::Real: out += formatReal(value.u.r); break;
    case Type::Str: printString(out, value.str, escape); break;
    case Type::Sym: out += value.u.sym->name; break;
    case Type::Ename:
        std::snprintf(buffer, sizeof buffer, "<Entity name: %" PRIx64 ">",
                      static_cast<uint64_t>(value.u.name[0]));
        out += buffer;
        break;
    case Type::Pickset:
        std::snprintf(buffer, sizeof buffer, "<Selection set: %" PRIx64 ">",
                      static_cast<uint64_t>(value.u.name[0]));
        out += buffer;
        break;
    case Type::Subr:
    case Type::Usubr:
    case Type::Exrxsubr: printFunction(out, value); break;
    case Type::CatchError: out += "#<%catch-all-apply-error%>"; break;
    case Type::File:
        out += "#<file ";
        printString(out, value.str, true);
        out += '>';
        break;
    case Type::Cons: break;
    }
}

// Prints with an explicit work stack, so nesting depth costs no C++ stack.
void print(std::string& out, const Value* root, bool escape) {
    enum class Step { Value, Element, Tail, Close };
    struct Task {
        Step step;
        const Value* value;
    };
    std::vector<Task> tasks{{Step::Value, root}};
    while (!tasks.empty()) {
        Task task = tasks.back();
        tasks.pop_back();
        const Value* v = task.value;
        switch (task.step) {
        case Step::Value:
            if (!v) {
                out += "nil";
            } else if (v->type == Type::Cons) {
                out += '(';
                tasks.push_back({Step::Tail, v});
                tasks.push_back({Step::Value, v->car.get()});
            } else {
                printAtom(out, *v, escape);
            }
            break;
        case Step::Element:  // v is a cons in the middle of a list
            out += ' ';
            tasks.push_back({Step::Tail, v});
            tasks.push_back({Step::Value, v->car.get()});
            break;
        case Step::Tail: {  // v's car is printed; go on with its cdr
            const Value* rest = v->cdr.get();
            if (!rest) {
                out += ')';
            } else if (rest->type == Type::Cons) {
                tasks.push_back({Step::Element, rest});
            } else {
                out += " . ";
                tasks.push_back({Step::Close, nullptr});
                tasks.push_back({Step::Value, rest});
            }
            break;
        }
        case Step::Close: out += ')'; break;
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

void printValue(std::string& out, const Ref& value, bool escape) { print(out, value.get(), escape); }

std::string toText(const Ref& value, bool escape) {
    std::string out;
    print(out, value.get(), escape);
    return out;
}

}  // namespace lisp
