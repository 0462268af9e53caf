// Record objects over the project database component.
#include "project/DbRecord.h"

#include <cmath>

#include "projectdb/fieldlisthelpers.h"

DbRecord::DbRecord(IProjectDatabasePtr db, std::wstring table, std::wstring keyField)
    : mDb(std::move(db)), mTable(std::move(table)), mKeyField(std::move(keyField)) {}

void DbRecord::clear() {
    mFields = _variant_t();
    mChanged.clear();
    mIsNew = true;
    mReadKey.reset();
}

bool DbRecord::load(bool found, const _variant_t& fields) {
    clear();
    if (!found) return false;
    mFields = fields;
    mIsNew = false;
    mReadKey = integer(mKeyField);
    return true;
}

bool DbRecord::read(const std::wstring& index, const _variant_t& key1) {
    if (!mDb) return load(false, {});
    _variant_t fields;
    mDb.SetTable(mTable.c_str(), index.c_str());
    bool found = mDb.Seek(key1, fields);
    return load(found, fields);
}

bool DbRecord::read(const std::wstring& index, const _variant_t& key1, const _variant_t& key2) {
    if (!mDb) return load(false, {});
    _variant_t fields;
    mDb.SetTable(mTable.c_str(), index.c_str());
    bool found = mDb.Seek2(key1, key2, fields);
    return load(found, fields);
}

bool DbRecord::read(const std::wstring& index, const _variant_t& key1, const _variant_t& key2,
                    const _variant_t& key3) {
    if (!mDb) return load(false, {});
    _variant_t fields;
    mDb.SetTable(mTable.c_str(), index.c_str());
    bool found = mDb.Seek3(key1, key2, key3, fields);
    return load(found, fields);
}

const VARIANT* DbRecord::value(std::wstring_view field) const {
    if (auto changed = mChanged.find(field); changed != mChanged.end()) return &changed->second;
    if (mIsNew) return nullptr;
    const VARIANT* v = fieldValue(mFields, field);
    if (!v || v->vt == VT_EMPTY || v->vt == VT_NULL) return nullptr;
    return v;
}

std::optional<std::wstring> DbRecord::text(std::wstring_view field) const {
    const VARIANT* v = value(field);
    if (!v || v->vt != VT_BSTR) return std::nullopt;
    std::wstring s(v->bstrVal, SysStringLen(v->bstrVal));
    while (!s.empty() && s.back() == L' ') s.pop_back();
    return s;
}

std::optional<double> DbRecord::number(std::wstring_view field) const {
    const VARIANT* v = value(field);
    if (!v) return std::nullopt;
    switch (v->vt) {
    case VT_R8: return v->dblVal;
    case VT_R4: return v->fltVal;
    case VT_I4: return v->lVal;
    case VT_I2: return v->iVal;
    case VT_UI1: return v->bVal;
    case VT_BOOL: return v->boolVal ? -1.0 : 0.0;
    default: return std::nullopt;
    }
}

std::optional<int32_t> DbRecord::integer(std::wstring_view field) const {
    const VARIANT* v = value(field);
    if (!v) return std::nullopt;
    switch (v->vt) {
    case VT_I2: return v->iVal;
    case VT_BOOL: return v->boolVal;
    case VT_I4: return v->lVal;
    case VT_UI1: return v->bVal;
    case VT_R4: return static_cast<int32_t>(std::trunc(v->fltVal));
    case VT_R8: return static_cast<int32_t>(std::trunc(v->dblVal));
    default: return std::nullopt;
    }
}

std::optional<bool> DbRecord::boolean(std::wstring_view field) const {
    std::optional<int32_t> n = integer(field);
    if (!n) return std::nullopt;
    return *n != 0;
}

void DbRecord::setText(const std::wstring& field, const std::wstring& v) { mChanged[field] = _variant_t(v); }
void DbRecord::setNumber(const std::wstring& field, double v) { mChanged[field] = _variant_t(v); }
void DbRecord::setInteger(const std::wstring& field, int32_t v) { mChanged[field] = _variant_t(static_cast<int>(v)); }

bool DbRecord::save() {
    if (!mDb || mChanged.empty()) return false;
    std::vector<std::pair<std::wstring, _variant_t>> pairs(mChanged.begin(), mChanged.end());
    _variant_t fields = makeFieldList(pairs);
    _variant_t stored;
    bool ok = false;
    if (mIsNew) {
        mDb.SetTable(mTable.c_str(), L"");
        ok = mDb.AddNew(fields, stored);
    } else {
        _variant_t current;
        mDb.SetTable(mTable.c_str(), mKeyField.c_str());
        if (mReadKey && mDb.Seek(_variant_t(static_cast<int>(*mReadKey)), current)) ok = mDb.Update(fields, stored);
    }
    if (ok) load(true, stored);
    return ok;
}
