// Filing of the benchmark entities.
#include "BenchEntities.h"

static AcRxObject* makeLine() { return new BenchLine(); }
static AcRxObject* makePolyline() { return new BenchPolyline(); }
static AcRxObject* makeText() { return new BenchText(); }
ACRX_DEFINE_MEMBERS_IMPL(BenchLine, AcDbEntity, makeLine, "BENCHLINE", "Bench")
ACRX_DEFINE_MEMBERS_IMPL(BenchPolyline, AcDbEntity, makePolyline, "BENCHPOLYLINE", "Bench")
ACRX_DEFINE_MEMBERS_IMPL(BenchText, AcDbEntity, makeText, "BENCHTEXT", "Bench")

void registerBenchClasses() {
    AcDbEntity::desc();
    if (!BenchLine::desc()) BenchLine::rxInit();
    if (!BenchPolyline::desc()) BenchPolyline::rxInit();
    if (!BenchText::desc()) BenchText::rxInit();
}

// Reads the items after a subclass marker, handing each to take.
template <class F>
static Acad::ErrorStatus readOwnGroups(AcDbDxfFiler* filer, const char* marker, F take) {
    if (!filer->atSubclassData(marker)) return Acad::eBadDxfSequence;
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) take(rb);
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}

static AcGePoint3d point(const resbuf& rb) { return {rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]}; }

Acad::ErrorStatus BenchLine::dwgOutFields(AcDbDwgFiler* f) const {
    AcDbEntity::dwgOutFields(f);
    f->writePoint3d(start);
    return f->writePoint3d(end);
}
Acad::ErrorStatus BenchLine::dwgInFields(AcDbDwgFiler* f) {
    AcDbEntity::dwgInFields(f);
    f->readPoint3d(&start);
    return f->readPoint3d(&end);
}
Acad::ErrorStatus BenchLine::dxfOutFields(AcDbDxfFiler* f) const {
    AcDbEntity::dxfOutFields(f);
    f->writeString(100, "AcDbLine");
    f->writePoint3d(10, start);
    return f->writePoint3d(11, end);
}
Acad::ErrorStatus BenchLine::dxfInFields(AcDbDxfFiler* f) {
    if (Acad::ErrorStatus es = AcDbEntity::dxfInFields(f); es != Acad::eOk) return es;
    return readOwnGroups(f, "AcDbLine", [&](const resbuf& rb) {
        if (rb.restype == 10) start = point(rb);
        else if (rb.restype == 11) end = point(rb);
    });
}

Acad::ErrorStatus BenchPolyline::dwgOutFields(AcDbDwgFiler* f) const {
    AcDbEntity::dwgOutFields(f);
    f->writeBool(closed);
    f->writeInt32(static_cast<Adesk::Int32>(vertices.size()));
    for (const auto& v : vertices) f->writePoint2d(v);
    return f->filerStatus();
}
Acad::ErrorStatus BenchPolyline::dwgInFields(AcDbDwgFiler* f) {
    AcDbEntity::dwgInFields(f);
    f->readBool(&closed);
    Adesk::Int32 n = 0;
    if (f->readInt32(&n) != Acad::eOk || n < 0) return Acad::eDwgObjectImproperlyRead;
    vertices.resize(static_cast<size_t>(n));
    for (auto& v : vertices) f->readPoint2d(&v);
    return f->filerStatus();
}
Acad::ErrorStatus BenchPolyline::dxfOutFields(AcDbDxfFiler* f) const {
    AcDbEntity::dxfOutFields(f);
    f->writeString(100, "AcDbPolyline");
    f->writeInt32(90, static_cast<Adesk::Int32>(vertices.size()));
    f->writeInt16(70, closed ? 1 : 0);
    for (const auto& v : vertices) f->writePoint2d(10, v);
    return f->filerStatus();
}
Acad::ErrorStatus BenchPolyline::dxfInFields(AcDbDxfFiler* f) {
    if (Acad::ErrorStatus es = AcDbEntity::dxfInFields(f); es != Acad::eOk) return es;
    vertices.clear();
    return readOwnGroups(f, "AcDbPolyline", [&](const resbuf& rb) {
        if (rb.restype == 10) vertices.emplace_back(rb.resval.rpoint[0], rb.resval.rpoint[1]);
        else if (rb.restype == 70) closed = (rb.resval.rint & 1) != 0;
    });
}

Acad::ErrorStatus BenchText::dwgOutFields(AcDbDwgFiler* f) const {
    AcDbEntity::dwgOutFields(f);
    f->writePoint3d(location);
    f->writeDouble(height);
    f->writeDouble(width);
    return f->writeString(contents);
}
Acad::ErrorStatus BenchText::dwgInFields(AcDbDwgFiler* f) {
    AcDbEntity::dwgInFields(f);
    f->readPoint3d(&location);
    f->readDouble(&height);
    f->readDouble(&width);
    return f->readString(&contents);
}
Acad::ErrorStatus BenchText::dxfOutFields(AcDbDxfFiler* f) const {
    AcDbEntity::dxfOutFields(f);
    f->writeString(100, "AcDbMText");
    f->writePoint3d(10, location);
    f->writeDouble(40, height);
    f->writeDouble(41, width);
    return f->writeString(1, contents);
}
Acad::ErrorStatus BenchText::dxfInFields(AcDbDxfFiler* f) {
    if (Acad::ErrorStatus es = AcDbEntity::dxfInFields(f); es != Acad::eOk) return es;
    return readOwnGroups(f, "AcDbMText", [&](const resbuf& rb) {
        if (rb.restype == 10) location = point(rb);
        else if (rb.restype == 40) height = rb.resval.rreal;
        else if (rb.restype == 41) width = rb.resval.rreal;
        else if (rb.restype == 1) contents = rb.resval.rstring ? rb.resval.rstring : "";
    });
}
