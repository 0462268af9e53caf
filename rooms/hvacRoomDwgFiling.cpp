// hvacRoom binary filing: version 2 (current), version 1 (older drawings
// with a host leader), the index -1 stub, and newer versions as proxies.
#include "database/dbleader.h"
#include "rooms/hvacRoom.h"

namespace {

// An optional reference is filed as a flag followed by the id when the id
// names a live object (or the filer records undo).
void writeOptionalId(AcDbDwgFiler* filer, AcDbObjectId id) {
    bool present = id.isValid() && (!id.isErased() || filer->filerType() == AcDb::kUndoFiler);
    if (filer->writeBool(present) != Acad::eOk || !present) return;
    filer->writeHardPointerId(id);
}

// A dangling id (eNullHandle) reads back as null without failing the read.
Acad::ErrorStatus readOptionalId(AcDbDwgFiler* filer, AcDbObjectId& id) {
    id.setNull();
    bool present = false;
    if (filer->readBool(&present) != Acad::eOk) return filer->filerStatus();
    if (!present) return Acad::eOk;
    Acad::ErrorStatus es = filer->readHardPointerId(&id);
    if (es == Acad::eNullHandle) {
        filer->resetFilerStatus();
        id.setNull();
        return Acad::eOk;
    }
    return es;
}

} // namespace

Acad::ErrorStatus hvacRoom::dwgOutFields(AcDbDwgFiler* filer) const {
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    if (filer->writeInt32(kCurrentVersion) != Acad::eOk) return filer->filerStatus();
    if (filer->writeInt32(mIndex) != Acad::eOk) return filer->filerStatus();
    if (mIndex == -1) return Acad::eOk;
    filer->writeInt32(static_cast<Adesk::Int32>(mPoints.size()));
    for (const RoomPoint& p : mPoints) {
        filer->writePoint2d(p.point);
        filer->writeBool(p.emphasised);
    }
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    writeOptionalId(filer, mLabelLayerId);
    writeOptionalId(filer, mLabelTextStyleId);
    filer->writeDouble(mLabelTextHeight);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if ((es = mLabel.dwgOutFields(filer)) != Acad::eOk) return es;
    if (filer->writeBool(mLeaderVisible) != Acad::eOk) return filer->filerStatus();
    if ((es = mLeader.dwgOutFields(filer)) != Acad::eOk) return es;
    writeOptionalId(filer, mLeaderLayerId);
    return filer->filerStatus();
}

Acad::ErrorStatus hvacRoom::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 version = 0;
    if (filer->readInt32(&version) != Acad::eOk) return filer->filerStatus();
    if (version > kCurrentVersion) return Acad::eMakeMeProxy;
    if (version <= 0) return Acad::eDwgObjectImproperlyRead;
    es = version == 2 ? dwgInVersion2(filer) : dwgInVersion1(filer);
    return es;
}

// Index, outline, label references and the label itself, and the leader
// flag: the part both versions share.
Acad::ErrorStatus hvacRoom::dwgInCommon(AcDbDwgFiler* filer) {
    mPoints.clear();
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk) return filer->filerStatus();
    if (count < 0) return Acad::eDwgObjectImproperlyRead;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        RoomPoint p;
        filer->readPoint2d(&p.point);
        if (filer->readBool(&p.emphasised) != Acad::eOk) return filer->filerStatus();
        mPoints.push_back(p);
    }
    Acad::ErrorStatus es;
    if ((es = readOptionalId(filer, mLabelLayerId)) != Acad::eOk) return es;
    if ((es = readOptionalId(filer, mLabelTextStyleId)) != Acad::eOk) return es;
    if (filer->readDouble(&mLabelTextHeight) != Acad::eOk) return filer->filerStatus();
    if ((es = mLabel.dwgInFields(filer)) != Acad::eOk) return es;
    if (filer->readBool(&mLeaderVisible) != Acad::eOk) return filer->filerStatus();
    return Acad::eOk;
}

Acad::ErrorStatus hvacRoom::dwgInVersion2(AcDbDwgFiler* filer) {
    if (filer->readInt32(&mIndex) != Acad::eOk) return filer->filerStatus();
    // A room without index was saved as a stub: it removes itself.
    if (mIndex == -1) {
        erase(true);
        return Acad::eOk;
    }
    Acad::ErrorStatus es = dwgInCommon(filer);
    if (es != Acad::eOk) return es;
    if ((es = mLeader.dwgInFields(filer)) != Acad::eOk) return es;
    return readOptionalId(filer, mLeaderLayerId);
}

// Older rooms carried a host leader whose three vertices run from the arrow
// tip to the label.
Acad::ErrorStatus hvacRoom::dwgInVersion1(AcDbDwgFiler* filer) {
    if (filer->readInt32(&mIndex) != Acad::eOk) return filer->filerStatus();
    Acad::ErrorStatus es = dwgInCommon(filer);
    if (es != Acad::eOk) return es;
    AcDbLeader oldLeader;
    if ((es = oldLeader.dwgInFields(filer)) != Acad::eOk) return es;
    if (oldLeader.numVertices() == 3)
        mLeader.setPoints(oldLeader.vertexAt(2), oldLeader.vertexAt(1), oldLeader.vertexAt(0));
    if ((es = readOptionalId(filer, mLeaderLayerId)) != Acad::eOk) return es;
    AcDbObjectId discarded;
    return readOptionalId(filer, discarded);
}
