// Public entry of the AutoLISP interpreter: every exception raised inside is
// turned into an error result here.
#include "lisp/Interpreter.h"

#include "lisp/AdsHost.h"
#include "lisp/Builtins.h"
#include "lisp/LispEval.h"
#include "lisp/LispPrinter.h"
#include "lisp/LispReader.h"
#include "runtime/rxobject.h"

#include <fstream>
#include <sstream>

namespace lisp {

namespace {

// A user's *error* function gets the message of an error that reaches the
// top; an error inside it is reported instead.
bool callErrorHandler(const std::string& message, EvalResult& result) {
    Ref handler = intern("*ERROR*")->value;
    if (!handler) return false;
    try {
        Ref args[1] = {makeString(message)};
        lisp::apply(handler, args);
        result.handled = true;
    } catch (const LispError& error) {
        result.error = error.what();
    }
    return true;
}

template <typename Body>
EvalResult guarded(Body body) {
    EvalResult result;
    try {
        result.value = body();
    } catch (const LispError& error) {
        result.ok = false;
        result.error = error.what();
        callErrorHandler(result.error, result);
        if (!error.location.empty()) result.error += " at " + error.location;
    } catch (const AcRxAbort& abort) {
        result.ok = false;
        result.error = abort.message;
    } catch (const std::exception& error) {
        result.ok = false;
        result.error = error.what();
    } catch (...) {
        result.ok = false;
        result.error = "unknown exception";
    }
    return result;
}

}  // namespace

Interpreter::Interpreter() { ensureEnvironment(); }

EvalResult Interpreter::evalString(std::string_view source) {
    return guarded([&] {
        std::istringstream in{std::string(source)};
        return loadStream(in);
    });
}

EvalResult Interpreter::evalFile(const std::string& path) {
    return guarded([&] {
        std::ifstream file(path);
        if (!file) raiseError("LOAD failed: " + toText(makeString(path)));
        return loadStream(file, path);
    });
}

EvalResult Interpreter::evalForm(const Ref& form) {
    return guarded([&] { return lisp::eval(form); });
}

EvalResult Interpreter::call(const Ref& function, Args args) {
    return guarded([&] { return lisp::apply(function, args); });
}

Interpreter::ReadStatus Interpreter::readForm(std::istream& in, Ref& form, std::string& error) {
    Reader reader(in);
    try {
        return reader.read(form) ? ReadStatus::Form : ReadStatus::End;
    } catch (const std::exception& e) {
        error = e.what();
        return ReadStatus::Error;
    }
}

void Interpreter::defineBuiltin(std::string_view name, NativeFn fn, int minArgs, int maxArgs) {
    defineSubr(name, std::move(fn), minArgs, maxArgs);
}

Ref Interpreter::value(std::string_view symbolName) const { return intern(symbolName)->value; }

void Interpreter::setValue(std::string_view symbolName, Ref value) {
    intern(symbolName)->value = std::move(value);
}

std::string Interpreter::princText(const Ref& value) { return toText(value, false); }

std::string Interpreter::prin1Text(const Ref& value) { return toText(value, true); }

void Interpreter::printError(const std::string& message) {
    adsWriteOutput("; error: " + message + "\n");
}

}  // namespace lisp
