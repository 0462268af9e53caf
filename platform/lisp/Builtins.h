// Shared helpers of the built-in function groups: argument checks and the
// registration entry of each group.
#pragma once

#include "lisp/LispValue.h"

#include <istream>
#include <string>

namespace lisp {

// Raises "bad argument type: <predicate>: <value>".
[[noreturn]] void badArgument(const char* predicate, const Ref& value);

int32_t intArg(const Ref& value);
double numberArg(const Ref& value);
const std::string& stringArg(const Ref& value);
Symbol* symbolArg(const Ref& value);
// A list (nil or a cons).
const Ref& listArg(const Ref& value);

// Structural equality, numbers within fuzz.
bool lispEqual(const Ref& a, const Ref& b, double fuzz);

// Evaluates every form of a stream; the value of the last one. An error
// leaving a form of a named source gets that source and the form's line.
Ref loadStream(std::istream& in, const std::string& sourceName = {});

void registerControlBuiltins();
void registerListBuiltins();
void registerMathBuiltins();
void registerStringBuiltins();
void registerIoBuiltins();
void registerAdsBuiltins();
void registerBitBuiltins();
void registerGeometryBuiltins();
void registerUnitBuiltins();
void registerVlListBuiltins();
void registerVlStringBuiltins();
void registerSymbolBuiltins();
void registerFileBuiltins();

}  // namespace lisp
