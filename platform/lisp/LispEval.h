// The evaluator: symbol lookup, function calls with dynamic binding, and the
// table of built-in functions.
#pragma once

#include "lisp/LispValue.h"

#include <string_view>

namespace lisp {

// Nesting limit of evaluation; beyond it a call raises an error instead of
// exhausting the C++ stack.
inline constexpr int kMaxEvalDepth = 2000;

Ref eval(const Ref& form);
Ref evalBody(const Ref& body);
Ref apply(const Ref& function, Args args);
// The value of a symbol: its binding, else the registered function of that
// name in the current function context, else nil.
Ref symbolValue(Symbol* symbol);

void defineSubr(std::string_view name, NativeFn fn, int minArgs = 0, int maxArgs = -1);
void defineSpecial(std::string_view name, SpecialFn fn);
// A user function from a parameter list (a b / c d) and a body.
Ref makeUsubr(Symbol* name, const Ref& parameters, const Ref& body);

// Sets up the built-ins once (every entry point calls it).
void ensureEnvironment();

// Saves symbol values and restores them when the scope ends, so bindings
// are dynamic and undone also when an error passes.
class BindingScope {
public:
    BindingScope();
    ~BindingScope();
    BindingScope(const BindingScope&) = delete;
    BindingScope& operator=(const BindingScope&) = delete;
    void bind(Symbol* symbol, Ref value);

private:
    size_t mMark;
};

// Counts nesting of evaluation and raises an error past kMaxEvalDepth.
class DepthGuard {
public:
    DepthGuard();
    ~DepthGuard();
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
};

// Registered application functions (provided by the result-buffer side).
Ref lookupRegisteredFunction(Symbol* symbol);
Ref callRegisteredFunction(const Function& function, Args args);

}  // namespace lisp
