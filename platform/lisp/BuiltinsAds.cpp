// Built-ins that cross into the application interface: getvar, setvar and
// host-resbufs (shows the result buffers a registered function would get).
#include "ads/acedss.h"
#include "lisp/AdsConvert.h"
#include "lisp/AdsHost.h"
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "lisp/LispPrinter.h"

#include <cstdlib>
#include <memory>

namespace lisp {

namespace {

struct ReleaseResbufs {
    void operator()(resbuf* list) const { acutRelRb(list); }
};
using ResbufList = std::unique_ptr<resbuf, ReleaseResbufs>;

// A variable name as a string or a symbol.
const std::string& varName(const Ref& value) {
    if (isType(value, Type::Sym)) return value->u.sym->name;
    if (!isType(value, Type::Str)) badArgument("(or stringp symbolp)", value);
    return value->str;
}

Ref getvar(Args a) {
    const std::string& name = varName(a[0]);
    resbuf result{};
    if (acedGetVar(name.c_str(), &result) != RTNORM) return nullptr;
    result.rbnext = nullptr;
    const resbuf* node = &result;
    Ref value;
    try {
        value = readResbufValue(node);
    } catch (...) {
        if (resbufKind(result.restype) == RbKind::String) std::free(result.resval.rstring);
        throw;
    }
    if (resbufKind(result.restype) == RbKind::String) std::free(result.resval.rstring);
    return value;
}

Ref setvar(Args a) {
    const std::string& name = varName(a[0]);
    ResbufList value(valueToResbufs(a[1]));
    if (acedSetVar(name.c_str(), value.get()) != RTNORM)
        raiseError("variable setting rejected: " + toText(a[0]) + " " + toText(a[1]));
    return a[1];
}

// One element per node: (code . value), (code) for markers, (code x y [z]).
Ref hostResbufs(Args a) {
    ResbufList list(valuesToResbufs(a));
    std::vector<Ref> items;
    for (const resbuf* node = list.get(); node; node = node->rbnext) {
        Ref code = makeInt(node->restype);
        if (node->restype == RTPOINT || node->restype == RT3DPOINT) {
            std::vector<Ref> point{code};
            for (int i = 0; i < (node->restype == RTPOINT ? 2 : 3); ++i)
                point.push_back(makeReal(node->resval.rpoint[i]));
            items.push_back(makeList(point));
            continue;
        }
        if (resbufKind(node->restype) == RbKind::None) {
            items.push_back(makeCons(code, nullptr));
            continue;
        }
        resbuf single = *node;
        single.rbnext = nullptr;
        const resbuf* cursor = &single;
        items.push_back(makeCons(code, readResbufValue(cursor)));
    }
    return makeList(items);
}

// (ssadd [ename [ss]]): a new selection set, or ss with ename added.
Ref ssadd(Args a) {
    const int64_t* entity = nullptr;
    const int64_t* set = nullptr;
    if (a.size() > 0 && a[0]) {
        if (!isType(a[0], Type::Ename)) badArgument("lentityp", a[0]);
        entity = a[0]->u.name;
    }
    if (a.size() > 1 && a[1]) {
        if (!isType(a[1], Type::Pickset)) badArgument("lselsetp", a[1]);
        set = a[1]->u.name;
    }
    ads_name result;
    if (acedSSAdd(entity, set, result) != RTNORM) return nullptr;
    return makePickset(result);
}

Ref sslength(Args a) {
    if (!isType(a[0], Type::Pickset)) badArgument("lselsetp", a[0]);
    int32_t length = 0;
    if (acedSSLength(a[0]->u.name, &length) != RTNORM) return nullptr;
    return makeInt(length);
}

Ref ssname(Args a) {
    if (!isType(a[0], Type::Pickset)) badArgument("lselsetp", a[0]);
    if (!isType(a[1], Type::Int)) badArgument("fixnump", a[1]);
    ads_name entity;
    if (acedSSName(a[0]->u.name, static_cast<int32_t>(a[1]->u.i), entity) != RTNORM) return nullptr;
    return makeEname(entity);
}

}  // namespace

void registerAdsBuiltins() {
    defineSubr("ssadd", ssadd, 0, 2);
    defineSubr("sslength", sslength, 1, 1);
    defineSubr("ssname", ssname, 2, 2);
    defineSubr("getvar", getvar, 1, 1);
    defineSubr("setvar", setvar, 2, 2);
    defineSubr("host-resbufs", hostResbufs);
}

}  // namespace lisp
