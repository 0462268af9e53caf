// AutoLISP built-ins over the drawing database: entmod entupd handent
// tblsearch tblnext tblobjname regapp xdsize xdroom layoutlist textbox.
#include "editor/EditorBuiltins.h"

#include <cstring>
#include <memory>

#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/EntityEdits.h"
#include "database/io/TableLists.h"
#include "graphics/AcGiTextLayout.h"
#include "lisp/AdsConvert.h"
#include "lisp/Builtins.h"
#include "lisp/Interpreter.h"

using lisp::Args;
using lisp::Ref;
using lisp::Type;

namespace {

using lisp::enameArg;
using lisp::ResbufList;

// The extended data limit of one object, in bytes.
constexpr int32_t kMaxXDataSize = 16383;

const std::string& tableArg(const Ref& value) {
    const std::string& table = lisp::stringArg(value);
    if (!acdbIsTableName(table.c_str())) lisp::raiseError("bad argument value: table name " + table);
    return table;
}

// Bytes a group takes in extended data: 2 for the code plus its value
// (strings their length plus 1, points 24, reals 8, 16-bit 2, 32-bit 4,
// handles 8).
int32_t groupSize(const resbuf* rb) {
    int code = rb->restype;
    int32_t value = 0;
    if (code == 1004 || code == 1005) value = 8;
    else if (code >= 1000 && code <= 1009) value = static_cast<int32_t>(std::strlen(rb->resval.rstring ? rb->resval.rstring : "")) + 1;
    else if (code >= 1010 && code <= 1013) value = 24;
    else if (code >= 1040 && code <= 1042) value = 8;
    else if (code == 1070) value = 2;
    else if (code == 1071) value = 4;
    return 2 + value;
}

int32_t xdataSize(const resbuf* list) {
    int32_t size = 0;
    for (const resbuf* rb = list; rb; rb = rb->rbnext)
        if (rb->restype >= 1000) size += groupSize(rb);
    return size;
}

Ref xdsize(Args a) {
    Ref list = lisp::listArg(a[0]);
    // ((-3 ("APP" ...))) or (("APP" ...)): the extended data groups.
    if (lisp::isCons(list) && lisp::isCons(list->car) && lisp::isType(list->car->car, Type::Int))
        list = list->car->cdr;
    else if (lisp::isCons(list) && lisp::isType(list->car, Type::Int))
        list = list->cdr;
    Ref wrapped = lisp::Interpreter::list({lisp::Interpreter::cons(lisp::Interpreter::integer(-3), list)});
    ResbufList groups(lisp::dxfListToResbufs(wrapped));
    return lisp::Interpreter::integer(xdataSize(groups.get()));
}

Ref xdroom(Args a) {
    ads_name name;
    enameArg(a[0], name);
    AcDbObjectId id;
    if (acdbGetObjectId(id, name) != Acad::eOk || id.isNull()) return nullptr;
    AcDbObjectPointer<AcDbObject> object(id, AcDb::kForRead);
    if (!object) return nullptr;
    ResbufList xdata(object->xData(nullptr));
    return lisp::Interpreter::integer(kMaxXDataSize - xdataSize(xdata.get()));
}

Ref layoutlist(Args) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return nullptr;
    AcDbBlockTable* blocks = nullptr;
    if (db->getBlockTable(blocks) != Acad::eOk) return nullptr;
    std::vector<Ref> names;
    for (const AcDbObjectId& id : blocks->recordIds()) {
        AcDbObjectPointer<AcDbBlockTableRecord> block(id, AcDb::kForRead);
        if (block && block->isLayout() && id != db->modelSpaceId())
            names.push_back(lisp::Interpreter::string("Layout" + std::to_string(names.size() + 1)));
    }
    blocks->close();
    return lisp::Interpreter::list(names);
}

// (textbox LIST): the box of a text entity list's string (1) at its height
// (40, else TEXTSIZE) and width factor (41), from the insertion point.
Ref textbox(Args a) {
    std::string text;
    double height = 0, widthFactor = 1.0;
    bool hasText = false;
    for (const Ref& group : lisp::listItems(lisp::listArg(a[0]))) {
        if (!lisp::isCons(group) || !lisp::isType(group->car, Type::Int)) lisp::badArgument("entity list", a[0]);
        int code = group->car->u.i;
        if (code == 1) {
            text = lisp::stringArg(group->cdr);
            hasText = true;
        } else if (code == 40) {
            height = lisp::numberArg(group->cdr);
        } else if (code == 41) {
            widthFactor = lisp::numberArg(group->cdr);
        }
    }
    if (!hasText) return nullptr;
    if (height <= 0) {
        resbuf size{};
        height = acedGetVar("TEXTSIZE", &size) == RTNORM && size.restype == RTREAL ? size.resval.rreal : 2.5;
    }
    double width = AcGiTextLayout::textWidth(text, height, widthFactor);
    auto point = [](double x, double y) {
        return lisp::Interpreter::list({lisp::Interpreter::real(x), lisp::Interpreter::real(y), lisp::Interpreter::real(0)});
    };
    return lisp::Interpreter::list({point(0, 0), point(width, height)});
}

}  // namespace

void registerDatabaseBuiltins(lisp::Interpreter& interpreter) {
    interpreter.defineBuiltin("entmod", [](Args a) -> Ref {
        ResbufList groups(lisp::dxfListToResbufs(lisp::listArg(a[0])));
        return acdbEntMod(groups.get()) == RTNORM ? a[0] : nullptr;
    }, 1, 1);
    interpreter.defineBuiltin("entupd", [](Args a) -> Ref {
        ads_name name;
        enameArg(a[0], name);
        return acdbEntUpd(name) == RTNORM ? a[0] : nullptr;
    }, 1, 1);
    interpreter.defineBuiltin("handent", [](Args a) -> Ref {
        ads_name name;
        if (acdbHandEnt(lisp::stringArg(a[0]).c_str(), name) != RTNORM) return nullptr;
        return lisp::Interpreter::ename(name);
    }, 1, 1);
    interpreter.defineBuiltin("tblsearch", [](Args a) {
        const std::string& table = tableArg(a[0]);
        const std::string& name = lisp::stringArg(a[1]);
        return lisp::dxfListOrNil(acdbTblSearch(table.c_str(), name.c_str(), a.size() > 2 && a[2] ? 1 : 0));
    }, 2, 3);
    interpreter.defineBuiltin("tblnext", [](Args a) {
        const std::string& table = tableArg(a[0]);
        return lisp::dxfListOrNil(acdbTblNext(table.c_str(), a.size() > 1 && a[1] ? 1 : 0));
    }, 1, 2);
    interpreter.defineBuiltin("tblobjname", [](Args a) -> Ref {
        const std::string& table = tableArg(a[0]);
        ads_name name;
        if (acdbTblObjName(table.c_str(), lisp::stringArg(a[1]).c_str(), name) != RTNORM) return nullptr;
        return lisp::Interpreter::ename(name);
    }, 2, 2);
    interpreter.defineBuiltin("regapp", [](Args a) -> Ref {
        return acdbRegApp(lisp::stringArg(a[0]).c_str()) == RTNORM ? a[0] : nullptr;
    }, 1, 1);
    interpreter.defineBuiltin("xdsize", xdsize, 1, 1);
    interpreter.defineBuiltin("xdroom", xdroom, 1, 1);
    interpreter.defineBuiltin("layoutlist", layoutlist, 0, 0);
    interpreter.defineBuiltin("textbox", textbox, 1, 1);
}
