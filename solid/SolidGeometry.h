// Conversions between host geometry and modeler geometry, and the
// cross-sections every builder starts from.
#pragma once

#include <TopoDS_Shape.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Dir.hxx>
#include <gp_Pnt.hxx>
#include <gp_Vec.hxx>

#include <optional>

#include "solid/zk_hvacSolid.h"

inline gp_Pnt toPnt(const AcGePoint3d& p) { return gp_Pnt(p.x, p.y, p.z); }
inline gp_Vec toVec(const AcGeVector3d& v) { return gp_Vec(v.x, v.y, v.z); }
inline AcGePoint3d toPoint(const gp_Pnt& p) { return AcGePoint3d(p.X(), p.Y(), p.Z()); }

// Lengths below this are treated as zero.
inline constexpr double kSolidTolerance = 1e-6;

// The frame with unit vectors, or nothing when a vector is zero or the
// direction is not across side and up.
struct UnitFrame {
    gp_Vec direction, side, up;
};
std::optional<UnitFrame> unitFrame(const zkSolidFrame& frame);

// A closed cross-section centred on `centre` across the frame: a rectangle
// of width (along side) by depth (along up), or a circle of diameter width,
// both as four edges starting at the same corner so lofts between the two
// families do not twist. Nothing for a zero size.
std::optional<TopoDS_Wire> sectionWire(const gp_Pnt& centre, bool rect, double width, double depth,
                                       const UnitFrame& frame);
// The section pushed along the frame's direction by length.
std::optional<TopoDS_Shape> sectionPrism(const gp_Pnt& centre, bool rect, double width, double depth,
                                         const UnitFrame& frame, double length);
// Where the line through a along da meets the line through b along db
// (closest approach); nothing for parallel lines or lines that miss.
std::optional<gp_Pnt> lineCorner(const gp_Pnt& a, const gp_Vec& da, const gp_Pnt& b, const gp_Vec& db);
// Extent of a section along a unit vector.
double sectionExtent(bool rect, double width, double depth, const UnitFrame& frame, const gp_Vec& along);
// Fuses the shapes; nothing when the modeler fails.
std::optional<TopoDS_Shape> fuseAll(const std::vector<TopoDS_Shape>& shapes);
