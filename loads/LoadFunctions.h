// The module's AutoLISP functions of the cooling load tables and the load data store.
#pragma once

#include "integration/LispStatus.h"

// zk_hvac-getRoofCLTDDxf, zk_hvac-getWallCLTDDxf, zk_hvac-getGlassCLTDDxf
LispStatus getRoofCLTDDxf();
LispStatus getWallCLTDDxf();
LispStatus getGlassCLTDDxf();

// zk_hvac-loads-storeRoomData ... zk_hvac-loads-resetWallData
LispStatus loadsStoreRoomData();
LispStatus loadsGetRoomData();
LispStatus loadsResetRoomData();
LispStatus loadsStoreWallData();
LispStatus loadsGetWallData();
LispStatus loadsResetWallData();
