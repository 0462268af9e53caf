// AutoLISP built-ins over the drawing's dictionaries: namedobjdict
// dictsearch dictnext dictadd dictremove dictrename, and entmakex, which
// makes the objects a dictionary holds.
#include <memory>
#include <string>

#include "database/dxfcode.h"
#include "database/io/DictionaryLists.h"
#include "database/io/EntityLists.h"
#include "editor/EditorBuiltins.h"
#include "geometry/AcGeLimits.h"
#include "lisp/AdsConvert.h"
#include "lisp/Builtins.h"
#include "lisp/Interpreter.h"

using lisp::Args;
using lisp::Ref;
using lisp::Type;

namespace {

using lisp::enameArg;

Ref namedobjdict(Args) {
    ads_name name;
    return acdbNamedObjDict(name) == RTNORM ? lisp::Interpreter::ename(name) : nullptr;
}

// (dictsearch DICT NAME [SETNEXT])
Ref dictsearch(Args a) {
    ads_name dict;
    enameArg(a[0], dict);
    const std::string& name = lisp::stringArg(a[1]);
    return lisp::dxfListOrNil(acdbDictSearch(dict, name.c_str(), a.size() > 2 && a[2] ? 1 : 0));
}

// (dictnext DICT [REWIND])
Ref dictnext(Args a) {
    ads_name dict;
    enameArg(a[0], dict);
    return lisp::dxfListOrNil(acdbDictNext(dict, a.size() > 1 && a[1] ? 1 : 0));
}

// (dictadd DICT NAME OBJECT): OBJECT, or nil when it cannot be added.
Ref dictadd(Args a) {
    ads_name dict, object;
    enameArg(a[0], dict);
    const std::string& name = lisp::stringArg(a[1]);
    enameArg(a[2], object);
    return acdbDictAdd(dict, name.c_str(), object) == RTNORM ? a[2] : nullptr;
}

// (dictremove DICT NAME): the removed entry's object, or nil.
Ref dictremove(Args a) {
    ads_name dict, removed;
    enameArg(a[0], dict);
    const std::string& name = lisp::stringArg(a[1]);
    if (acdbDictRemove(dict, name.c_str(), removed) != RTNORM || (removed[0] == 0 && removed[1] == 0)) return nullptr;
    return lisp::Interpreter::ename(removed);
}

// (dictrename DICT OLD NEW): NEW, or nil.
Ref dictrename(Args a) {
    ads_name dict;
    enameArg(a[0], dict);
    const std::string& oldName = lisp::stringArg(a[1]);
    const std::string& newName = lisp::stringArg(a[2]);
    return acdbDictRename(dict, oldName.c_str(), newName.c_str()) == RTNORM ? a[2] : nullptr;
}

// (entmakex LIST): the new entity's name, as entmake makes it; any other
// type makes an object of the OBJECTS data without an owner, for dictadd.
// nil when nothing could be made.
Ref entmakex(Args a) {
    const Ref& list = lisp::listArg(a[0]);
    if (!list) return nullptr;
    lisp::ResbufList groups(lisp::dxfListToResbufs(list));
    for (const resbuf* rb = groups.get(); rb; rb = rb->rbnext) {
        AcDb::DxfValueType kind = AcDb::dxfValueType(rb->restype);
        const int count = kind == AcDb::kDxfPoint ? 3 : kind == AcDb::kDxfReal ? 1 : 0;
        const double* values = kind == AcDb::kDxfPoint ? rb->resval.rpoint : &rb->resval.rreal;
        for (int i = 0; i < count; ++i)
            if (!acgeIsUsableNumber(values[i]))
                lisp::raiseError("entmakex: group " + std::to_string(rb->restype) +
                                 " holds a number that is not finite or within ±1e100; nothing was made");
    }
    ads_name name;
    if (acdbEntMake(groups.get()) == RTNORM && acdbEntLast(name) == RTNORM) return lisp::Interpreter::ename(name);
    return acdbObjectMake(groups.get(), name) == RTNORM ? lisp::Interpreter::ename(name) : nullptr;
}

}  // namespace

void registerDictionaryBuiltins(lisp::Interpreter& interpreter) {
    interpreter.defineBuiltin("namedobjdict", namedobjdict, 0, 0);
    interpreter.defineBuiltin("dictsearch", dictsearch, 2, 3);
    interpreter.defineBuiltin("dictnext", dictnext, 1, 2);
    interpreter.defineBuiltin("dictadd", dictadd, 3, 3);
    interpreter.defineBuiltin("dictremove", dictremove, 2, 2);
    interpreter.defineBuiltin("dictrename", dictrename, 3, 3);
    interpreter.defineBuiltin("entmakex", entmakex, 1, 1);
}
