// A project database component that records the calls it gets and answers
// Seek, Seek3 and SelectColumn with prepared results; everything else fails.
#pragma once

#include <string>
#include <vector>

#include "com/safearray.h"
#include "projectdb/IProjectDatabase.h"

class RecordingProjectDatabase : public IProjectDatabase {
public:
    struct Call {
        std::string name;
        std::wstring table, index;
        std::vector<VARIANT> keys;  // copies of the key VARIANTs (numbers only)
    };
    std::vector<Call> calls;
    bool found = true;
    _variant_t answer;  // the field list a seek answers with

    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }

    HRESULT SetTable(BSTR table, BSTR index, VARIANT_BOOL* ready) override {
        calls.push_back({"SetTable", table, index, {}});
        *ready = VARIANT_TRUE;
        return S_OK;
    }
    HRESULT Seek(const VARIANT& key1, VARIANT* fields, VARIANT_BOOL* ok) override {
        return seek("Seek", {key1}, fields, ok);
    }
    HRESULT Seek3(const VARIANT& k1, const VARIANT& k2, const VARIANT& k3, VARIANT* fields, VARIANT_BOOL* ok) override {
        return seek("Seek3", {k1, k2, k3}, fields, ok);
    }

    HRESULT OpenProject(BSTR, SHORT, SHORT, BSTR*) override { return fail("OpenProject"); }
    HRESULT MoveFirst(VARIANT*, VARIANT_BOOL*) override { return fail("MoveFirst"); }
    HRESULT MoveNext(LONG, VARIANT*, VARIANT_BOOL*) override { return fail("MoveNext"); }
    HRESULT IsOpen(VARIANT_BOOL*) override { return fail("IsOpen"); }
    HRESULT AddNew(const VARIANT&, const VARIANT&, VARIANT*, VARIANT_BOOL*) override { return fail("AddNew"); }
    HRESULT ResetSession(VARIANT*) override { return fail("ResetSession"); }
    HRESULT Close(VARIANT*) override { return fail("Close"); }
    HRESULT GetLastError(LONG* number, BSTR* text) override {
        *number = 0;
        *text = SysAllocString(L"");
        return S_OK;
    }
    HRESULT HasError(VARIANT_BOOL* pending) override {
        *pending = VARIANT_FALSE;
        return S_OK;
    }
    HRESULT Update(const VARIANT&, VARIANT*, VARIANT_BOOL*) override { return fail("Update"); }
    HRESULT Seek2(const VARIANT&, const VARIANT&, VARIANT*, VARIANT_BOOL*) override { return fail("Seek2"); }
    HRESULT SelectColumn(BSTR, VARIANT*, VARIANT_BOOL*) override { return fail("SelectColumn"); }
    HRESULT Execute(BSTR, VARIANT_BOOL*) override { return fail("Execute"); }
    HRESULT OpenDatabase(BSTR, VARIANT_BOOL*, VARIANT_BOOL*) override { return fail("OpenDatabase"); }
    HRESULT IsEOF(VARIANT_BOOL*) override { return fail("IsEOF"); }
    HRESULT IsBOF(VARIANT_BOOL*) override { return fail("IsBOF"); }
    HRESULT BeginTrans(LONG*) override { return fail("BeginTrans"); }
    HRESULT CommitTrans() override { return fail("CommitTrans"); }
    HRESULT RollbackTrans() override { return fail("RollbackTrans"); }

private:
    HRESULT fail(const char* name) {
        calls.push_back({name, L"", L"", {}});
        return E_FAIL;
    }
    HRESULT seek(const char* name, std::vector<VARIANT> keys, VARIANT* fields, VARIANT_BOOL* ok) {
        calls.push_back({name, L"", L"", keys});
        *ok = found ? VARIANT_TRUE : VARIANT_FALSE;
        VariantInit(fields);
        if (found) VariantCopy(fields, &answer);
        return S_OK;
    }
};
