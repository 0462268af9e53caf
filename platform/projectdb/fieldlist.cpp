// Field list building, parsing and value binding.
#include "projectdb/fieldlist.h"

#include <cmath>
#include <cstring>
#include <cwctype>

namespace projectdb {

static bool isTrailingSpace(wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n'; }

std::wstring rightTrimmed(std::wstring text)
{
    size_t end = text.size();
    while (end > 0 && isTrailingSpace(text[end - 1])) --end;
    text.resize(end);
    return text;
}

// Stored text as a right-trimmed string. Plain ASCII, which most stored
// text is, widens straight into the string without a temporary copy.
static BSTR wideText(std::string_view text)
{
    bool ascii = true;
    for (char ch : text)
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        size_t end = text.size();
        while (end > 0 && isTrailingSpace(static_cast<wchar_t>(text[end - 1]))) --end;
        BSTR out = SysAllocStringLen(nullptr, static_cast<unsigned>(end));
        if (out)
            for (size_t i = 0; i < end; ++i) out[i] = static_cast<OLECHAR>(text[i]);
        return out;
    }
    std::wstring wide = rightTrimmed(utf8ToWide(text));
    return SysAllocStringLen(wide.data(), static_cast<unsigned>(wide.size()));
}

static BSTR textColumn(const SqlStatement& stmt, int i) { return wideText(stmt.text(i)); }

void columnToVariant(const SqlStatement& stmt, int i, ColumnKind kind, VARIANT* out)
{
    VariantInit(out);
    if (stmt.isNull(i)) {
        out->vt = VT_NULL;
        return;
    }
    switch (kind) {
    case ColumnKind::Key:
    case ColumnKind::Integer:
        out->vt = VT_I4;
        out->lVal = static_cast<LONG>(stmt.integer(i));
        break;
    case ColumnKind::Real:
        out->vt = VT_R8;
        out->dblVal = stmt.real(i);
        break;
    case ColumnKind::Boolean:
        out->vt = VT_BOOL;
        out->boolVal = stmt.real(i) != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case ColumnKind::Text:
        out->vt = VT_BSTR;
        out->bstrVal = textColumn(stmt, i);
        break;
    }
}

void resultToVariant(const SqlStatement& stmt, int i, VARIANT* out)
{
    if (ColumnKind declared; stmt.declaredKind(i, declared)) {
        columnToVariant(stmt, i, declared, out);
        return;
    }
    VariantInit(out);
    SqlValue value = stmt.value(i);
    switch (value.type) {
    case SqlType::Null: out->vt = VT_NULL; break;
    case SqlType::Integer: {
        int64_t v = value.integer;
        if (v >= INT32_MIN && v <= INT32_MAX) {
            out->vt = VT_I4;
            out->lVal = static_cast<LONG>(v);
        } else {
            out->vt = VT_R8;
            out->dblVal = static_cast<double>(v);
        }
        break;
    }
    case SqlType::Real:
        out->vt = VT_R8;
        out->dblVal = value.real;
        break;
    case SqlType::Text:
        out->vt = VT_BSTR;
        out->bstrVal = textColumn(stmt, i);
        break;
    }
}

bool valueToVariant(const SqlValue& value, ColumnKind kind, VARIANT* out)
{
    VariantInit(out);
    if (value.type == SqlType::Null) {
        out->vt = VT_NULL;
        return true;
    }
    const bool number = value.type == SqlType::Integer || value.type == SqlType::Real;
    const double real = value.type == SqlType::Integer ? double(value.integer) : value.real;
    switch (kind) {
    case ColumnKind::Key:
    case ColumnKind::Integer:
        if (value.type != SqlType::Integer) return false;
        out->vt = VT_I4;
        out->lVal = static_cast<LONG>(value.integer);
        return true;
    case ColumnKind::Real:
        if (!number) return false;
        out->vt = VT_R8;
        out->dblVal = real;
        return true;
    case ColumnKind::Boolean:
        if (!number) return false;
        out->vt = VT_BOOL;
        out->boolVal = real != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return true;
    case ColumnKind::Text:
        if (value.type != SqlType::Text) return false;
        out->vt = VT_BSTR;
        out->bstrVal = wideText(value.text);
        return true;
    }
    return false;
}

HRESULT rowToFieldList(const SqlStatement& stmt, int first, const std::vector<ColumnInfo>& columns, VARIANT* out,
                       std::vector<SqlValue>* values)
{
    auto count = static_cast<ULONG>(columns.size() * 2);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, count);
    if (!array) return E_OUTOFMEMORY;
    if (values) {
        values->clear();
        values->reserve(columns.size());
    }
    auto* items = static_cast<VARIANT*>(array->pvData);
    for (size_t c = 0; c < columns.size(); ++c) {
        VARIANT& name = items[2 * c];
        name.vt = VT_BSTR;
        name.bstrVal = columns[c].fieldName.share();
        const int column = first + static_cast<int>(c);
        VARIANT* value = &items[2 * c + 1];
        if (values) {
            values->push_back(stmt.value(column));
            if (valueToVariant(values->back(), columns[c].kind, value)) continue;
        }
        columnToVariant(stmt, column, columns[c].kind, value);
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

bool variantToValue(const VARIANT& value, ColumnKind kind, SqlValue& out)
{
    out = {};
    if (value.vt == VT_EMPTY || value.vt == VT_NULL) return true;
    if (value.vt & VT_ARRAY) return false;
    double number = 0;
    switch (kind) {
    case ColumnKind::Key:
    case ColumnKind::Integer:
        if (numberOf(value, number)) return out = SqlValue::ofInteger(static_cast<int64_t>(std::nearbyint(number))), true;
        break;
    case ColumnKind::Real:
        if (numberOf(value, number)) return out = SqlValue::ofReal(number), true;
        break;
    case ColumnKind::Boolean:
        if (value.vt == VT_BSTR && value.bstrVal) {
            std::wstring t = value.bstrVal;
            for (auto& ch : t) ch = static_cast<wchar_t>(std::towupper(ch));
            if (t == L"TRUE" || t == L"YES") return out = SqlValue::ofInteger(-1), true;
            if (t == L"FALSE" || t == L"NO" || t.empty()) return out = SqlValue::ofInteger(0), true;
        }
        if (numberOf(value, number)) return out = SqlValue::ofInteger(number != 0 ? -1 : 0), true;
        break;
    case ColumnKind::Text: {
        VARIANT text;
        if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR))) break;
        out = SqlValue::ofText(bstrToUtf8(text.bstrVal));
        VariantClear(&text);
        return true;
    }
    }
    // A value the column kind cannot take is stored as it comes.
    if (value.vt == VT_BSTR) return out = SqlValue::ofText(bstrToUtf8(value.bstrVal)), true;
    return false;
}

bool keyToValue(const VARIANT& key, SqlValue& out)
{
    switch (key.vt) {
    case VT_EMPTY:
    case VT_NULL: out = {}; return true;
    case VT_I2: out = SqlValue::ofInteger(key.iVal); return true;
    case VT_I4: out = SqlValue::ofInteger(key.lVal); return true;
    case VT_UI1: out = SqlValue::ofInteger(key.bVal); return true;
    case VT_BOOL: out = SqlValue::ofInteger(key.boolVal ? -1 : 0); return true;
    case VT_R4: out = SqlValue::ofReal(key.fltVal); return true;
    case VT_R8: out = SqlValue::ofReal(key.dblVal); return true;
    case VT_BSTR: out = SqlValue::ofText(bstrToUtf8(key.bstrVal)); return true;
    default: return false;
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
