// The project database component's interface: tables reached by name and
// index, records exchanged as field lists (a VARIANT holding a 1-D SAFEARRAY
// of VT_VARIANT alternating field name and value).
#pragma once

#include "com/bstr.h"
#include "com/comtypes.h"
#include "com/guid.h"
#include "com/unknown.h"
#include "com/variant.h"

// {2C4ED17D-80E4-4416-BF2B-2C8D9F117E44}
extern const IID IID_IProjectDatabase;
// {4D6FDF05-A48B-43B0-B640-64B299548BC4}
extern const CLSID CLSID_ProjectDatabase;

// Error numbers reported by GetLastError beside the database's own codes.
enum ProjectDatabaseError : LONG {
    kDbErrNoCurrentRecord = 3021,  // no current record
    kDbErrDiskOrNetwork = 3043,    // disk or network failure
    kDbErrRecordChanged = 3197,    // the row changed since it was read
    kDbErrLocked = 3218,           // another user held a lock past the busy timeout
    kDbErrNotOpen = 3420,          // no database is open
    kDbErrNoTable = 3078,          // SetTable not called or table unknown
    kDbErrBadIndex = 3800,         // index not known for the table
    kDbErrBadFieldList = 3265,     // field list malformed
    kDbErrNoTransaction = 3034,    // CommitTrans or RollbackTrans without BeginTrans
};

// Every call returns a failing HRESULT when it could not do its work; the
// error is then pending (HasError) and described by GetLastError until the
// next call other than HasError/GetLastError. Flags are VARIANT_BOOL.
// Out field lists and arrays are owned by the caller (VariantClear).
struct IProjectDatabase : IUnknown {
    // Opens an existing project file. *status: "" failed (error pending),
    // "*REPAIR*" damaged, anything else open.
    virtual HRESULT OpenProject(BSTR path, SHORT flag1, SHORT flag2, BSTR* status) = 0;
    // Selects the table and the index ("" for none) later calls work on.
    virtual HRESULT SetTable(BSTR table, BSTR index, VARIANT_BOOL* ready) = 0;
    virtual HRESULT MoveFirst(VARIANT* fields, VARIANT_BOOL* ok) = 0;
    virtual HRESULT MoveNext(LONG count, VARIANT* fields, VARIANT_BOOL* ok) = 0;
    virtual HRESULT IsOpen(VARIANT_BOOL* open) = 0;
    // Inserts a record from the field list; *newFields is the stored record
    // with the key the database assigned.
    virtual HRESULT AddNew(const VARIANT& fields, const VARIANT& unused, VARIANT* newFields, VARIANT_BOOL* ok) = 0;
    virtual HRESULT ResetSession(VARIANT* ignored) = 0;
    virtual HRESULT Close(VARIANT* ignored) = 0;
    virtual HRESULT GetLastError(LONG* number, BSTR* text) = 0;
    virtual HRESULT HasError(VARIANT_BOOL* pending) = 0;
    // Rewrites the current record's given fields.
    virtual HRESULT Update(const VARIANT& fields, VARIANT* newFields, VARIANT_BOOL* ok) = 0;
    // Finds the first record whose index columns equal the keys (VT_I4 or
    // VT_BSTR; VT_EMPTY or VT_NULL matches a null column).
    virtual HRESULT Seek(const VARIANT& key1, VARIANT* fields, VARIANT_BOOL* found) = 0;
    virtual HRESULT Seek2(const VARIANT& key1, const VARIANT& key2, VARIANT* fields, VARIANT_BOOL* found) = 0;
    virtual HRESULT Seek3(const VARIANT& key1, const VARIANT& key2, const VARIANT& key3, VARIANT* fields,
                          VARIANT_BOOL* found) = 0;
    // Runs a query; *values is a 1-D VT_VARIANT array of its first column.
    virtual HRESULT SelectColumn(BSTR sql, VARIANT* values, VARIANT_BOOL* rows) = 0;
    virtual HRESULT Execute(BSTR sql, VARIANT_BOOL* ok) = 0;
    // Opens a project file; read-only when the file or its folder is.
    virtual HRESULT OpenDatabase(BSTR path, VARIANT_BOOL* readOnly, VARIANT_BOOL* opened) = 0;
    virtual HRESULT IsEOF(VARIANT_BOOL* eof) = 0;
    virtual HRESULT IsBOF(VARIANT_BOOL* bof) = 0;

    // Transactions of the connection: the writes between BeginTrans and
    // CommitTrans are stored all together or, after RollbackTrans or a
    // failure that ends the transaction, not at all. Transactions nest:
    // *level is the depth begun (1 for the outermost); an inner
    // RollbackTrans undoes only the writes since its own BeginTrans, and
    // only the outermost CommitTrans stores anything. The write lock is
    // taken at the first write, so a transaction that only reads locks
    // nothing. CommitTrans and RollbackTrans without a transaction fail
    // with 3034; closing or opening a file rolls back what is open.
    // RollbackTrans leaves a pending error as it was.
    virtual HRESULT BeginTrans(LONG* level) = 0;
    virtual HRESULT CommitTrans() = 0;
    virtual HRESULT RollbackTrans() = 0;

protected:
    ~IProjectDatabase() = default;
};
