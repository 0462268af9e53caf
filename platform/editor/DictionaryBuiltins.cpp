// AutoLISP built-ins over the drawing's dictionaries: namedobjdict
// dictsearch dictnext dictadd dictremove dictrename.
#include <memory>

#include "database/io/DictionaryLists.h"
#include "editor/EditorBuiltins.h"
#include "lisp/AdsConvert.h"
#include "lisp/Builtins.h"
#include "lisp/Interpreter.h"

using lisp::Args;
using lisp::Ref;
using lisp::Type;

namespace {

struct ReleaseResbufs {
    void operator()(resbuf* list) const { acutRelRb(list); }
};

void enameArg(const Ref& value, ads_name name) {
    if (!lisp::isType(value, Type::Ename)) lisp::badArgument("lentityp", value);
    name[0] = value->u.name[0];
    name[1] = value->u.name[1];
}

Ref listOrNil(resbuf* list) {
    std::unique_ptr<resbuf, ReleaseResbufs> owned(list);
    return owned ? lisp::dxfResbufsToList(owned.get()) : nullptr;
}

Ref namedobjdict(Args) {
    ads_name name;
    return acdbNamedObjDict(name) == RTNORM ? lisp::Interpreter::ename(name) : nullptr;
}

// (dictsearch DICT NAME [SETNEXT])
Ref dictsearch(Args a) {
    ads_name dict;
    enameArg(a[0], dict);
    const std::string& name = lisp::stringArg(a[1]);
    return listOrNil(acdbDictSearch(dict, name.c_str(), a.size() > 2 && a[2] ? 1 : 0));
}

// (dictnext DICT [REWIND])
Ref dictnext(Args a) {
    ads_name dict;
    enameArg(a[0], dict);
    return listOrNil(acdbDictNext(dict, a.size() > 1 && a[1] ? 1 : 0));
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

}  // namespace

void registerDictionaryBuiltins(lisp::Interpreter& interpreter) {
    interpreter.defineBuiltin("namedobjdict", namedobjdict, 0, 0);
    interpreter.defineBuiltin("dictsearch", dictsearch, 2, 3);
    interpreter.defineBuiltin("dictnext", dictnext, 1, 2);
    interpreter.defineBuiltin("dictadd", dictadd, 3, 3);
    interpreter.defineBuiltin("dictremove", dictremove, 2, 2);
    interpreter.defineBuiltin("dictrename", dictrename, 3, 3);
}
