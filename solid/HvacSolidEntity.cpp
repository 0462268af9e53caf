// The duct solid as an entity: class registration and the library's entry
// point, filing in both drawing formats, display, listing, extents,
// transformation and exploding into 3D faces.
#include "solid/HvacSolid.h"
#include "solid/SolidGeometry.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_GTransform.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GCPnts_QuasiUniformDeflection.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <gp_GTrsf.hxx>

#include <cmath>

#include "ads/ads.h"
#include "database/dbface.h"
#include "database/dbfiler.h"
#include "graphics/AcGiWorldDraw.h"
#include "runtime/rxapp.h"

namespace {
constexpr Adesk::Int32 kFilingVersion = 1;
constexpr const char* kAppName = "\"Orvane Solid|Orvane Software|www.orvane.example\"";
constexpr size_t kDxfChunk = 250;

AcRxObject* makeSolid() { return new HvacSolid(); }

// DXF strings stay on one line: backslashes and line breaks are escaped.
std::string escapeLine(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

std::string unescapeLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            out += text[i + 1] == 'n' ? '\n' : text[i + 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
} // namespace

AcRxClass* HvacSolid::gpDesc = nullptr;

void HvacSolid::rxInit() {
    if (gpDesc && zk_hvacSolid::desc() == gpDesc) return;
    // The modeler's own progress reports would clutter the command line.
    Message::DefaultMessenger()->ChangePrinters().Clear();
    AcDbEntity::desc();
    gpDesc = newAcRxClass(kClassName, "AcDbEntity", 1, makeSolid, "ZK_HVACSOLID", kAppName);
}

void HvacSolid::rxUninit() {
    if (gpDesc && zk_hvacSolid::desc() == gpDesc) deleteAcRxClass(gpDesc);
    gpDesc = nullptr;
}

// Binary format: version, kind, then the body as modeler text.
Acad::ErrorStatus HvacSolid::dwgOutFields(AcDbDwgFiler* filer) const {
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt32(kFilingVersion);
    filer->writeInt32(mKind);
    filer->writeString(brepText());
    return filer->filerStatus();
}

Acad::ErrorStatus HvacSolid::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 version = 0, kind = 0;
    filer->readInt32(&version);
    if (version > kFilingVersion) return Acad::eMakeMeProxy;
    filer->readInt32(&kind);
    std::string text;
    filer->readString(&text);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    mShape.Nullify();
    if (!text.empty() && !setBrepText(text)) return Acad::eInvalidInput;
    mKind = kind;
    return Acad::eOk;
}

// DXF: 90 version, 91 kind, then the body's text in group 1 pieces of at
// most 250 characters, line breaks written as \n.
Acad::ErrorStatus HvacSolid::dxfOutFields(AcDbDxfFiler* filer) const {
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, kClassName);
    filer->writeInt32(90, kFilingVersion);
    filer->writeInt32(91, mKind);
    const std::string text = escapeLine(brepText());
    for (size_t at = 0; at < text.size(); at += kDxfChunk) {
        size_t length = std::min(kDxfChunk, text.size() - at);
        // Never split an escape pair between two pieces.
        if (at + length < text.size() && text[at + length - 1] == '\\') {
            size_t slashes = 0;
            while (slashes < length && text[at + length - 1 - slashes] == '\\') ++slashes;
            if (slashes % 2) --length;
        }
        filer->writeString(1, text.substr(at, length));
        at -= kDxfChunk - length;
    }
    return filer->filerStatus();
}

Acad::ErrorStatus HvacSolid::dxfInFields(AcDbDxfFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(kClassName)) return Acad::eBadDxfSequence;
    std::string text;
    Adesk::Int32 kind = kNone;
    resbuf rb{};
    while ((es = filer->readItem(&rb)) == Acad::eOk) {
        if (rb.restype == 90 && rb.resval.rlong > kFilingVersion) return Acad::eMakeMeProxy;
        if (rb.restype == 91) kind = rb.resval.rlong;
        if (rb.restype == 1 && rb.resval.rstring) text += rb.resval.rstring;
    }
    if (es == Acad::eEndOfObject) filer->resetFilerStatus();
    mShape.Nullify();
    if (!text.empty() && !setBrepText(unescapeLine(text))) return Acad::eInvalidInput;
    mKind = kind;
    return filer->filerStatus();
}

void HvacSolid::saveAs(AcGiWorldDraw* wd, AcDb::SaveType) {
    zkSolidMesh mesh;
    if (!getMesh(mesh)) return;
    for (size_t t = 0; t + 2 < mesh.triangles.size(); t += 3) {
        AcGePoint3d corners[3] = {mesh.vertices[mesh.triangles[t]], mesh.vertices[mesh.triangles[t + 1]],
                                  mesh.vertices[mesh.triangles[t + 2]]};
        wd->geometry().polygon(3, corners);
    }
}

const std::vector<std::vector<AcGePoint3d>>& HvacSolid::edgePolylines() const {
    if (mEdgesValid) return mEdges;
    mEdges.clear();
    mEdgesValid = true;
    if (mShape.IsNull()) return mEdges;
    try {
        Bnd_Box box;
        BRepBndLib::Add(mShape, box);
        const double deflection = std::max(1e-3, std::sqrt(box.SquareExtent()) / 300);
        TopTools_IndexedMapOfShape edges;
        TopExp::MapShapes(mShape, TopAbs_EDGE, edges);
        for (int i = 1; i <= edges.Extent(); ++i) {
            const TopoDS_Edge& edge = TopoDS::Edge(edges(i));
            if (BRep_Tool::Degenerated(edge)) continue;
            BRepAdaptor_Curve curve(edge);
            GCPnts_QuasiUniformDeflection points(curve, deflection);
            if (!points.IsDone() || points.NbPoints() < 2) continue;
            std::vector<AcGePoint3d> line;
            for (int k = 1; k <= points.NbPoints(); ++k) line.push_back(toPoint(points.Value(k)));
            mEdges.push_back(std::move(line));
        }
    } catch (const Standard_Failure&) {
    }
    return mEdges;
}

bool HvacSolid::subWorldDraw(AcGiWorldDraw* wd) {
    assertReadEnabled();
    for (const auto& line : edgePolylines())
        wd->geometry().polyline(static_cast<Adesk::UInt32>(line.size()), line.data());
    return true;
}

void HvacSolid::subList() const {
    assertReadEnabled();
    AcDbEntity::subList();
    zkSolidMassProps props;
    acutPrintf("\n  Duct solid: %s", kindName().c_str());
    if (getMassProps(props)) acutPrintf("\n  Volume: %.4f", props.volume);
}

Acad::ErrorStatus HvacSolid::subGetGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    zkSolidMassProps props;
    if (!getMassProps(props)) return Acad::eInvalidExtents;
    extents = AcDbExtents(props.minPoint, props.maxPoint);
    return Acad::eOk;
}

Acad::ErrorStatus HvacSolid::subTransformBy(const AcGeMatrix3d& xform) {
    assertWriteEnabled();
    if (mShape.IsNull()) return Acad::eOk;
    try {
        gp_GTrsf transform;
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) transform.SetValue(r + 1, c + 1, xform(r, c));
            transform.SetValue(r + 1, 4, xform(r, 3));
        }
        // Rigid motions and uniform scaling keep the exact body; anything
        // else goes through the general transformation.
        TopoDS_Shape moved;
        if (transform.Form() != gp_Other) {
            moved = BRepBuilderAPI_Transform(mShape, transform.Trsf(), true).Shape();
        } else {
            moved = BRepBuilderAPI_GTransform(mShape, transform, true).Shape();
        }
        mShape = moved;
        mEdgesValid = false;
        recordGraphicsModified();
        return Acad::eOk;
    } catch (const Standard_Failure&) {
        return Acad::eInvalidInput;
    }
}

Acad::ErrorStatus HvacSolid::subExplode(AcDbVoidPtrArray& entitySet) const {
    assertReadEnabled();
    zkSolidMesh mesh;
    if (!getMesh(mesh)) return Acad::eNotApplicable;
    for (size_t t = 0; t + 2 < mesh.triangles.size(); t += 3) {
        const AcGePoint3d& p2 = mesh.vertices[mesh.triangles[t + 2]];
        entitySet.push_back(
            new AcDbFace(mesh.vertices[mesh.triangles[t]], mesh.vertices[mesh.triangles[t + 1]], p2, p2));
    }
    return Acad::eOk;
}

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message,
                                                                                  void* appId) {
    switch (message) {
    case AcRx::kInitAppMsg:
        acrxUnlockApplication(appId);
        acrxRegisterAppMDIAware(appId);
        HvacSolid::rxInit();
        acrxBuildClassHierarchy();
        return AcRx::kRetOK;
    case AcRx::kUnloadAppMsg:
        HvacSolid::rxUninit();
        return AcRx::kRetOK;
    default:
        return AcRx::kRetOK;
    }
}

extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() { return 20; }
