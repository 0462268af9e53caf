// Class registration of the module's custom entities.
#include "integration/ModuleClasses.h"

#include "ducts/ZkDuct.h"
#include "leaders/ZKLeader.h"
#include "rooms/hvacRoom.h"
#include "runtime/rxobject.h"

void registerModuleClasses() {
    // Each custom entity class registers here through its rxInit, in the
    // host's order: ducts, rooms, then leaders.
    ZkDuct::rxInit();
    hvacRoom::rxInit();
    ZKLeader::rxInit();
}

void deleteModuleClasses() {
    ZkDuct::rxUninit();
    clearOldDuctFields();
    hvacRoom::rxUninit();
    ZKLeader::rxUninit();
}
