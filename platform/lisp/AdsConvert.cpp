// Conversions between AutoLISP values and result-buffer lists: function
// arguments and results, and DXF group lists (entity data).
#include "lisp/AdsConvert.h"

#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispPrinter.h"

#include <cstdlib>
#include <cstring>

namespace lisp {

namespace {

constexpr int kMaxNesting = 2000;

// Owns a chain under construction so an error half-way frees it.
struct Chain {
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    Chain() = default;
    Chain(const Chain&) = delete;
    Chain& operator=(const Chain&) = delete;
    ~Chain() { acutRelRb(head); }
    resbuf* add(int type) {
        resbuf* node = acutNewRb(type);
        if (tail)
            tail->rbnext = node;
        else
            head = node;
        tail = node;
        return node;
    }
    resbuf* release() {
        resbuf* list = head;
        head = tail = nullptr;
        return list;
    }
};

// A proper list of exactly 2 or 3 numbers is a point.
int pointSize(const Ref& list) {
    int count = 0;
    for (const Value* p = list.get(); p; p = p->cdr.get()) {
        if (p->type != Type::Cons || !isNumber(p->car) || ++count > 3) return 0;
    }
    return count >= 2 ? count : 0;
}

void fillPoint(resbuf* node, const Ref& list) {
    int i = 0;
    for (const Value* p = list.get(); p; p = p->cdr.get()) node->resval.rpoint[i++] = numberValue(p->car);
}

void appendValue(const Ref& value, Chain& chain, int depth) {
    if (depth > kMaxNesting) raiseError("list nesting too deep for an application function");
    if (!value) {
        chain.add(RTNIL);
        return;
    }
    switch (value->type) {
    case Type::Int:
        if (value->u.i >= -32768 && value->u.i <= 32767)
            chain.add(RTSHORT)->resval.rint = static_cast<short>(value->u.i);
        else
            chain.add(RTLONG)->resval.rlong = value->u.i;
        return;
    case Type::Real: chain.add(RTREAL)->resval.rreal = value->u.r; return;
    case Type::Str: chain.add(RTSTR)->resval.rstring = strdup(value->str.c_str()); return;
    case Type::Ename:
    case Type::Pickset: {
        resbuf* node = chain.add(value->type == Type::Ename ? RTENAME : RTPICKS);
        node->resval.rlname[0] = value->u.name[0];
        node->resval.rlname[1] = value->u.name[1];
        return;
    }
    case Type::Sym:
        if (value->u.sym->name == "T") {
            chain.add(RTT);
            return;
        }
        if (value->u.sym->name.empty()) {  // the quiet result of (princ)
            chain.add(RTNONE);
            return;
        }
        break;
    case Type::Cons: {
        if (int size = pointSize(value)) {
            fillPoint(chain.add(size == 2 ? RTPOINT : RT3DPOINT), value);
            return;
        }
        chain.add(RTLB);
        const Value* p = value.get();
        for (; p->type == Type::Cons; p = p->cdr.get()) {
            appendValue(p->car, chain, depth + 1);
            if (!p->cdr) {
                chain.add(RTLE);
                return;
            }
            if (p->cdr->type != Type::Cons) {  // dotted tail
                appendValue(p->cdr, chain, depth + 1);
                chain.add(RTDOTE);
                return;
            }
        }
        return;
    }
    default: break;
    }
    raiseError("bad argument type for an application function: " + toText(value));
}

Ref pointValue(const resbuf* node, int size) {
    Ref list;
    for (int i = size - 1; i >= 0; --i) list = makeCons(makeReal(node->resval.rpoint[i]), std::move(list));
    return list;
}

// (code . value) or (code x y z) for a DXF group node.
Ref groupPair(const resbuf* node) {
    Ref code = makeInt(node->restype);
    switch (resbufKind(node->restype)) {
    case RbKind::Point: return makeCons(code, pointValue(node, 3));
    case RbKind::String:
        return makeCons(code, makeString(node->resval.rstring ? node->resval.rstring : ""));
    case RbKind::Real: return makeCons(code, makeReal(node->resval.rreal));
    case RbKind::Short: return makeCons(code, makeInt(node->resval.rint));
    case RbKind::Long: return makeCons(code, makeInt(node->resval.rlong));
    case RbKind::Name: return makeCons(code, makeEname(node->resval.rlname));
    case RbKind::None: break;
    }
    return makeCons(code, nullptr);
}

Ref readValue(const resbuf*& node, int depth);

// The value of a node that is a whole value by itself (a number, string,
// name, T or nil); false for lists, points and groups. Most items of a
// result list are such atoms, read here without a nested call; the
// numbers, most common of all, without leaving the caller.
bool readOtherAtom(const resbuf* node, Ref& value) {
    switch (node->restype) {
    case RTSTR: value = makeString(node->resval.rstring ? node->resval.rstring : ""); return true;
    case RTENAME: value = makeEname(node->resval.rlname); return true;
    case RTPICKS: value = makePickset(node->resval.rlname); return true;
    case RTT: value = trueValue(); return true;
    case RTNIL: value = nullptr; return true;
    case RTNONE: value = quietValue(); return true;
    default: return false;
    }
}

[[gnu::always_inline]] inline bool readAtom(const resbuf* node, Ref& value) {
    switch (node->restype) {
    case RTSHORT: value = makeInt(node->resval.rint); return true;
    case RTLONG: value = makeInt(node->resval.rlong); return true;
    case RTREAL:
    case RTANG:
    case RTORINT: value = makeReal(node->resval.rreal); return true;
    default: return readOtherAtom(node, value);
    }
}

Ref readList(const resbuf*& node, int depth);

// The next value of a list: an atom or a nested list in place, anything
// else by readValue.
inline Ref readItem(const resbuf*& node, int depth) {
    Ref value;
    if (node && node->restype == RTLB && depth <= kMaxNesting) {
        node = node->rbnext;
        return readList(node, depth);
    }
    if (node && readAtom(node, value)) {
        node = node->rbnext;
        return value;
    }
    return readValue(node, depth);
}

// Builds the list in place, cell by cell, as its nodes are read.
Ref readList(const resbuf*& node, int depth) {
    Ref head;
    Value* last = nullptr;
    Value* beforeLast = nullptr;
    while (true) {
        if (!node) raiseError("malformed list in result buffers: missing list end");
        if (node->restype == RTLE) {
            node = node->rbnext;
            return head;
        }
        if (node->restype == RTDOTE) {
            node = node->rbnext;
            if (last && !beforeLast) {  // RTLB a RTDOTE b RTLE
                last->cdr = readItem(node, depth + 1);
                if (!node || node->restype != RTLE) raiseError("malformed dotted pair in result buffers");
                node = node->rbnext;
            } else if (beforeLast) {  // RTLB a b RTDOTE: the last item is the tail
                beforeLast->cdr = std::move(last->car);
            } else {
                raiseError("malformed dotted pair in result buffers");
            }
            return head;
        }
        Ref cell = makeCons(readItem(node, depth + 1), nullptr);
        Value* raw = cell.get();
        if (last)
            last->cdr.swap(cell);  // the last cell's cdr is nil until now
        else
            head.swap(cell);
        beforeLast = last;
        last = raw;
    }
}

Ref readValue(const resbuf*& node, int depth) {
    if (depth > kMaxNesting) raiseError("result buffers nested too deeply");
    if (!node) raiseError("malformed result buffers: value missing");
    const resbuf* current = node;
    node = node->rbnext;
    Ref atom;
    if (readAtom(current, atom)) return atom;
    switch (current->restype) {
    case RTPOINT: return pointValue(current, 2);
    case RT3DPOINT: return pointValue(current, 3);
    case RTLB: return readList(node, depth);
    case RTLE:
    case RTDOTE: raiseError("malformed result buffers: unexpected list end");
    default:
        if (current->restype < 5000) return groupPair(current);
        raiseError("unknown result buffer type " + std::to_string(current->restype));
    }
}

[[noreturn]] void badGroup(const Ref& item) { raiseError("bad entity data group: " + toText(item)); }

void appendGroup(const Ref& item, Chain& chain) {
    if (!isCons(item) || !isType(item->car, Type::Int)) badGroup(item);
    int code = item->car->u.i;
    if (code < -32768 || code >= 5000) badGroup(item);
    const Ref& value = item->cdr;
    switch (resbufKind(code)) {
    case RbKind::Point: {
        if (!isCons(value)) badGroup(item);
        std::vector<Ref> coordinates = listItems(value);
        if (coordinates.size() < 2 || coordinates.size() > 3) badGroup(item);
        resbuf* node = chain.add(code);
        for (size_t i = 0; i < coordinates.size(); ++i) {
            if (!isNumber(coordinates[i])) badGroup(item);
            node->resval.rpoint[i] = numberValue(coordinates[i]);
        }
        return;
    }
    case RbKind::String:
        if (!isType(value, Type::Str)) badGroup(item);
        chain.add(code)->resval.rstring = strdup(value->str.c_str());
        return;
    case RbKind::Real:
        if (!isNumber(value)) badGroup(item);
        chain.add(code)->resval.rreal = numberValue(value);
        return;
    case RbKind::Short:
        if (!isNumber(value)) badGroup(item);
        chain.add(code)->resval.rint = static_cast<short>(numberValue(value));
        return;
    case RbKind::Long:
        if (!isNumber(value)) badGroup(item);
        chain.add(code)->resval.rlong = static_cast<int32_t>(numberValue(value));
        return;
    case RbKind::Name: {
        if (!isType(value, Type::Ename) && !isType(value, Type::Pickset)) badGroup(item);
        resbuf* node = chain.add(code);
        node->resval.rlname[0] = value->u.name[0];
        node->resval.rlname[1] = value->u.name[1];
        return;
    }
    case RbKind::None: chain.add(code); return;
    }
}

}  // namespace

void appendValueNodes(const Ref& value, resbuf*& head, resbuf*& tail) {
    Chain chain;
    appendValue(value, chain, 0);
    resbuf* last = chain.tail;
    resbuf* first = chain.release();
    if (tail)
        tail->rbnext = first;
    else
        head = first;
    tail = last;
}

resbuf* valueToResbufs(const Ref& value) {
    Chain chain;
    appendValue(value, chain, 0);
    return chain.release();
}

resbuf* valuesToResbufs(Args values) {
    Chain chain;
    for (const Ref& value : values) appendValue(value, chain, 0);
    return chain.release();
}

Ref readResbufValue(const resbuf*& node) { return readValue(node, 0); }

std::vector<Ref> resbufsToValues(const resbuf* list) {
    std::vector<Ref> values;
    while (list) values.push_back(readValue(list, 0));
    return values;
}

Ref resbufsToResult(const resbuf* list) {
    std::vector<Ref> values = resbufsToValues(list);
    if (values.empty()) return nullptr;
    if (values.size() == 1) return values[0];
    return makeList(values);
}

Ref dxfResbufsToList(const resbuf* list) {
    std::vector<Ref> groups;
    for (const resbuf* node = list; node; node = node->rbnext) {
        if (node->restype != -3) {
            groups.push_back(groupPair(node));
            continue;
        }
        // Extended data: the rest of the chain, one sub-list per application.
        std::vector<Ref> apps;
        std::vector<Ref> current;
        for (node = node->rbnext; node; node = node->rbnext) {
            if (node->restype == 1001) {
                if (!current.empty()) apps.push_back(makeList(current));
                current.clear();
                current.push_back(makeString(node->resval.rstring ? node->resval.rstring : ""));
            } else if (!current.empty()) {
                current.push_back(groupPair(node));
            }
        }
        if (!current.empty()) apps.push_back(makeList(current));
        groups.push_back(makeCons(makeInt(-3), makeList(apps)));
        break;
    }
    return makeList(groups);
}

resbuf* dxfListToResbufs(const Ref& list) {
    Chain chain;
    for (const Value* p = list.get(); p; p = p->cdr.get()) {
        if (p->type != Type::Cons) badGroup(list);
        const Ref& item = p->car;
        if (isCons(item) && isType(item->car, Type::Int) && item->car->u.i == -3) {
            chain.add(-3);
            for (const Ref& app : listItems(item->cdr)) {
                if (!isCons(app) || !isType(app->car, Type::Str)) badGroup(item);
                chain.add(1001)->resval.rstring = strdup(app->car->str.c_str());
                for (const Ref& group : listItems(app->cdr)) appendGroup(group, chain);
            }
            continue;
        }
        appendGroup(item, chain);
    }
    return chain.release();
}

Ref dxfListOrNil(resbuf* list) {
    ResbufList owned(list);
    return owned ? dxfResbufsToList(owned.get()) : nullptr;
}

void nameArg(const Ref& value, Type type, const char* predicate, ads_name name) {
    if (!isType(value, type)) badArgument(predicate, value);
    name[0] = value->u.name[0];
    name[1] = value->u.name[1];
}

bool pointValue(const Ref& value, ads_point point) {
    std::vector<Ref> items = listItems(value);
    if (!isCons(value) || items.size() < 2 || items.size() > 3) return false;
    point[2] = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (!isNumber(items[i])) return false;
        point[i] = numberValue(items[i]);
    }
    return true;
}

}  // namespace lisp
