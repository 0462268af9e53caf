// Drawing entities: common properties (layer, colour, linetype, visibility)
// and the editing protocol that the public wrappers route to sub* overrides.
#pragma once

#include <string>

#include "database/dbarrays.h"
#include "database/dbextents.h"
#include "database/dbobject.h"

class AcGiWorldDraw;

class AcDbEntity : public AcDbObject {
    ACRX_DECLARE_MEMBERS(AcDbEntity);

public:
    AcDbEntity();

    // Layer: by id, or by name in the entity's (or the working) database.
    AcDbObjectId layerId() const { assertReadEnabled(); return mLayerId; }
    std::string layer() const;
    Acad::ErrorStatus setLayer(const char* layerName, bool doSubents = true);
    virtual Acad::ErrorStatus setLayer(AcDbObjectId layerId, bool doSubents = true);
    // Colour index: 0 ByBlock, 256 ByLayer, 1..255.
    Adesk::UInt16 colorIndex() const { assertReadEnabled(); return mColorIndex; }
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, bool doSubents = true);
    // Linetype: the null id means ByLayer.
    AcDbObjectId linetypeId() const { assertReadEnabled(); return storedLinetype(); }
    std::string linetype() const;
    Acad::ErrorStatus setLinetype(AcDbObjectId linetypeId, bool doSubents = true);
    Acad::ErrorStatus setLinetype(const char* name, bool doSubents = true);
    double linetypeScale() const { assertReadEnabled(); return storedLinetypeScale(); }
    Acad::ErrorStatus setLinetypeScale(double scale, bool doSubents = true);
    AcDb::Visibility visibility() const { assertReadEnabled(); return mVisible ? AcDb::kVisible : AcDb::kInvisible; }
    Acad::ErrorStatus setVisibility(AcDb::Visibility visibility, bool doSubents = true);
    AcDb::LineWeight lineWeight() const { assertReadEnabled(); return static_cast<AcDb::LineWeight>(mLineWeight); }
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight, bool doSubents = true);
    // Copies layer, colour, linetype, scale, visibility and weight.
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* other, bool doSubents = true);
    // New entities take the working database's current layer.
    void setDatabaseDefaults(AcDbDatabase* db = nullptr);

    // Editing protocol.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes, AcDbIntArray& geomIds) const;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& points) const;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds) const;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);
    // Entities that replace this one (new, not in a database; caller owns).
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const;
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const;
    // Prints the entity's listing on the command line.
    void list() const;
    // Proxy graphics: draws what a reader without this class would show.
    virtual void saveAs(AcGiWorldDraw* wd, AcDb::SaveType saveType);
    // Hands layer, colour, linetype and its scale and the weight to the
    // graphics system before the entity draws.
    Adesk::UInt32 setAttributes(AcGiDrawableTraits* traits) override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    virtual Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                               AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus subGetStretchPoints(AcGePoint3dArray& points) const;
    virtual Acad::ErrorStatus subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                                const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                                const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                                AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform);
    virtual Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const;
    virtual Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const;
    virtual Acad::ErrorStatus subIntersectWith(const AcDbEntity* other, AcDb::Intersect intType,
                                               AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker,
                                               Adesk::GsMarker otherGsMarker) const;
    virtual Acad::ErrorStatus subIntersectWith(const AcDbEntity* other, AcDb::Intersect intType,
                                               const AcGePlane& projPlane, AcGePoint3dArray& points,
                                               Adesk::GsMarker thisGsMarker, Adesk::GsMarker otherGsMarker) const;
    // The common listing: class, layer, space, handle (and colour/linetype
    // when not ByLayer).
    virtual void subList() const;
    virtual Acad::ErrorStatus subSetLayer(AcDbObjectId layerId, bool doSubents);

private:
    // The linetype and its scale are rarely set: they live in the object's
    // extras.
    AcDbObjectId storedLinetype() const { return extras() ? extras()->linetype : AcDbObjectId(); }
    double storedLinetypeScale() const { return extras() ? extras()->linetypeScale : 1.0; }
    void storeLinetype(AcDbObjectId linetype, double scale);

    // In this order the small members fill the end of the object's words
    // (an entity is 48 bytes before its class's own members).
    bool mVisible = true;
    Adesk::UInt16 mColorIndex = 256;
    Adesk::Int16 mLineWeight = AcDb::kLnWtByLayer;
    AcDbObjectId mLayerId;
};

// Delete the entities of an explode result that the caller does not keep.
void acdbDeleteEntities(AcDbVoidPtrArray& entities);
