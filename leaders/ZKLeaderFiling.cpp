// ZKLeader filing: binary data versions 1 and 2, tagged data behind the
// "ZKLeader" subclass marker.
#include "leaders/ZKLeader.h"

#include "database/dbdatabase.h"
#include "integration/DrawingHelpers.h"

namespace {

// Version 1 data stored the arrow size unscaled.
double versionOneScale(AcDbDwgFiler* filer) {
    AcDbDatabase* db = filer->database();
    if (db && db->dimscale() > 0.0) return db->dimscale();
    return drawingScaleFactor();
}

} // namespace

Acad::ErrorStatus ZKLeader::dwgOutFields(AcDbDwgFiler* filer) const {
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt32(kVersion);
    filer->writePoint3d(mStart);
    filer->writePoint3d(mMiddle);
    filer->writePoint3d(mEnd);
    filer->writeDouble(mSize);
    const bool hasBlock =
        mArrowBlockId.isValid() && (!mArrowBlockId.isErased() || filer->filerType() == AcDb::kUndoFiler);
    filer->writeBool(hasBlock);
    if (hasBlock) filer->writeHardPointerId(mArrowBlockId);
    return filer->filerStatus();
}

Acad::ErrorStatus ZKLeader::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 version = 0;
    if ((es = filer->readInt32(&version)) != Acad::eOk) return es;
    if (version > kVersion) return Acad::eMakeMeProxy;
    if (version <= 0) return filer->filerStatus();
    return readVersion(filer, version);
}

Acad::ErrorStatus ZKLeader::readVersion(AcDbDwgFiler* filer, Adesk::Int32 version) {
    Acad::ErrorStatus es;
    AcGePoint3d start, middle, end;
    double size = 0.0;
    if ((es = filer->readPoint3d(&start)) != Acad::eOk) return es;
    if ((es = filer->readPoint3d(&middle)) != Acad::eOk) return es;
    if ((es = filer->readPoint3d(&end)) != Acad::eOk) return es;
    if ((es = filer->readDouble(&size)) != Acad::eOk) return es;
    mStart = start;
    mMiddle = middle;
    mEnd = end;
    mArrowBlockId = AcDbObjectId();
    bool hasBlock = false;
    if ((es = filer->readBool(&hasBlock)) != Acad::eOk) return es;
    if (hasBlock) {
        AcDbHardPointerId blockId;
        es = filer->readHardPointerId(&blockId);
        if (es == Acad::eNullHandle) filer->resetFilerStatus();  // a block that is gone reads as none
        else if (es != Acad::eOk) return es;
        mArrowBlockId = blockId;
    }
    mArrow.setBlockTableRecord(mArrowBlockId);
    updateArrow();
    setSize(version == 1 ? size * versionOneScale(filer) : size);
    if (version >= 2 && !layerId().isNull()) mArrow.setLayer(layerId());
    return filer->filerStatus();
}

Acad::ErrorStatus ZKLeader::dxfOutFields(AcDbDxfFiler* filer) const {
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "ZKLeader");
    filer->writePoint3d(10, mStart);
    filer->writePoint3d(11, mMiddle);
    filer->writePoint3d(12, mEnd);
    filer->writeDouble(40, mSize);
    return filer->filerStatus();
}

Acad::ErrorStatus ZKLeader::dxfInFields(AcDbDxfFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData("ZKLeader")) return Acad::eBadDxfSequence;
    resbuf rb{};
    while ((es = filer->readItem(&rb)) == Acad::eOk) {
        const double* p = rb.resval.rpoint;
        switch (rb.restype) {
        case 10: mStart.set(p[0], p[1], p[2]); break;
        case 11: mMiddle.set(p[0], p[1], p[2]); break;
        case 12: mEnd.set(p[0], p[1], p[2]); break;
        case 40: setSize(rb.resval.rreal); break;
        default: break;
        }
    }
    if (es == Acad::eEndOfObject) filer->resetFilerStatus();
    updateArrow();
    return filer->filerStatus();
}
