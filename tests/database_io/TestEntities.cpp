// The test entity's filing.
#include "TestEntities.h"

#include "database/dbdatabase.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeTestPipe() { return new TestPipe(); }
ACRX_DEFINE_MEMBERS_IMPL(TestPipe, AcDbEntity, makeTestPipe, "TESTPIPE", "\"Test Pipe|Tests|example.invalid\"")

int TestPipe::sWriteVersion = TestPipe::kVersion;
bool TestPipe::sFailWrite = false;

bool TestPipe::subWorldDraw(AcGiWorldDraw* wd) {
    const AcGePoint3d line[2] = {start, end};
    wd->geometry().polyline(2, line);
    wd->geometry().circle(start, 0.5, AcGeVector3d::kZAxis);
    wd->geometry().text(end, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 0.25, 1.0, 0.0, sizeText.c_str());
    return true;
}

void registerTestClasses() {
    AcDbEntity::desc();  // the parent must be registered first
    if (!TestPipe::desc()) TestPipe::rxInit();
}

Acad::ErrorStatus TestPipe::dwgOutFields(AcDbDwgFiler* filer) const {
    if (sFailWrite) return Acad::eFilerError;
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt32(sWriteVersion);
    filer->writePoint3d(start);
    filer->writePoint3d(end);
    filer->writeInt32(key);
    filer->writeString(sizeText);
    filer->writeInt32(static_cast<Adesk::Int32>(hangers.size()));
    for (double d : hangers) filer->writeDouble(d);
    filer->writeBool(reverse);
    const bool valid = labelLayer.isValid() && (!labelLayer.isErased() || filer->filerType() == AcDb::kUndoFiler);
    filer->writeBool(valid);
    if (valid) filer->writeHardPointerId(labelLayer);
    return filer->filerStatus();
}

Acad::ErrorStatus TestPipe::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 version = 0;
    if ((es = filer->readInt32(&version)) != Acad::eOk) return es;
    if (version > kVersion) return Acad::eMakeMeProxy;
    if (version <= 0) return Acad::eDwgObjectImproperlyRead;
    if ((es = filer->readPoint3d(&start)) != Acad::eOk) return es;
    if ((es = filer->readPoint3d(&end)) != Acad::eOk) return es;
    if ((es = filer->readInt32(&key)) != Acad::eOk) return es;
    if ((es = filer->readString(&sizeText)) != Acad::eOk) return es;
    Adesk::Int32 n = 0;
    if ((es = filer->readInt32(&n)) != Acad::eOk) return es;
    if (n < 0 || n > 100000) return Acad::eDwgObjectImproperlyRead;
    hangers.clear();
    for (Adesk::Int32 i = 0; i < n; ++i) {
        double d = 0;
        if ((es = filer->readDouble(&d)) != Acad::eOk) return es;
        hangers.push_back(d);
    }
    if ((es = filer->readBool(&reverse)) != Acad::eOk) return es;
    bool valid = false;
    if ((es = filer->readBool(&valid)) != Acad::eOk) return es;
    labelLayer = AcDbObjectId();
    if (valid) {
        es = filer->readHardPointerId(&labelLayer);
        if (es == Acad::eNullHandle) filer->resetFilerStatus();  // a layer that is gone reads as none
        else if (es != Acad::eOk) return es;
    }
    return filer->filerStatus();
}

Acad::ErrorStatus TestPipe::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "TestPipe");
    filer->writePoint3d(10, start);
    filer->writePoint3d(11, end);
    filer->writeInt32(90, key);
    filer->writeString(1, sizeText);
    filer->writeInt16(70, reverse ? 1 : 0);
    for (double d : hangers) filer->writeDouble(40, d);
    if (labelLayer.isValid() && !labelLayer.isErased()) filer->writeObjectId(340, labelLayer);
    return filer->filerStatus();
}

Acad::ErrorStatus TestPipe::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData("TestPipe")) return Acad::eBadDxfSequence;
    hangers.clear();
    resbuf rb{};
    while ((es = filer->readItem(&rb)) == Acad::eOk) {
        switch (rb.restype) {
        case 10: start.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        case 11: end.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        case 90: key = rb.resval.rlong; break;
        case 1: sizeText = rb.resval.rstring ? rb.resval.rstring : ""; break;
        case 70: reverse = rb.resval.rint != 0; break;
        case 40: hangers.push_back(rb.resval.rreal); break;
        case 340: acdbGetObjectId(labelLayer, rb.resval.rlname); break;
        default: break;
        }
    }
    if (es == Acad::eEndOfObject) {
        filer->resetFilerStatus();
        return Acad::eOk;
    }
    return es;
}
