// hvacRoom tagged filing: the index (group 90, first after the common entity
// groups), then the outline, label and leader in the groups of docs/rooms.md.
#include <cstring>

#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/dxfcode.h"
#include "rooms/DxfGroupStopFiler.h"
#include "rooms/hvacRoom.h"

namespace {

AcDbDatabase* databaseOf(AcDbDxfFiler* filer) {
    AcDbDatabase* db = filer->database();
    return db ? db : acdbHostApplicationServices()->workingDatabase();
}

// The name of the symbol table record (layer, text style) id names.
std::string nameOf(AcDbObjectId id) {
    AcDbSymbolTableRecord* record = nullptr;
    if (!id.isValid() || id.isErased() || acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) return {};
    std::string name;
    record->getName(name);
    record->close();
    return name;
}

AcGePoint3d pointOf(const resbuf& rb) { return {rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]}; }

} // namespace

Acad::ErrorStatus hvacRoom::dxfOutFields(AcDbDxfFiler* filer) const {
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt32(90, mIndex);
    filer->writeInt32(91, static_cast<Adesk::Int32>(mPoints.size()));
    for (const RoomPoint& p : mPoints) {
        filer->writePoint2d(10, p.point);
        filer->writeInt16(70, p.emphasised ? 1 : 0);
    }
    filer->writeString(1, mLabel.contents());
    filer->writePoint3d(11, mLabel.location());
    filer->writeDouble(41, mLabel.width());
    filer->writeDouble(40, mLabelTextHeight);
    filer->writeDouble(43, mLabel.textHeight());
    if (std::string style = nameOf(mLabelTextStyleId); !style.empty()) filer->writeString(7, style);
    if (std::string layer = nameOf(mLabelLayerId); !layer.empty()) filer->writeString(300, layer);
    filer->writeBool(290, mLeaderVisible);
    AcGePoint3d start, middle, end;
    mLeader.getPoints(start, middle, end);
    filer->writePoint3d(12, start);
    filer->writePoint3d(13, middle);
    filer->writePoint3d(14, end);
    filer->writeDouble(42, mLeader.size());
    if (std::string block = nameOf(mLeader.arrowBlockId()); !block.empty()) filer->writeString(301, block);
    if (std::string layer = nameOf(mLeaderLayerId); !layer.empty()) filer->writeString(302, layer);
    return filer->filerStatus();
}

Acad::ErrorStatus hvacRoom::dxfInFields(AcDbDxfFiler* filer) {
    assertWriteEnabled();
    // The common groups end where the room's own groups begin, at group 90.
    DxfGroupStopFiler common(filer, 90);
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(&common);
    if (es != Acad::eOk) return es;
    es = dxfInRoomGroups(filer);
    return es;
}

Acad::ErrorStatus hvacRoom::dxfInRoomGroups(AcDbDxfFiler* filer) {
    AcDbDatabase* db = databaseOf(filer);
    mPoints.clear();
    AcGePoint3d start, middle, end;
    mLeader.getPoints(start, middle, end);
    std::string arrowBlock, leaderLayer;
    double arrowSize = mLeader.size();
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) {
        if (rb.restype == 100 || rb.restype >= 1000) {
            filer->pushBackItem();
            break;
        }
        const char* text = AcDb::dxfValueType(rb.restype) == AcDb::kDxfString && rb.resval.rstring
                               ? rb.resval.rstring : "";
        switch (rb.restype) {
        case 90: mIndex = rb.resval.rlong; break;
        case 10: mPoints.push_back({pointOf(rb).convert2d(), false}); break;
        case 70: if (!mPoints.empty()) mPoints.back().emphasised = rb.resval.rint != 0; break;
        case 1: mLabel.setContents(text); break;
        case 11: mLabel.setLocation(pointOf(rb)); break;
        case 41: mLabel.setWidth(rb.resval.rreal); break;
        case 40: mLabelTextHeight = rb.resval.rreal; break;
        case 43: mLabel.setTextHeight(rb.resval.rreal); break;
        case 7:
            mLabelTextStyleId = db ? db->textStyleId(text) : AcDbObjectId();
            if (mLabelTextStyleId.isValid()) mLabel.setTextStyle(mLabelTextStyleId);
            break;
        case 300: mLabelLayerId = db ? db->layerId(text) : AcDbObjectId(); break;
        case 290: mLeaderVisible = rb.resval.rint != 0; break;
        case 12: start = pointOf(rb); break;
        case 13: middle = pointOf(rb); break;
        case 14: end = pointOf(rb); break;
        case 42: arrowSize = rb.resval.rreal; break;
        case 301: arrowBlock = text; break;
        case 302: leaderLayer = text; break;
        default: break; // groups of other programs are ignored
        }
    }
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    mLeader.setSize(arrowSize);
    if (AcDbObjectId block = db && !arrowBlock.empty() ? db->blockId(arrowBlock) : AcDbObjectId(); block.isValid())
        mLeader.setArrowBlockId(block);
    mLeaderLayerId = db && !leaderLayer.empty() ? db->layerId(leaderLayer) : AcDbObjectId();
    if (mLeaderLayerId.isValid()) mLeader.setLayer(mLeaderLayerId, true);
    mLeader.setPoints(start, middle, end);
    return filer->filerStatus();
}
