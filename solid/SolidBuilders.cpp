// The construction methods of the duct solid: transitions, elbows, wyes,
// flexible ducts and diffusers. Every method checks its input first and
// catches the modeler's failures, so bad sizes or points answer false.
#include "solid/HvacSolid.h"
#include "solid/SolidGeometry.h"

#include <BRepAlgoAPI_Common.hxx>
#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepOffsetAPI_MakePipe.hxx>
#include <BRepOffsetAPI_ThruSections.hxx>
#include <BRepPrimAPI_MakeRevol.hxx>
#include <GeomAPI_Interpolate.hxx>
#include <Geom_BSplineCurve.hxx>
#include <Standard_Failure.hxx>
#include <TColgp_HArray1OfPnt.hxx>
#include <TopoDS.hxx>
#include <gp_Ax1.hxx>
#include <gp_Ax2.hxx>
#include <gp_Circ.hxx>
#include <gp_Trsf.hxx>

#include <algorithm>
#include <cmath>

namespace {

std::optional<TopoDS_Shape> loft(const std::vector<TopoDS_Wire>& sections, bool ruled) {
    try {
        BRepOffsetAPI_ThruSections sections3d(true, ruled);
        for (const auto& wire : sections) sections3d.AddWire(wire);
        sections3d.CheckCompatibility(false);
        sections3d.Build();
        if (!sections3d.IsDone()) return std::nullopt;
        return sections3d.Shape();
    } catch (const Standard_Failure&) {
        return std::nullopt;
    }
}

bool finite(const AcGePoint3d& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// The geometry two elbow legs share: the corner, the turn and its plane.
struct Turn {
    gp_Pnt corner;
    double angle;      // radians between the two directions
    gp_Vec normal;     // of the turning plane
    gp_Vec inwardA;    // in the plane, across leg A towards the inside of the turn
};

std::optional<Turn> turnBetween(const gp_Pnt& a, const UnitFrame& fa, const gp_Pnt& b, const UnitFrame& fb) {
    double angle = fa.direction.Angle(fb.direction);
    if (angle < 1e-3 || angle > M_PI - 1e-3) return std::nullopt;
    auto corner = lineCorner(a, fa.direction, b, fb.direction);
    if (!corner) return std::nullopt;
    gp_Vec normal = fa.direction.Crossed(fb.direction).Normalized();
    return Turn{*corner, angle, normal, normal.Crossed(fa.direction)};
}

// What the vanes of a square elbow are fitted into: the two legs as the
// elbow builds them.
struct ElbowLegs {
    gp_Pnt a, b;
    double widthA, depthA, widthB, depthB, lengthA, lengthB;
    double inPlaneA, inPlaneB, across;
    bool rect;
};

// The elbow as sheet metal (walls a hundredth of its smaller size, at
// least 0.02) with curved turning vanes set along the diagonal from the
// inner to the outer corner, `spacing` apart; nothing when the modeler
// fails.
std::optional<TopoDS_Shape> withTurningVanes(const TopoDS_Shape& body, const ElbowLegs& legs, const Turn& turn,
                                             const UnitFrame& fa, const UnitFrame& backB, double spacing) {
    const double wall = std::max(0.02, 0.01 * std::min({legs.widthA, legs.depthA, legs.widthB, legs.depthB}));
    if (legs.across <= 4 * wall || legs.inPlaneA <= 4 * wall || legs.inPlaneB <= 4 * wall) return std::nullopt;
    try {
        // The cavity reaches past both open ends.
        const double past = wall;
        auto innerA = sectionPrism(legs.a.Translated(fa.direction * -past), legs.rect, legs.widthA - 2 * wall,
                                   legs.depthA - 2 * wall, fa, legs.lengthA - wall + past);
        auto innerB = sectionPrism(legs.b.Translated(backB.direction * -past), legs.rect, legs.widthB - 2 * wall,
                                   legs.depthB - 2 * wall, backB, legs.lengthB - wall + past);
        if (!innerA || !innerB) return std::nullopt;
        auto cavity = fuseAll({*innerA, *innerB});
        if (!cavity) return std::nullopt;
        BRepAlgoAPI_Cut shell(body, *cavity);
        if (!shell.IsDone()) return std::nullopt;
        // The diagonal of the turn, inner corner to outer corner.
        const gp_Vec dA = fa.direction, in = turn.inwardA, n = turn.normal;
        const gp_Pnt inner = turn.corner.Translated(dA * (-legs.inPlaneB / 2) + in * (legs.inPlaneA / 2));
        const gp_Pnt outer = turn.corner.Translated(dA * (legs.inPlaneB / 2) - in * (legs.inPlaneA / 2));
        const double diagonal = inner.Distance(outer);
        const int count = std::min(200, static_cast<int>(std::floor(diagonal / spacing)));
        const double radius = spacing * 2 / 3;
        const double height = legs.across - 2 * wall;
        std::vector<TopoDS_Shape> pieces{shell.Shape()};
        for (int k = 1; k <= count; ++k) {
            const gp_Pnt middle = inner.Translated(gp_Vec(inner, outer) * (static_cast<double>(k) / (count + 1)));
            // The arc turns from leg A's direction to leg B's about n; its
            // middle lies on the diagonal.
            const gp_Vec half = in * (-radius * std::cos(turn.angle / 2)) + dA * (radius * std::sin(turn.angle / 2));
            const gp_Pnt centre = middle.Translated(-half);
            const gp_Pnt start = centre.Translated(in * -radius);
            const gp_Vec outward = in * -1.0;
            BRepBuilderAPI_MakePolygon profile(start.Translated(n * (-height / 2)), start.Translated(n * (height / 2)),
                                               start.Translated(n * (height / 2) + outward * wall),
                                               start.Translated(n * (-height / 2) + outward * wall), true);
            BRepBuilderAPI_MakeFace face(profile.Wire(), true);
            if (!face.IsDone()) return std::nullopt;
            BRepPrimAPI_MakeRevol vane(face.Face(), gp_Ax1(centre, gp_Dir(n)), turn.angle);
            if (!vane.IsDone()) return std::nullopt;
            BRepAlgoAPI_Common fitted(vane.Shape(), *cavity);
            if (!fitted.IsDone()) return std::nullopt;
            pieces.push_back(fitted.Shape());
        }
        return fuseAll(pieces);
    } catch (const Standard_Failure&) {
        return std::nullopt;
    }
}

void fillWork(zkSolidWorkPoints& work, const gp_Pnt& centre, double w, double d, const UnitFrame& f) {
    for (int i = 0; i < 8; ++i) {
        double s = (i & 1) ? 0.5 : -0.5, u = (i & 2) ? 0.5 : -0.5;
        work[i] = toPoint(centre.Translated(f.side * (s * w) + f.up * (u * d)));
    }
}

} // namespace

bool HvacSolid::addTransition(const AcGePoint3d& a, bool rectA, double widthA, double depthA, const AcGePoint3d& b,
                              bool rectB, double widthB, double depthB, const zkSolidFrame& frameA,
                              const zkSolidFrame& frameB, int) {
    auto fa = unitFrame(frameA), fb = unitFrame(frameB);
    if (!fa || !fb || !finite(a) || !finite(b) || a.distanceTo(b) < kSolidTolerance) return false;
    auto wa = sectionWire(toPnt(a), rectA, widthA, depthA, *fa);
    auto wb = sectionWire(toPnt(b), rectB, widthB, depthB, *fb);
    if (!wa || !wb) return false;
    auto body = loft({*wa, *wb}, true);
    return body && accept(*body, kTransition);
}

bool HvacSolid::addSquareElbowPrep(AcGePoint3d& a, double widthA, double depthA, AcGePoint3d& b, double widthB,
                                   double depthB, const zkSolidFrame& frameA, const zkSolidFrame& frameB, bool rect,
                                   zkSolidWorkPoints& work1, zkSolidWorkPoints& work2, zkSolidWorkPoints& work3,
                                   bool, double vaneSpacing) {
    if (std::isfinite(vaneSpacing) && vaneSpacing > kSolidTolerance) mVaneSpacing = vaneSpacing;
    auto fa = unitFrame(frameA), fb = unitFrame(frameB);
    if (!fa || !fb || !finite(a) || !finite(b)) return false;
    if (!(widthA > kSolidTolerance && depthA > kSolidTolerance && widthB > kSolidTolerance &&
          depthB > kSolidTolerance))
        return false;
    auto turn = turnBetween(toPnt(a), *fa, toPnt(b), *fb);
    if (!turn) return false;
    // The two legs must agree across the turning plane: a square elbow only
    // turns, it does not change that size.
    double acrossA = sectionExtent(rect, widthA, depthA, *fa, turn->normal);
    double acrossB = sectionExtent(rect, widthB, depthB, *fb, turn->normal);
    if (std::abs(acrossA - acrossB) > 1e-6 * std::max(1.0, acrossA)) return false;
    gp_Vec inwardB = turn->normal.Crossed(fb->direction);
    double inPlaneA = sectionExtent(rect, widthA, depthA, *fa, turn->inwardA);
    double inPlaneB = sectionExtent(rect, widthB, depthB, *fb, inwardB);
    gp_Pnt start = turn->corner.Translated(fa->direction * (-inPlaneB / 2));
    gp_Pnt end = turn->corner.Translated(fb->direction * (inPlaneA / 2));
    // The elbow must lie between the two points it was given.
    if (gp_Vec(toPnt(a), start).Dot(fa->direction) < -kSolidTolerance ||
        gp_Vec(end, toPnt(b)).Dot(fb->direction) < -kSolidTolerance)
        return false;
    a = toPoint(start);
    b = toPoint(end);
    fillWork(work1, start, widthA, depthA, *fa);
    fillWork(work2, end, widthB, depthB, *fb);
    fillWork(work3, turn->corner, inPlaneA, acrossA, *fa);
    return true;
}

bool HvacSolid::addSquareElbow(AcGePoint3d a, double widthA, double depthA, AcGePoint3d b, double widthB,
                               double depthB, const zkSolidFrame& frameA, const zkSolidFrame& frameB, bool rect,
                               zkSolidWorkPoints& work1, zkSolidWorkPoints& work2, zkSolidWorkPoints& work3,
                               int flags) {
    auto fa = unitFrame(frameA), fb = unitFrame(frameB);
    if (!fa || !fb || !finite(a) || !finite(b)) return false;
    auto turn = turnBetween(toPnt(a), *fa, toPnt(b), *fb);
    if (!turn) return false;
    (void)work1;
    (void)work2;
    (void)work3;
    gp_Vec inwardB = turn->normal.Crossed(fb->direction);
    double inPlaneA = sectionExtent(rect, widthA, depthA, *fa, turn->inwardA);
    double inPlaneB = sectionExtent(rect, widthB, depthB, *fb, inwardB);
    // Each leg runs through the corner to the far wall of the other leg.
    double lengthA = gp_Vec(toPnt(a), turn->corner).Dot(fa->direction) + inPlaneB / 2;
    double lengthB = gp_Vec(turn->corner, toPnt(b)).Dot(fb->direction) + inPlaneA / 2;
    UnitFrame backB{fb->direction.Reversed(), fb->side, fb->up};
    auto legA = sectionPrism(toPnt(a), rect, widthA, depthA, *fa, lengthA);
    auto legB = sectionPrism(toPnt(b), rect, widthB, depthB, backB, lengthB);
    if (!legA || !legB) return false;
    auto body = fuseAll({*legA, *legB});
    if (!body) return false;
    if (flags & kTurningVanes) {
        const double across = sectionExtent(rect, widthA, depthA, *fa, turn->normal);
        const ElbowLegs legs{toPnt(a), toPnt(b), widthA, depthA, widthB, depthB, lengthA, lengthB, inPlaneA,
                             inPlaneB, across, rect};
        // An elbow the modeler cannot hollow keeps its plain body.
        if (auto vaned = withTurningVanes(*body, legs, *turn, *fa, backB, mVaneSpacing)) body = vaned;
    }
    return accept(*body, kSquareElbow);
}

bool HvacSolid::addRadiusElbow(AcGePoint3d& a, double widthA, double depthA, double, double, AcGePoint3d& b,
                               double widthB, double depthB, const zkSolidFrame& frameA, const zkSolidFrame& frameB,
                               bool rect, double ratio, bool moveEnds, int, bool) {
    auto fa = unitFrame(frameA), fb = unitFrame(frameB);
    if (!fa || !fb || !finite(a) || !finite(b) || !(ratio > 0) || !std::isfinite(ratio)) return false;
    if (!(widthA > kSolidTolerance && widthB > kSolidTolerance)) return false;
    if (rect && !(depthA > kSolidTolerance && depthB > kSolidTolerance)) return false;
    auto turn = turnBetween(toPnt(a), *fa, toPnt(b), *fb);
    if (!turn) return false;
    double radius = ratio * sectionExtent(rect, widthA, depthA, *fa, turn->inwardA);
    double tangent = radius * std::tan(turn->angle / 2);
    gp_Pnt start = turn->corner.Translated(fa->direction * -tangent);
    gp_Pnt end = turn->corner.Translated(fb->direction * tangent);
    if (gp_Vec(toPnt(a), start).Dot(fa->direction) < -kSolidTolerance ||
        gp_Vec(end, toPnt(b)).Dot(fb->direction) < -kSolidTolerance)
        return false;
    // Sections every 15 degrees or less round the arc, the size changing
    // evenly from one leg to the other.
    gp_Ax1 axis(start.Translated(turn->inwardA * radius), gp_Dir(turn->normal));
    int steps = std::max(2, static_cast<int>(std::ceil(turn->angle / (M_PI / 12))));
    std::vector<TopoDS_Wire> sections;
    for (int k = 0; k <= steps; ++k) {
        double t = static_cast<double>(k) / steps;
        auto wire = sectionWire(start, rect, widthA + (widthB - widthA) * t, depthA + (depthB - depthA) * t, *fa);
        if (!wire) return false;
        gp_Trsf rotation;
        rotation.SetRotation(axis, turn->angle * t);
        sections.push_back(TopoDS::Wire(BRepBuilderAPI_Transform(*wire, rotation, true).Shape()));
    }
    auto body = loft(sections, false);
    if (!body || !accept(*body, kRadiusElbow)) return false;
    if (moveEnds) {
        a = toPoint(start);
        b = toPoint(end);
    }
    return true;
}

bool HvacSolid::addWyePrep(AcGePoint3d& a0, double w0, double d0, AcGePoint3d& b1, double w1, double d1,
                           AcGePoint3d& b2, double w2, double d2, const zkSolidFrame& frame0,
                           const zkSolidFrame& frame1, const zkSolidFrame& frame2, bool rect,
                           std::vector<AcGePoint3d>& work, bool, double) {
    auto f0 = unitFrame(frame0), f1 = unitFrame(frame1), f2 = unitFrame(frame2);
    if (!f0 || !f1 || !f2 || !finite(a0) || !finite(b1) || !finite(b2)) return false;
    for (double size : {w0, w1, w2})
        if (!(size > kSolidTolerance)) return false;
    if (rect)
        for (double size : {d0, d1, d2})
            if (!(size > kSolidTolerance)) return false;
    // A leg may not turn back into the trunk.
    if (f1->direction.Dot(f0->direction) < -0.99 || f2->direction.Dot(f0->direction) < -0.99) return false;
    // The junction: where the trunk's line meets a turning leg's line, else
    // the trunk point nearest the first leg's end.
    std::optional<gp_Pnt> junction = lineCorner(toPnt(a0), f0->direction, toPnt(b1), f1->direction);
    if (!junction) junction = lineCorner(toPnt(a0), f0->direction, toPnt(b2), f2->direction);
    if (!junction) {
        gp_Vec along(toPnt(a0), toPnt(b1));
        junction = toPnt(a0).Translated(f0->direction * along.Dot(f0->direction));
    }
    gp_Pnt start = junction->Translated(f0->direction * -(w0 / 2));
    gp_Pnt end1 = junction->Translated(f1->direction * std::max(w0, w1));
    gp_Pnt end2 = junction->Translated(f2->direction * std::max(w0, w2));
    a0 = toPoint(start);
    b1 = toPoint(end1);
    b2 = toPoint(end2);
    work.assign({a0, b1, b2, toPoint(*junction)});
    return true;
}

bool HvacSolid::addWye(const AcGePoint3d& a0, double w0, double d0, const AcGePoint3d& b1, double w1, double d1,
                       const AcGePoint3d& b2, double w2, double d2, const AcGePoint3d& junction,
                       const zkSolidFrame& frame0, const zkSolidFrame& frame1, const zkSolidFrame& frame2, bool rect,
                       std::vector<AcGePoint3d>&, int) {
    auto f0 = unitFrame(frame0), f1 = unitFrame(frame1), f2 = unitFrame(frame2);
    if (!f0 || !f1 || !f2 || !finite(a0) || !finite(b1) || !finite(b2) || !finite(junction)) return false;
    gp_Pnt j = toPnt(junction);
    // The trunk runs from a0 to the junction; each leg from just behind the
    // junction (so the pieces overlap) to its end.
    double trunkLength = gp_Vec(toPnt(a0), j).Dot(f0->direction);
    auto trunk = sectionPrism(toPnt(a0), rect, w0, d0, *f0, trunkLength);
    if (!trunk) return false;
    std::vector<TopoDS_Shape> pieces{*trunk};
    const struct {
        const AcGePoint3d& end;
        double w, d;
        const UnitFrame& frame;
    } legs[] = {{b1, w1, d1, *f1}, {b2, w2, d2, *f2}};
    for (const auto& leg : legs) {
        gp_Pnt from = j.Translated(leg.frame.direction * -(std::min(leg.w, w0) / 2));
        double length = gp_Vec(from, toPnt(leg.end)).Dot(leg.frame.direction);
        auto piece = sectionPrism(from, rect, leg.w, leg.d, leg.frame, length);
        if (!piece) return false;
        pieces.push_back(*piece);
    }
    auto body = fuseAll(pieces);
    return body && accept(*body, kWye);
}

bool HvacSolid::addFlex(const std::vector<AcGePoint3d>& points, double radius, const AcGeVector3d& startDirection,
                        const AcGeVector3d& endDirection, int) {
    if (points.size() < 2 || !(radius > kSolidTolerance) || !std::isfinite(radius)) return false;
    for (size_t i = 0; i < points.size(); ++i) {
        if (!finite(points[i])) return false;
        if (i > 0 && points[i].distanceTo(points[i - 1]) < kSolidTolerance) return false;
    }
    try {
        Handle(TColgp_HArray1OfPnt) through = new TColgp_HArray1OfPnt(1, static_cast<int>(points.size()));
        for (size_t i = 0; i < points.size(); ++i) through->SetValue(static_cast<int>(i) + 1, toPnt(points[i]));
        GeomAPI_Interpolate interpolate(through, false, 1e-7);
        gp_Vec t0 = toVec(startDirection), t1 = toVec(endDirection);
        if (t0.Magnitude() > kSolidTolerance && t1.Magnitude() > kSolidTolerance) {
            double chord = toPnt(points.front()).Distance(toPnt(points.back()));
            interpolate.Load(t0.Normalized() * chord, t1.Normalized() * chord);
        }
        interpolate.Perform();
        if (!interpolate.IsDone()) return false;
        Handle(Geom_BSplineCurve) path = interpolate.Curve();
        TopoDS_Wire spine = BRepBuilderAPI_MakeWire(BRepBuilderAPI_MakeEdge(path).Edge()).Wire();
        gp_Pnt origin;
        gp_Vec tangent;
        path->D1(path->FirstParameter(), origin, tangent);
        if (tangent.Magnitude() < kSolidTolerance) return false;
        gp_Circ circle(gp_Ax2(origin, gp_Dir(tangent)), radius);
        TopoDS_Wire profile = BRepBuilderAPI_MakeWire(BRepBuilderAPI_MakeEdge(circle).Edge()).Wire();
        BRepOffsetAPI_MakePipe pipe(spine, BRepBuilderAPI_MakeFace(profile).Face());
        pipe.Build();
        if (!pipe.IsDone()) return false;
        return accept(pipe.Shape(), kFlex);
    } catch (const Standard_Failure&) {
        return false;
    }
}

bool HvacSolid::addDiffuser(const AcGePoint3d& diffuser, const AcGePoint3d& connection, int, double neckWidth,
                            double neckDepth, double faceSize, bool rectNeck, const zkSolidFrame& frame, int) {
    auto f = unitFrame(frame);
    if (!f || !finite(diffuser) || !finite(connection) || diffuser.distanceTo(connection) < kSolidTolerance)
        return false;
    if (!(faceSize > kSolidTolerance) || !std::isfinite(faceSize)) return false;
    // The neck runs from the connection to the diffuser; the face plate lies
    // across the neck's axis at the diffuser, a tenth of its size thick.
    gp_Vec axis(toPnt(connection), toPnt(diffuser));
    double length = axis.Magnitude();
    axis.Normalize();
    gp_Vec side = f->side - axis * f->side.Dot(axis);
    if (side.Magnitude() < 1e-3) side = f->up - axis * f->up.Dot(axis);
    if (side.Magnitude() < 1e-3) return false;
    side.Normalize();
    UnitFrame neckFrame{axis, side, axis.Crossed(side)};
    double plate = faceSize / 10;
    auto neck = sectionPrism(toPnt(connection), rectNeck, neckWidth, neckDepth, neckFrame, length);
    auto face = sectionPrism(toPnt(diffuser), true, faceSize, faceSize, neckFrame, plate);
    if (!neck || !face) return false;
    auto body = fuseAll({*neck, *face});
    return body && accept(*body, kDiffuser);
}

bool HvacSolid::addSidewallDiffuser(const AcGePoint3d& point, double width, double height, const zkSolidFrame& frame,
                                    int) {
    auto f = unitFrame(frame);
    if (!f || !finite(point) || !std::isfinite(width) || !std::isfinite(height)) return false;
    auto plate = sectionPrism(toPnt(point), true, width, height, *f, std::max(width, height) / 10);
    return plate && accept(*plate, kSidewall);
}
