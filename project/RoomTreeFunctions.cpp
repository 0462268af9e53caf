// zk_hvac-floorTree and zk_hvac-zoneTree: show the hierarchy the product
// passes, reopening with the tree its create-room function answers.
#include <memory>

#include "ads/ads.h"
#include "integration/LispArgs.h"
#include "integration/LispCallbacks.h"
#include "integration/ModuleFunctions.h"
#include "project/DialogReport.h"
#include "project/RoomTreeDialog.h"

namespace {

LispStatus roomTree(const hvac::RoomTreeKind& kind) {
    acedRetNil();
    LispArgs args;
    const resbuf* list = args.head();
    // The tree list; nil is the empty tree.
    if (!list || (list->restype != RTLB && list->restype != RTNIL)) return kLispWrongType;
    hvac::CRoomTree dialog(kind, list);
    const std::string createRoom = std::string(kind.prefix) + "-createRoom";
    while (reportDialogFailure(dialog.DoModal()) == hvac::kRoomTreeCreateRoomResult) {
        auto answer = std::make_unique<LispCallResult>();
        if (invokeLisp(createRoom.c_str(), nullptr, *answer)) dialog.adoptTreeList(std::move(answer));
    }
    acedRetT();
    return kLispOk;
}

} // namespace

LispStatus floorTree() { return roomTree(hvac::kFloorTreeKind); }
LispStatus zoneTree() { return roomTree(hvac::kZoneTreeKind); }
