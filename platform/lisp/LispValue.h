// AutoLISP values: numbers, strings, interned symbols, conses, entity names,
// selection sets, file descriptors and the three kinds of functions.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lisp {

enum class Type : uint8_t {
    Int,
    Real,
    Str,
    Sym,
    Cons,
    Ename,
    Pickset,
    Subr,       // built-in
    Usubr,      // defun / lambda
    Exrxsubr,   // registered by an application
    CatchError, // error object of vl-catch-all-apply
    File        // descriptor of open; u.i is its number in the open-file table
};

struct Value;
struct Symbol;
struct Function;
// nil is the null reference.
using Ref = std::shared_ptr<Value>;
using Args = std::span<const Ref>;
// A built-in receiving evaluated arguments.
using NativeFn = std::function<Ref(Args)>;
// A special form receiving its unevaluated argument list.
using SpecialFn = Ref (*)(const Ref& args);

struct Value {
    explicit Value(Type t) : type(t) {}
    ~Value();
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;

    Type type;
    union {
        int32_t i;
        double r;
        Symbol* sym;
        int64_t name[2];
    } u{};
    std::string str;  // Str, CatchError message
    Ref car, cdr;     // Cons
    std::shared_ptr<const Function> fn;  // Subr, Usubr, Exrxsubr
};

struct Function {
    Symbol* name = nullptr;  // null for an anonymous lambda
    // Subr
    NativeFn native;
    SpecialFn special = nullptr;
    int minArgs = 0;
    int maxArgs = -1;  // -1: any number
    // Usubr
    std::vector<Symbol*> params;
    std::vector<Symbol*> locals;
    Ref body;
    // Exrxsubr
    short code = 0;
};

struct Symbol {
    std::string name;  // upper case
    Ref value;         // global or dynamically bound value (null = nil)
    Ref self;          // the symbol as a value
};

// Interns a symbol; the name is folded to upper case.
Symbol* intern(std::string_view name);
Ref symbolRef(std::string_view name);
// Every interned symbol (order unspecified).
std::vector<Symbol*> allSymbols();
// The symbol T, and the empty symbol that (princ) returns to print nothing.
Ref trueValue();
Ref quietValue();

Ref makeInt(int32_t value);
Ref makeReal(double value);
// A string ends at its first NUL character, as in AutoLISP.
Ref makeString(std::string value);
Ref makeCons(Ref car, Ref cdr);
Ref makeList(const std::vector<Ref>& items);
Ref makeEname(const int64_t name[2]);
Ref makePickset(const int64_t name[2]);
Ref makeBool(bool value);

inline bool isType(const Ref& v, Type t) { return v && v->type == t; }
inline bool isNumber(const Ref& v) { return v && (v->type == Type::Int || v->type == Type::Real); }
inline bool isCons(const Ref& v) { return isType(v, Type::Cons); }
inline bool isFunction(const Ref& v) {
    return v && (v->type == Type::Subr || v->type == Type::Usubr || v->type == Type::Exrxsubr);
}
inline double numberValue(const Ref& v) { return v->type == Type::Int ? v->u.i : v->u.r; }

// Elements of a proper list (the tail of an improper list is dropped).
std::vector<Ref> listItems(const Ref& list);

}  // namespace lisp
