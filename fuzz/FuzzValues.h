// AutoLISP values drawn from a fuzzer's input: the argument lists the
// module's functions receive.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include "lisp/LispValue.h"

// One value: nil, T, integers, reals (telling ones such as 0, 1e100, 1e308,
// infinities and NaN, or any bit pattern), strings (names the module knows,
// or any text), 2D and 3D points, lists and dotted pairs of values, the
// drawing's first and last entity names, a selection set of the whole
// drawing, symbols.
lisp::Ref fuzzValue(FuzzedDataProvider& input, int depth = 0);
