// Conversions between database rows and field lists (a VARIANT holding a
// 1-D VT_VARIANT SAFEARRAY of alternating field name and value).
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include "com/variant.h"
#include "projectdb/schema.h"

namespace projectdb {

struct ColumnInfo {
    std::string name;
    ColumnKind kind;
    std::wstring wideName;
};

struct FieldValue {
    std::string name;
    const VARIANT* value;
};

// The current row of stmt (columns in table order) as a field list.
HRESULT rowToFieldList(sqlite3_stmt* stmt, const std::vector<ColumnInfo>& columns, VARIANT* out);
// Column i of the current row as a VARIANT of the given kind: VT_NULL,
// VT_I4, VT_R8, VT_BSTR (right-trimmed) or VT_BOOL.
void columnToVariant(sqlite3_stmt* stmt, int i, ColumnKind kind, VARIANT* out);
// Column i by its declared type, or by its stored value when it has none.
void resultToVariant(sqlite3_stmt* stmt, int i, VARIANT* out);
// Binds value to parameter param the way a column of that kind stores it.
int bindVariant(sqlite3_stmt* stmt, int param, const VARIANT& value, ColumnKind kind);
// Binds a key for comparison: empty or null binds null.
int bindKey(sqlite3_stmt* stmt, int param, const VARIANT& key);
// Splits a field list into names and values (pointing into list).
// False with a message when it is not a well-formed list.
bool parseFieldList(const VARIANT& list, std::vector<FieldValue>& out, std::string& error);

std::wstring rightTrimmed(std::wstring text);

}  // namespace projectdb
