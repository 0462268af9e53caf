// Built-ins that cross into the application interface: getvar, setvar and
// host-resbufs (shows the result buffers a registered function would get).
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

}  // namespace

void registerAdsBuiltins() {
    defineSubr("getvar", getvar, 1, 1);
    defineSubr("setvar", setvar, 2, 2);
    defineSubr("host-resbufs", hostResbufs);
}

}  // namespace lisp
