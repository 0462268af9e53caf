// Symbol and session built-ins: atoms-family, defun-q and its list access,
// getenv setenv, exit quit, prompt alert.
#include "ads/ads.h"
#include "lisp/AdsHost.h"
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"

#include <algorithm>
#include <cstdlib>

namespace lisp {

namespace {

// (atoms-family FORMAT [NAMES]): the symbols that have a value, as symbols
// (format 0) or names (1); with NAMES, each name's symbol or nil.
Ref atomsFamily(Args a) {
    int32_t format = intArg(a[0]);
    if (format != 0 && format != 1) raiseError("bad argument value: atoms-family format " + std::to_string(format));
    auto item = [format](Symbol* symbol) { return format == 0 ? symbol->self : makeString(symbol->name); };
    std::vector<Ref> result;
    if (a.size() > 1 && a[1]) {
        for (const Ref& name : listItems(listArg(a[1]))) {
            Symbol* symbol = intern(stringArg(name));
            result.push_back(symbolValue(symbol) ? item(symbol) : nullptr);
        }
        return makeList(result);
    }
    std::vector<Symbol*> symbols = allSymbols();
    std::sort(symbols.begin(), symbols.end(), [](Symbol* x, Symbol* y) { return x->name < y->name; });
    for (Symbol* symbol : symbols)
        if (!symbol->name.empty() && symbolValue(symbol)) result.push_back(item(symbol));
    return makeList(result);
}

// (defun-q NAME (PARAMS / LOCALS) BODY ...): the function is kept as the list
// (PARAMS BODY ...), which callers may read and change.
Ref defunQForm(const Ref& args) {
    if (!isCons(args) || !isCons(args->cdr)) raiseError("too few arguments");
    Symbol* name = symbolArg(args->car);
    listArg(args->cdr->car);
    name->value = args->cdr;
    return name->self;
}

Ref getenvValue(Args a) {
    const char* value = std::getenv(stringArg(a[0]).c_str());
    return value ? makeString(value) : nullptr;
}

Ref setenvValue(Args a) {
    const std::string& name = stringArg(a[0]);
    const std::string& value = stringArg(a[1]);
    if (name.empty() || name.find('=') != std::string::npos) raiseError("bad argument value: " + name);
    ::setenv(name.c_str(), value.c_str(), 1);
    return a[1];
}

}  // namespace

void registerSymbolBuiltins() {
    defineSubr("atoms-family", atomsFamily, 1, 2);
    defineSpecial("defun-q", defunQForm);
    defineSubr("defun-q-list-ref", [](Args a) -> Ref {
        Ref value = symbolArg(a[0])->value;
        return isCons(value) ? value : nullptr;
    }, 1, 1);
    defineSubr("defun-q-list-set", [](Args a) {
        Symbol* symbol = symbolArg(a[0]);
        if (symbol->name == "T") raiseError("attempt to set a constant: T");
        symbol->value = listArg(a[1]);
        return symbol->self;
    }, 2, 2);
    defineSubr("getenv", getenvValue, 1, 1);
    defineSubr("setenv", setenvValue, 2, 2);
    defineSubr("exit", [](Args) -> Ref { raiseError(kExitMessage); }, 0, 0);
    defineSubr("quit", [](Args) -> Ref { raiseError(kExitMessage); }, 0, 0);
    defineSubr("prompt", [](Args a) -> Ref {
        adsWriteOutput(stringArg(a[0]));
        return nullptr;
    }, 1, 1);
    defineSubr("alert", [](Args a) -> Ref {
        acedAlert(stringArg(a[0]).c_str());
        return nullptr;
    }, 1, 1);
}

}  // namespace lisp
