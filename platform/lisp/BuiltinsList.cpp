// List built-ins: list cons car/cdr and their combinations, nth length append
// reverse assoc member last mapcar, and the predicates eq equal listp atom.
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "lisp/LispPrinter.h"

#include <cmath>

namespace lisp {

namespace {

constexpr int kMaxCompareDepth = 2000;

bool sameAtom(const Ref& a, const Ref& b, double fuzz) {
    if (isNumber(a) && isNumber(b)) {
        if (a->type == Type::Int && b->type == Type::Int && fuzz == 0) return a->u.i == b->u.i;
        return std::fabs(numberValue(a) - numberValue(b)) <= fuzz;
    }
    if (!a || !b || a->type != b->type) return false;
    switch (a->type) {
    case Type::Str: return a->str == b->str;
    case Type::Sym: return a->u.sym == b->u.sym;
    case Type::Ename:
    case Type::Pickset: return a->u.name[0] == b->u.name[0] && a->u.name[1] == b->u.name[1];
    default: return a.get() == b.get();
    }
}

bool equalValues(const Ref& a, const Ref& b, double fuzz, int depth) {
    if (depth > kMaxCompareDepth) raiseError("equal: nesting too deep");
    const Ref* x = &a;
    const Ref* y = &b;
    while (isCons(*x) && isCons(*y)) {
        if (x->get() == y->get()) return true;
        if (!equalValues((*x)->car, (*y)->car, fuzz, depth + 1)) return false;
        x = &(*x)->cdr;
        y = &(*y)->cdr;
    }
    if (isCons(*x) || isCons(*y)) return false;
    if (!*x || !*y) return !*x && !*y;
    return sameAtom(*x, *y, fuzz);
}

Ref car(const Ref& v) {
    if (!v) return nullptr;
    if (v->type != Type::Cons) badArgument("consp", v);
    return v->car;
}

Ref cdr(const Ref& v) {
    if (!v) return nullptr;
    if (v->type != Type::Cons) badArgument("consp", v);
    return v->cdr;
}

// Defines c[ad]+r: the letters apply right to left.
void defineCxr(const std::string& letters) {
    defineSubr("c" + letters + "r", [letters](Args a) {
        Ref value = a[0];
        for (auto it = letters.rbegin(); it != letters.rend(); ++it)
            value = *it == 'a' ? car(value) : cdr(value);
        return value;
    }, 1, 1);
}

Ref mapcar(Args a) {
    std::vector<Ref> lists(a.begin() + 1, a.end());
    for (const Ref& list : lists) listArg(list);
    std::vector<Ref> results;
    std::vector<Ref> callArgs(lists.size());
    while (true) {
        for (size_t i = 0; i < lists.size(); ++i) {
            if (!isCons(lists[i])) return makeList(results);
            callArgs[i] = lists[i]->car;
            lists[i] = lists[i]->cdr;
        }
        results.push_back(lisp::apply(a[0], callArgs));
    }
}

}  // namespace

bool lispEqual(const Ref& a, const Ref& b, double fuzz) { return equalValues(a, b, fuzz, 0); }

void registerListBuiltins() {
    defineSubr("list", [](Args a) { return makeList({a.begin(), a.end()}); });
    defineSubr("cons", [](Args a) { return makeCons(a[0], a[1]); }, 2, 2);
    for (const char* letters : {"a", "d", "aa", "ad", "da", "dd", "aaa", "aad", "ada", "add", "daa",
                                "dad", "dda", "ddd", "addd"})
        defineCxr(letters);
    defineSubr("nth", [](Args a) -> Ref {
        int32_t n = intArg(a[0]);
        const Value* p = listArg(a[1]).get();
        if (n < 0) return nullptr;
        for (int32_t i = 0; i < n && p && p->type == Type::Cons; ++i) p = p->cdr.get();
        return p && p->type == Type::Cons ? p->car : nullptr;
    }, 2, 2);
    defineSubr("length", [](Args a) {
        int32_t n = 0;
        const Value* p = listArg(a[0]).get();
        for (; p && p->type == Type::Cons; p = p->cdr.get()) ++n;
        if (p) raiseError("bad list: " + toText(a[0]));
        return makeInt(n);
    }, 1, 1);
    defineSubr("append", [](Args a) -> Ref {
        std::vector<Ref> items;
        for (const Ref& list : a) {
            const Value* p = listArg(list).get();
            for (; p && p->type == Type::Cons; p = p->cdr.get()) items.push_back(p->car);
            if (p) raiseError("bad list: " + toText(list));
        }
        return makeList(items);
    });
    defineSubr("reverse", [](Args a) {
        Ref result;
        for (const Value* p = listArg(a[0]).get(); p && p->type == Type::Cons; p = p->cdr.get())
            result = makeCons(p->car, std::move(result));
        return result;
    }, 1, 1);
    defineSubr("last", [](Args a) -> Ref {
        const Value* p = listArg(a[0]).get();
        if (!p) return nullptr;
        while (isCons(p->cdr)) p = p->cdr.get();
        return p->car;
    }, 1, 1);
    defineSubr("assoc", [](Args a) -> Ref {
        for (const Value* p = listArg(a[1]).get(); p && p->type == Type::Cons; p = p->cdr.get())
            if (isCons(p->car) && lispEqual(p->car->car, a[0], 0)) return p->car;
        return nullptr;
    }, 2, 2);
    defineSubr("member", [](Args a) -> Ref {
        for (Ref p = listArg(a[1]); isCons(p); p = p->cdr)
            if (lispEqual(p->car, a[0], 0)) return p;
        return nullptr;
    }, 2, 2);
    defineSubr("mapcar", mapcar, 2);
    defineSubr("eq", [](Args a) {
        bool same = a[0].get() == a[1].get() ||
                    (a[0] && a[1] && a[0]->type != Type::Str && a[0]->type != Type::Cons &&
                     sameAtom(a[0], a[1], 0));
        return makeBool(same);
    }, 2, 2);
    defineSubr("equal", [](Args a) {
        double fuzz = a.size() > 2 ? std::fabs(numberArg(a[2])) : 0.0;
        return makeBool(lispEqual(a[0], a[1], fuzz));
    }, 2, 3);
    defineSubr("listp", [](Args a) { return makeBool(!a[0] || isCons(a[0])); }, 1, 1);
    defineSubr("atom", [](Args a) { return makeBool(!isCons(a[0])); }, 1, 1);
    defineSubr("boundp", [](Args a) {
        return makeBool(a[0] && symbolValue(symbolArg(a[0])) != nullptr);
    }, 1, 1);
}

}  // namespace lisp
