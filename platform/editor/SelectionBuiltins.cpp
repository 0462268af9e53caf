// AutoLISP selection-set built-ins over the editor's selection sets:
// ssget ssadd ssdel sslength ssname ssmemb ssgetfirst.
#include "editor/EditorBuiltins.h"

#include <cctype>
#include <memory>

#include "editor/EditorSelection.h"
#include "lisp/AdsConvert.h"
#include "lisp/Builtins.h"
#include "lisp/Interpreter.h"

using lisp::Args;
using lisp::Ref;
using lisp::Type;

namespace {

using lisp::nameArg;
using lisp::pointValue;
using lisp::ResbufList;

// A filter list: a list whose first element is a group (code . value).
bool isFilterList(const Ref& value) {
    return lisp::isCons(value) && lisp::isCons(value->car) && lisp::isType(value->car->car, Type::Int);
}

Ref picksetOrNil(int status, const ads_name ss) {
    return status == RTNORM ? lisp::Interpreter::pickset(ss) : nullptr;
}

// (ssget [MODE] [PT1 [PT2]] [POINTS] [FILTER]) and (ssget PT [FILTER]).
Ref ssget(Args a) {
    size_t next = 0;
    std::string mode;
    if (next < a.size() && lisp::isType(a[next], Type::Str)) mode = a[next++]->str;
    std::string key = mode;
    while (!key.empty() && (key[0] == '_' || key[0] == '.')) key.erase(0, 1);
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ads_point p1{}, p2{};
    ResbufList polygon;
    const void* first = nullptr;
    const void* second = nullptr;
    if (key == "W" || key == "C") {
        if (a.size() < next + 2) lisp::raiseError("too few arguments");
        if (!pointValue(a[next], p1)) lisp::badArgument("2D/3D point", a[next]);
        if (!pointValue(a[next + 1], p2)) lisp::badArgument("2D/3D point", a[next + 1]);
        next += 2;
        first = p1;
        second = p2;
    } else if (key == "WP" || key == "CP") {
        if (a.size() < next + 1) lisp::raiseError("too few arguments");
        std::vector<Ref> points = lisp::listItems(lisp::listArg(a[next]));
        ads_point p;
        for (const Ref& point : points)
            if (!pointValue(point, p)) lisp::badArgument("2D/3D point", point);
        if (points.size() < 3) lisp::raiseError("bad argument value: a polygon needs 3 points");
        polygon.reset(lisp::valuesToResbufs(points));
        first = polygon.get();
        ++next;
    } else if (mode.empty() && next < a.size() && !isFilterList(a[next]) && pointValue(a[next], p1)) {
        // a point picks the entity under it
        ++next;
        first = p1;
        second = p1;
        key.assign(1, 'C');
    } else if (!mode.empty() && key != "X" && key != "L" && key != "P") {
        std::string message = "bad argument value: ssget mode ";
        message.append(mode);
        lisp::raiseError(message);
    }
    ResbufList filter;
    if (next < a.size()) {
        if (a[next] && !isFilterList(a[next])) lisp::badArgument("filter list", a[next]);
        filter.reset(lisp::dxfListToResbufs(a[next]));
        ++next;
    }
    if (next < a.size()) lisp::raiseError("too many arguments");
    ads_name ss;
    return picksetOrNil(acedSSGet(key.empty() ? nullptr : key.c_str(), first, second, filter.get(), ss), ss);
}

Ref ssadd(Args a) {
    ads_name entity{0, 0}, ss{0, 0}, result;
    if (!a.empty()) nameArg(a[0], Type::Ename, "lentityp", entity);
    if (a.size() > 1) nameArg(a[1], Type::Pickset, "lselsetp", ss);
    if (acedSSAdd(entity, ss, result) != RTNORM) lisp::raiseError("bad argument value: not a live entity or selection set");
    return lisp::Interpreter::pickset(result);
}

Ref ssname(Args a) {
    ads_name ss, entity;
    nameArg(a[0], Type::Pickset, "lselsetp", ss);
    if (!lisp::isNumber(a[1])) lisp::badArgument("numberp", a[1]);
    double index = lisp::numberValue(a[1]);
    if (index < 0 || index > 2147483647.0) return nullptr;
    if (acedSSName(ss, static_cast<int32_t>(index), entity) != RTNORM) return nullptr;
    return lisp::Interpreter::ename(entity);
}

}  // namespace

void registerSelectionBuiltins(lisp::Interpreter& interpreter) {
    interpreter.defineBuiltin("ssget", ssget, 0, 4);
    interpreter.defineBuiltin("ssadd", ssadd, 0, 2);
    interpreter.defineBuiltin("ssdel", [](Args a) -> Ref {
        ads_name entity, ss;
        nameArg(a[0], Type::Ename, "lentityp", entity);
        nameArg(a[1], Type::Pickset, "lselsetp", ss);
        return acedSSDel(entity, ss) == RTNORM ? a[1] : nullptr;
    }, 2, 2);
    interpreter.defineBuiltin("sslength", [](Args a) -> Ref {
        ads_name ss;
        nameArg(a[0], Type::Pickset, "lselsetp", ss);
        int32_t length = 0;
        if (acedSSLength(ss, &length) != RTNORM) lisp::raiseError("bad argument value: selection set was freed");
        return lisp::Interpreter::integer(length);
    }, 1, 1);
    interpreter.defineBuiltin("ssname", ssname, 2, 2);
    interpreter.defineBuiltin("ssmemb", [](Args a) -> Ref {
        ads_name entity, ss;
        nameArg(a[0], Type::Ename, "lentityp", entity);
        nameArg(a[1], Type::Pickset, "lselsetp", ss);
        return acedSSMemb(entity, ss) == RTNORM ? a[0] : nullptr;
    }, 2, 2);
    interpreter.defineBuiltin("ssgetfirst", [](Args) -> Ref {
        // No objects are gripped or preselected without a screen.
        return lisp::Interpreter::list({nullptr, nullptr});
    }, 0, 0);
}
