// Class registry, reference counting and the error object.
#include <gtest/gtest.h>

#include "com/cocreate.h"
#include "com/comerror.h"
#include "com/comptr.h"

namespace {
const CLSID kClass = *guidFromString("{11111111-2222-3333-4444-555555555555}");
const IID kOther = *guidFromString("{66666666-2222-3333-4444-555555555555}");
int gLive = 0;

struct Counted final : IUnknown {
    ULONG refs = 1;
    Counted() { ++gLive; }
    ~Counted() { --gLive; }
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown) return E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override
    {
        ULONG left = --refs;
        if (!left) delete this;
        return left;
    }
};
}  // namespace

TEST(ClassRegistry, CreatesRegisteredClassAndCountsReferencesToZero)
{
    CoRegisterClassFactory(kClass, [](REFIID iid, void** object) {
        auto* o = new Counted;
        HRESULT hr = o->QueryInterface(iid, object);
        o->Release();
        return hr;
    });
    {
        ComPtr<IUnknown> a;
        ASSERT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_ALL, IID_IUnknown, a.putVoid()), S_OK);
        EXPECT_EQ(OleRun(a.get()), S_OK);
        ComPtr<IUnknown> b = a;
        EXPECT_EQ(gLive, 1);
        void* none = reinterpret_cast<void*>(1);
        EXPECT_EQ(a->QueryInterface(kOther, &none), E_NOINTERFACE);
    }
    EXPECT_EQ(gLive, 0);

    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_ALL, kOther, &object), E_NOINTERFACE);
    EXPECT_EQ(gLive, 0);
    CoRevokeClassFactory(kClass);
    EXPECT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_ALL, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(kClass, nullptr, CLSCTX_ALL, IID_IUnknown, nullptr), E_POINTER);
}

TEST(ComError, CarriesStatusInterfaceAndDescription)
{
    try {
        _com_issue_errorex(E_FAIL, kOther, L"no such table: tblX");
        FAIL();
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), E_FAIL);
        EXPECT_EQ(e.GUID(), kOther);
        EXPECT_EQ(e.ErrorMessage(), L"no such table: tblX");
    }
    EXPECT_EQ(_com_error(E_POINTER).ErrorMessage(), L"Invalid pointer");
    EXPECT_TRUE(FAILED(E_OUTOFMEMORY));
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
}
