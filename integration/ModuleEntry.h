// The module's answers to the host's application messages.
#pragma once

#include <functional>

#include "runtime/rxapp.h"

inline constexpr const char* kModuleVersion = "7.3.48 (25084)";
inline constexpr const char* kSolidLibraryName = "zk_zk-solid2015x64.dbx";

// Runs one message's work inside the module's exception handlers: framework
// exceptions print "General Error", anything else the system or module error
// text; both turn the result into kRetError.
AcRx::AppRetCode runGuarded(const std::function<AcRx::AppRetCode()>& work);

AcRx::AppRetCode initApplication(void* appId);
AcRx::AppRetCode unloadApplication();
AcRx::AppRetCode loadDrawing();

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId);
extern "C" int acrxGetApiVersion();
