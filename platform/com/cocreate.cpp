// The class registry behind CoCreateInstance.
#include "com/cocreate.h"

#include <map>
#include <mutex>

namespace {
std::mutex& registryMutex()
{
    static std::mutex m;
    return m;
}
std::map<CLSID, ClassFactory>& registry()
{
    static std::map<CLSID, ClassFactory> r;
    return r;
}
}

void CoRegisterClassFactory(REFCLSID clsid, ClassFactory factory)
{
    std::lock_guard lock(registryMutex());
    registry()[clsid] = std::move(factory);
}

void CoRevokeClassFactory(REFCLSID clsid)
{
    std::lock_guard lock(registryMutex());
    registry().erase(clsid);
}

HRESULT CoInitialize(void*) { return S_OK; }
void CoUninitialize() {}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if ((context & CLSCTX_ALL) == 0) return E_INVALIDARG;
    ClassFactory factory;
    {
        std::lock_guard lock(registryMutex());
        auto it = registry().find(clsid);
        if (it == registry().end()) return REGDB_E_CLASSNOTREG;
        factory = it->second;
    }
    return factory(iid, object);
}

HRESULT OleRun(IUnknown* object) { return object ? S_OK : E_INVALIDARG; }
