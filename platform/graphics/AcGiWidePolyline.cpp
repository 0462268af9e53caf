// Offsetting polyline segments by half their width on both sides, with
// mitred joints between wide neighbours.
#include "graphics/AcGiWidePolyline.h"

#include <cmath>
#include <numbers>

namespace AcGiWidePolyline {

namespace {
// Arcs are sampled at least this finely (radians per step).
constexpr double kArcStep = std::numbers::pi / 32;
// A mitre longer than this many half widths is cut to a bevel.
constexpr double kMitreLimit = 4.0;

struct Sample {
    AcGePoint2d point;
    AcGeVector2d left;  // unit normal to the left of the direction of travel
    double width;
};

unsigned segmentCount(std::size_t vertices, bool closed) {
    if (vertices < 2) return 0;
    return static_cast<unsigned>(closed ? vertices : vertices - 1);
}

bool isWide(const AcGiPolylineVertex& v) { return v.startWidth > 0.0 || v.endWidth > 0.0; }

AcGeVector2d leftOf(double dx, double dy) {
    const double length = std::hypot(dx, dy);
    return length > 0.0 ? AcGeVector2d(-dy / length, dx / length) : AcGeVector2d(0, 0);
}

// Samples of segment i: its points, left normals and widths from start to end.
std::vector<Sample> samples(const AcGiPolylineVertex& a, const AcGePoint2d& b) {
    const double dx = b.x - a.point.x, dy = b.y - a.point.y;
    const double chord = std::hypot(dx, dy);
    std::vector<Sample> out;
    if (chord == 0.0) return out;
    if (a.bulge == 0.0 || !std::isfinite(a.bulge)) {
        const AcGeVector2d left = leftOf(dx, dy);
        out.push_back({a.point, left, a.startWidth});
        out.push_back({b, left, a.endWidth});
        return out;
    }
    const double sweep = 4.0 * std::atan(a.bulge);
    const double radius = chord * (1.0 + a.bulge * a.bulge) / (4.0 * std::fabs(a.bulge));
    const double offset = chord * (1.0 - a.bulge * a.bulge) / (4.0 * a.bulge);
    const AcGeVector2d chordLeft = leftOf(dx, dy);
    const AcGePoint2d center((a.point.x + b.x) / 2 + chordLeft.x * offset, (a.point.y + b.y) / 2 + chordLeft.y * offset);
    const double start = std::atan2(a.point.y - center.y, a.point.x - center.x);
    const int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(sweep) / kArcStep)));
    const double turn = sweep > 0.0 ? 1.0 : -1.0;
    for (int k = 0; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        const double angle = start + sweep * t;
        const AcGePoint2d p = k == 0 ? a.point
                              : k == steps ? b
                                           : AcGePoint2d(center.x + radius * std::cos(angle),
                                                         center.y + radius * std::sin(angle));
        // Travelling counter-clockwise the left normal points to the centre.
        const AcGeVector2d left(-turn * std::cos(angle), -turn * std::sin(angle));
        out.push_back({p, left, a.startWidth + (a.endWidth - a.startWidth) * t});
    }
    return out;
}

// The offset of a joint between normals n1 (arriving) and n2 (leaving) for
// half width h: along their bisector, long enough to keep the width.
AcGeVector2d mitre(const AcGeVector2d& n1, const AcGeVector2d& n2, double h) {
    AcGeVector2d m(n1.x + n2.x, n1.y + n2.y);
    const double length = std::hypot(m.x, m.y);
    if (length < 1e-9) return AcGeVector2d(n2.x * h, n2.y * h);
    m = AcGeVector2d(m.x / length, m.y / length);
    const double cosHalf = m.x * n1.x + m.y * n1.y;
    const double reach = cosHalf > 1.0 / kMitreLimit ? h / cosHalf : h;
    return AcGeVector2d(m.x * reach, m.y * reach);
}
}  // namespace

bool hasWidth(const std::vector<AcGiPolylineVertex>& vertices) {
    for (const AcGiPolylineVertex& v : vertices)
        if (isWide(v)) return true;
    return false;
}

std::vector<std::vector<AcGePoint2d>> segmentOutlines(const std::vector<AcGiPolylineVertex>& vertices, bool closed) {
    const unsigned n = segmentCount(vertices.size(), closed);
    std::vector<std::vector<Sample>> all(n);
    for (unsigned i = 0; i < n; ++i)
        if (isWide(vertices[i])) all[i] = samples(vertices[i], vertices[(i + 1) % vertices.size()].point);
    std::vector<std::vector<AcGePoint2d>> outlines(n);
    for (unsigned i = 0; i < n; ++i) {
        const std::vector<Sample>& s = all[i];
        if (s.size() < 2) continue;
        // Neighbours that are wide too share a mitred joint.
        const std::vector<Sample>* before = (i > 0 || closed) ? &all[(i + n - 1) % n] : nullptr;
        const std::vector<Sample>* after = (i + 1 < n || closed) ? &all[(i + 1) % n] : nullptr;
        if (before && before->size() < 2) before = nullptr;
        if (after && after->size() < 2) after = nullptr;
        std::vector<AcGeVector2d> offsets(s.size());
        for (std::size_t k = 0; k < s.size(); ++k)
            offsets[k] = AcGeVector2d(s[k].left.x * s[k].width / 2, s[k].left.y * s[k].width / 2);
        if (before) offsets.front() = mitre(before->back().left, s.front().left, s.front().width / 2);
        if (after) offsets.back() = mitre(s.back().left, after->front().left, s.back().width / 2);
        std::vector<AcGePoint2d>& outline = outlines[i];
        outline.reserve(2 * s.size());
        for (std::size_t k = 0; k < s.size(); ++k)
            outline.emplace_back(s[k].point.x + offsets[k].x, s[k].point.y + offsets[k].y);
        for (std::size_t k = s.size(); k-- > 0;)
            outline.emplace_back(s[k].point.x - offsets[k].x, s[k].point.y - offsets[k].y);
    }
    return outlines;
}

void draw(AcGiWorldDraw* wd, const std::vector<AcGiPolylineVertex>& vertices, bool closed,
          const AcGeMatrix3d& planeToWorld, const AcGeVector3d& normal) {
    const unsigned n = segmentCount(vertices.size(), closed);
    const std::vector<std::vector<AcGePoint2d>> outlines = segmentOutlines(vertices, closed);
    AcGiSubEntityTraits& traits = wd->subEntityTraits();
    const AcGiFillType fill = traits.fillType();
    std::vector<AcGePoint3d> points;
    for (unsigned i = 0; i < n; ++i) {
        const AcGiPolylineVertex& a = vertices[i];
        const AcGePoint2d& b = vertices[(i + 1) % vertices.size()].point;
        if (!outlines[i].empty()) {
            points.clear();
            for (const AcGePoint2d& p : outlines[i]) points.push_back(planeToWorld * AcGePoint3d(p.x, p.y, 0.0));
            traits.setFillType(kAcGiFillAlways);
            wd->geometry().polygon(static_cast<Adesk::UInt32>(points.size()), points.data());
            traits.setFillType(fill);
            continue;
        }
        if (a.bulge == 0.0) {
            const AcGePoint3d line[2] = {planeToWorld * AcGePoint3d(a.point.x, a.point.y, 0.0),
                                         planeToWorld * AcGePoint3d(b.x, b.y, 0.0)};
            wd->geometry().polyline(2, line, &normal);
            continue;
        }
        // A thin arc: through its middle point.
        const std::vector<Sample> s = samples(a, b);
        if (s.size() < 3) continue;
        const AcGePoint2d& mid = s[s.size() / 2].point;
        wd->geometry().circularArc(planeToWorld * AcGePoint3d(a.point.x, a.point.y, 0.0),
                                   planeToWorld * AcGePoint3d(mid.x, mid.y, 0.0),
                                   planeToWorld * AcGePoint3d(b.x, b.y, 0.0));
    }
}

}  // namespace AcGiWidePolyline
