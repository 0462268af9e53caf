// A project database component that passes every call on to a real one and
// keeps the field lists sent with AddNew and Update, so tests can see what
// a record object sends.
#pragma once

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "com/comutil.h"
#include "projectdb/IProjectDatabase.h"
#include "projectdb/ProjectDatabasePtr.h"

class RecordingDatabase final : public IProjectDatabase {
public:
    struct Sent {
        std::string operation;                               // "AddNew" or "Update"
        std::vector<std::pair<std::wstring, _variant_t>> fields;
    };

    explicit RecordingDatabase(IProjectDatabasePtr inner) : mInner(std::move(inner)) {}
    std::vector<Sent> sent;

    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IProjectDatabase) {
            *object = static_cast<IProjectDatabase*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++mRefs; }
    ULONG Release() override {
        ULONG left = --mRefs;
        if (left == 0) delete this;
        return left;
    }

    HRESULT OpenProject(BSTR p, SHORT a, SHORT b, BSTR* s) override { return db()->OpenProject(p, a, b, s); }
    HRESULT SetTable(BSTR t, BSTR i, VARIANT_BOOL* r) override { return db()->SetTable(t, i, r); }
    HRESULT MoveFirst(VARIANT* f, VARIANT_BOOL* ok) override { return db()->MoveFirst(f, ok); }
    HRESULT MoveNext(LONG c, VARIANT* f, VARIANT_BOOL* ok) override { return db()->MoveNext(c, f, ok); }
    HRESULT IsOpen(VARIANT_BOOL* o) override { return db()->IsOpen(o); }
    HRESULT AddNew(const VARIANT& f, const VARIANT& u, VARIANT* n, VARIANT_BOOL* ok) override {
        record("AddNew", f);
        return db()->AddNew(f, u, n, ok);
    }
    HRESULT ResetSession(VARIANT* i) override { return db()->ResetSession(i); }
    HRESULT Close(VARIANT* i) override { return db()->Close(i); }
    HRESULT GetLastError(LONG* n, BSTR* t) override { return db()->GetLastError(n, t); }
    HRESULT HasError(VARIANT_BOOL* p) override { return db()->HasError(p); }
    HRESULT Update(const VARIANT& f, VARIANT* n, VARIANT_BOOL* ok) override {
        record("Update", f);
        return db()->Update(f, n, ok);
    }
    HRESULT Seek(const VARIANT& k, VARIANT* f, VARIANT_BOOL* found) override { return db()->Seek(k, f, found); }
    HRESULT Seek2(const VARIANT& a, const VARIANT& b, VARIANT* f, VARIANT_BOOL* found) override {
        return db()->Seek2(a, b, f, found);
    }
    HRESULT Seek3(const VARIANT& a, const VARIANT& b, const VARIANT& c, VARIANT* f, VARIANT_BOOL* found) override {
        return db()->Seek3(a, b, c, f, found);
    }
    HRESULT SelectColumn(BSTR s, VARIANT* v, VARIANT_BOOL* r) override { return db()->SelectColumn(s, v, r); }
    HRESULT Execute(BSTR s, VARIANT_BOOL* ok) override { return db()->Execute(s, ok); }
    HRESULT OpenDatabase(BSTR p, VARIANT_BOOL* ro, VARIANT_BOOL* o) override { return db()->OpenDatabase(p, ro, o); }
    HRESULT IsEOF(VARIANT_BOOL* e) override { return db()->IsEOF(e); }
    HRESULT IsBOF(VARIANT_BOOL* b) override { return db()->IsBOF(b); }
    HRESULT BeginTrans(LONG* level) override { return db()->BeginTrans(level); }
    HRESULT CommitTrans() override { return db()->CommitTrans(); }
    HRESULT RollbackTrans() override { return db()->RollbackTrans(); }

private:
    ~RecordingDatabase() = default;
    IProjectDatabase* db() { return mInner.GetInterfacePtr(); }
    void record(const char* operation, const VARIANT& fields) {
        Sent s{operation, {}};
        if (fields.vt == (VT_ARRAY | VT_VARIANT) && fields.parray) {
            ULONG count = fields.parray->rgsabound[0].cElements;
            const auto* items = static_cast<const VARIANT*>(fields.parray->pvData);
            for (ULONG i = 0; i + 1 < count; i += 2)
                s.fields.emplace_back(std::wstring(items[i].bstrVal, SysStringLen(items[i].bstrVal)), items[i + 1]);
        }
        sent.push_back(std::move(s));
    }

    std::atomic<ULONG> mRefs{1};
    IProjectDatabasePtr mInner;
};
