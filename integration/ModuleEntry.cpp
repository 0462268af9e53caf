// Module entry point: answers the host's application messages.
#include "integration/ModuleEntry.h"

#include <cstdlib>
#include <ctime>

#include "ads/ads.h"
#include "integration/DocData.h"
#include "integration/FunctionTable.h"
#include "integration/ModuleLifetime.h"
#include "integration/ModuleClasses.h"
#include "runtime/exceptions.h"

namespace {

// Command groups of the product's other modules, removed when we unload.
constexpr const char* kForeignCommandGroups[] = {"ZK_HVAC-DUCT_COMMANDS", "ZK_ELEC-COMMANDS", "ZK_BLDG-COMMANDS"};

} // namespace

AcRx::AppRetCode runGuarded(const std::function<AcRx::AppRetCode()>& work) {
    try {
        return work();
    } catch (CException* e) {
        char message[1000];
        e->GetErrorMessage(message, sizeof message);
        acutPrintf("\nGeneral Error:  %s", message);
        e->Delete();
        return AcRx::kRetError;
    } catch (...) {
        if (uint32_t error = GetLastError()) {
            acutPrintf("\nSystem error %u.\n", error);
        } else {
            acutPrintf("\nOrvane error.\nClosing AutoCAD and reopening it should fix this problem.\n"
                       "If that doesn't work, try using the \"Database Utilities->Repair Database\" command.\n");
        }
        return AcRx::kRetError;
    }
}

AcRx::AppRetCode initApplication(void* appId) {
    acrxLoadModule(kSolidLibraryName, false, false);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    acrxUnlockApplication(appId);
    acrxRegisterAppMDIAware(appId);
    gDocDataManager = new DocDataManager;
    if (zkPerDocData* current = gDocDataManager->currentDocData()) current->project()->makeReady(false);
    registerModuleClasses();
    acrxBuildClassHierarchy();
    return AcRx::kRetOK;
}

AcRx::AppRetCode unloadApplication() {
    // The host would call into unloaded code for these: refuse instead.
    if (long objects = liveModuleObjects()) {
        acutPrintf("\nThe Orvane HVAC module cannot be unloaded: %ld of its objects (rooms, leaders) still exist. "
                   "Close the drawings that hold them first.",
                   objects);
        return AcRx::kRetError;
    }
    if (runningModuleCalls()) {
        acutPrintf("\nThe Orvane HVAC module cannot be unloaded while one of its functions is running.");
        return AcRx::kRetError;
    }
    delete gDocDataManager;
    gDocDataManager = nullptr;
    for (const char* group : kForeignCommandGroups)
        if (AcEdCommandStack* stack = AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK)))
            stack->removeGroup(group);
    deleteModuleClasses();
    acrxUnloadModule(kSolidLibraryName, false);
    return AcRx::kRetOK;
}

AcRx::AppRetCode loadDrawing() {
    acutPrintf("\nLoading Orvane HVAC ARX %s", kModuleVersion);
    acutPrintf("\nCopyright (c) Orvane Software. All rights reserved.");
    registerFunctionTable(kLispFunctionTable, kLispFunctionCount, 0);
    return AcRx::kRetOK;
}

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message,
                                                                                  void* appId) {
    switch (message) {
    case AcRx::kInitAppMsg: return runGuarded([&] { return initApplication(appId); });
    case AcRx::kUnloadAppMsg: return runGuarded([] { return unloadApplication(); });
    case AcRx::kLoadDwgMsg: return runGuarded([] { return loadDrawing(); });
    default: return AcRx::kRetOK;
    }
}

// The host API version this module was built for.
extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() { return 20; }
