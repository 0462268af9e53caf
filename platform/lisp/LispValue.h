// AutoLISP values: numbers, strings, interned symbols, conses, entity names,
// selection sets, file descriptors and the three kinds of functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lisp/BlockCache.h"

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

// A counted reference to a value; nil is the null reference. The count
// lives in the value itself and is not atomic: values belong to the
// interpreter's one thread, and lists make and drop them by the thousand.
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    // Takes a new reference to v (which may be null).
    explicit Ref(Value* v) noexcept;
    Ref(const Ref& other) noexcept;
    Ref(Ref&& other) noexcept : mValue(other.mValue) { other.mValue = nullptr; }
    ~Ref();
    Ref& operator=(const Ref& other) noexcept {
        Ref(other).swap(*this);
        return *this;
    }
    Ref& operator=(Ref&& other) noexcept {
        Ref(std::move(other)).swap(*this);
        return *this;
    }
    Ref& operator=(std::nullptr_t) noexcept {
        reset();
        return *this;
    }

    Value* get() const noexcept { return mValue; }
    Value* operator->() const noexcept { return mValue; }
    Value& operator*() const noexcept { return *mValue; }
    explicit operator bool() const noexcept { return mValue != nullptr; }
    void reset() noexcept { Ref().swap(*this); }
    void swap(Ref& other) noexcept { std::swap(mValue, other.mValue); }
    // Leaves this reference nil and hands its value over uncounted.
    Value* detach() noexcept { return std::exchange(mValue, nullptr); }
    // References to the value, this one included (0 for nil).
    long use_count() const noexcept;

    friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.mValue == b.mValue; }
    friend bool operator==(const Ref& a, std::nullptr_t) noexcept { return a.mValue == nullptr; }

private:
    Value* mValue = nullptr;
};
using Args = std::span<const Ref>;
// A built-in receiving evaluated arguments.
using NativeFn = std::function<Ref(Args)>;
// A special form receiving its unevaluated argument list.
using SpecialFn = Ref (*)(const Ref& args);

// Whether values of a type hold text (str) or a function (fn): only those
// members of a value's kind exist.
constexpr uint32_t typeBit(Type t) { return 1u << static_cast<unsigned>(t); }
constexpr bool holdsText(Type t) {
    return (typeBit(t) & (typeBit(Type::Str) | typeBit(Type::CatchError) | typeBit(Type::File))) != 0;
}
constexpr bool holdsFunction(Type t) {
    return (typeBit(t) & (typeBit(Type::Subr) | typeBit(Type::Usubr) | typeBit(Type::Exrxsubr))) != 0;
}

struct Value {
    explicit Value(Type t) : type(t) {
        if (holdsText(t)) new (&str) std::string();
        else if (holdsFunction(t)) new (&fn) std::shared_ptr<const Function>();
    }
    // A cons taking over both references.
    Value(Ref&& first, Ref&& rest) : type(Type::Cons), car(std::move(first)), cdr(std::move(rest)) {}
    ~Value() {
        if (holdsText(type)) str.~basic_string();
        else if (holdsFunction(type)) fn.~shared_ptr();
    }
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;

    Type type;
    uint32_t refs = 0;  // counted by Ref
    union {
        int32_t i;
        double r;
        Symbol* sym;
        int64_t name[2];
        Value* nextToFree;  // while the value is being freed
    } u{};
    Ref car, cdr;  // Cons (nil in other values)
    union {
        std::string str;                     // Str, CatchError message, File path
        std::shared_ptr<const Function> fn;  // Subr, Usubr, Exrxsubr
    };
};

// Frees a value whose last reference went away.
void releaseValue(Value* value) noexcept;

inline Ref::Ref(Value* v) noexcept : mValue(v) {
    if (mValue) ++mValue->refs;
}
inline Ref::Ref(const Ref& other) noexcept : mValue(other.mValue) {
    if (mValue) ++mValue->refs;
}
inline Ref::~Ref() {
    if (mValue && --mValue->refs == 0) releaseValue(mValue);
}
inline long Ref::use_count() const noexcept { return mValue ? static_cast<long>(mValue->refs) : 0; }

// A new value of a type, with nothing in it yet. Values of every kind come
// from the block cache: list-heavy code makes and drops them by the thousand.
inline Ref makeValue(Type type) { return Ref(new (BlockCache<sizeof(Value)>::take()) Value(type)); }

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

// Integers are never changed in place and eq compares them by value, so the
// small ones that result lists and loops make by the thousand are shared.
constexpr int32_t kFirstSharedInt = -128;
constexpr int32_t kLastSharedInt = 1023;
// The shared integers, kFirstSharedInt first.
const Ref* sharedInts();
inline Ref makeInt(int32_t value) {
    if (value >= kFirstSharedInt && value <= kLastSharedInt) return sharedInts()[value - kFirstSharedInt];
    Ref v = makeValue(Type::Int);
    v->u.i = value;
    return v;
}
inline Ref makeReal(double value) {
    Ref v = makeValue(Type::Real);
    v->u.r = value;
    return v;
}
// A string ends at its first NUL character, as in AutoLISP.
Ref makeString(std::string value);
inline Ref makeCons(Ref car, Ref cdr) {
    return Ref(new (BlockCache<sizeof(Value)>::take()) Value(std::move(car), std::move(cdr)));
}
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
