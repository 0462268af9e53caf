// Public entry of the AutoLISP interpreter for the host program: evaluation
// of text, files and forms, built-ins defined from C++, value construction.
#pragma once

#include "ads/ads.h"
#include "lisp/LispError.h"
#include "lisp/LispValue.h"

#include <istream>
#include <string>
#include <string_view>

namespace lisp {

// Outcome of an evaluation: the value, or the error message (without the
// "; error: " prefix; an error out of a script ends with " at FILE:LINE").
// Errors never leave the interpreter as exceptions. handled: the user's
// *error* function took the error, so the host prints nothing.
struct EvalResult {
    bool ok = true;
    Ref value;
    std::string error;
    bool handled = false;
};

// All interpreters share one AutoLISP environment (symbols, functions) in the
// process; the object is the handle the host uses.
class Interpreter {
public:
    Interpreter();

    // Evaluates every form in order; the value of the last one. Stops at the
    // first error.
    EvalResult evalString(std::string_view source);
    // Same for a file (a relative path is taken against the current directory).
    EvalResult evalFile(const std::string& path);
    EvalResult evalForm(const Ref& form);
    // Calls a function value (or a symbol naming one) with the given arguments.
    EvalResult call(const Ref& function, Args args);

    enum class ReadStatus { Form, End, Error };
    // Reads the next complete form from a stream (for a prompt loop). On
    // malformed input the rest of the line is dropped and error is set.
    ReadStatus readForm(std::istream& in, Ref& form, std::string& error);

    // A built-in that receives evaluated arguments; it raises an AutoLISP
    // error with raiseError(message). maxArgs -1 accepts any number.
    void defineBuiltin(std::string_view name, NativeFn fn, int minArgs = 0, int maxArgs = -1);

    Ref value(std::string_view symbolName) const;
    void setValue(std::string_view symbolName, Ref value);

    // Printed forms: princ (plain) and prin1 (strings quoted and escaped).
    static std::string princText(const Ref& value);
    static std::string prin1Text(const Ref& value);
    // Writes "; error: <message>" and a newline to the output sink.
    static void printError(const std::string& message);

    static Ref nil() { return nullptr; }
    static Ref t() { return trueValue(); }
    static Ref integer(int32_t value) { return makeInt(value); }
    static Ref real(double value) { return makeReal(value); }
    static Ref string(std::string text) { return makeString(std::move(text)); }
    static Ref symbol(std::string_view name) { return symbolRef(name); }
    static Ref list(const std::vector<Ref>& items) { return makeList(items); }
    static Ref cons(Ref car, Ref cdr) { return makeCons(std::move(car), std::move(cdr)); }
    static Ref ename(const ads_name name) { return makeEname(name); }
    static Ref pickset(const ads_name name) { return makePickset(name); }
};

}  // namespace lisp
