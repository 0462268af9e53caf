// Numeric built-ins: + - * / with 32-bit wrapping integers and promotion to
// real, comparisons, and the math functions.
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "lisp/LispPrinter.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <utility>

namespace lisp {

namespace {

enum class Op { Add, Sub, Mul, Div };

int32_t wrap(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

int32_t intOp(Op op, int32_t a, int32_t b) {
    switch (op) {
    case Op::Add: return wrap(static_cast<int64_t>(a) + b);
    case Op::Sub: return wrap(static_cast<int64_t>(a) - b);
    case Op::Mul: return wrap(static_cast<int64_t>(a) * b);
    case Op::Div:
        if (b == 0) raiseError("divide by zero");
        return wrap(static_cast<int64_t>(a) / b);
    }
    return 0;
}

double realOp(Op op, double a, double b) {
    switch (op) {
    case Op::Add: return a + b;
    case Op::Sub: return a - b;
    case Op::Mul: return a * b;
    case Op::Div:
        if (b == 0) raiseError("divide by zero");
        return a / b;
    }
    return 0;
}

// Left fold; stays integer until a real appears.
Ref arithmetic(Op op, Args a) {
    if (a.empty()) return makeInt(0);
    numberArg(a[0]);
    if (a.size() == 1) {
        if (op == Op::Sub) {
            if (a[0]->type == Type::Int) return makeInt(intOp(Op::Sub, 0, a[0]->u.i));
            return makeReal(-a[0]->u.r);
        }
        return a[0];
    }
    bool isInt = a[0]->type == Type::Int;
    int32_t i = isInt ? a[0]->u.i : 0;
    double r = numberValue(a[0]);
    for (size_t k = 1; k < a.size(); ++k) {
        numberArg(a[k]);
        if (isInt && a[k]->type == Type::Int) {
            i = intOp(op, i, a[k]->u.i);
            r = i;
        } else {
            if (isInt) r = i;
            isInt = false;
            r = realOp(op, r, numberValue(a[k]));
        }
    }
    return isInt ? makeInt(i) : makeReal(r);
}

// Order of comparable atoms: numbers by value, then strings and symbols by
// their text; anything else only equals itself.
int rankOf(const Ref& v) {
    if (isNumber(v)) return 0;
    if (!v || v->type == Type::Str || v->type == Type::Sym) return 1;
    return 2;
}

const std::string& textOf(const Ref& v) {
    static const std::string nilText = "nil";
    if (!v) return nilText;
    return v->type == Type::Sym ? v->u.sym->name : v->str;
}

int compareValues(const Ref& a, const Ref& b) {
    if (isNumber(a) && isNumber(b)) {
        if (a->type == Type::Int && b->type == Type::Int) return a->u.i < b->u.i ? -1 : (a->u.i > b->u.i ? 1 : 0);
        double x = numberValue(a), y = numberValue(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    int ra = rankOf(a), rb = rankOf(b);
    if (ra != rb) return ra < rb ? -1 : 1;
    if (ra == 1) {
        int c = textOf(a).compare(textOf(b));
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (a.get() == b.get()) return 0;
    return std::less<const Value*>()(a.get(), b.get()) ? -1 : 1;
}

template <typename Test>
void defineComparison(const char* name, Test test) {
    defineSubr(name, [test](Args a) {
        for (size_t k = 0; k + 1 < a.size(); ++k)
            if (!test(compareValues(a[k], a[k + 1]))) return Ref();
        return trueValue();
    }, 1);
}

[[noreturn]] void undefinedFor(const Ref& value) {
    raiseError("function undefined for argument: " + toText(value));
}

// Integer power stays integer (wrapping; a negative exponent truncates to 0
// unless the base is 1 or -1); otherwise a real.
Ref expt(Args a) {
    double base = numberArg(a[0]), power = numberArg(a[1]);
    if (a[0]->type == Type::Int && a[1]->type == Type::Int) {
        int32_t b = a[0]->u.i, e = a[1]->u.i;
        if (e < 0) {
            if (b == 0) raiseError("divide by zero");
            return makeInt(b == 1 ? 1 : (b == -1 ? (e % 2 ? -1 : 1) : 0));
        }
        uint32_t result = 1, factor = static_cast<uint32_t>(b);
        for (uint32_t n = static_cast<uint32_t>(e); n; n >>= 1, factor *= factor)
            if (n & 1) result *= factor;
        return makeInt(static_cast<int32_t>(result));
    }
    if (base < 0 && power != std::trunc(power)) undefinedFor(a[0]);
    if (base == 0 && power < 0) raiseError("divide by zero");
    return makeReal(std::pow(base, power));
}

Ref realResult(Args a, double (*fn)(double)) { return makeReal(fn(numberArg(a[0]))); }

Ref minMax(Args a, bool wantMax) {
    if (a.empty()) return makeInt(0);
    bool allInt = true;
    for (const Ref& v : a) {
        numberArg(v);
        allInt = allInt && v->type == Type::Int;
    }
    Ref best = a[0];
    for (const Ref& v : a)
        if (wantMax ? numberValue(v) > numberValue(best) : numberValue(v) < numberValue(best)) best = v;
    return allInt ? best : makeReal(numberValue(best));
}

}  // namespace

void registerMathBuiltins() {
    defineSubr("+", [](Args a) { return arithmetic(Op::Add, a); });
    defineSubr("-", [](Args a) { return arithmetic(Op::Sub, a); });
    defineSubr("*", [](Args a) { return arithmetic(Op::Mul, a); });
    defineSubr("/", [](Args a) { return arithmetic(Op::Div, a); });
    defineSubr("1+", [](Args a) {
        return a[0] && a[0]->type == Type::Int ? makeInt(intOp(Op::Add, a[0]->u.i, 1))
                                               : makeReal(numberArg(a[0]) + 1);
    }, 1, 1);
    defineSubr("1-", [](Args a) {
        return a[0] && a[0]->type == Type::Int ? makeInt(intOp(Op::Sub, a[0]->u.i, 1))
                                               : makeReal(numberArg(a[0]) - 1);
    }, 1, 1);
    defineComparison("=", [](int c) { return c == 0; });
    defineComparison("<", [](int c) { return c < 0; });
    defineComparison(">", [](int c) { return c > 0; });
    defineComparison("<=", [](int c) { return c <= 0; });
    defineComparison(">=", [](int c) { return c >= 0; });
    defineComparison("/=", [](int c) { return c != 0; });
    defineSubr("abs", [](Args a) {
        return a[0] && a[0]->type == Type::Int ? makeInt(a[0]->u.i < 0 ? intOp(Op::Sub, 0, a[0]->u.i) : a[0]->u.i)
                                               : makeReal(std::fabs(numberArg(a[0])));
    }, 1, 1);
    defineSubr("fix", [](Args a) {
        double value = std::trunc(numberArg(a[0]));
        if (value >= 2147483648.0 || value < -2147483648.0) return makeReal(value);
        return makeInt(static_cast<int32_t>(value));
    }, 1, 1);
    defineSubr("float", [](Args a) { return makeReal(numberArg(a[0])); }, 1, 1);
    defineSubr("rem", [](Args a) -> Ref {
        if (a.empty()) return makeInt(0);
        Ref result = a[0];
        numberArg(result);
        for (size_t k = 1; k < a.size(); ++k) {
            numberArg(a[k]);
            if (result->type == Type::Int && a[k]->type == Type::Int) {
                if (a[k]->u.i == 0) raiseError("divide by zero");
                result = makeInt(a[k]->u.i == -1 ? 0 : result->u.i % a[k]->u.i);
            } else {
                if (numberValue(a[k]) == 0) raiseError("divide by zero");
                result = makeReal(std::fmod(numberValue(result), numberValue(a[k])));
            }
        }
        return result;
    });
    defineSubr("min", [](Args a) { return minMax(a, false); });
    defineSubr("max", [](Args a) { return minMax(a, true); });
    defineSubr("sqrt", [](Args a) {
        if (numberArg(a[0]) < 0) undefinedFor(a[0]);
        return makeReal(std::sqrt(numberValue(a[0])));
    }, 1, 1);
    defineSubr("exp", [](Args a) { return realResult(a, std::exp); }, 1, 1);
    defineSubr("log", [](Args a) {
        if (numberArg(a[0]) <= 0) undefinedFor(a[0]);
        return makeReal(std::log(numberValue(a[0])));
    }, 1, 1);
    defineSubr("expt", expt, 2, 2);
    defineSubr("gcd", [](Args a) {
        int64_t x = std::llabs(intArg(a[0])), y = std::llabs(intArg(a[1]));
        if (x == 0 || y == 0) raiseError("bad argument value: positive " + std::to_string(x == 0 ? x : y));
        while (y) x = std::exchange(y, x % y);
        return makeInt(wrap(x));
    }, 2, 2);
    defineSubr("sin", [](Args a) { return realResult(a, std::sin); }, 1, 1);
    defineSubr("cos", [](Args a) { return realResult(a, std::cos); }, 1, 1);
    defineSubr("atan", [](Args a) {
        if (a.size() == 2) return makeReal(std::atan2(numberArg(a[0]), numberArg(a[1])));
        return makeReal(std::atan(numberArg(a[0])));
    }, 1, 2);
    defineSubr("zerop", [](Args a) { return makeBool(numberArg(a[0]) == 0); }, 1, 1);
    defineSubr("minusp", [](Args a) { return makeBool(numberArg(a[0]) < 0); }, 1, 1);
    defineSubr("numberp", [](Args a) { return makeBool(isNumber(a[0])); }, 1, 1);
    intern("PI")->value = makeReal(3.14159265358979323846);
}

}  // namespace lisp
