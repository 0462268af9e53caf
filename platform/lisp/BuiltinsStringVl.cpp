// String built-ins of the vl- family and wcmatch: search, position, subst,
// translate, trim, mismatch, list<->string conversions, file-name parts,
// symbol names and snvalid.
#include "lisp/Builtins.h"
#include "lisp/LispError.h"
#include "lisp/LispEval.h"
#include "lisp/LispPrinter.h"
#include "lisp/Wildcard.h"

#include <cctype>

namespace lisp {

namespace {

// An optional non-negative start position (argument index), default 0.
size_t positionArg(Args a, size_t index) {
    if (a.size() <= index || !a[index]) return 0;
    int32_t value = intArg(a[index]);
    if (value < 0) raiseError("bad argument value: non-negative " + std::to_string(value));
    return static_cast<size_t>(value);
}

Ref indexOrNil(size_t index) {
    return index == std::string::npos ? nullptr : makeInt(static_cast<int32_t>(index));
}

Ref search(Args a) {
    const std::string& pattern = stringArg(a[0]);
    const std::string& text = stringArg(a[1]);
    size_t start = positionArg(a, 2);
    if (start > text.size()) return nullptr;
    return indexOrNil(text.find(pattern, start));
}

// (vl-string-position CODE STR [START [FROM-END]]): from the end searches
// backwards from the last character.
Ref position(Args a) {
    int32_t code = intArg(a[0]);
    const std::string& text = stringArg(a[1]);
    size_t start = positionArg(a, 2);
    char c = static_cast<char>(code);
    if (a.size() > 3 && a[3]) {
        if (text.empty()) return nullptr;
        size_t from = a[2] ? std::min(start, text.size() - 1) : text.size() - 1;
        return indexOrNil(text.rfind(c, from));
    }
    if (start >= text.size()) return nullptr;
    return indexOrNil(text.find(c, start));
}

Ref stringSubst(Args a) {
    const std::string& replacement = stringArg(a[0]);
    const std::string& pattern = stringArg(a[1]);
    std::string text = stringArg(a[2]);
    size_t start = positionArg(a, 3);
    if (start <= text.size()) {
        size_t found = text.find(pattern, start);
        if (found != std::string::npos) text.replace(found, pattern.size(), replacement);
    }
    return makeString(std::move(text));
}

Ref translate(Args a) {
    const std::string& from = stringArg(a[0]);
    const std::string& to = stringArg(a[1]);
    std::string text = stringArg(a[2]);
    for (char& c : text) {
        size_t at = from.find(c);
        if (at != std::string::npos && at < to.size()) c = to[at];
    }
    return makeString(std::move(text));
}

Ref trim(Args a, bool left, bool right) {
    const std::string& chars = stringArg(a[0]);
    const std::string& text = stringArg(a[1]);
    size_t begin = left ? text.find_first_not_of(chars) : 0;
    if (begin == std::string::npos) return makeString("");
    size_t end = right ? text.find_last_not_of(chars) + 1 : text.size();
    return makeString(text.substr(begin, end - begin));
}

Ref mismatch(Args a) {
    const std::string& x = stringArg(a[0]);
    const std::string& y = stringArg(a[1]);
    size_t i = positionArg(a, 2), j = positionArg(a, 3);
    bool ignoreCase = a.size() > 4 && a[4];
    int32_t count = 0;
    auto same = [&](char p, char q) {
        return ignoreCase ? std::toupper(static_cast<unsigned char>(p)) == std::toupper(static_cast<unsigned char>(q))
                          : p == q;
    };
    while (i < x.size() && j < y.size() && same(x[i], y[j])) ++i, ++j, ++count;
    return makeInt(count);
}

Ref listToString(Args a) {
    std::string text;
    const Value* p = listArg(a[0]).get();
    for (; p && p->type == Type::Cons; p = p->cdr.get()) {
        int32_t code = intArg(p->car);
        if (code < 0 || code > 255) raiseError("bad argument value: character code " + std::to_string(code));
        text += static_cast<char>(code);
    }
    if (p) raiseError("bad list: " + toText(a[0]));
    return makeString(std::move(text));
}

Ref stringToList(Args a) {
    std::vector<Ref> codes;
    for (char c : stringArg(a[0])) codes.push_back(makeInt(static_cast<unsigned char>(c)));
    return makeList(codes);
}

// File-name parts: folder (with no trailing separator), base name, and
// extension (with its dot).
struct FileNameParts {
    std::string directory, base, extension;
};

FileNameParts splitFileName(const std::string& path) {
    FileNameParts parts;
    size_t slash = path.find_last_of("/\\");
    std::string name = path;
    if (slash != std::string::npos) {
        parts.directory = path.substr(0, slash);
        name = path.substr(slash + 1);
    }
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        parts.base = name.substr(0, dot);
        parts.extension = name.substr(dot);
    } else {
        parts.base = name;
    }
    return parts;
}

// A valid symbol table name: 1 to 255 characters, none of <>/\":;?*|,=` and
// no control characters; a vertical bar only when flag is 1 (xref names).
Ref snvalid(Args a) {
    const std::string& name = stringArg(a[0]);
    int32_t flag = a.size() > 1 && a[1] ? intArg(a[1]) : 0;
    if (name.empty() || name.size() > 255) return nullptr;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32) return nullptr;
        if (c == '|' && flag == 1) continue;
        if (std::string_view("<>/\\\":;?*|,=`").find(c) != std::string_view::npos) return nullptr;
    }
    return trueValue();
}

}  // namespace

void registerVlStringBuiltins() {
    defineSubr("wcmatch", [](Args a) {
        return makeBool(wildcardMatch(stringArg(a[0]), stringArg(a[1])));
    }, 2, 2);
    defineSubr("vl-string-search", search, 2, 3);
    defineSubr("vl-string-position", position, 2, 4);
    defineSubr("vl-string-subst", stringSubst, 3, 4);
    defineSubr("vl-string-translate", translate, 3, 3);
    defineSubr("vl-string-trim", [](Args a) { return trim(a, true, true); }, 2, 2);
    defineSubr("vl-string-left-trim", [](Args a) { return trim(a, true, false); }, 2, 2);
    defineSubr("vl-string-right-trim", [](Args a) { return trim(a, false, true); }, 2, 2);
    defineSubr("vl-string-mismatch", mismatch, 2, 5);
    defineSubr("vl-string-elt", [](Args a) {
        const std::string& text = stringArg(a[0]);
        int32_t index = intArg(a[1]);
        if (index < 0 || static_cast<size_t>(index) >= text.size())
            raiseError("bad argument value: string position out of range " + std::to_string(index));
        return makeInt(static_cast<unsigned char>(text[static_cast<size_t>(index)]));
    }, 2, 2);
    defineSubr("vl-list->string", listToString, 1, 1);
    defineSubr("vl-string->list", stringToList, 1, 1);
    defineSubr("vl-filename-base", [](Args a) { return makeString(splitFileName(stringArg(a[0])).base); }, 1, 1);
    defineSubr("vl-filename-directory", [](Args a) {
        return makeString(splitFileName(stringArg(a[0])).directory);
    }, 1, 1);
    defineSubr("vl-filename-extension", [](Args a) -> Ref {
        std::string extension = splitFileName(stringArg(a[0])).extension;
        return extension.empty() ? nullptr : makeString(extension);
    }, 1, 1);
    defineSubr("vl-symbol-name", [](Args a) { return makeString(symbolArg(a[0])->name); }, 1, 1);
    defineSubr("vl-symbol-value", [](Args a) { return symbolValue(symbolArg(a[0])); }, 1, 1);
    defineSubr("vl-symbolp", [](Args a) { return makeBool(isType(a[0], Type::Sym)); }, 1, 1);
    defineSubr("snvalid", snvalid, 1, 2);
}

}  // namespace lisp
