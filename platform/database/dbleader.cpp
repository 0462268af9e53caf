// Leader: vertices, drawing, grips and filing.
#include "database/dbleader.h"

#include <array>

#include "database/dbentityfiling.h"
#include "database/dbline.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeLeader() { return new AcDbLeader(); }
ACRX_HOST_CLASS_MEMBERS(AcDbLeader, AcDbCurve, makeLeader, "LEADER")

// The vertices follow these fields (count 76, then each as group 10).
template <>
struct AcDbFieldList<AcDbLeader> {
    static std::span<const AcDbField<AcDbLeader>> fields() {
        static const std::array<AcDbField<AcDbLeader>, 5> list{{
            {"dimStyle", 3, &AcDbLeader::mDimStyle, std::string("Standard")},
            {"arrowHead", 71, &AcDbLeader::mArrowHead, Adesk::Int16(1)},
            {"pathType", 72, &AcDbLeader::mPathType, Adesk::Int16(0)},
            {"annotationType", 73, &AcDbLeader::mAnnotationType, Adesk::Int16(3)},
            {"normal", 210, &AcDbLeader::mNormal, AcGeVector3d::kZAxis},
        }};
        return list;
    }
};

AcDbLeader::AcDbLeader() { AcDbFieldWalk::applyDefaults(*this, AcDbFieldList<AcDbLeader>::fields()); }

bool AcDbLeader::appendVertex(const AcGePoint3d& p) { assertWriteEnabled(); mVertices.push_back(p); return true; }
void AcDbLeader::removeLastVertex() {
    assertWriteEnabled();
    if (!mVertices.empty()) mVertices.pop_back();
}
AcGePoint3d AcDbLeader::firstVertex() const { assertReadEnabled(); return mVertices.empty() ? AcGePoint3d() : mVertices.front(); }
AcGePoint3d AcDbLeader::lastVertex() const { assertReadEnabled(); return mVertices.empty() ? AcGePoint3d() : mVertices.back(); }
AcGePoint3d AcDbLeader::vertexAt(int i) const {
    assertReadEnabled();
    return i >= 0 && static_cast<size_t>(i) < mVertices.size() ? mVertices[i] : AcGePoint3d();
}
bool AcDbLeader::setVertexAt(int i, const AcGePoint3d& p) {
    if (i < 0 || static_cast<size_t>(i) >= mVertices.size()) return false;
    assertWriteEnabled();
    mVertices[i] = p;
    return true;
}
Acad::ErrorStatus AcDbLeader::getStartPoint(AcGePoint3d& p) const {
    assertReadEnabled();
    if (mVertices.empty()) return Acad::eDegenerateGeometry;
    p = mVertices.front();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLeader::getEndPoint(AcGePoint3d& p) const {
    assertReadEnabled();
    if (mVertices.empty()) return Acad::eDegenerateGeometry;
    p = mVertices.back();
    return Acad::eOk;
}

bool AcDbLeader::subWorldDraw(AcGiWorldDraw* wd) {
    if (mVertices.size() >= 2)
        wd->geometry().polyline(static_cast<Adesk::UInt32>(mVertices.size()), mVertices.data(), &mNormal);
    return true;
}
Acad::ErrorStatus AcDbLeader::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    points.insert(points.end(), mVertices.begin(), mVertices.end());
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLeader::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices)
        if (i >= 0 && static_cast<size_t>(i) < mVertices.size()) mVertices[i] += offset;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLeader::subGetOsnapPoints(AcDb::OsnapMode mode, Adesk::GsMarker, const AcGePoint3d&,
                                                const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snaps,
                                                AcDbIntArray&) const {
    if (mode == AcDb::kOsModeEnd) snaps.insert(snaps.end(), mVertices.begin(), mVertices.end());
    if (mode == AcDb::kOsModeMid)
        for (size_t i = 0; i + 1 < mVertices.size(); ++i)
            snaps.push_back(mVertices[i] + (mVertices[i + 1] - mVertices[i]) * 0.5);
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLeader::subTransformBy(const AcGeMatrix3d& xform) {
    for (AcGePoint3d& p : mVertices) p.transformBy(xform);
    AcGeVector3d n = xform * mNormal;
    if (!n.isZeroLength()) mNormal = n.normal();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLeader::subExplode(AcDbVoidPtrArray& entitySet) const {
    for (size_t i = 0; i + 1 < mVertices.size(); ++i) {
        auto* line = new AcDbLine(mVertices[i], mVertices[i + 1]);
        line->setPropertiesFrom(this);
        entitySet.push_back(line);
    }
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLeader::subGetGeomExtents(AcDbExtents& extents) const {
    if (mVertices.empty()) return Acad::eInvalidExtents;
    extents = AcDbExtents();
    for (const AcGePoint3d& p : mVertices) extents.addPoint(p);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es == Acad::eOk) es = AcDbFieldWalk::dwgOut(*this, AcDbFieldList<AcDbLeader>::fields(), filer);
    if (es != Acad::eOk) return es;
    filer->writeInt32(static_cast<Adesk::Int32>(mVertices.size()));
    for (const AcGePoint3d& p : mVertices) filer->writePoint3d(p);
    return filer->filerStatus();
}
Acad::ErrorStatus AcDbLeader::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es == Acad::eOk) es = AcDbFieldWalk::dwgIn(*this, AcDbFieldList<AcDbLeader>::fields(), filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk) return filer->filerStatus();
    if (count < 0 || count > (1 << 24)) return Acad::eDwgObjectImproperlyRead;
    mVertices.assign(static_cast<size_t>(count), AcGePoint3d());
    for (AcGePoint3d& p : mVertices)
        if (filer->readPoint3d(&p) != Acad::eOk) return filer->filerStatus();
    return filer->filerStatus();
}
Acad::ErrorStatus AcDbLeader::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es == Acad::eOk) es = AcDbEntityFiling::dxfOutWithMarker(*this, "AcDbLeader", filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(76, static_cast<Adesk::Int16>(mVertices.size()));
    for (const AcGePoint3d& p : mVertices) filer->writePoint3d(10, p);
    return filer->filerStatus();
}
Acad::ErrorStatus AcDbLeader::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mVertices.clear();
    return AcDbEntityFiling::dxfInWithMarker(*this, "AcDbLeader", filer, [&](const resbuf& rb) {
        if (rb.restype == 10) mVertices.emplace_back(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
    });
}
