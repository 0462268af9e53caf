// AutoLISP input built-ins over the editor's prompts: getpoint getcorner
// getdist getangle getorient getint getreal getstring getkword initget
// getfiled entsel nentsel. Escape raises "Function cancelled".
#include "editor/EditorBuiltins.h"

#include <optional>

#include "editor/EditorInput.h"
#include "editor/EditorSelection.h"
#include "editor/EditorView.h"
#include "lisp/AdsConvert.h"
#include "lisp/Builtins.h"
#include "lisp/Interpreter.h"
#include "lisp/LispFiles.h"

using lisp::Args;
using lisp::Ref;
using lisp::Type;

namespace {

constexpr size_t kMaxInput = 2048;

using lisp::pointValue;

Ref pointResult(const ads_point p) {
    return lisp::Interpreter::list({lisp::Interpreter::real(p[0]), lisp::Interpreter::real(p[1]), lisp::Interpreter::real(p[2])});
}

// Optional base point and prompt in either order: ([PT] [MSG]).
struct BaseAndPrompt {
    bool hasBase = false;
    ads_point base{};
    const char* prompt = nullptr;
};

BaseAndPrompt baseAndPrompt(Args a) {
    BaseAndPrompt result;
    for (const Ref& arg : a) {
        if (lisp::isType(arg, Type::Str) && !result.prompt) {
            result.prompt = arg->str.c_str();
        } else if (!result.hasBase && pointValue(arg, result.base)) {
            result.hasBase = true;
        } else {
            lisp::badArgument(lisp::isType(arg, Type::Str) ? "point" : "stringp", arg);
        }
    }
    return result;
}

const char* promptArg(Args a, size_t index) {
    if (a.size() <= index) return nullptr;
    return lisp::stringArg(a[index]).c_str();
}

// The AutoLISP value of a prompt's status; RTCAN raises the cancel error.
Ref finish(int status, const std::function<Ref()>& value) {
    if (status == RTCAN) lisp::raiseError(lisp::kCancelMessage);
    if (status == RTKWORD) {
        char keyword[kMaxInput];
        acedGetInput(keyword, sizeof keyword);
        return lisp::Interpreter::string(keyword);
    }
    if (status != RTNORM) return nullptr;
    return value();
}

Ref getpoint(Args a) {
    BaseAndPrompt in = baseAndPrompt(a);
    ads_point p;
    int status = acedGetPoint(in.hasBase ? in.base : nullptr, in.prompt, p);
    return finish(status, [&] { return pointResult(p); });
}

Ref getcorner(Args a) {
    ads_point base, p;
    if (!pointValue(a[0], base)) lisp::badArgument("2D/3D point", a[0]);
    int status = acedGetCorner(base, promptArg(a, 1), p);
    return finish(status, [&] { return pointResult(p); });
}

Ref distanceOrAngle(Args a, int (*prompt)(const ads_point, const char*, ads_real*)) {
    BaseAndPrompt in = baseAndPrompt(a);
    ads_real value = 0;
    int status = prompt(in.hasBase ? in.base : nullptr, in.prompt, &value);
    return finish(status, [&] { return lisp::Interpreter::real(value); });
}

Ref getstring(Args a) {
    bool spaces = false;
    const char* prompt = nullptr;
    if (a.size() == 2) {
        spaces = a[0] != nullptr;
        prompt = lisp::stringArg(a[1]).c_str();
    } else if (a.size() == 1) {
        if (lisp::isType(a[0], Type::Str)) prompt = a[0]->str.c_str();
        else spaces = a[0] != nullptr;
    }
    char text[kMaxInput];
    int status = acedGetString(spaces ? 1 : 0, prompt, text, sizeof text);
    return finish(status, [&] { return lisp::Interpreter::string(text); });
}

// (entsel [MSG]): a queued point picks the entity under it; (ENAME POINT).
Ref entsel(Args a) {
    ads_point p;
    const char* prompt = a.empty() ? "\nSelect object: " : lisp::stringArg(a[0]).c_str();
    int status = acedGetPoint(nullptr, prompt, p);
    if (status == RTCAN) lisp::raiseError(lisp::kCancelMessage);
    if (status == RTKWORD) return finish(status, [] { return Ref(); });
    if (status != RTNORM) return nullptr;
    // The entities drawn through the pick box around the point.
    const double h = acedPickBoxHalfSize();
    const ads_point low = {p[0] - h, p[1] - h, p[2]}, high = {p[0] + h, p[1] + h, p[2]};
    ads_name ss, entity;
    if (acedSSGet("C", low, high, nullptr, ss) != RTNORM) return nullptr;
    int32_t length = 0;
    acedSSLength(ss, &length);
    bool found = acedSSName(ss, length - 1, entity) == RTNORM;  // the topmost
    acedSSFree(ss);
    if (!found) return nullptr;
    return lisp::Interpreter::list({lisp::Interpreter::ename(entity), pointResult(p)});
}

}  // namespace

void registerInputBuiltins(lisp::Interpreter& interpreter) {
    interpreter.defineBuiltin("initget", [](Args a) -> Ref {
        int32_t bits = 0;
        const char* keywords = nullptr;
        for (size_t i = 0; i < a.size(); ++i) {
            if (i == 0 && lisp::isType(a[i], Type::Int)) bits = a[i]->u.i;
            else if (lisp::isType(a[i], Type::Str) && !keywords) keywords = a[i]->str.c_str();
            else if (a[i]) lisp::badArgument(i == 0 ? "fixnump" : "stringp", a[i]);
        }
        acedInitGet(bits, keywords);
        return nullptr;
    }, 0, 2);
    interpreter.defineBuiltin("getpoint", getpoint, 0, 2);
    interpreter.defineBuiltin("getcorner", getcorner, 1, 2);
    interpreter.defineBuiltin("getdist", [](Args a) { return distanceOrAngle(a, acedGetDist); }, 0, 2);
    interpreter.defineBuiltin("getangle", [](Args a) { return distanceOrAngle(a, acedGetAngle); }, 0, 2);
    interpreter.defineBuiltin("getorient", [](Args a) { return distanceOrAngle(a, acedGetOrient); }, 0, 2);
    interpreter.defineBuiltin("getint", [](Args a) {
        int value = 0;
        int status = acedGetInt(promptArg(a, 0), &value);
        return finish(status, [&] { return lisp::Interpreter::integer(value); });
    }, 0, 1);
    interpreter.defineBuiltin("getreal", [](Args a) {
        ads_real value = 0;
        int status = acedGetReal(promptArg(a, 0), &value);
        return finish(status, [&] { return lisp::Interpreter::real(value); });
    }, 0, 1);
    interpreter.defineBuiltin("getstring", getstring, 0, 2);
    interpreter.defineBuiltin("getkword", [](Args a) {
        char keyword[kMaxInput];
        int status = acedGetKword(promptArg(a, 0), keyword, sizeof keyword);
        return finish(status, [&] { return lisp::Interpreter::string(keyword); });
    }, 0, 1);
    // (getfiled TITLE DEFAULT EXT FLAGS): the file name is a queued string.
    interpreter.defineBuiltin("getfiled", [](Args a) -> Ref {
        std::string prompt = "\n" + lisp::stringArg(a[0]) + ": ";
        lisp::stringArg(a[1]);
        lisp::stringArg(a[2]);
        lisp::intArg(a[3]);
        char name[kMaxInput];
        int status = acedGetString(1, prompt.c_str(), name, sizeof name);
        if (status != RTNORM || !*name) return nullptr;  // the dialog's Cancel
        return lisp::Interpreter::string(name);
    }, 4, 4);
    interpreter.defineBuiltin("entsel", entsel, 0, 1);
    interpreter.defineBuiltin("nentsel", entsel, 0, 1);
    // read-line and read-char without a file read the next queued text.
    lisp::setKeyboardReader([]() -> std::optional<std::string> {
        AcEdInputItem item;
        if (!acedNextInput(item) || item.isPoint) return std::nullopt;
        return item.text;
    });
}
