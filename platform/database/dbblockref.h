// A reference to a block definition: position, rotation and scale factors.
#pragma once

#include "database/dbentity.h"
#include "database/dbsequence.h"
#include "geometry/AcGeScale3d.h"

class AcDbBlockReference : public AcDbEntity, public AcDbSequenceOwner {
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);

public:
    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord);

    AcDbObjectId blockTableRecord() const { assertReadEnabled(); return mBlock; }
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId block);
    AcGePoint3d position() const { assertReadEnabled(); return mPosition; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double rotation() const { assertReadEnabled(); return mRotation; }
    Acad::ErrorStatus setRotation(double rotation);
    AcGeScale3d scaleFactors() const { assertReadEnabled(); return {mScaleX, mScaleY, mScaleZ}; }
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
    AcGeVector3d normal() const { assertReadEnabled(); return mNormal; }
    bool attributesFollow() const { assertReadEnabled(); return mAttributesFollow; }
    // The attributes this insert carries (entities of the same block that
    // follow it); they move with it.
    const std::vector<AcDbObjectId>& attributeIds() const { assertReadEnabled(); return mAttributes; }

    bool hasFollowers() const override { return mAttributesFollow; }
    const char* followerType() const override { return "ATTRIB"; }
    AcRxClass* followerClass(int flags) const override;
    void attachFollower(AcDbObjectId id) override { mAttributes.push_back(id); }
    void attachSequenceEnd(AcDbObjectId id) override { mSequenceEnd = id; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // Block coordinates to world: base point, scale, rotation, normal, position.
    AcGeMatrix3d blockTransform() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    // Records an insert when the context keeps them, else draws the block's
    // entities under the block transform.
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    // Copies of the block's entities, transformed into place.
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    void subList() const override;

private:
    template <class> friend struct AcDbFieldList;
    AcDbObjectId mBlock;
    AcGePoint3d mPosition;
    double mScaleX = 1.0, mScaleY = 1.0, mScaleZ = 1.0;
    double mRotation = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    // Attribute entities follow the reference in the file (group 66).
    bool mAttributesFollow = false;
    std::vector<AcDbObjectId> mAttributes;
    AcDbObjectId mSequenceEnd;
};
