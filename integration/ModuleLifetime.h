// What ties the module's code to the host while it runs: live objects of
// its classes and module calls in progress. Unloading is refused while any
// exist, since the host would call code that is gone.
#pragma once

// A member of every module entity class: counts the object while it lives
// (copies included).
class ModuleObjectToken {
public:
    ModuleObjectToken();
    ModuleObjectToken(const ModuleObjectToken&);
    ModuleObjectToken& operator=(const ModuleObjectToken&) = default;
    ~ModuleObjectToken();
};

// Held by the call wrapper while a module function runs.
class ModuleCallScope {
public:
    ModuleCallScope();
    ModuleCallScope(const ModuleCallScope&) = delete;
    ModuleCallScope& operator=(const ModuleCallScope&) = delete;
    ~ModuleCallScope();
};

long liveModuleObjects();
int runningModuleCalls();
