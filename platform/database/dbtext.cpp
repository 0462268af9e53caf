// Single-line text: fields, drawing, estimated extents, insertion snaps.
#include "database/dbtext.h"

#include <array>
#include <cmath>

#include "database/dbads.h"
#include "database/dbentityfiling.h"
#include "database/io/DwgMemoryFiler.h"
#include "graphics/AcGiTextLayout.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeText() { return new AcDbText(); }
ACRX_HOST_CLASS_MEMBERS(AcDbText, AcDbEntity, makeText, "TEXT")

// The style is filed by id in binary data and by name (group 7) in tagged data.
template <>
struct AcDbFieldList<AcDbText> {
    static std::span<const AcDbField<AcDbText>> fields() {
        static const std::array<AcDbField<AcDbText>, 8> list{{
            {"position", 10, &AcDbText::mPosition, AcGePoint3d::kOrigin},
            {"height", 40, &AcDbText::mHeight, 0.0},
            {"string", 1, &AcDbText::mText, std::string()},
            {"rotation", 50, &AcDbText::mRotation, 0.0},
            {"widthFactor", 41, &AcDbText::mWidthFactor, 1.0},
            {"oblique", 51, &AcDbText::mOblique, 0.0},
            {"normal", 210, &AcDbText::mNormal, AcGeVector3d::kZAxis},
            {"style", -7, &AcDbText::mStyle, AcDbObjectId()},
        }};
        return list;
    }
};

AcDbText::AcDbText() { AcDbFieldWalk::applyDefaults(*this, AcDbFieldList<AcDbText>::fields()); }
AcDbText::AcDbText(const AcGePoint3d& position, const char* text, AcDbObjectId style, double height,
                   double rotation)
    : AcDbText() {
    mPosition = position;
    mText = text ? text : "";
    mStyle = style;
    mHeight = height;
    mRotation = rotation;
}

Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPosition = p; return Acad::eOk; }
Acad::ErrorStatus AcDbText::setHeight(double h) {
    if (!(h >= 0.0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mHeight = h;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbText::setTextString(const char* text) {
    if (!text) return Acad::eInvalidInput;
    assertWriteEnabled();
    mText = text;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbText::setRotation(double r) { assertWriteEnabled(); mRotation = r; return Acad::eOk; }
Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId s) { assertWriteEnabled(); mStyle = s; return Acad::eOk; }
Acad::ErrorStatus AcDbText::setWidthFactor(double f) {
    if (!(f > 0.0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mWidthFactor = f;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbText::setOblique(double a) { assertWriteEnabled(); mOblique = a; return Acad::eOk; }
Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& n) {
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::setHorizontalMode(Adesk::Int16 mode) {
    if (mode < AcGiTextLayout::kTextLeft || mode > AcGiTextLayout::kTextFit) return Acad::eInvalidInput;
    assertWriteEnabled();
    mHorizontalMode = mode;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbText::setVerticalMode(Adesk::Int16 mode) {
    if (mode < AcGiTextLayout::kTextBase || mode > AcGiTextLayout::kTextTop) return Acad::eInvalidInput;
    assertWriteEnabled();
    mVerticalMode = mode;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& p) {
    assertWriteEnabled();
    mAlignmentPoint = p;
    return Acad::eOk;
}

AcGeVector3d AcDbText::direction() const {
    return AcGeMatrix3d::planeToWorld(mNormal) * AcGeVector3d(std::cos(mRotation), std::sin(mRotation), 0.0);
}

AcGiTextLayout::TextPlacement AcDbText::placement() const {
    return AcGiTextLayout::justify(AcGiTextLayout::plainText(mText), mPosition, mAlignmentPoint, direction(), mNormal,
                                   mHeight, mWidthFactor, mHorizontalMode, mVerticalMode);
}

bool AcDbText::runsBetweenPoints() const {
    return mHorizontalMode == AcGiTextLayout::kTextAligned || mHorizontalMode == AcGiTextLayout::kTextFit;
}

AcGePoint3d AcDbText::insertionPoint() const {
    return isDefaultAlignment() || runsBetweenPoints() ? mPosition : mAlignmentPoint;
}

bool AcDbText::subWorldDraw(AcGiWorldDraw* wd) {
    const AcGiTextLayout::TextPlacement p = placement();
    wd->geometry().text(p.start, mNormal, p.direction, p.height, p.widthFactor, mOblique, mText.c_str());
    return true;
}

// Aligned and fit text have a grip at each end; other text one at the point
// it is placed by, which moves both points.
Acad::ErrorStatus AcDbText::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.push_back(insertionPoint());
    if (runsBetweenPoints()) points.push_back(mAlignmentPoint);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbText::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices) {
        if (runsBetweenPoints()) {
            (i == 0 ? mPosition : mAlignmentPoint) += offset;
        } else if (i == 0) {
            mPosition += offset;
            mAlignmentPoint += offset;
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d&,
                                              const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                              AcDbIntArray&) const {
    if (mode == AcDb::kOsModeIns) snaps.push_back(insertionPoint());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subTransformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d dir = xform * direction();
    AcGeVector3d up = xform * mNormal.crossProduct(direction());
    AcGeVector3d n = dir.crossProduct(up);
    if (dir.isZeroLength() || n.isZeroLength()) return Acad::eNotApplicable;
    mPosition.transformBy(xform);
    mAlignmentPoint.transformBy(xform);
    mHeight *= up.length();
    mWidthFactor *= dir.length() / up.length();
    mNormal = n.normal();
    const AcGeVector3d local = AcGeMatrix3d::worldToPlane(mNormal) * dir;
    mRotation = std::atan2(local.y, local.x);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subGetGeomExtents(AcDbExtents& extents) const {
    const AcGiTextLayout::TextPlacement p = placement();
    const double w = AcGiTextLayout::textWidth(AcGiTextLayout::plainText(mText), p.height, p.widthFactor);
    const AcGeVector3d up = mNormal.crossProduct(p.direction);
    extents = AcDbExtents();
    extents.addPoint(p.start);
    extents.addPoint(p.start + p.direction * w);
    extents.addPoint(p.start + up * p.height);
    extents.addPoint(p.start + p.direction * w + up * p.height);
    return Acad::eOk;
}

void AcDbText::subList() const {
    AcDbEntity::subList();
    acdbPrintf("                   Style = \"%s\"\n", AcDbEntityFiling::recordName(mStyle).c_str());
    acdbPrintf("              start point, X=%10.4f  Y=%10.4f  Z=%10.4f\n", mPosition.x, mPosition.y, mPosition.z);
    acdbPrintf("                  height %10.4f\n", mHeight);
    acdbPrintf("                    text %s\n", mText.c_str());
    acdbPrintf("                rotation angle %10.4f\n", mRotation);
}

Acad::ErrorStatus AcDbText::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbText>::fields(), filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(mHorizontalMode);
    filer->writeInt16(mVerticalMode);
    return filer->writePoint3d(mAlignmentPoint);
}
Acad::ErrorStatus AcDbText::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    es = AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbText>::fields(), filer);
    if (es != Acad::eOk || !filerHasFormat(filer, 3)) return es;
    filer->readInt16(&mHorizontalMode);
    filer->readInt16(&mVerticalMode);
    return filer->readPoint3d(&mAlignmentPoint);
}
// Tagged data has a second AcDbText marker after the alignment groups.
Acad::ErrorStatus AcDbText::dxfOutTextPart(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntityFiling::dxfOutWithMarker(*this, "AcDbText", filer);
    if (es != Acad::eOk) return es;
    filer->writeString(7, AcDbEntityFiling::recordName(mStyle).empty() ? std::string("Standard")
                                                                       : AcDbEntityFiling::recordName(mStyle));
    if (mHorizontalMode != 0) filer->writeInt16(72, mHorizontalMode);
    // Other programs write the alignment point even for left-aligned text.
    if (!isDefaultAlignment() || mAlignmentPoint != AcGePoint3d::kOrigin) filer->writePoint3d(11, mAlignmentPoint);
    return filer->filerStatus();
}
Acad::ErrorStatus AcDbText::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    es = dxfOutTextPart(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "AcDbText");
    if (mVerticalMode != 0) filer->writeInt16(73, mVerticalMode);
    return filer->filerStatus();
}
Acad::ErrorStatus AcDbText::dxfInTextPart(AcDbDxfFiler* filer, const std::function<void(const resbuf&)>& more) {
    auto other = [&](const resbuf& rb) {
        if (rb.restype == 7) mStyle = AcDbEntityFiling::textStyleByName(filer, rb.resval.rstring);
        else if (rb.restype == 72) mHorizontalMode = rb.resval.rint;
        else if (rb.restype == 73) mVerticalMode = rb.resval.rint;
        else if (rb.restype == 11) mAlignmentPoint.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
        else if (more) more(rb);
    };
    Acad::ErrorStatus es = AcDbEntityFiling::dxfInWithMarker(*this, "AcDbText", filer, other);
    if (mStyle.isNull()) mStyle = AcDbEntityFiling::textStyleByName(filer, nullptr);
    return es;
}
Acad::ErrorStatus AcDbText::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    es = dxfInTextPart(filer, {});
    if (es != Acad::eOk) return es;
    if (filer->atSubclassData("AcDbText")) {
        auto other = [&](const resbuf& rb) {
            if (rb.restype == 7) mStyle = AcDbEntityFiling::textStyleByName(filer, rb.resval.rstring);
            else if (rb.restype == 72) mHorizontalMode = rb.resval.rint;
            else if (rb.restype == 73) mVerticalMode = rb.resval.rint;
            else if (rb.restype == 11) mAlignmentPoint.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
        };
        es = AcDbEntityFiling::dxfInItems(*this, AcDbFieldList<AcDbText>::fields(), filer, other);
    }
    return es;
}
