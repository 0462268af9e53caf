// Caller-side smart pointer to IProjectDatabase: holds one reference and
// turns every failing call into _com_error carrying IID_IProjectDatabase and
// the component's error text (E_POINTER when it holds no interface).
#pragma once

#include "com/comerror.h"
#include "com/comptr.h"
#include "com/comutil.h"
#include "projectdb/IProjectDatabase.h"

class IProjectDatabasePtr {
public:
    IProjectDatabasePtr() = default;
    IProjectDatabasePtr(std::nullptr_t) {}
    // Adds a reference to db.
    explicit IProjectDatabasePtr(IProjectDatabase* db) : mDb(db) {}

    // CoCreateInstance of the class (CLSCTX_ALL), created as IUnknown, run
    // with OleRun, then queried for the interface. Returns the HRESULT.
    HRESULT CreateInstance(REFCLSID clsid = CLSID_ProjectDatabase);
    void Release() { mDb.reset(); }
    IProjectDatabase* GetInterfacePtr() const { return mDb.get(); }
    explicit operator bool() const { return static_cast<bool>(mDb); }

    // Status text: "" failed, "*REPAIR*" damaged, else open.
    _bstr_t OpenProject(const _bstr_t& path, SHORT flag1 = 0, SHORT flag2 = 0);
    bool SetTable(const _bstr_t& table, const _bstr_t& index);
    bool MoveFirst(_variant_t& fields);
    bool MoveNext(LONG count, _variant_t& fields);
    bool IsOpen();
    bool AddNew(const _variant_t& fields, _variant_t& newFields);
    void ResetSession();
    void Close();
    LONG GetLastError(_bstr_t& text);
    bool HasError();
    bool Update(const _variant_t& fields, _variant_t& newFields);
    bool Seek(const _variant_t& key, _variant_t& fields);
    bool Seek2(const _variant_t& key1, const _variant_t& key2, _variant_t& fields);
    bool Seek3(const _variant_t& key1, const _variant_t& key2, const _variant_t& key3, _variant_t& fields);
    bool SelectColumn(const _bstr_t& sql, _variant_t& values);
    bool Execute(const _bstr_t& sql);
    bool OpenDatabase(const _bstr_t& path, bool& readOnly);
    bool IsEOF();
    bool IsBOF();
    // The level begun (1 for the outermost).
    LONG BeginTrans();
    void CommitTrans();
    void RollbackTrans();

private:
    IProjectDatabase* checked() const;
    void check(HRESULT hr) const;

    ComPtr<IProjectDatabase> mDb;
};
