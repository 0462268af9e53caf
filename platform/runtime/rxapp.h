// Application messages, application file loading and the command stack.
#pragma once

#include <string>

#include "runtime/rxobject.h"

namespace AcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
};
enum AppRetCode {
    kRetOK = 0,
    kRetError = 3,
};
} // namespace AcRx

// The entry point every application file exports by this name.
using AcRxEntryPointFunction = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void* appId);
inline constexpr const char* kAcRxEntryPointName = "acrxEntryPoint";

// Loads an application file (a shared object) by name: an absolute or
// relative path, else looked up beside the host program and in the folders of
// ORVANE_SUPPORT. Sends kInitAppMsg. Returns false when it cannot be loaded
// or its initialisation fails.
bool acrxLoadModule(const char* moduleName, bool printIt, bool asCmd = false);
// Sends kUnloadAppMsg and releases the file, unless the application answers
// kRetError (it refuses: it stays loaded and false is returned).
bool acrxUnloadModule(const char* moduleName, bool asCmd = false);
// Sends a message to one loaded application (by the name it was loaded as),
// or to every loaded application when moduleName is null. Returns the last
// non-OK code, or kRetOK.
AcRx::AppRetCode acrxSendAppMessage(const char* moduleName, AcRx::AppMsgCode message);
// Text of the last load failure, for the host's messages.
const std::string& acrxLastLoadError();

bool acrxUnlockApplication(void* appId);
bool acrxApplicationIsLocked(const char* moduleName);
bool acrxRegisterAppMDIAware(void* appId);

// Registered command groups ("ACAD_REGISTERED_COMMANDS" in the system
// registry).
class AcEdCommandStack : public AcRxObject {
public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;
    static AcEdCommandStack* cast(const AcRxObject* object);
    void addGroup(const std::string& groupName);
    bool hasGroup(const std::string& groupName) const;
    // Removes a command group; returns false when it did not exist.
    bool removeGroup(const char* groupName);

private:
    std::map<std::string, int> mGroups;
};
AcEdCommandStack* acedRegCmds();
