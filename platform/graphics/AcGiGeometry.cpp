// Primitives of AcGiGeometry that reduce to the basic ones.
#include "graphics/AcGiGeometry.h"

#include <cstring>
#include <numbers>
#include <string>

namespace {
// Centre of the circle through three points; false when they are collinear.
bool circumcenter(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c, AcGePoint3d& center,
                  AcGeVector3d& normal) {
    const AcGeVector3d ab = b - a, ac = c - a;
    const AcGeVector3d n = ab.crossProduct(ac);
    const double n2 = n.lengthSqrd();
    if (n2 <= 1e-24) return false;
    const AcGeVector3d toCenter =
        (n.crossProduct(ab) * ac.lengthSqrd() + ac.crossProduct(n) * ab.lengthSqrd()) / (2.0 * n2);
    center = a + toCenter;
    normal = n.normal();
    return true;
}
}  // namespace

bool AcGiGeometry::circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) {
    AcGePoint3d center;
    AcGeVector3d normal;
    if (!circumcenter(p1, p2, p3, center, normal)) return false;
    return circle(center, center.distanceTo(p1), normal);
}

bool AcGiGeometry::circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                               AcGiArcType arcType) {
    AcGePoint3d center;
    AcGeVector3d normal;
    if (!circumcenter(start, point, end, center, normal)) {
        const AcGePoint3d line[2] = {start, end};
        return polyline(2, line);
    }
    // normal follows start -> point -> end, so the sweep is counter-clockwise about it.
    const AcGeVector3d sv = start - center, ev = end - center;
    const double sweep = sv.angleTo(ev, normal);
    return circularArc(center, center.distanceTo(start), normal, sv.normal(), sweep, arcType);
}

bool AcGiGeometry::text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                        const char* pMsg, Adesk::Int32 length, Adesk::Boolean, const AcGiTextStyle& style) {
    if (!pMsg) return false;
    if (length < 0) return text(position, normal, direction, style.textSize(), style.xScale(),
                                style.obliquingAngle(), pMsg);
    const std::string part(pMsg, strnlen(pMsg, static_cast<std::size_t>(length)));
    return text(position, normal, direction, style.textSize(), style.xScale(), style.obliquingAngle(),
                part.c_str());
}

bool AcGiGeometry::pushModelTransform(const AcGeVector3d& normal) {
    return pushModelTransform(AcGeMatrix3d::planeToWorld(normal));
}
