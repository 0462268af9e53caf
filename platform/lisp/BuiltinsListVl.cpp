// List built-ins of the vl- family and the other list helpers: subst
// vl-sort vl-sort-i vl-remove(-if/-if-not) vl-position vl-member-if(-not)
// vl-every vl-some vl-consp vl-list* vl-list-length acad_strlsort.
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "lisp/LispPrinter.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace lisp {

namespace {

// Items of a proper list; "bad list" for a dotted one.
std::vector<Ref> properItems(const Ref& list) {
    std::vector<Ref> items;
    const Value* p = listArg(list).get();
    for (; p && p->type == Type::Cons; p = p->cdr.get()) items.push_back(p->car);
    if (p) raiseError("bad list: " + toText(list));
    return items;
}

Ref call(const Ref& function, const Ref& x) {
    Ref args[1] = {x};
    return lisp::apply(function, args);
}

// Stable merge sort of indices that stays in bounds whatever the comparison
// function answers.
std::vector<size_t> sortedIndices(const std::vector<Ref>& items, const Ref& less) {
    std::vector<size_t> order(items.size()), buffer(items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    for (size_t width = 1; width < order.size(); width *= 2) {
        for (size_t left = 0; left < order.size(); left += 2 * width) {
            size_t mid = std::min(left + width, order.size()), right = std::min(left + 2 * width, order.size());
            size_t i = left, j = mid, out = left;
            while (i < mid && j < right) {
                Ref pair[2] = {items[order[j]], items[order[i]]};
                buffer[out++] = lisp::apply(less, pair) ? order[j++] : order[i++];
            }
            while (i < mid) buffer[out++] = order[i++];
            while (j < right) buffer[out++] = order[j++];
        }
        order.swap(buffer);
    }
    return order;
}

// Numbers and symbols that are equal collapse to one element, as vl-sort does.
bool sameAtom(const Ref& a, const Ref& b) {
    if (isNumber(a) && isNumber(b)) return a->type == b->type && numberValue(a) == numberValue(b);
    return isType(a, Type::Sym) && a.get() == b.get();
}

Ref vlSort(Args a) {
    std::vector<Ref> items = properItems(a[0]);
    std::vector<Ref> sorted;
    for (size_t index : sortedIndices(items, a[1]))
        if (sorted.empty() || !sameAtom(sorted.back(), items[index])) sorted.push_back(items[index]);
    return makeList(sorted);
}

Ref vlSortIndices(Args a) {
    std::vector<Ref> items = properItems(a[0]);
    std::vector<Ref> indices;
    for (size_t index : sortedIndices(items, a[1])) indices.push_back(makeInt(static_cast<int32_t>(index)));
    return makeList(indices);
}

Ref removeWhere(const Ref& list, const std::function<bool(const Ref&)>& drop) {
    std::vector<Ref> kept;
    for (const Ref& item : properItems(list))
        if (!drop(item)) kept.push_back(item);
    return makeList(kept);
}

Ref memberWhere(const Ref& function, const Ref& list, bool wanted) {
    properItems(list);
    for (Ref p = list; isCons(p); p = p->cdr)
        if (static_cast<bool>(call(function, p->car)) == wanted) return p;
    return nullptr;
}

// Calls function on the elements of the lists in step, until the shortest ends.
template <typename Visit>
void inStep(Args a, Visit visit) {
    std::vector<Ref> lists(a.begin() + 1, a.end());
    for (const Ref& list : lists) listArg(list);
    std::vector<Ref> callArgs(lists.size());
    while (true) {
        for (size_t i = 0; i < lists.size(); ++i) {
            if (!isCons(lists[i])) return;
            callArgs[i] = lists[i]->car;
            lists[i] = lists[i]->cdr;
        }
        if (!visit(lisp::apply(a[0], callArgs))) return;
    }
}

Ref vlListStar(Args a) {
    Ref result = a.back();
    for (size_t k = a.size() - 1; k-- > 0;) result = makeCons(a[k], result);
    return result;
}

// Replaces top-level elements equal to old; a dotted tail stays.
Ref subst(Args a) {
    std::vector<Ref> items;
    Ref tail;
    for (const Ref* p = &listArg(a[2]); isCons(*p); p = &(*p)->cdr) {
        items.push_back(lispEqual((*p)->car, a[1], 0) ? a[0] : (*p)->car);
        tail = (*p)->cdr;
    }
    Ref result = isCons(tail) ? Ref() : tail;
    for (auto it = items.rbegin(); it != items.rend(); ++it) result = makeCons(*it, result);
    return result;
}

}  // namespace

void registerVlListBuiltins() {
    defineSubr("subst", subst, 3, 3);
    defineSubr("vl-sort", vlSort, 2, 2);
    defineSubr("vl-sort-i", vlSortIndices, 2, 2);
    defineSubr("acad_strlsort", [](Args a) {
        std::vector<Ref> items = properItems(a[0]);
        for (const Ref& item : items) stringArg(item);
        std::stable_sort(items.begin(), items.end(), [](const Ref& x, const Ref& y) { return x->str < y->str; });
        return makeList(items);
    }, 1, 1);
    defineSubr("vl-remove", [](Args a) {
        return removeWhere(a[1], [&](const Ref& item) { return lispEqual(item, a[0], 0); });
    }, 2, 2);
    defineSubr("vl-remove-if", [](Args a) {
        return removeWhere(a[1], [&](const Ref& item) { return static_cast<bool>(call(a[0], item)); });
    }, 2, 2);
    defineSubr("vl-remove-if-not", [](Args a) {
        return removeWhere(a[1], [&](const Ref& item) { return !call(a[0], item); });
    }, 2, 2);
    defineSubr("vl-position", [](Args a) -> Ref {
        int32_t index = 0;
        for (const Ref& item : properItems(a[1])) {
            if (lispEqual(item, a[0], 0)) return makeInt(index);
            ++index;
        }
        return nullptr;
    }, 2, 2);
    defineSubr("vl-member-if", [](Args a) { return memberWhere(a[0], a[1], true); }, 2, 2);
    defineSubr("vl-member-if-not", [](Args a) { return memberWhere(a[0], a[1], false); }, 2, 2);
    defineSubr("vl-every", [](Args a) {
        bool all = true;
        inStep(a, [&](const Ref& result) { return all = static_cast<bool>(result); });
        return makeBool(all);
    }, 2);
    defineSubr("vl-some", [](Args a) {
        Ref found;
        inStep(a, [&](const Ref& result) {
            found = result;
            return !result;
        });
        return found;
    }, 2);
    defineSubr("vl-consp", [](Args a) { return makeBool(isCons(a[0])); }, 1, 1);
    defineSubr("vl-list*", vlListStar, 1);
    defineSubr("vl-list-length", [](Args a) -> Ref {
        int32_t n = 0;
        const Value* p = listArg(a[0]).get();
        for (; p && p->type == Type::Cons; p = p->cdr.get()) ++n;
        return p ? nullptr : makeInt(n);
    }, 1, 1);
}

}  // namespace lisp
