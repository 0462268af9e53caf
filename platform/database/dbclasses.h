// The standard entity classes by DXF name, and the host's system variables
// kept by the drawing database.
#pragma once

#include <string>

#include "runtime/rxobject.h"

// Registers every standard entity class in the class dictionary (done once;
// lookups call it themselves).
void acdbRegisterEntityClasses();
// The class registered under a DXF name (case-insensitive), null if none.
AcRxClass* classForDxfName(const std::string& dxfName);
// Registers DIMSCALE (the working drawing's scale factor) with the
// interpreter; idempotent. Called on first use of acdbHostApplicationServices.
void acdbRegisterSysVars();
