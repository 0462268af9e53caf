// Conversions between database rows and field lists (a VARIANT holding a
// 1-D VT_VARIANT SAFEARRAY of alternating field name and value).
#pragma once

#include <string>
#include <vector>

#include "com/variant.h"
#include "projectdb/sqlconnection.h"

namespace projectdb {

struct FieldValue {
    std::string name;
    const VARIANT* value;
};

// The current row of stmt as a field list: the table's columns in order,
// starting at result column `first`. With values, each column's stored value
// goes there too, read from the engine once for both.
HRESULT rowToFieldList(const SqlStatement& stmt, int first, const std::vector<ColumnInfo>& columns, VARIANT* out,
                       std::vector<SqlValue>* values = nullptr);
// A stored value as the VARIANT columnToVariant gives for it; false when
// only the engine's own conversion can tell (a number in a text column, ...).
bool valueToVariant(const SqlValue& value, ColumnKind kind, VARIANT* out);
// Column i of the current row as a VARIANT of the given kind: VT_NULL,
// VT_I4, VT_R8, VT_BSTR (right-trimmed) or VT_BOOL.
void columnToVariant(const SqlStatement& stmt, int i, ColumnKind kind, VARIANT* out);
// Column i by its declared type, or by its stored value when it has none.
void resultToVariant(const SqlStatement& stmt, int i, VARIANT* out);
// The value a column of that kind stores for a field value; false when the
// value cannot be stored.
bool variantToValue(const VARIANT& value, ColumnKind kind, SqlValue& out);
// A key for comparison: empty or null gives null.
bool keyToValue(const VARIANT& key, SqlValue& out);
// Splits a field list into names and values (pointing into list).
// False with a message when it is not a well-formed list.
bool parseFieldList(const VARIANT& list, std::vector<FieldValue>& out, std::string& error);

std::wstring rightTrimmed(std::wstring text);

}  // namespace projectdb
