// Value construction, the symbol table and non-recursive list release.
#include "lisp/LispValue.h"

#include "lisp/BlockCache.h"

#include <cctype>
#include <unordered_map>

namespace lisp {

namespace {

struct SymbolTable {
    std::unordered_map<std::string, std::unique_ptr<Symbol>> symbols;
};

SymbolTable& symbolTable() {
    static SymbolTable table;
    return table;
}

}  // namespace


void releaseValue(Value* value) noexcept {
    // Values whose last reference went away wait here, linked through
    // their own number field: lists of any length and depth are freed
    // without recursion and without allocating.
    value->u.nextToFree = nullptr;
    Value* pending = value;
    while (pending) {
        Value* current = pending;
        pending = current->u.nextToFree;
        if (current->type == Type::Cons) {
            for (Value* child : {current->car.detach(), current->cdr.detach()}) {
                if (child && --child->refs == 0) {
                    child->u.nextToFree = pending;
                    pending = child;
                }
            }
        }
        current->~Value();
        BlockCache<sizeof(Value)>::give(current);
    }
}

Symbol* intern(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto& symbols = symbolTable().symbols;
    auto found = symbols.find(upper);
    if (found != symbols.end()) return found->second.get();
    auto symbol = std::make_unique<Symbol>();
    symbol->name = upper;
    symbol->self = makeValue(Type::Sym);
    symbol->self->u.sym = symbol.get();
    Symbol* raw = symbol.get();
    symbols.emplace(std::move(upper), std::move(symbol));
    return raw;
}

Ref symbolRef(std::string_view name) { return intern(name)->self; }

std::vector<Symbol*> allSymbols() {
    std::vector<Symbol*> symbols;
    for (auto& [name, symbol] : symbolTable().symbols) symbols.push_back(symbol.get());
    return symbols;
}

Ref trueValue() {
    static Symbol* t = [] {
        Symbol* s = intern("T");
        s->value = s->self;
        return s;
    }();
    return t->self;
}

Ref quietValue() {
    static Symbol* quiet = intern("");
    return quiet->self;
}

const Ref* sharedInts() {
    // Never destroyed: values released during exit may still ask for one.
    static const Ref* table = [] {
        auto* ints = new Ref[kLastSharedInt - kFirstSharedInt + 1];
        for (int32_t i = kFirstSharedInt; i <= kLastSharedInt; ++i) {
            Ref v = makeValue(Type::Int);
            v->u.i = i;
            ints[i - kFirstSharedInt] = std::move(v);
        }
        return ints;
    }();
    return table;
}

Ref makeString(std::string value) {
    Ref v = makeValue(Type::Str);
    v->str = std::move(value);
    if (auto nul = v->str.find('\0'); nul != std::string::npos) v->str.resize(nul);
    return v;
}


Ref makeList(const std::vector<Ref>& items) {
    Ref list;
    for (auto it = items.rbegin(); it != items.rend(); ++it) list = makeCons(*it, std::move(list));
    return list;
}

Ref makeEname(const int64_t name[2]) {
    Ref v = makeValue(Type::Ename);
    v->u.name[0] = name[0];
    v->u.name[1] = name[1];
    return v;
}

Ref makePickset(const int64_t name[2]) {
    Ref v = makeValue(Type::Pickset);
    v->u.name[0] = name[0];
    v->u.name[1] = name[1];
    return v;
}

Ref makeBool(bool value) { return value ? trueValue() : Ref(); }

std::vector<Ref> listItems(const Ref& list) {
    std::vector<Ref> items;
    for (const Value* p = list.get(); p && p->type == Type::Cons; p = p->cdr.get())
        items.push_back(p->car);
    return items;
}

}  // namespace lisp
