// The body of a duct solid: accepting a built shape, its measurements, its
// mesh and text form, union, slicing and writing to exchange files.
#include "solid/HvacSolid.h"
#include "solid/SolidGeometry.h"

#include <BRepAlgoAPI_Common.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepPrimAPI_MakeHalfSpace.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Poly_Triangulation.hxx>
#include <STEPControl_Writer.hxx>
#include <Standard_Failure.hxx>
#include <StlAPI_Writer.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Face.hxx>
#include <gp_Pln.hxx>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

double signedVolume(const TopoDS_Shape& shape) {
    GProp_GProps props;
    BRepGProp::VolumeProperties(shape, props);
    return props.Mass();
}

// A lone solid inside a compound is taken out of it.
TopoDS_Shape unwrap(const TopoDS_Shape& shape) {
    if (shape.ShapeType() != TopAbs_COMPOUND) return shape;
    TopoDS_Shape single;
    int count = 0;
    for (TopExp_Explorer it(shape, TopAbs_SOLID); it.More(); it.Next(), ++count) single = it.Current();
    return count == 1 ? single : shape;
}

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

} // namespace

bool HvacSolid::accept(const TopoDS_Shape& built, Kind kind) {
    try {
        if (built.IsNull()) return false;
        TopoDS_Shape shape = unwrap(built);
        if (!TopExp_Explorer(shape, TopAbs_SOLID).More()) return false;
        if (!BRepCheck_Analyzer(shape).IsValid()) return false;
        double volume = signedVolume(shape);
        if (volume < 0) {
            shape.Reverse();
            volume = -volume;
        }
        if (!(volume > kSolidTolerance)) return false;
        assertWriteEnabled();
        mShape = shape;
        mKind = kind;
        mEdgesValid = false;
        recordGraphicsModified();
        return true;
    } catch (const Standard_Failure&) {
        return false;
    }
}

bool HvacSolid::isNull() const {
    assertReadEnabled();
    return mShape.IsNull();
}

std::string HvacSolid::kindName() const {
    assertReadEnabled();
    static const char* const names[] = {"empty",    "transition", "square elbow",    "radius elbow", "wye",
                                        "flex duct", "diffuser",  "sidewall diffuser", "sliced solid", "united solid"};
    return (mKind >= 0 && mKind <= kUnion) ? names[mKind] : "solid";
}

bool HvacSolid::getMassProps(zkSolidMassProps& result) const {
    assertReadEnabled();
    if (mShape.IsNull()) return false;
    try {
        GProp_GProps props;
        BRepGProp::VolumeProperties(mShape, props);
        Bnd_Box box;
        BRepBndLib::AddOptimal(mShape, box, false, false);
        if (box.IsVoid()) return false;
        double x0, y0, z0, x1, y1, z1;
        box.Get(x0, y0, z0, x1, y1, z1);
        result.volume = props.Mass();
        result.centroid = toPoint(props.CentreOfMass());
        result.minPoint = AcGePoint3d(x0, y0, z0);
        result.maxPoint = AcGePoint3d(x1, y1, z1);
        return true;
    } catch (const Standard_Failure&) {
        return false;
    }
}

double HvacSolid::surfaceArea() const {
    assertReadEnabled();
    if (mShape.IsNull()) return 0;
    GProp_GProps props;
    BRepGProp::SurfaceProperties(mShape, props);
    return props.Mass();
}

bool HvacSolid::getMesh(zkSolidMesh& mesh, double tolerance) const {
    assertReadEnabled();
    mesh = {};
    if (mShape.IsNull()) return false;
    try {
        if (!(tolerance > 0)) {
            Bnd_Box box;
            BRepBndLib::Add(mShape, box);
            tolerance = std::max(1e-3, std::sqrt(box.SquareExtent()) / 200);
        }
        // Mesh a copy so the stored body (and its text form) stays as built.
        TopoDS_Shape copy = BRepBuilderAPI_Copy(mShape).Shape();
        BRepMesh_IncrementalMesh(copy, tolerance, false, 0.3);
        for (TopExp_Explorer it(copy, TopAbs_FACE); it.More(); it.Next()) {
            const TopoDS_Face& face = TopoDS::Face(it.Current());
            TopLoc_Location location;
            Handle(Poly_Triangulation) triangles = BRep_Tool::Triangulation(face, location);
            if (triangles.IsNull()) continue;
            const gp_Trsf& place = location.Transformation();
            const int base = static_cast<int>(mesh.vertices.size());
            for (int i = 1; i <= triangles->NbNodes(); ++i)
                mesh.vertices.push_back(toPoint(triangles->Node(i).Transformed(place)));
            const bool reversed = face.Orientation() == TopAbs_REVERSED;
            for (int i = 1; i <= triangles->NbTriangles(); ++i) {
                int n1, n2, n3;
                triangles->Triangle(i).Get(n1, n2, n3);
                if (reversed) std::swap(n2, n3);
                const int corners[3] = {base + n1 - 1, base + n2 - 1, base + n3 - 1};
                mesh.triangles.insert(mesh.triangles.end(), corners, corners + 3);
            }
        }
        // Vertex normals: the sum of the normals of the triangles around each.
        mesh.normals.assign(mesh.vertices.size(), AcGeVector3d(0, 0, 0));
        for (size_t t = 0; t + 2 < mesh.triangles.size(); t += 3) {
            const AcGePoint3d& p0 = mesh.vertices[mesh.triangles[t]];
            AcGeVector3d n = (mesh.vertices[mesh.triangles[t + 1]] - p0)
                                 .crossProduct(mesh.vertices[mesh.triangles[t + 2]] - p0);
            for (int k = 0; k < 3; ++k) mesh.normals[mesh.triangles[t + k]] += n;
        }
        for (auto& n : mesh.normals)
            if (n.length() > 0) n /= n.length();
        return !mesh.triangles.empty();
    } catch (const Standard_Failure&) {
        return false;
    }
}

std::string HvacSolid::brepText() const {
    assertReadEnabled();
    if (mShape.IsNull()) return {};
    std::ostringstream out;
    BRepTools::Write(mShape, out, false, false, TopTools_FormatVersion_VERSION_1);
    return out.str();
}

bool HvacSolid::setBrepText(const std::string& text) {
    assertWriteEnabled();
    try {
        TopoDS_Shape shape;
        BRep_Builder builder;
        std::istringstream in(text);
        BRepTools::Read(shape, in, builder);
        if (shape.IsNull()) return false;
        mShape = shape;
        mEdgesValid = false;
        recordGraphicsModified();
        return true;
    } catch (const Standard_Failure&) {
        return false;
    }
}

bool HvacSolid::doUnion(const zk_hvacSolid* other) {
    const auto* body = static_cast<const HvacSolid*>(other);
    if (!body || body == this || mShape.IsNull() || body->shape().IsNull()) return false;
    auto united = fuseAll({mShape, body->shape()});
    return united && accept(*united, kUnion);
}

bool HvacSolid::slice(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3, const AcGePoint3d& p4,
                      bool keepP4Side) {
    if (mShape.IsNull()) return false;
    gp_Vec normal = gp_Vec(toPnt(p1), toPnt(p2)).Crossed(gp_Vec(toPnt(p1), toPnt(p3)));
    if (!(normal.Magnitude() > kSolidTolerance)) return false;
    normal.Normalize();
    // The side to keep: where p4 lies (the normal's side when p4 is on the
    // plane), or the other one.
    double towardsP4 = gp_Vec(toPnt(p1), toPnt(p4)).Dot(normal);
    double sign = std::abs(towardsP4) > kSolidTolerance ? (towardsP4 > 0 ? 1 : -1) : 1;
    if (!keepP4Side) sign = -sign;
    try {
        TopoDS_Face plane = BRepBuilderAPI_MakeFace(gp_Pln(toPnt(p1), gp_Dir(normal))).Face();
        BRepPrimAPI_MakeHalfSpace half(plane, toPnt(p1).Translated(normal * sign));
        BRepAlgoAPI_Common common(mShape, half.Solid());
        if (!common.IsDone() || common.HasErrors()) return false;
        return accept(common.Shape(), kSliced);
    } catch (const Standard_Failure&) {
        return false;
    }
}

bool HvacSolid::sliceFirst(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3,
                           const AcGePoint3d& p4) {
    return slice(p1, p2, p3, p4, true);
}

bool HvacSolid::sliceLast(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3,
                          const AcGePoint3d& p4) {
    return slice(p1, p2, p3, p4, false);
}

bool HvacSolid::writeSolids(const std::vector<const zk_hvacSolid*>& others, const std::string& path) const {
    assertReadEnabled();
    const std::string ext = lowerExtension(path);
    if (ext != ".step" && ext != ".stp" && ext != ".stl") return false;
    try {
        TopoDS_Compound all;
        BRep_Builder builder;
        builder.MakeCompound(all);
        int count = 0;
        auto add = [&](const zk_hvacSolid* solid) {
            const auto* body = static_cast<const HvacSolid*>(solid);
            if (body && !body->shape().IsNull()) {
                builder.Add(all, body->shape());
                ++count;
            }
        };
        add(this);
        for (const zk_hvacSolid* other : others)
            if (other != this) add(other);
        if (count == 0) return false;
        // Written beside the target, then renamed over it.
        const std::string temp = path + ".part" + ext;
        bool written = false;
        if (ext == ".stl") {
            Bnd_Box box;
            BRepBndLib::Add(all, box);
            BRepMesh_IncrementalMesh(all, std::max(1e-3, std::sqrt(box.SquareExtent()) / 500), false, 0.3);
            StlAPI_Writer writer;
            writer.ASCIIMode() = false;
            written = writer.Write(all, temp.c_str());
        } else {
            STEPControl_Writer writer;
            written = writer.Transfer(all, STEPControl_AsIs) == IFSelect_RetDone &&
                      writer.Write(temp.c_str()) == IFSelect_RetDone;
        }
        if (!written) {
            std::remove(temp.c_str());
            return false;
        }
        std::error_code ec;
        std::filesystem::rename(temp, path, ec);
        return !ec;
    } catch (const Standard_Failure&) {
        return false;
    }
}
