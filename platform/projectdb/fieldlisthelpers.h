// Building and reading field lists from C++ values, for callers of the
// component.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "com/comutil.h"

// A field list from (name, value) pairs.
_variant_t makeFieldList(const std::vector<std::pair<std::wstring, _variant_t>>& fields);
// The value named `name` (any case) in a field list; null when absent.
const VARIANT* fieldValue(const VARIANT& fieldList, std::wstring_view name);
// Number of name/value pairs in a field list (0 when it is not one).
size_t fieldCount(const VARIANT& fieldList);
