// Loading and unloading application files, and the command stack.
#include "runtime/rxapp.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <list>
#include <sstream>

#include "runtime/exceptions.h"

namespace fs = std::filesystem;

namespace {

struct LoadedApp {
    std::string name;
    void* handle = nullptr;
    AcRxEntryPointFunction entry = nullptr;
    bool locked = true;
    bool mdiAware = false;
};

std::list<LoadedApp>& loadedApps() {
    static std::list<LoadedApp> apps;
    return apps;
}

std::string& lastLoadError() {
    static std::string text;
    return text;
}

LoadedApp* findApp(const std::string& name) {
    for (auto& app : loadedApps())
        if (app.name == name) return &app;
    return nullptr;
}

LoadedApp* appFromId(void* appId) {
    for (auto& app : loadedApps())
        if (&app == appId) return &app;
    return nullptr;
}

fs::path programFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path{} : exe.parent_path();
}

// The host's search for an application file: the name as given, then beside
// the program, then each folder of ORVANE_SUPPORT (':'-separated).
std::string findModuleFile(const std::string& name) {
    fs::path given(name);
    std::error_code ec;
    if (given.has_parent_path() || fs::exists(given, ec)) return fs::exists(given, ec) ? name : std::string{};
    std::vector<fs::path> folders{programFolder()};
    if (const char* support = std::getenv("ORVANE_SUPPORT")) {
        std::stringstream list(support);
        std::string folder;
        while (std::getline(list, folder, ':'))
            if (!folder.empty()) folders.emplace_back(folder);
    }
    for (const auto& folder : folders) {
        fs::path candidate = folder / given;
        if (fs::exists(candidate, ec)) return candidate.string();
    }
    return {};
}

} // namespace

const std::string& acrxLastLoadError() { return lastLoadError(); }

bool acrxLoadModule(const char* moduleName, bool printIt, bool /*asCmd*/) {
    lastLoadError().clear();
    if (!moduleName || !*moduleName) {
        lastLoadError() = "no application name";
        return false;
    }
    if (findApp(moduleName)) return true;
    std::string file = findModuleFile(moduleName);
    if (file.empty()) {
        lastLoadError() = std::string("application file not found: ") + moduleName;
        return false;
    }
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        lastLoadError() = dlerror();
        return false;
    }
    auto entry = reinterpret_cast<AcRxEntryPointFunction>(dlsym(handle, kAcRxEntryPointName));
    if (!entry) {
        lastLoadError() = std::string(moduleName) + " does not export " + kAcRxEntryPointName;
        dlclose(handle);
        return false;
    }
    loadedApps().push_back(LoadedApp{moduleName, handle, entry});
    LoadedApp& app = loadedApps().back();
    if (entry(AcRx::kInitAppMsg, &app) != AcRx::kRetOK) {
        lastLoadError() = std::string(moduleName) + " failed to initialise";
        loadedApps().pop_back();
        dlclose(handle);
        return false;
    }
    if (printIt) std::printf("\n%s loaded.", moduleName);
    return true;
}

bool acrxUnloadModule(const char* moduleName, bool /*asCmd*/) {
    if (!moduleName) return false;
    for (auto it = loadedApps().begin(); it != loadedApps().end(); ++it) {
        if (it->name != moduleName) continue;
        if (it->locked) return false;
        // An application that answers an error stays loaded (it said why).
        if (it->entry(AcRx::kUnloadAppMsg, &*it) == AcRx::kRetError) return false;
        void* handle = it->handle;
        loadedApps().erase(it);
        // Sanitizer runs keep the code mapped so leak reports can name it.
        if (!std::getenv("ORVANE_KEEP_MODULES")) dlclose(handle);
        return true;
    }
    return false;
}

AcRx::AppRetCode acrxSendAppMessage(const char* moduleName, AcRx::AppMsgCode message) {
    AcRx::AppRetCode result = AcRx::kRetOK;
    for (auto& app : loadedApps()) {
        if (moduleName && app.name != moduleName) continue;
        AcRx::AppRetCode code = app.entry(message, &app);
        if (code != AcRx::kRetOK) result = code;
    }
    return result;
}

bool acrxUnlockApplication(void* appId) {
    LoadedApp* app = appFromId(appId);
    if (!app) return false;
    app->locked = false;
    return true;
}

bool acrxApplicationIsLocked(const char* moduleName) {
    LoadedApp* app = moduleName ? findApp(moduleName) : nullptr;
    return app && app->locked;
}

bool acrxRegisterAppMDIAware(void* appId) {
    LoadedApp* app = appFromId(appId);
    if (!app) return false;
    app->mdiAware = true;
    return true;
}

AcRxClass* AcEdCommandStack::desc() {
    static AcRxClass* cls = [] {
        auto* c = new AcRxClass("AcEdCommandStack", AcRxObject::desc());
        acrxClassDictionary()->atPut(c->name(), c);
        return c;
    }();
    return cls;
}
AcRxClass* AcEdCommandStack::isA() const { return desc(); }
AcEdCommandStack* AcEdCommandStack::cast(const AcRxObject* object) {
    return (object && object->isKindOf(desc()))
               ? const_cast<AcEdCommandStack*>(static_cast<const AcEdCommandStack*>(object))
               : nullptr;
}
void AcEdCommandStack::addGroup(const std::string& groupName) { ++mGroups[groupName]; }
bool AcEdCommandStack::hasGroup(const std::string& groupName) const { return mGroups.count(groupName) != 0; }
bool AcEdCommandStack::removeGroup(const char* groupName) {
    return groupName && mGroups.erase(groupName) != 0;
}

AcEdCommandStack* acedRegCmds() {
    static AcEdCommandStack* stack = [] {
        auto* s = new AcEdCommandStack;
        acrxSysRegistry()->atPut(ACRX_COMMAND_DOCK, s);
        return s;
    }();
    return stack;
}
