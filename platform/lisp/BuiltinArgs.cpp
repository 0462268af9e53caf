// Argument checks shared by the built-in function groups.
#include "lisp/Builtins.h"

#include "lisp/LispError.h"
#include "lisp/LispPrinter.h"

namespace lisp {

void badArgument(const char* predicate, const Ref& value) {
    raiseError(std::string("bad argument type: ") + predicate + ": " + toText(value));
}

int32_t intArg(const Ref& value) {
    if (!isType(value, Type::Int)) badArgument("fixnump", value);
    return value->u.i;
}

double numberArg(const Ref& value) {
    if (!isNumber(value)) badArgument("numberp", value);
    return numberValue(value);
}

const std::string& stringArg(const Ref& value) {
    if (!isType(value, Type::Str)) badArgument("stringp", value);
    return value->str;
}

Symbol* symbolArg(const Ref& value) {
    if (!isType(value, Type::Sym)) badArgument("symbolp", value);
    return value->u.sym;
}

const Ref& listArg(const Ref& value) {
    if (value && value->type != Type::Cons) badArgument("listp", value);
    return value;
}

}  // namespace lisp
