// Special forms and control built-ins: quote setq if cond progn while repeat
// foreach and or defun lambda, plus not null eval apply and the catch-all
// error functions.
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"

namespace lisp {

namespace {

// The n-th form of a special form's argument list, or raises too few arguments.
const Ref& formAt(const Ref& args, int n) {
    const Value* p = args.get();
    for (int i = 0; i < n && p && p->type == Type::Cons; ++i) p = p->cdr.get();
    if (!p || p->type != Type::Cons) raiseError("too few arguments");
    return p->car;
}

const Ref& restAfter(const Ref& args, int n) {
    const Ref* p = &args;
    for (int i = 0; i < n && isCons(*p); ++i) p = &(*p)->cdr;
    return *p;
}

Ref quoteForm(const Ref& args) {
    if (isCons(args) && args->cdr) raiseError("too many arguments");
    return formAt(args, 0);
}

Ref setqForm(const Ref& args) {
    Ref result;
    for (const Value* p = args.get(); p && p->type == Type::Cons; p = p->cdr.get()) {
        Symbol* symbol = symbolArg(p->car);
        if (symbol->name == "T") raiseError("attempt to set a constant: T");
        p = p->cdr.get();
        if (!p || p->type != Type::Cons) raiseError("too few arguments");
        result = eval(p->car);
        symbol->value = result;
    }
    return result;
}

Ref ifForm(const Ref& args) {
    if (restAfter(args, 3)) raiseError("too many arguments");
    if (eval(formAt(args, 0))) return eval(formAt(args, 1));
    const Ref& rest = restAfter(args, 2);
    return rest ? eval(rest->car) : nullptr;
}

Ref condForm(const Ref& args) {
    for (const Value* p = args.get(); p && p->type == Type::Cons; p = p->cdr.get()) {
        const Ref& clause = p->car;
        if (!isCons(clause)) badArgument("listp", clause);
        Ref test = eval(clause->car);
        if (!test) continue;
        return clause->cdr ? evalBody(clause->cdr) : test;
    }
    return nullptr;
}

Ref prognForm(const Ref& args) { return evalBody(args); }

Ref whileForm(const Ref& args) {
    const Ref& test = formAt(args, 0);
    Ref result;
    while (eval(test)) result = evalBody(args->cdr);
    return result;
}

Ref repeatForm(const Ref& args) {
    int32_t count = intArg(eval(formAt(args, 0)));
    Ref result;
    for (int32_t i = 0; i < count; ++i) result = evalBody(args->cdr);
    return result;
}

Ref foreachForm(const Ref& args) {
    Symbol* variable = symbolArg(formAt(args, 0));
    Ref list = listArg(eval(formAt(args, 1)));
    const Ref& body = restAfter(args, 2);
    BindingScope scope;
    scope.bind(variable, nullptr);
    Ref result;
    for (const Value* p = list.get(); p && p->type == Type::Cons; p = p->cdr.get()) {
        variable->value = p->car;
        result = evalBody(body);
    }
    return result;
}

Ref andForm(const Ref& args) {
    for (const Value* p = args.get(); p && p->type == Type::Cons; p = p->cdr.get())
        if (!eval(p->car)) return nullptr;
    return trueValue();
}

Ref orForm(const Ref& args) {
    for (const Value* p = args.get(); p && p->type == Type::Cons; p = p->cdr.get())
        if (eval(p->car)) return trueValue();
    return nullptr;
}

Ref defunForm(const Ref& args) {
    Symbol* name = symbolArg(formAt(args, 0));
    const Ref& parameters = formAt(args, 1);
    name->value = makeUsubr(name, listArg(parameters), restAfter(args, 2));
    return name->self;
}

Ref lambdaForm(const Ref& args) { return makeUsubr(nullptr, listArg(formAt(args, 0)), args->cdr); }

Ref functionForm(const Ref& args) {
    const Ref& form = formAt(args, 0);
    return isCons(form) ? eval(form) : form;
}

Ref makeCatchError(const std::string& message) {
    auto error = makeValue(Type::CatchError);
    error->str = message;
    return error;
}

}  // namespace

void registerControlBuiltins() {
    defineSpecial("quote", quoteForm);
    defineSpecial("function", functionForm);
    defineSpecial("setq", setqForm);
    defineSpecial("if", ifForm);
    defineSpecial("cond", condForm);
    defineSpecial("progn", prognForm);
    defineSpecial("while", whileForm);
    defineSpecial("repeat", repeatForm);
    defineSpecial("foreach", foreachForm);
    defineSpecial("and", andForm);
    defineSpecial("or", orForm);
    defineSpecial("defun", defunForm);
    defineSpecial("lambda", lambdaForm);

    defineSubr("not", [](Args a) { return makeBool(!a[0]); }, 1, 1);
    defineSubr("null", [](Args a) { return makeBool(!a[0]); }, 1, 1);
    defineSubr("eval", [](Args a) { return eval(a[0]); }, 1, 1);
    defineSubr("set", [](Args a) {
        Symbol* symbol = symbolArg(a[0]);
        if (symbol->name == "T") raiseError("attempt to set a constant: T");
        symbol->value = a[1];
        return a[1];
    }, 2, 2);
    defineSubr("apply", [](Args a) {
        std::vector<Ref> items = listItems(listArg(a[1]));
        return lisp::apply(a[0], items);
    }, 2, 2);
    defineSubr("vl-catch-all-apply", [](Args a) -> Ref {
        std::vector<Ref> items = listItems(listArg(a[1]));
        try {
            return lisp::apply(a[0], items);
        } catch (const LispError& error) {
            return makeCatchError(error.what());
        }
    }, 2, 2);
    defineSubr("vl-catch-all-error-p", [](Args a) {
        return makeBool(isType(a[0], Type::CatchError));
    }, 1, 1);
    defineSubr("vl-catch-all-error-message", [](Args a) {
        if (!isType(a[0], Type::CatchError)) badArgument("vl-catch-all-apply-error-p", a[0]);
        return makeString(a[0]->str);
    }, 1, 1);
}

}  // namespace lisp
