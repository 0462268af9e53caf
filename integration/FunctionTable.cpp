// The table of the 54 AutoLISP functions; the index is the function code.
#include "integration/FunctionTable.h"

#include "integration/DocData.h"
#include "integration/LispCall.h"
#include "integration/ModuleFunctions.h"

namespace {

// "project": through the wrapper with the project check.
template <LispImplementation Impl>
int project() { return invokeLispFunction(Impl, gDocDataManager); }

// "plain": through the wrapper without the project check.
template <LispImplementation Impl>
int plain() { return invokeLispFunction(Impl, nullptr); }

} // namespace

const LispFunctionEntry kLispFunctionTable[kLispFunctionCount] = {
    {"zk_hvac-disconnect", plain<disconnect>},
    {"zk_hvac-solidUnion", plain<solidUnion>},
    {"zk_hvac-solidSlice", plain<solidSlice>},
    {"zk_hvac-drawTripleFitting", project<drawTripleFitting>},
    {"zk_hvac-drawTripleCenter", project<drawTripleCenter>},
    {"zk_hvac-drawTripleDiffuser", project<drawTripleDiffuser>},
    {"zk_hvac-ExplodeSolid", plain<explodeSolid>},
    {"zk_hvac-getPlinePoints", plain<getPlinePoints>},
    {"zk_hvac-setDuctInfo", plain<setDuctInfo>},
    {"zk_hvac-getOldDuctInfo", plain<getOldDuctInfo>},
    {"zk_hvac-duct-getHangerList", plain<ductGetHangerList>},
    {"zk_hvac-room-draw", project<roomDraw>},
    {"zk_hvac-room-getPoints", plain<roomGetPoints>},
    {"zk_hvac-room-getLeaderPoints", plain<roomGetLeaderPoints>},
    {"zk_hvac-room-setPoints", plain<roomSetPoints>},
    {"zk_hvac-room-getArea", plain<roomGetArea>},
    {"zk_hvac-room-updateIndex", plain<roomUpdateIndex>},
    {"zk_hvac-room-find", plain<roomFind>},
    {"zk_hvac-room-insertPoint", plain<roomInsertPoint>},
    {"zk_hvac-room-removePoint", plain<roomRemovePoint>},
    {"zk_hvac-room-updateLabel", plain<roomUpdateLabel>},
    {"zk_hvac-room-updateAttributes", project<roomUpdateAttributes>},
    {"zk_hvac-room-setPointInfo", plain<roomSetPointInfo>},
    {"zk_hvac-room-insert", project<roomInsert>},
    {"zk_hvac-addDuctToDwg", plain<addDuctToDwg>},
    {"zk_hvac-getWallCLTDDxf", plain<getWallCLTDDxf>},
    {"zk_hvac-getGlassCLTDDxf", plain<getGlassCLTDDxf>},
    {"zk_hvac-getRoofCLTDDxf", plain<getRoofCLTDDxf>},
    {"zk_hvac-zoneTree", plain<zoneTree>},
    {"zk_hvac-floorTree", plain<floorTree>},
    {"zkDuct", project<zkDuct>},
    {"zkbreak", project<zkBreak>},
    {"zkductforce", project<zkDuctForce>},
    {"zk_hvac-insertDuct-likePlumbing", project<insertDuctLikePlumbing>},
    {"zk_hvac-getDuctCoord", project<getDuctCoord>},
    {"zk_hvac-getLayer", project<getLayer>},
    {"zk_hvac-options", optionsDirect},
    {"zk_hvac-dwgDiff", plain<dwgDiff>},
    {"zk_hvac-loadDetail", project<loadDetail>},
    {"c:checkzk", project<checkZk>},
    {"zk_hvac-room-setLeaderLocation", plain<roomSetLeaderLocation>},
    {"zk_hvac-duct-fillet", project<ductFillet>},
    {"zk_hvac-setIsMetric", project<setIsMetric>},
    {"zk_hvac-loads-storeWallData", plain<loadsStoreWallData>},
    {"zk_hvac-loads-getWallData", plain<loadsGetWallData>},
    {"zk_hvac-loads-resetWallData", plain<loadsResetWallData>},
    {"zk_hvac-loads-storeRoomData", plain<loadsStoreRoomData>},
    {"zk_hvac-loads-getRoomData", plain<loadsGetRoomData>},
    {"zk_hvac-loads-resetRoomData", plain<loadsResetRoomData>},
    {"zk_hvac-room-toggleLeader", project<roomToggleLeader>},
    {"zk_hvac-ProjectExplorer", project<projectExplorer>},
    {"ssgetx-duct", plain<ssgetxDuct>},
    {"ssgetx-room", plain<ssgetxRoom>},
    {"zk_hvac-setDoDocumentActivated", plain<setDoDocumentActivated>},
};

void registerFunctionTable(const LispFunctionEntry* table, int count, int firstCode) {
    for (int i = 0; i < count; ++i) {
        acedDefun(table[i].name, static_cast<short>(firstCode + i));
        acedRegFunc(table[i].handler, firstCode + i);
    }
}
