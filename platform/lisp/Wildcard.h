// Wildcard patterns as wcmatch and selection filters use them: # digit,
// @ letter, . neither, ? any character, * any sequence, [..] [~..] classes
// with ranges, ` escapes, ~ at the start negates, commas separate patterns.
#pragma once

#include <string_view>

namespace lisp {

// Case-sensitive, as wcmatch is; ignoreCase folds ASCII letters.
bool wildcardMatch(std::string_view text, std::string_view pattern, bool ignoreCase = false);

}  // namespace lisp
