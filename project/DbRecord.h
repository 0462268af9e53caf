// A record object: one row of one table read through the project database
// component, with a changed flag per field and the key it was read with.
// Saving sends only the changed fields.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "projectdb/ProjectDatabasePtr.h"

class DbRecord {
public:
    // keyField names the table's integer row key (e.g. L"ixGlobal").
    DbRecord(IProjectDatabasePtr db, std::wstring table, std::wstring keyField);

    // SetTable with the index, then Seek with one, two or three keys. Loads
    // the row when found (and forgets changes); a fresh record otherwise.
    // Database failures raise _com_error.
    bool read(const std::wstring& index, const _variant_t& key1);
    bool read(const std::wstring& index, const _variant_t& key1, const _variant_t& key2);
    bool read(const std::wstring& index, const _variant_t& key1, const _variant_t& key2, const _variant_t& key3);
    // Forgets the row: a fresh, not yet stored record.
    void clear();

    bool found() const { return !mIsNew; }
    // Values; nullopt when the field is null or missing.
    std::optional<std::wstring> text(std::wstring_view field) const;
    std::optional<double> number(std::wstring_view field) const;
    std::optional<int32_t> integer(std::wstring_view field) const;
    std::optional<bool> boolean(std::wstring_view field) const;

    // Setters mark the field changed.
    void setText(const std::wstring& field, const std::wstring& value);
    void setNumber(const std::wstring& field, double value);
    void setInteger(const std::wstring& field, int32_t value);
    bool modified() const { return !mChanged.empty(); }

    // AddNew for a new record, else Seek by the key it was read with and
    // Update; the stored row is read back. Raises _com_error on failure.
    bool save();
    IProjectDatabasePtr& database() { return mDb; }

private:
    bool load(bool found, const _variant_t& fields);
    const VARIANT* value(std::wstring_view field) const;

    IProjectDatabasePtr mDb;
    std::wstring mTable;
    std::wstring mKeyField;
    _variant_t mFields;
    std::map<std::wstring, _variant_t, std::less<>> mChanged;
    bool mIsNew = true;
    std::optional<int32_t> mReadKey;
};
