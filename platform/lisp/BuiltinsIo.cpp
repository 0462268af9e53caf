// Output, reading and loading built-ins: princ prin1 print terpri read type
// load.
#include "lisp/AdsHost.h"
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "lisp/LispFiles.h"
#include "lisp/LispPrinter.h"
#include "lisp/LispReader.h"

#include <fstream>
#include <sstream>

namespace lisp {

namespace {

// Prints to the command line, or to the file given as second argument.
Ref printOut(Args a, bool escape, const char* before, const char* after) {
    if (a.empty()) return quietValue();
    std::FILE* stream = a.size() > 1 ? lispFileStream(a[1], true) : nullptr;
    std::string text = before;
    printValue(text, a[0], escape);
    text += after;
    if (stream)
        std::fwrite(text.data(), 1, text.size(), stream);
    else
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
    case Type::File: return "FILE";
    }
    return "SYM";
}

Ref load(Args a) {
    std::string path = stringArg(a[0]);
    std::ifstream file(path);
    if (!file && path.find('.', path.find_last_of("/\\") + 1) == std::string::npos) {
        path += ".lsp";
        file.open(path);
    }
    if (!file) {
        if (a.size() > 1) return a[1];
        raiseError("LOAD failed: " + toText(a[0]));
    }
    return loadStream(file, path);
}

}  // namespace

Ref loadStream(std::istream& in, const std::string& sourceName) {
    Reader reader(in);
    Ref form, result;
    try {
        while (reader.read(form)) result = eval(form);
    } catch (LispError& error) {
        if (!sourceName.empty() && error.location.empty())
            error.location = sourceName + ":" + std::to_string(reader.formLine());
        throw;
    }
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
