// Printed forms of AutoLISP values, as princ (plain) and prin1 (escaped).
#pragma once

#include "lisp/LispValue.h"

#include <string>

namespace lisp {

// Appends the printed form; escape = true quotes and escapes strings.
void printValue(std::string& out, const Ref& value, bool escape);
std::string toText(const Ref& value, bool escape = true);
// A real with six significant digits and always a decimal point: 2.0, 3.14159.
std::string formatReal(double value);

}  // namespace lisp
