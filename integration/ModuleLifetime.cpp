// Counters of the module's live objects and running calls.
#include "integration/ModuleLifetime.h"

#include <atomic>

namespace {
std::atomic<long> gObjects{0};
std::atomic<int> gCalls{0};
}  // namespace

ModuleObjectToken::ModuleObjectToken() { ++gObjects; }
ModuleObjectToken::ModuleObjectToken(const ModuleObjectToken&) { ++gObjects; }
ModuleObjectToken::~ModuleObjectToken() { --gObjects; }

ModuleCallScope::ModuleCallScope() { ++gCalls; }
ModuleCallScope::~ModuleCallScope() { --gCalls; }

long liveModuleObjects() { return gObjects; }
int runningModuleCalls() { return gCalls; }
