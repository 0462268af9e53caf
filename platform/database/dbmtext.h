// Multiline text: contents with "\P" line breaks, wrapped at a width.
#pragma once

#include <string>
#include <vector>

#include "database/dbentity.h"

class AcDbMText : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbMText);

public:
    enum AttachmentPoint {
        kTopLeft = 1, kTopCenter, kTopRight,
        kMiddleLeft, kMiddleCenter, kMiddleRight,
        kBottomLeft, kBottomCenter, kBottomRight,
    };

    AcDbMText();

    std::string contents() const { assertReadEnabled(); return mContents; }
    Acad::ErrorStatus setContents(const char* text);
    AcGePoint3d location() const { assertReadEnabled(); return mLocation; }
    Acad::ErrorStatus setLocation(const AcGePoint3d& location);
    // Wrapping width; 0 means lines are not wrapped.
    double width() const { assertReadEnabled(); return mWidth; }
    Acad::ErrorStatus setWidth(double width);
    double textHeight() const { assertReadEnabled(); return mTextHeight; }
    Acad::ErrorStatus setTextHeight(double height);
    AcDbObjectId textStyle() const { assertReadEnabled(); return mStyle; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    AttachmentPoint attachment() const { assertReadEnabled(); return static_cast<AttachmentPoint>(mAttachment); }
    Acad::ErrorStatus setAttachment(AttachmentPoint attachment);
    AcGeVector3d direction() const { assertReadEnabled(); return mDirection; }
    Acad::ErrorStatus setDirection(const AcGeVector3d& direction);
    AcGeVector3d normal() const { assertReadEnabled(); return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // Angle of the direction in the text's plane.
    double rotation() const;
    Acad::ErrorStatus setRotation(double angle);

    // Size of the laid-out text: character advance 0.6 x height, baselines
    // 5/3 x height apart, lines broken at "\P" and wrapped at the width.
    double actualWidth() const;
    double actualHeight() const;
    // The display lines after breaking and wrapping.
    std::vector<std::string> wrappedLines() const;

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
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    void subList() const override;

private:
    template <class> friend struct AcDbFieldList;
    std::string mContents;
    AcGePoint3d mLocation;
    double mWidth = 0.0;
    double mTextHeight = 0.0;
    AcGeVector3d mDirection = AcGeVector3d::kXAxis;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    AcDbObjectId mStyle;
    // The small members last, sharing one word.
    Adesk::Int16 mAttachment = kTopLeft;
    // The file gave the direction as a rotation angle (group 50).
    bool mRotationFiled = false;
};
