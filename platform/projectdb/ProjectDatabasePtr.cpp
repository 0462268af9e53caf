// Raising _com_error for failed component calls.
#include "projectdb/ProjectDatabasePtr.h"

#include "com/cocreate.h"

HRESULT IProjectDatabasePtr::CreateInstance(REFCLSID clsid)
{
    mDb.reset();
    ComPtr<IUnknown> unknown;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, unknown.putVoid());
    if (FAILED(hr)) return hr;
    hr = OleRun(unknown.get());
    if (FAILED(hr)) return hr;
    return unknown->QueryInterface(IID_IProjectDatabase, mDb.putVoid());
}

IProjectDatabase* IProjectDatabasePtr::checked() const
{
    if (!mDb) _com_issue_errorex(E_POINTER, IID_IProjectDatabase);
    return mDb.get();
}

void IProjectDatabasePtr::check(HRESULT hr) const
{
    if (SUCCEEDED(hr)) return;
    if (hr == E_OUTOFMEMORY) _com_issue_errorex(hr, IID_IProjectDatabase);
    LONG number = 0;
    BSTR text = nullptr;
    std::wstring description;
    if (SUCCEEDED(mDb->GetLastError(&number, &text)) && text) description = std::wstring(text, SysStringLen(text));
    SysFreeString(text);
    _com_issue_errorex(hr, IID_IProjectDatabase, std::move(description));
}

_bstr_t IProjectDatabasePtr::OpenProject(const _bstr_t& path, SHORT flag1, SHORT flag2)
{
    _bstr_t status;
    check(checked()->OpenProject(path.GetBSTR(), flag1, flag2, status.GetAddress()));
    return status;
}

bool IProjectDatabasePtr::SetTable(const _bstr_t& table, const _bstr_t& index)
{
    VARIANT_BOOL ready = VARIANT_FALSE;
    check(checked()->SetTable(table.GetBSTR(), index.GetBSTR(), &ready));
    return ready != VARIANT_FALSE;
}

bool IProjectDatabasePtr::MoveFirst(_variant_t& fields)
{
    VARIANT_BOOL ok = VARIANT_FALSE;
    check(checked()->MoveFirst(fields.GetAddress(), &ok));
    return ok != VARIANT_FALSE;
}

bool IProjectDatabasePtr::MoveNext(LONG count, _variant_t& fields)
{
    VARIANT_BOOL ok = VARIANT_FALSE;
    check(checked()->MoveNext(count, fields.GetAddress(), &ok));
    return ok != VARIANT_FALSE;
}

bool IProjectDatabasePtr::IsOpen()
{
    VARIANT_BOOL open = VARIANT_FALSE;
    check(checked()->IsOpen(&open));
    return open != VARIANT_FALSE;
}

bool IProjectDatabasePtr::AddNew(const _variant_t& fields, _variant_t& newFields)
{
    VARIANT_BOOL ok = VARIANT_FALSE;
    _variant_t unused;
    unused.vt = VT_NULL;
    check(checked()->AddNew(fields, unused, newFields.GetAddress(), &ok));
    return ok != VARIANT_FALSE;
}

void IProjectDatabasePtr::ResetSession()
{
    _variant_t ignored;
    check(checked()->ResetSession(&ignored));
}

void IProjectDatabasePtr::Close()
{
    _variant_t ignored;
    check(checked()->Close(&ignored));
}

LONG IProjectDatabasePtr::GetLastError(_bstr_t& text)
{
    LONG number = 0;
    check(checked()->GetLastError(&number, text.GetAddress()));
    return number;
}

bool IProjectDatabasePtr::HasError()
{
    VARIANT_BOOL pending = VARIANT_FALSE;
    check(checked()->HasError(&pending));
    return pending != VARIANT_FALSE;
}

bool IProjectDatabasePtr::Update(const _variant_t& fields, _variant_t& newFields)
{
    VARIANT_BOOL ok = VARIANT_FALSE;
    check(checked()->Update(fields, newFields.GetAddress(), &ok));
    return ok != VARIANT_FALSE;
}

bool IProjectDatabasePtr::Seek(const _variant_t& key, _variant_t& fields)
{
    VARIANT_BOOL found = VARIANT_FALSE;
    check(checked()->Seek(key, fields.GetAddress(), &found));
    return found != VARIANT_FALSE;
}

bool IProjectDatabasePtr::Seek2(const _variant_t& key1, const _variant_t& key2, _variant_t& fields)
{
    VARIANT_BOOL found = VARIANT_FALSE;
    check(checked()->Seek2(key1, key2, fields.GetAddress(), &found));
    return found != VARIANT_FALSE;
}

bool IProjectDatabasePtr::Seek3(const _variant_t& key1, const _variant_t& key2, const _variant_t& key3,
                                _variant_t& fields)
{
    VARIANT_BOOL found = VARIANT_FALSE;
    check(checked()->Seek3(key1, key2, key3, fields.GetAddress(), &found));
    return found != VARIANT_FALSE;
}

bool IProjectDatabasePtr::SelectColumn(const _bstr_t& sql, _variant_t& values)
{
    VARIANT_BOOL rows = VARIANT_FALSE;
    check(checked()->SelectColumn(sql.GetBSTR(), values.GetAddress(), &rows));
    return rows != VARIANT_FALSE;
}

bool IProjectDatabasePtr::Execute(const _bstr_t& sql)
{
    VARIANT_BOOL ok = VARIANT_FALSE;
    check(checked()->Execute(sql.GetBSTR(), &ok));
    return ok != VARIANT_FALSE;
}

bool IProjectDatabasePtr::OpenDatabase(const _bstr_t& path, bool& readOnly)
{
    VARIANT_BOOL ro = VARIANT_FALSE, opened = VARIANT_FALSE;
    check(checked()->OpenDatabase(path.GetBSTR(), &ro, &opened));
    readOnly = ro != VARIANT_FALSE;
    return opened != VARIANT_FALSE;
}

bool IProjectDatabasePtr::IsEOF()
{
    VARIANT_BOOL eof = VARIANT_FALSE;
    check(checked()->IsEOF(&eof));
    return eof != VARIANT_FALSE;
}

bool IProjectDatabasePtr::IsBOF()
{
    VARIANT_BOOL bof = VARIANT_FALSE;
    check(checked()->IsBOF(&bof));
    return bof != VARIANT_FALSE;
}

LONG IProjectDatabasePtr::BeginTrans()
{
    LONG level = 0;
    check(checked()->BeginTrans(&level));
    return level;
}

void IProjectDatabasePtr::CommitTrans() { check(checked()->CommitTrans()); }

void IProjectDatabasePtr::RollbackTrans() { check(checked()->RollbackTrans()); }
