// Entity common properties, their filing, and the default editing protocol.
#include "database/dbentity.h"

#include <strings.h>

#include "database/dbads.h"
#include "database/dbdatabase.h"
#include "graphics/AcGiSubEntityTraits.h"
#include "geometry/AcGe.h"

ACRX_HOST_CLASS_MEMBERS(AcDbEntity, AcDbObject, nullptr, "")

void acdbDeleteEntities(AcDbVoidPtrArray& entities) {
    for (void* p : entities) delete static_cast<AcDbEntity*>(p);
    entities.clear();
}

// Every entity class pays for these bytes once per entity in a drawing.
static_assert(sizeof(AcDbEntity) <= 48, "the common entity members have grown");

AcDbEntity::AcDbEntity() { setDatabaseDefaults(); }

void AcDbEntity::storeLinetype(AcDbObjectId linetype, double scale) {
    if (linetype.isNull() && scale == 1.0 && !extras()) return;
    AcDbObjectExtras& rare = editExtras();
    rare.linetype = linetype;
    rare.linetypeScale = scale;
    trimExtras();
}

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* db) {
    if (!db) db = acdbHostApplicationServices()->workingDatabase();
    mLayerId = db ? db->clayer() : AcDbObjectId();
}

namespace {
std::string recordName(AcDbObjectId id) {
    AcDbSymbolTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk) return {};
    std::string name = record->getName();
    record->close();
    return name;
}

AcDbDatabase* databaseOf(const AcDbEntity* entity) {
    AcDbDatabase* db = entity->database();
    return db ? db : acdbHostApplicationServices()->workingDatabase();
}
} // namespace

std::string AcDbEntity::layer() const {
    assertReadEnabled();
    return recordName(mLayerId);
}

Acad::ErrorStatus AcDbEntity::setLayer(const char* layerName, bool doSubents) {
    AcDbDatabase* db = databaseOf(this);
    if (!db || !layerName) return Acad::eNoDatabase;
    AcDbObjectId id = db->layerId(layerName);
    if (id.isNull()) return Acad::eKeyNotFound;
    return setLayer(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId, bool doSubents) {
    return subSetLayer(layerId, doSubents);
}

Acad::ErrorStatus AcDbEntity::subSetLayer(AcDbObjectId layerId, bool) {
    if (layerId.isNull()) return Acad::eNullObjectId;
    if (!layerId.isValid()) return Acad::eInvalidLayer;
    assertWriteEnabled();
    mLayerId = layerId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 color, bool) {
    if (color > 256) return Acad::eOutOfRange;
    assertWriteEnabled();
    mColorIndex = color;
    return Acad::eOk;
}

std::string AcDbEntity::linetype() const {
    assertReadEnabled();
    const AcDbObjectId id = storedLinetype();
    return id.isNull() ? std::string("ByLayer") : recordName(id);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId linetypeId, bool) {
    assertWriteEnabled();
    // ByLayer is kept as the null id.
    AcDbDatabase* db = linetypeId.database();
    storeLinetype((db && linetypeId == db->byLayerLinetype()) ? AcDbObjectId() : linetypeId, storedLinetypeScale());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetype(const char* name, bool doSubents) {
    AcDbDatabase* db = databaseOf(this);
    if (!db || !name) return Acad::eNoDatabase;
    AcDbObjectId id = db->linetypeId(name);
    if (id.isNull()) return Acad::eKeyNotFound;
    return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double scale, bool) {
    if (!(scale > 0.0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    storeLinetype(storedLinetype(), scale);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility visibility, bool) {
    assertWriteEnabled();
    mVisible = visibility == AcDb::kVisible;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight weight, bool) {
    assertWriteEnabled();
    mLineWeight = static_cast<Adesk::Int16>(weight);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* other, bool) {
    if (!other) return Acad::eNullEntityPointer;
    other->assertReadEnabled();
    assertWriteEnabled();
    mLayerId = other->mLayerId;
    storeLinetype(other->storedLinetype(), other->storedLinetypeScale());
    mColorIndex = other->mColorIndex;
    mLineWeight = other->mLineWeight;
    mVisible = other->mVisible;
    return Acad::eOk;
}

// ---- public wrappers ----

Acad::ErrorStatus AcDbEntity::getGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                            AcDbIntArray& geomIds) const {
    assertReadEnabled();
    return subGetGripPoints(points, osnapModes, geomIds);
}
Acad::ErrorStatus AcDbEntity::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    assertWriteEnabled();
    return subMoveGripPointsAt(indices, offset);
}
Acad::ErrorStatus AcDbEntity::getStretchPoints(AcGePoint3dArray& points) const {
    assertReadEnabled();
    return subGetStretchPoints(points);
}
Acad::ErrorStatus AcDbEntity::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    assertWriteEnabled();
    return subMoveStretchPointsAt(indices, offset);
}
Acad::ErrorStatus AcDbEntity::getOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker marker, const AcGePoint3d& pick,
                                             const AcGePoint3d& last, const AcGeMatrix3d& view,
                                             AcGePoint3dArray& snapPoints, AcDbIntArray& geomIds) const {
    assertReadEnabled();
    return subGetOsnapPoints(mode, marker, pick, last, view, snapPoints, geomIds);
}
Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    return subTransformBy(xform);
}
Acad::ErrorStatus AcDbEntity::explode(AcDbVoidPtrArray& entitySet) const {
    assertReadEnabled();
    return subExplode(entitySet);
}
Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    return subGetGeomExtents(extents);
}
Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                            Adesk::GsMarker a, Adesk::GsMarker b) const {
    assertReadEnabled();
    return subIntersectWith(other, type, points, a, b);
}
Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& plane,
                                            AcGePoint3dArray& points, Adesk::GsMarker a, Adesk::GsMarker b) const {
    assertReadEnabled();
    return subIntersectWith(other, type, plane, points, a, b);
}
void AcDbEntity::list() const {
    assertReadEnabled();
    subList();
}

// ---- defaults ----

Acad::ErrorStatus AcDbEntity::subGetGripPoints(AcGePoint3dArray&, AcDbIntArray&, AcDbIntArray&) const {
    return Acad::eOk;
}
Acad::ErrorStatus AcDbEntity::subMoveGripPointsAt(const AcDbIntArray&, const AcGeVector3d&) { return Acad::eOk; }
// Stretch points are the grip points unless a class says otherwise.
Acad::ErrorStatus AcDbEntity::subGetStretchPoints(AcGePoint3dArray& points) const {
    AcDbIntArray modes, ids;
    return subGetGripPoints(points, modes, ids);
}
Acad::ErrorStatus AcDbEntity::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    return subMoveGripPointsAt(indices, offset);
}
Acad::ErrorStatus AcDbEntity::subGetOsnapPoints(AcDb::OsnapMode, Adesk::GsMarker, const AcGePoint3d&,
                                                const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray&,
                                                AcDbIntArray&) const {
    return Acad::eOk;
}
Acad::ErrorStatus AcDbEntity::subTransformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }
Acad::ErrorStatus AcDbEntity::subExplode(AcDbVoidPtrArray&) const { return Acad::eNotApplicable; }
Acad::ErrorStatus AcDbEntity::subGetGeomExtents(AcDbExtents&) const { return Acad::eInvalidExtents; }
Acad::ErrorStatus AcDbEntity::subIntersectWith(const AcDbEntity*, AcDb::Intersect, AcGePoint3dArray&, Adesk::GsMarker,
                                               Adesk::GsMarker) const {
    return Acad::eNotImplemented;
}
Acad::ErrorStatus AcDbEntity::subIntersectWith(const AcDbEntity*, AcDb::Intersect, const AcGePlane&,
                                               AcGePoint3dArray&, Adesk::GsMarker, Adesk::GsMarker) const {
    return Acad::eNotImplemented;
}

void AcDbEntity::subList() const {
    std::string space = "Model space";
    AcDbDatabase* db = database();
    if (db && ownerId() != db->modelSpaceId()) space = "Paper space";
    acdbPrintf("\n                  %s  Layer: \"%s\"\n", isA()->name().c_str(), layer().c_str());
    acdbPrintf("                            Space: %s\n", space.c_str());
    if (mColorIndex != 256) acdbPrintf("                   Color: %d\n", mColorIndex);
    if (!storedLinetype().isNull()) acdbPrintf("                Linetype: \"%s\"\n", linetype().c_str());
    acdbPrintf("                   Handle = %s\n", objectHandle().asString().c_str());
}

void AcDbEntity::saveAs(AcGiWorldDraw* wd, AcDb::SaveType) { worldDraw(wd); }

Adesk::UInt32 AcDbEntity::setAttributes(AcGiDrawableTraits* traits) {
    assertReadEnabled();
    if (!traits) return 0;
    traits->setLayer(mLayerId);
    traits->setColor(mColorIndex);
    traits->setLineType(storedLinetype());
    traits->setLineTypeScale(storedLinetypeScale());
    traits->setLineWeight(mLineWeight);
    return 0;
}

// ---- filing ----

Acad::ErrorStatus AcDbEntity::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeHardPointerId(mLayerId);
    filer->writeHardPointerId(storedLinetype());
    filer->writeDouble(storedLinetypeScale());
    filer->writeUInt16(mColorIndex);
    filer->writeInt16(mLineWeight);
    filer->writeBool(mVisible);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    auto readId = [&](AcDbObjectId& id) {
        if (filer->readHardPointerId(&id) == Acad::eNullHandle) filer->resetFilerStatus();
    };
    AcDbObjectId linetype;
    double linetypeScale = 1.0;
    readId(mLayerId);
    readId(linetype);
    filer->readDouble(&linetypeScale);
    storeLinetype(linetype, linetypeScale);
    filer->readUInt16(&mColorIndex);
    filer->readInt16(&mLineWeight);
    filer->readBool(&mVisible);
    if (mLayerId.isNull())
        if (AcDbDatabase* db = filer->database()) mLayerId = db->layerZero();
    return filer->filerStatus();
}

// Tagged entity groups: 100 AcDbEntity, 8 layer name, 6 linetype name,
// 62 colour, 48 linetype scale, 60 visibility, 370 line weight.
Acad::ErrorStatus AcDbEntity::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "AcDbEntity");
    std::string layerName = layer();
    filer->writeString(8, layerName.empty() ? "0" : layerName);
    if (!storedLinetype().isNull()) filer->writeString(6, linetype());
    if (mColorIndex != 256) filer->writeInt16(62, static_cast<Adesk::Int16>(mColorIndex));
    if (storedLinetypeScale() != 1.0) filer->writeDouble(48, storedLinetypeScale());
    if (!mVisible) filer->writeInt16(60, 1);
    if (mLineWeight != AcDb::kLnWtByLayer) filer->writeInt16(370, mLineWeight);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData("AcDbEntity")) return Acad::eBadDxfSequence;
    AcDbDatabase* db = filer->database();
    if (!db) db = acdbHostApplicationServices()->workingDatabase();
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) {
        const char* text = rb.resval.rstring ? rb.resval.rstring : "";
        switch (rb.restype) {
        case 8: {
            AcDbObjectId id = db ? db->layerId(text) : AcDbObjectId();
            mLayerId = id.isNull() && db ? db->layerZero() : id;
            break;
        }
        case 6:
            storeLinetype(db && strcasecmp(text, "ByLayer") != 0 ? db->linetypeId(text) : AcDbObjectId(),
                          storedLinetypeScale());
            break;
        case 62: mColorIndex = static_cast<Adesk::UInt16>(rb.resval.rint); break;
        case 48: storeLinetype(storedLinetype(), rb.resval.rreal); break;
        case 60: mVisible = rb.resval.rint == 0; break;
        case 370: mLineWeight = rb.resval.rint; break;
        default:
            if (rb.restype == 100 || rb.restype >= 1000) {
                filer->pushBackItem();
                return filer->filerStatus();
            }
            break; // groups of other programs are ignored
        }
    }
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}
