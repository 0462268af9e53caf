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

// Whether releasing this reference would free a cons cell.
bool ownsCons(const Ref& child) { return child && child->type == Type::Cons && child.use_count() == 1; }

// Moves a child out for deferred release when this value is its last owner
// and freeing it would go deeper (a cons holding conses of its own), so long
// or deeply nested lists are freed without recursion. A cons of atoms, such
// as a dotted pair (x . n), is freed on the spot: one level, no queue.
void takeIfLast(Ref& child, std::vector<Ref>& pending) {
    if (!ownsCons(child)) return;
    if (!ownsCons(child->car) && !ownsCons(child->cdr)) {
        child.reset();
        return;
    }
    pending.push_back(std::move(child));
}

// Values of every kind come from the block cache: list-heavy code makes and
// drops them by the thousand.
Ref newValue(Type type) { return std::allocate_shared<Value>(CachedAllocator<Value>(), type); }

}  // namespace

Value::~Value() {
    if (type != Type::Cons) return;
    // Fast path: a plain list whose cars are atoms or shared.
    Ref next = std::move(cdr);
    std::vector<Ref> pending;
    takeIfLast(car, pending);
    while (next && next->type == Type::Cons && next.use_count() == 1) {
        takeIfLast(next->car, pending);
        Ref after = std::move(next->cdr);
        next = std::move(after);
    }
    while (!pending.empty()) {
        Ref item = std::move(pending.back());
        pending.pop_back();
        takeIfLast(item->car, pending);
        takeIfLast(item->cdr, pending);
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
    symbol->self = newValue(Type::Sym);
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

namespace {

// Integers are never changed in place and eq compares them by value, so the
// small ones that result lists and loops make by the thousand are shared.
constexpr int32_t kFirstSharedInt = -128;
constexpr int32_t kLastSharedInt = 1023;

Ref newInt(int32_t value) {
    Ref v = newValue(Type::Int);
    v->u.i = value;
    return v;
}

const Ref* sharedInts() {
    // Never destroyed: values released during exit may still ask for one.
    static const Ref* table = [] {
        auto* ints = new Ref[kLastSharedInt - kFirstSharedInt + 1];
        for (int32_t i = kFirstSharedInt; i <= kLastSharedInt; ++i) ints[i - kFirstSharedInt] = newInt(i);
        return ints;
    }();
    return table;
}

}  // namespace

Ref makeInt(int32_t value) {
    if (value >= kFirstSharedInt && value <= kLastSharedInt) return sharedInts()[value - kFirstSharedInt];
    return newInt(value);
}

Ref makeReal(double value) {
    Ref v = newValue(Type::Real);
    v->u.r = value;
    return v;
}

Ref makeString(std::string value) {
    Ref v = newValue(Type::Str);
    v->str = std::move(value);
    if (auto nul = v->str.find('\0'); nul != std::string::npos) v->str.resize(nul);
    return v;
}

Ref makeCons(Ref car, Ref cdr) {
    Ref v = newValue(Type::Cons);
    v->car = std::move(car);
    v->cdr = std::move(cdr);
    return v;
}

Ref makeList(const std::vector<Ref>& items) {
    Ref list;
    for (auto it = items.rbegin(); it != items.rend(); ++it) list = makeCons(*it, std::move(list));
    return list;
}

Ref makeEname(const int64_t name[2]) {
    Ref v = newValue(Type::Ename);
    v->u.name[0] = name[0];
    v->u.name[1] = name[1];
    return v;
}

Ref makePickset(const int64_t name[2]) {
    Ref v = newValue(Type::Pickset);
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
