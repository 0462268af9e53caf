// The AutoLISP error: raised anywhere inside the interpreter, caught at its
// public boundary and reported as "; error: <message>".
#pragma once

#include <stdexcept>
#include <string>

namespace lisp {

class LispError : public std::runtime_error {
public:
    explicit LispError(const std::string& message) : std::runtime_error(message) {}
};

[[noreturn]] inline void raiseError(const std::string& message) { throw LispError(message); }

}  // namespace lisp
