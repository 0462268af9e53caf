// ZkDuct tagged filing: the groups behind the "ZkDuct" subclass marker. The
// display flags, third point, hangers, arrows and locks are not part of it.
#include "ducts/ZkDuct.h"

Acad::ErrorStatus ZkDuct::dxfOutFields(AcDbDxfFiler* filer) const {
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "ZkDuct");
    filer->writePoint3d(10, mStart);
    filer->writePoint3d(11, mEnd);
    filer->writeInt32(90, mDuctKey);
    filer->writeInt32(91, mStartsInOtherDrawing ? 1 : 0);
    filer->writeInt32(92, mEndsInOtherDrawing ? 1 : 0);
    filer->writeString(1, mSizeFor);
    filer->writeString(2, mDrawingName);
    return filer->filerStatus();
}

Acad::ErrorStatus ZkDuct::dxfInFields(AcDbDxfFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData("ZkDuct")) return Acad::eBadDxfSequence;
    resbuf rb{};
    while ((es = filer->readItem(&rb)) == Acad::eOk) {
        const double* p = rb.resval.rpoint;
        switch (rb.restype) {
        case 1: setSizeFor(rb.resval.rstring ? rb.resval.rstring : ""); break;
        case 2: setDrawingName(rb.resval.rstring ? rb.resval.rstring : ""); break;
        case 10: setStartPoint(AcGePoint3d(p[0], p[1], p[2])); break;
        case 11: setEndPoint(AcGePoint3d(p[0], p[1], p[2])); break;
        case 90: setDuctKey(rb.resval.rlong); break;
        case 91: setStartsInOtherDrawing(rb.resval.rlong != 0); break;
        case 92: setEndsInOtherDrawing(rb.resval.rlong != 0); break;
        default: break;
        }
    }
    if (es == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}
