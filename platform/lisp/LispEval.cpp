// The evaluator: symbol lookup, function calls with dynamic binding, and the
// table of built-in functions.
#include "lisp/LispEval.h"

#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispPrinter.h"

#include <utility>

namespace lisp {

namespace {

std::vector<std::pair<Symbol*, Ref>>& bindingStack() {
    static std::vector<std::pair<Symbol*, Ref>> stack;
    return stack;
}

int gDepth = 0;

Ref callUsubr(const Function& function, Args args) {
    if (args.size() < function.params.size()) raiseError("too few arguments");
    if (args.size() > function.params.size()) raiseError("too many arguments");
    BindingScope scope;
    for (size_t i = 0; i < args.size(); ++i) scope.bind(function.params[i], args[i]);
    for (Symbol* local : function.locals) scope.bind(local, nullptr);
    return evalBody(function.body);
}

Ref callSubr(const Function& function, Args args) {
    if (static_cast<int>(args.size()) < function.minArgs) raiseError("too few arguments");
    if (function.maxArgs >= 0 && static_cast<int>(args.size()) > function.maxArgs)
        raiseError("too many arguments");
    return function.native(args);
}

// A function kept as a list, as defun-q makes it: (PARAMETERS BODY ...).
Ref listFunction(const Ref& list) {
    if (!isCons(list) || (list->car && !isCons(list->car))) raiseError("bad function: " + toText(list));
    return makeUsubr(nullptr, list->car, list->cdr);
}

Ref evalCall(const Ref& form) {
    DepthGuard guard;
    const Ref& head = form->car;
    Ref function;
    if (isType(head, Type::Sym)) {
        function = symbolValue(head->u.sym);
        if (!function) raiseError("no function definition: " + head->u.sym->name);
    } else if (isCons(head)) {
        function = eval(head);
    } else {
        function = head;
    }
    if (isCons(function)) function = listFunction(function);
    if (!isFunction(function)) raiseError("bad function: " + toText(function));
    const Function& f = *function->fn;
    if (f.special) return f.special(form->cdr);

    std::vector<Ref> args;
    size_t count = 0;
    for (const Value* p = form->cdr.get(); p && p->type == Type::Cons; p = p->cdr.get()) ++count;
    args.reserve(count);
    for (const Value* p = form->cdr.get(); p && p->type == Type::Cons; p = p->cdr.get())
        args.push_back(eval(p->car));
    switch (function->type) {
    case Type::Usubr: return callUsubr(f, args);
    case Type::Exrxsubr: return callRegisteredFunction(f, args);
    default: return callSubr(f, args);
    }
}

}  // namespace

BindingScope::BindingScope() : mMark(bindingStack().size()) {}

BindingScope::~BindingScope() {
    auto& stack = bindingStack();
    while (stack.size() > mMark) {
        stack.back().first->value = std::move(stack.back().second);
        stack.pop_back();
    }
}

void BindingScope::bind(Symbol* symbol, Ref value) {
    bindingStack().emplace_back(symbol, std::move(symbol->value));
    symbol->value = std::move(value);
}

DepthGuard::DepthGuard() {
    if (gDepth >= kMaxEvalDepth) raiseError("stack limit reached: recursion too deep");
    ++gDepth;
}

DepthGuard::~DepthGuard() { --gDepth; }

Ref symbolValue(Symbol* symbol) {
    if (symbol->value) return symbol->value;
    return lookupRegisteredFunction(symbol);
}

Ref eval(const Ref& form) {
    if (!form) return nullptr;
    switch (form->type) {
    case Type::Sym: return symbolValue(form->u.sym);
    case Type::Cons: return evalCall(form);
    default: return form;
    }
}

Ref evalBody(const Ref& body) {
    Ref result;
    for (const Value* p = body.get(); p && p->type == Type::Cons; p = p->cdr.get())
        result = eval(p->car);
    return result;
}

Ref apply(const Ref& function, Args args) {
    DepthGuard guard;
    if (isType(function, Type::Sym)) {
        Ref value = symbolValue(function->u.sym);
        if (!value) raiseError("no function definition: " + function->u.sym->name);
        return lisp::apply(value, args);
    }
    if (isCons(function) && isType(function->car, Type::Sym) &&
        function->car->u.sym->name == "LAMBDA")
        return lisp::apply(eval(function), args);
    if (isCons(function)) return lisp::apply(listFunction(function), args);
    if (!isFunction(function)) raiseError("bad function: " + toText(function));
    const Function& f = *function->fn;
    if (f.special) raiseError("bad function: " + toText(function));
    switch (function->type) {
    case Type::Usubr: return callUsubr(f, args);
    case Type::Exrxsubr: return callRegisteredFunction(f, args);
    default: return callSubr(f, args);
    }
}

void defineSubr(std::string_view name, NativeFn fn, int minArgs, int maxArgs) {
    auto function = std::make_shared<Function>();
    function->name = intern(name);
    function->native = std::move(fn);
    function->minArgs = minArgs;
    function->maxArgs = maxArgs;
    auto value = makeValue(Type::Subr);
    value->fn = std::move(function);
    intern(name)->value = std::move(value);
}

void defineSpecial(std::string_view name, SpecialFn fn) {
    auto function = std::make_shared<Function>();
    function->name = intern(name);
    function->special = fn;
    auto value = makeValue(Type::Subr);
    value->fn = std::move(function);
    intern(name)->value = std::move(value);
}

Ref makeUsubr(Symbol* name, const Ref& parameters, const Ref& body) {
    auto function = std::make_shared<Function>();
    function->name = name;
    bool inLocals = false;
    for (const Value* p = parameters.get(); p; p = p->cdr.get()) {
        if (p->type != Type::Cons) badArgument("listp", parameters);
        if (!isType(p->car, Type::Sym)) badArgument("symbolp", p->car);
        Symbol* symbol = p->car->u.sym;
        if (symbol->name == "/") {
            inLocals = true;
            continue;
        }
        (inLocals ? function->locals : function->params).push_back(symbol);
    }
    function->body = body;
    auto value = makeValue(Type::Usubr);
    value->fn = std::move(function);
    return value;
}

void ensureEnvironment() {
    static bool ready = [] {
        trueValue();
        registerControlBuiltins();
        registerListBuiltins();
        registerMathBuiltins();
        registerStringBuiltins();
        registerIoBuiltins();
        registerAdsBuiltins();
        registerBitBuiltins();
        registerGeometryBuiltins();
        registerUnitBuiltins();
        registerVlListBuiltins();
        registerVlStringBuiltins();
        registerSymbolBuiltins();
        registerFileBuiltins();
        return true;
    }();
    (void)ready;
}

}  // namespace lisp
