// Single-line text: position, height, string, rotation and text style.
#pragma once

#include <functional>

#include <string>

#include "database/dbentity.h"
#include "graphics/AcGiTextLayout.h"

class AcDbText : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbText);

public:
    AcDbText();
    AcDbText(const AcGePoint3d& position, const char* text, AcDbObjectId style = AcDbObjectId(),
             double height = 0.0, double rotation = 0.0);

    AcGePoint3d position() const { assertReadEnabled(); return mPosition; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double height() const { assertReadEnabled(); return mHeight; }
    Acad::ErrorStatus setHeight(double height);
    const char* textStringConst() const { assertReadEnabled(); return mText.c_str(); }
    std::string textString() const { assertReadEnabled(); return mText; }
    Acad::ErrorStatus setTextString(const char* text);
    double rotation() const { assertReadEnabled(); return mRotation; }
    Acad::ErrorStatus setRotation(double rotation);
    AcDbObjectId textStyle() const { assertReadEnabled(); return mStyle; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    double widthFactor() const { assertReadEnabled(); return mWidthFactor; }
    Acad::ErrorStatus setWidthFactor(double factor);
    double oblique() const { assertReadEnabled(); return mOblique; }
    Acad::ErrorStatus setOblique(double angle);
    AcGeVector3d normal() const { assertReadEnabled(); return mNormal; }
    Adesk::Int16 horizontalMode() const { assertReadEnabled(); return mHorizontalMode; }
    Adesk::Int16 verticalMode() const { assertReadEnabled(); return mVerticalMode; }
    AcGePoint3d alignmentPoint() const { assertReadEnabled(); return mAlignmentPoint; }
    // Justified text (a mode other than left/baseline) is placed by its alignment point.
    bool isDefaultAlignment() const { assertReadEnabled(); return mHorizontalMode == 0 && mVerticalMode == 0; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // Modes outside 0-5 (horizontal) and 0-3 (vertical) are refused.
    Acad::ErrorStatus setHorizontalMode(Adesk::Int16 mode);
    Acad::ErrorStatus setVerticalMode(Adesk::Int16 mode);
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& point);

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

    // The groups behind the first "AcDbText" marker, for the attribute
    // classes that follow them with a part of their own. Reading hands the
    // items the text does not take to other.
    Acad::ErrorStatus dxfOutTextPart(AcDbDxfFiler* filer) const;
    Acad::ErrorStatus dxfInTextPart(AcDbDxfFiler* filer, const std::function<void(const resbuf&)>& other);
    void setVerticalModeFromFile(Adesk::Int16 mode) { mVerticalMode = mode; }

private:
    template <class> friend struct AcDbFieldList;
    // The baseline direction in world coordinates.
    AcGeVector3d direction() const;
    // Where the text is drawn, by its justification.
    AcGiTextLayout::TextPlacement placement() const;
    // Whether the text runs between its two points (aligned, fit).
    bool runsBetweenPoints() const;
    // The point the text is placed by: the alignment point when justified.
    AcGePoint3d insertionPoint() const;
    AcGePoint3d mPosition;
    double mHeight = 0.0;
    std::string mText;
    double mRotation = 0.0;
    double mWidthFactor = 1.0;
    double mOblique = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    AcDbObjectId mStyle;
    // Justification: horizontal (72: left, center, right, aligned, middle,
    // fit) and vertical (73: baseline, bottom, middle, top) modes, and the
    // alignment point they refer to (11) when either is not the default.
    Adesk::Int16 mHorizontalMode = 0;
    Adesk::Int16 mVerticalMode = 0;
    AcGePoint3d mAlignmentPoint;
};

