// Dimensions of every kind in one class (the kind is group 70's low bits):
// the definition and text points, the measured text and the dimension
// style, drawn through the anonymous block ("*D...") that holds their
// lines, arrows and text. Points of the kind's own parts are kept as
// filed and move with the dimension; so does the block's content.
#pragma once

#include <string>

#include "database/dbentity.h"
#include "database/dbkept.h"

class AcDbDimension : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbDimension);

public:
    enum Kind { kRotated = 0, kAligned = 1, kAngular = 2, kDiametric = 3, kRadial = 4, kAngular3Point = 5, kOrdinate = 6 };

    AcDbDimension();
    Kind kind() const { assertReadEnabled(); return static_cast<Kind>(mFlags & 7); }
    std::string blockName() const { assertReadEnabled(); return mBlockName; }
    AcGePoint3d definitionPoint() const { assertReadEnabled(); return mDefinitionPoint; }
    AcGePoint3d textPosition() const { assertReadEnabled(); return mTextPosition; }
    std::string dimensionText() const { assertReadEnabled(); return mText; }
    std::string dimensionStyleName() const { assertReadEnabled(); return mStyleName; }
    // The block's id in the dimension's database (null when it has none).
    AcDbObjectId dimBlockId() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    void subList() const override;

private:
    template <class> friend struct AcDbFieldList;
    std::string mBlockName;
    std::string mStyleName;
    AcGePoint3d mDefinitionPoint;
    AcGePoint3d mTextPosition;
    Adesk::Int16 mFlags = 0;
    std::string mText;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    AcDbKeptGroups mKept;
};
