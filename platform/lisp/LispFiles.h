// Files opened by AutoLISP's open: a table of descriptors by number. Files
// opened for writing are written to a temporary file beside the target and
// renamed over it when closed (also at exit), so a target is never half
// written.
#pragma once

#include "lisp/LispValue.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace lisp {

// A descriptor value, or nil when the file cannot be opened. mode is "r",
// "w" or "a" (either case).
Ref openLispFile(const std::string& path, const std::string& mode);
// Closes the descriptor (an error if it is not an open file).
void closeLispFile(const Ref& descriptor);
// The stream of an open descriptor; forWriting checks the direction.
// Raises "bad argument type: streamp" for anything else.
std::FILE* lispFileStream(const Ref& descriptor, bool forWriting);

// Where read-line and read-char without a file read the keyboard: the host
// sets a reader (the editor's input queue); none reads nothing (nil).
using KeyboardReader = std::function<std::optional<std::string>()>;
void setKeyboardReader(KeyboardReader reader);
std::optional<std::string> readKeyboardLine();

}  // namespace lisp
