// Creating component instances by class id from a process-wide registry of
// class factories, and running them.
#pragma once

#include <functional>

#include "com/comtypes.h"
#include "com/guid.h"
#include "com/unknown.h"

// Creates an instance and answers the interface iid through *object.
using ClassFactory = std::function<HRESULT(REFIID iid, void** object)>;

// Registers (or replaces) the factory for a class id.
void CoRegisterClassFactory(REFCLSID clsid, ClassFactory factory);
void CoRevokeClassFactory(REFCLSID clsid);

HRESULT CoInitialize(void* reserved);
void CoUninitialize();
// REGDB_E_CLASSNOTREG for an unknown class, CLASS_E_NOAGGREGATION when
// outer is given, E_POINTER for a null object slot.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);
// Puts a server object into its running state; in-process objects already are.
HRESULT OleRun(IUnknown* object);
