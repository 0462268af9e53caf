// Implementations of the module's AutoLISP functions, one per table entry.
// Each reads its own arguments (acedGetArgs), sets its result and returns a
// status for the call wrapper. Functions not built yet answer nil from
// integration/NotYetBuilt.cpp; each area moves its definitions into its own files.
#pragma once

#include "integration/LispStatus.h"

LispStatus disconnect();
LispStatus solidUnion();
LispStatus solidSlice();
LispStatus drawTripleFitting();
LispStatus drawTripleCenter();
LispStatus drawTripleDiffuser();
LispStatus explodeSolid();
LispStatus getPlinePoints();
LispStatus setDuctInfo();
LispStatus getOldDuctInfo();
LispStatus ductGetHangerList();
LispStatus roomDraw();
LispStatus roomGetPoints();
LispStatus roomGetLeaderPoints();
LispStatus roomSetPoints();
LispStatus roomGetArea();
LispStatus roomUpdateIndex();
LispStatus roomFind();
LispStatus roomInsertPoint();
LispStatus roomRemovePoint();
LispStatus roomUpdateLabel();
LispStatus roomUpdateAttributes();
LispStatus roomSetPointInfo();
LispStatus roomInsert();
LispStatus addDuctToDwg();
LispStatus getWallCLTDDxf();
LispStatus getGlassCLTDDxf();
LispStatus getRoofCLTDDxf();
LispStatus zoneTree();
LispStatus floorTree();
LispStatus zkDuct();
LispStatus zkBreak();
LispStatus zkDuctForce();
LispStatus insertDuctLikePlumbing();
LispStatus getDuctCoord();
LispStatus getLayer();
LispStatus dwgDiff();
LispStatus loadDetail();
LispStatus checkZk();
LispStatus roomSetLeaderLocation();
LispStatus ductFillet();
LispStatus setIsMetric();
LispStatus loadsStoreWallData();
LispStatus loadsGetWallData();
LispStatus loadsResetWallData();
LispStatus loadsStoreRoomData();
LispStatus loadsGetRoomData();
LispStatus loadsResetRoomData();
LispStatus roomToggleLeader();
LispStatus projectExplorer();
LispStatus ssgetxDuct();
LispStatus ssgetxRoom();
LispStatus setDoDocumentActivated();

// The options dialog is registered directly: no wrapper, no document lock.
int optionsDirect();
