// Cross-sections, prisms, corners and fusing for the solid builders.
#include "solid/SolidGeometry.h"

#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <ShapeUpgrade_UnifySameDomain.hxx>
#include <Standard_Failure.hxx>
#include <TopTools_ListOfShape.hxx>
#include <gp_Ax2.hxx>
#include <gp_Circ.hxx>

#include <cmath>

std::optional<UnitFrame> unitFrame(const zkSolidFrame& frame) {
    gp_Vec d = toVec(frame.direction), s = toVec(frame.side), u = toVec(frame.up);
    if (d.Magnitude() < kSolidTolerance || s.Magnitude() < kSolidTolerance || u.Magnitude() < kSolidTolerance)
        return std::nullopt;
    d.Normalize();
    s.Normalize();
    u.Normalize();
    if (s.Crossed(u).Magnitude() < 1e-3) return std::nullopt;
    return UnitFrame{d, s, u};
}

std::optional<TopoDS_Wire> sectionWire(const gp_Pnt& centre, bool rect, double width, double depth,
                                       const UnitFrame& frame) {
    if (!(width > kSolidTolerance) || (rect && !(depth > kSolidTolerance))) return std::nullopt;
    try {
        // Corners at 45, 135, 225 and 315 degrees from side towards up.
        const double signs[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
        if (rect) {
            BRepBuilderAPI_MakePolygon polygon;
            for (const auto& s : signs)
                polygon.Add(centre.Translated(frame.side * (s[0] * width / 2) + frame.up * (s[1] * depth / 2)));
            polygon.Close();
            if (!polygon.IsDone()) return std::nullopt;
            return polygon.Wire();
        }
        gp_Dir normal(frame.side.Crossed(frame.up));
        gp_Circ circle(gp_Ax2(centre, normal, gp_Dir(frame.side)), width / 2);
        BRepBuilderAPI_MakeWire wire;
        for (int i = 0; i < 4; ++i) {
            double from = M_PI / 4 + i * M_PI / 2;
            Handle(Geom_TrimmedCurve) arc = GC_MakeArcOfCircle(circle, from, from + M_PI / 2, true);
            wire.Add(BRepBuilderAPI_MakeEdge(arc).Edge());
        }
        if (!wire.IsDone()) return std::nullopt;
        return wire.Wire();
    } catch (const Standard_Failure&) {
        return std::nullopt;
    }
}

std::optional<TopoDS_Shape> sectionPrism(const gp_Pnt& centre, bool rect, double width, double depth,
                                         const UnitFrame& frame, double length) {
    if (!(length > kSolidTolerance)) return std::nullopt;
    auto wire = sectionWire(centre, rect, width, depth, frame);
    if (!wire) return std::nullopt;
    try {
        BRepBuilderAPI_MakeFace face(*wire, true);
        if (!face.IsDone()) return std::nullopt;
        BRepPrimAPI_MakePrism prism(face.Face(), frame.direction * length);
        if (!prism.IsDone()) return std::nullopt;
        return prism.Shape();
    } catch (const Standard_Failure&) {
        return std::nullopt;
    }
}

std::optional<gp_Pnt> lineCorner(const gp_Pnt& a, const gp_Vec& da, const gp_Pnt& b, const gp_Vec& db) {
    gp_Vec w(b, a);
    double aa = da.Dot(da), bb = da.Dot(db), cc = db.Dot(db), dd = da.Dot(w), ee = db.Dot(w);
    double denominator = aa * cc - bb * bb;
    if (std::abs(denominator) < 1e-9 * aa * cc) return std::nullopt;
    double s = (bb * ee - cc * dd) / denominator, t = (aa * ee - bb * dd) / denominator;
    gp_Pnt onA = a.Translated(da * s), onB = b.Translated(db * t);
    double scale = std::max(1.0, a.Distance(b));
    if (onA.Distance(onB) > 1e-6 * scale) return std::nullopt;
    return gp_Pnt((onA.XYZ() + onB.XYZ()) / 2);
}

double sectionExtent(bool rect, double width, double depth, const UnitFrame& frame, const gp_Vec& along) {
    if (!rect) return width;
    return std::abs(along.Dot(frame.side)) * width + std::abs(along.Dot(frame.up)) * depth;
}

std::optional<TopoDS_Shape> fuseAll(const std::vector<TopoDS_Shape>& shapes) {
    if (shapes.empty()) return std::nullopt;
    if (shapes.size() == 1) return shapes.front();
    try {
        TopTools_ListOfShape arguments, tools;
        arguments.Append(shapes.front());
        for (size_t i = 1; i < shapes.size(); ++i) tools.Append(shapes[i]);
        BRepAlgoAPI_Fuse fuse;
        fuse.SetArguments(arguments);
        fuse.SetTools(tools);
        fuse.Build();
        if (!fuse.IsDone() || fuse.HasErrors()) return std::nullopt;
        ShapeUpgrade_UnifySameDomain unify(fuse.Shape(), true, true, false);
        unify.Build();
        return unify.Shape();
    } catch (const Standard_Failure&) {
        return std::nullopt;
    }
}
