// Field list building, parsing and value binding.
#include "projectdb/fieldlist.h"

#include <cmath>
#include <cstring>
#include <cwctype>

namespace projectdb {

std::wstring rightTrimmed(std::wstring text)
{
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == L' ' || text[end - 1] == L'\t' || text[end - 1] == L'\r' ||
                       text[end - 1] == L'\n'))
        --end;
    text.resize(end);
    return text;
}

static BSTR textColumn(sqlite3_stmt* stmt, int i)
{
    auto text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
    int bytes = sqlite3_column_bytes(stmt, i);
    std::wstring wide = rightTrimmed(utf8ToWide(std::string_view(text ? text : "", size_t(bytes))));
    return SysAllocStringLen(wide.data(), static_cast<unsigned>(wide.size()));
}

void columnToVariant(sqlite3_stmt* stmt, int i, ColumnKind kind, VARIANT* out)
{
    VariantInit(out);
    if (sqlite3_column_type(stmt, i) == SQLITE_NULL) {
        out->vt = VT_NULL;
        return;
    }
    switch (kind) {
    case ColumnKind::Key:
    case ColumnKind::Integer:
        out->vt = VT_I4;
        out->lVal = sqlite3_column_int(stmt, i);
        break;
    case ColumnKind::Real:
        out->vt = VT_R8;
        out->dblVal = sqlite3_column_double(stmt, i);
        break;
    case ColumnKind::Boolean:
        out->vt = VT_BOOL;
        out->boolVal = sqlite3_column_double(stmt, i) != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case ColumnKind::Text:
        out->vt = VT_BSTR;
        out->bstrVal = textColumn(stmt, i);
        break;
    }
}

void resultToVariant(sqlite3_stmt* stmt, int i, VARIANT* out)
{
    if (const char* declared = sqlite3_column_decltype(stmt, i)) {
        columnToVariant(stmt, i, kindFromDeclaredType(declared, false), out);
        return;
    }
    VariantInit(out);
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL: out->vt = VT_NULL; break;
    case SQLITE_INTEGER: {
        sqlite3_int64 v = sqlite3_column_int64(stmt, i);
        if (v >= INT32_MIN && v <= INT32_MAX) {
            out->vt = VT_I4;
            out->lVal = static_cast<LONG>(v);
        } else {
            out->vt = VT_R8;
            out->dblVal = static_cast<double>(v);
        }
        break;
    }
    case SQLITE_FLOAT:
        out->vt = VT_R8;
        out->dblVal = sqlite3_column_double(stmt, i);
        break;
    default:
        out->vt = VT_BSTR;
        out->bstrVal = textColumn(stmt, i);
        break;
    }
}

HRESULT rowToFieldList(sqlite3_stmt* stmt, const std::vector<ColumnInfo>& columns, VARIANT* out)
{
    auto count = static_cast<ULONG>(columns.size() * 2);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, count);
    if (!array) return E_OUTOFMEMORY;
    auto* items = static_cast<VARIANT*>(array->pvData);
    for (size_t c = 0; c < columns.size(); ++c) {
        VARIANT& name = items[2 * c];
        name.vt = VT_BSTR;
        name.bstrVal = SysAllocStringLen(columns[c].wideName.data(), unsigned(columns[c].wideName.size()));
        columnToVariant(stmt, static_cast<int>(c), columns[c].kind, &items[2 * c + 1]);
    }
    VariantClear(out);
    out->vt = VT_ARRAY | VT_VARIANT;
    out->parray = array;
    return S_OK;
}

// Reads a variant's numeric value; text is parsed, booleans give -1/0.
static bool numberOf(const VARIANT& v, double& out)
{
    VARIANT r;
    if (FAILED(VariantChangeType(&r, &v, 0, VT_R8))) return false;
    out = r.dblVal;
    return true;
}

int bindVariant(sqlite3_stmt* stmt, int param, const VARIANT& value, ColumnKind kind)
{
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) return sqlite3_bind_null(stmt, param);
    if (value.vt & VT_ARRAY) return SQLITE_MISMATCH;
    double number = 0;
    switch (kind) {
    case ColumnKind::Key:
    case ColumnKind::Integer:
        if (numberOf(value, number)) return sqlite3_bind_int64(stmt, param, static_cast<sqlite3_int64>(std::nearbyint(number)));
        break;
    case ColumnKind::Real:
        if (numberOf(value, number)) return sqlite3_bind_double(stmt, param, number);
        break;
    case ColumnKind::Boolean:
        if (value.vt == VT_BSTR && value.bstrVal) {
            std::wstring t = value.bstrVal;
            for (auto& ch : t) ch = static_cast<wchar_t>(std::towupper(ch));
            if (t == L"TRUE" || t == L"YES") return sqlite3_bind_int(stmt, param, -1);
            if (t == L"FALSE" || t == L"NO" || t.empty()) return sqlite3_bind_int(stmt, param, 0);
        }
        if (numberOf(value, number)) return sqlite3_bind_int(stmt, param, number != 0 ? -1 : 0);
        break;
    case ColumnKind::Text: {
        VARIANT text;
        if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR))) break;
        std::string utf8 = bstrToUtf8(text.bstrVal);
        VariantClear(&text);
        return sqlite3_bind_text(stmt, param, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    }
    // A value the column kind cannot take is stored as it comes.
    if (value.vt == VT_BSTR) {
        std::string utf8 = bstrToUtf8(value.bstrVal);
        return sqlite3_bind_text(stmt, param, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    return SQLITE_MISMATCH;
}

int bindKey(sqlite3_stmt* stmt, int param, const VARIANT& key)
{
    switch (key.vt) {
    case VT_EMPTY:
    case VT_NULL: return sqlite3_bind_null(stmt, param);
    case VT_I2: return sqlite3_bind_int(stmt, param, key.iVal);
    case VT_I4: return sqlite3_bind_int(stmt, param, key.lVal);
    case VT_UI1: return sqlite3_bind_int(stmt, param, key.bVal);
    case VT_BOOL: return sqlite3_bind_int(stmt, param, key.boolVal ? -1 : 0);
    case VT_R4: return sqlite3_bind_double(stmt, param, key.fltVal);
    case VT_R8: return sqlite3_bind_double(stmt, param, key.dblVal);
    case VT_BSTR: {
        std::string utf8 = bstrToUtf8(key.bstrVal);
        return sqlite3_bind_text(stmt, param, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    default: return SQLITE_MISMATCH;
    }
}

bool parseFieldList(const VARIANT& list, std::vector<FieldValue>& out, std::string& error)
{
    out.clear();
    if (list.vt != (VT_ARRAY | VT_VARIANT) || !list.parray || list.parray->cDims != 1) {
        error = "The field list is not an array of variants.";
        return false;
    }
    ULONG count = list.parray->rgsabound[0].cElements;
    if (count % 2 != 0) {
        error = "The field list has a name without a value.";
        return false;
    }
    auto* items = static_cast<const VARIANT*>(list.parray->pvData);
    for (ULONG i = 0; i < count; i += 2) {
        if (items[i].vt != VT_BSTR || SysStringLen(items[i].bstrVal) == 0) {
            error = "A field name in the field list is not a text.";
            return false;
        }
        out.push_back({bstrToUtf8(items[i].bstrVal), &items[i + 1]});
    }
    return true;
}

}  // namespace projectdb
