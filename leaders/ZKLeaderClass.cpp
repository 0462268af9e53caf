// ZKLeader class registration under the runtime's class dictionary.
#include "leaders/ZKLeader.h"

namespace {

AcRxObject* makeLeader() { return new ZKLeader(); }

constexpr const char* kClassName = "ZKLeader";

AcRxClass* lookUp() { return static_cast<AcRxClass*>(acrxClassDictionary()->at(kClassName)); }

} // namespace

AcRxClass* ZKLeader::gpDesc = nullptr;

AcRxClass* ZKLeader::desc() {
    if (!gpDesc) gpDesc = lookUp();
    return gpDesc;
}

AcRxClass* ZKLeader::isA() const { return desc(); }

void ZKLeader::rxInit() {
    if (gpDesc) {
        AcRxClass* registered = lookUp();
        if (registered == gpDesc) return;
        if (registered) acrx_abort("Class mismatch");
    }
    AcDbCurve::desc();  // the parent must be registered first
    gpDesc = newAcRxClass(kClassName, "AcDbCurve", 1, makeLeader, "ZKLEADER",
                          "\"Leader|Orvane Software|www.orvane.example\"");
}

void ZKLeader::rxUninit() {
    if (gpDesc && lookUp() == gpDesc) deleteAcRxClass(gpDesc);
    gpDesc = nullptr;
}
