// Output, reading and loading built-ins: princ prin1 print terpri read type
// load.
#include "lisp/AdsHost.h"
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "lisp/LispPrinter.h"
#include "lisp/LispReader.h"

#include <fstream>
#include <sstream>

namespace lisp {

namespace {

Ref printOut(Args a, bool escape, const char* before, const char* after) {
    if (a.empty()) return quietValue();
    std::string text = before;
    printValue(text, a[0], escape);
    text += after;
    adsWriteOutput(text);
    return a[0];
}

const char* typeName(const Ref& value) {
    switch (value->type) {
    case Type::Int: return "INT";
    case Type::Real: return "REAL";
    case Type::Str: return "STR";
    case Type::Sym: return "SYM";
    case Type::Cons: return "LIST";
    case Type::Ename: return "ENAME";
    case Type::Pickset: return "PICKSET";
    case Type::Subr: return "SUBR";
    case Type::Usubr: return "USUBR";
    case Type::Exrxsubr: return "EXRXSUBR";
    case Type::CatchError: return "VL-CATCH-ALL-APPLY-ERROR";
    }
    return "SYM";
}

Ref load(Args a) {
    std::string path = stringArg(a[0]);
    std::ifstream file(path);
    if (!file && path.find('.', path.find_last_of("/\\") + 1) == std::string::npos) {
        file.open(path + ".lsp");
    }
    if (!file) {
        if (a.size() > 1) return a[1];
        raiseError("LOAD failed: " + toText(a[0]));
    }
    return loadStream(file);
}

}  // namespace

Ref loadStream(std::istream& in) {
    Reader reader(in);
    Ref form, result;
    while (reader.read(form)) result = eval(form);
    return result;
}

void registerIoBuiltins() {
    defineSubr("princ", [](Args a) { return printOut(a, false, "", ""); }, 0, 2);
    defineSubr("prin1", [](Args a) { return printOut(a, true, "", ""); }, 0, 2);
    defineSubr("print", [](Args a) { return printOut(a, true, "\n", " "); }, 0, 2);
    defineSubr("terpri", [](Args) {
        adsWriteOutput("\n");
        return Ref();
    }, 0, 0);
    defineSubr("read", [](Args a) -> Ref {
        if (a.empty()) return nullptr;
        std::istringstream in(stringArg(a[0]));
        Reader reader(in);
        Ref form;
        return reader.read(form) ? form : nullptr;
    }, 0, 1);
    defineSubr("type", [](Args a) -> Ref { return a[0] ? symbolRef(typeName(a[0])) : nullptr; }, 1, 1);
    defineSubr("load", load, 1, 2);
}

}  // namespace lisp
