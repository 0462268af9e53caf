// Functions whose implementation has not been built yet: they answer nil.
#include "ads/ads.h"
#include "integration/ModuleFunctions.h"

namespace {
LispStatus notYetBuilt() {
    acedRetNil();
    return kLispOk;
}
} // namespace

LispStatus solidUnion() { return notYetBuilt(); }
LispStatus solidSlice() { return notYetBuilt(); }
LispStatus drawTripleFitting() { return notYetBuilt(); }
LispStatus drawTripleCenter() { return notYetBuilt(); }
LispStatus drawTripleDiffuser() { return notYetBuilt(); }
LispStatus explodeSolid() { return notYetBuilt(); }
LispStatus dwgDiff() { return notYetBuilt(); }
LispStatus projectExplorer() { return notYetBuilt(); }

int optionsDirect() {
    acedRetNil();
    return RSRSLT;
}
