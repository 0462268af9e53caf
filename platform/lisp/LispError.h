// The AutoLISP error: raised anywhere inside the interpreter, caught at its
// public boundary and reported as "; error: <message>".
#pragma once

#include <stdexcept>
#include <string>

namespace lisp {

class LispError : public std::runtime_error {
public:
    explicit LispError(const std::string& message) : std::runtime_error(message) {}
    // Where the error left a script: "FILE:LINE" of the innermost script's
    // top-level form, empty when it did not come from a script.
    std::string location;
};

[[noreturn]] inline void raiseError(const std::string& message) { throw LispError(message); }

// The message of exit and quit; like any error it unwinds to the top or to
// vl-catch-all-apply.
inline constexpr const char* kExitMessage = "quit / exit abort";
// The message of Escape at a prompt.
inline constexpr const char* kCancelMessage = "Function cancelled";

}  // namespace lisp
