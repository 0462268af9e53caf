// Plan outlines of entities (a canvas that keeps segments) and the tests
// of the selection windows and polygons against them.
#include "editor/EntityOutline.h"

#include <algorithm>
#include <cmath>

#include "database/dbentity.h"
#include "database/dbextents.h"
#include "graphics/AcGiCanvasContext.h"
#include "graphics/AcGiTextLayout.h"

namespace {

// Chords per full circle: the sag of a chord stays below a thousandth of
// the radius.
constexpr int kChordsPerCircle = 72;

class OutlineCanvas : public AcGiCanvas {
public:
    explicit OutlineCanvas(EntityOutline& out) : mOut(out) {}

    void polyline(const AcGePoint3d* points, std::size_t count, bool closed, const AcGiPrimitiveTraits&) override {
        if (count == 1) mOut.add(plan(points[0]), plan(points[0]));
        for (std::size_t i = 1; i < count; ++i) mOut.add(plan(points[i - 1]), plan(points[i]));
        if (closed && count > 2) mOut.add(plan(points[count - 1]), plan(points[0]));
    }
    void circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                const AcGiPrimitiveTraits& traits) override {
        AcGeVector3d start = normal.perpVector();
        arc(center, radius, normal, start.isZeroLength() ? AcGeVector3d::kXAxis : start.normal(), 2 * M_PI, traits);
    }
    void arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal, const AcGeVector3d& startVector,
             double sweep, const AcGiPrimitiveTraits&) override {
        if (!std::isfinite(radius) || !std::isfinite(sweep)) return;
        const AcGeVector3d n = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
        const AcGeVector3d u = startVector.isZeroLength() ? n.perpVector().normal() : startVector.normal();
        const AcGeVector3d v = n.crossProduct(u);
        const int steps = static_cast<int>(
            std::clamp(std::ceil(std::fabs(sweep) / (2 * M_PI) * kChordsPerCircle), 1.0, double(kChordsPerCircle)));
        AcGePoint3d previous = center + u * radius;
        for (int i = 1; i <= steps; ++i) {
            const double t = sweep * i / steps;
            const AcGePoint3d next = center + u * (radius * std::cos(t)) + v * (radius * std::sin(t));
            mOut.add(plan(previous), plan(next));
            previous = next;
        }
    }
    void text(const AcGiCanvasText& text, const AcGiPrimitiveTraits&) override {
        const std::string plain = AcGiTextLayout::plainText(text.string);
        if (plain.empty()) return;
        textBox(text.position, text.direction, 0.0, AcGiTextLayout::textWidth(plain, text.height, text.widthFactor),
                0.0, text.height);
    }
    void mtext(const AcGiMTextData& mtext, const AcGiPrimitiveTraits&) override {
        const AcGiTextLayout::MTextBox box = AcGiTextLayout::layoutMText(mtext);
        if (box.lines.empty()) return;
        textBox(mtext.location, mtext.direction, box.left, box.right, box.bottom, box.top);
    }

private:
    static AcGePoint2d plan(const AcGePoint3d& p) { return AcGePoint2d(p.x, p.y); }

    // The rectangle from (left, bottom) to (right, top) in the text's own
    // axes at `origin`.
    void textBox(const AcGePoint3d& origin, const AcGeVector3d& direction, double left, double right, double bottom,
                 double top) {
        const AcGeVector3d d = direction.isZeroLength() ? AcGeVector3d::kXAxis : direction.normal();
        const AcGeVector3d up(-d.y, d.x, 0.0);
        const AcGePoint3d corners[4] = {origin + d * left + up * bottom, origin + d * right + up * bottom,
                                        origin + d * right + up * top, origin + d * left + up * top};
        polyline(corners, 4, true, AcGiPrimitiveTraits{});
    }

    EntityOutline& mOut;
};

bool finite(const AcGePoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool pointInBox(const AcGePoint2d& p, const SelectionBox& b) {
    return p.x >= b.x0 && p.x <= b.x1 && p.y >= b.y0 && p.y <= b.y1;
}

// Whether the segment a-b meets the box: its parameter range clipped
// against both slabs.
bool segmentMeetsBox(const AcGePoint2d& a, const AcGePoint2d& b, const SelectionBox& box) {
    double t0 = 0, t1 = 1;
    const double d[2] = {b.x - a.x, b.y - a.y}, p[2] = {a.x, a.y};
    const double lo[2] = {box.x0, box.y0}, hi[2] = {box.x1, box.y1};
    for (int i = 0; i < 2; ++i) {
        if (d[i] == 0) {
            if (p[i] < lo[i] || p[i] > hi[i]) return false;
            continue;
        }
        double ta = (lo[i] - p[i]) / d[i], tb = (hi[i] - p[i]) / d[i];
        if (ta > tb) std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        if (t0 > t1) return false;
    }
    return true;
}

bool insidePolygon(const SelectionPolygon& polygon, const AcGePoint2d& p) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const AcGePoint2d& a = polygon[i];
        const AcGePoint2d& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

int side(const AcGePoint2d& p, const AcGePoint2d& q, const AcGePoint2d& r) {
    const double cross = (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    return (cross > 0) - (cross < 0);
}

bool segmentsCross(const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& c, const AcGePoint2d& d) {
    return side(a, b, c) * side(a, b, d) <= 0 && side(c, d, a) * side(c, d, b) <= 0 &&
           std::max(a.x, b.x) >= std::min(c.x, d.x) && std::max(c.x, d.x) >= std::min(a.x, b.x) &&
           std::max(a.y, b.y) >= std::min(c.y, d.y) && std::max(c.y, d.y) >= std::min(a.y, b.y);
}

bool crossesBorder(const SelectionPolygon& polygon, const AcGePoint2d& a, const AcGePoint2d& b) {
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
        if (segmentsCross(a, b, polygon[j], polygon[i])) return true;
    return false;
}

} // namespace

void EntityOutline::add(const AcGePoint2d& a, const AcGePoint2d& b) {
    if (!finite(a) || !finite(b)) return;
    if (segments.empty()) minX = maxX = a.x, minY = maxY = a.y;
    minX = std::min({minX, a.x, b.x}), maxX = std::max({maxX, a.x, b.x});
    minY = std::min({minY, a.y, b.y}), maxY = std::max({maxY, a.y, b.y});
    segments.push_back({a, b});
}

EntityOutline entityOutline(AcDbEntity* entity) {
    EntityOutline out;
    if (!entity) return out;
    OutlineCanvas canvas(out);
    AcGiCanvasContext context(canvas);
    context.drawTopLevel(entity);
    if (out.empty()) {
        AcDbExtents extents;
        if (entity->getGeomExtents(extents) == Acad::eOk && !extents.isEmpty()) {
            const AcGePoint3d lo = extents.minPoint(), hi = extents.maxPoint();
            const AcGePoint2d c[4] = {{lo.x, lo.y}, {hi.x, lo.y}, {hi.x, hi.y}, {lo.x, hi.y}};
            for (int i = 0; i < 4; ++i) out.add(c[i], c[(i + 1) % 4]);
        }
    }
    return out;
}

bool outlineInside(const EntityOutline& outline, const SelectionBox& box) {
    return !outline.empty() && outline.minX >= box.x0 && outline.maxX <= box.x1 && outline.minY >= box.y0 &&
           outline.maxY <= box.y1;
}

bool outlineCrosses(const EntityOutline& outline, const SelectionBox& box) {
    if (outline.empty() || outline.minX > box.x1 || outline.maxX < box.x0 || outline.minY > box.y1 ||
        outline.maxY < box.y0)
        return false;
    for (const EntityOutline::Segment& s : outline.segments)
        if (pointInBox(s.a, box) || segmentMeetsBox(s.a, s.b, box)) return true;
    return false;
}

bool outlineInside(const EntityOutline& outline, const SelectionPolygon& polygon) {
    if (outline.empty() || polygon.size() < 3) return false;
    for (const EntityOutline::Segment& s : outline.segments)
        if (!insidePolygon(polygon, s.a) || !insidePolygon(polygon, s.b) || crossesBorder(polygon, s.a, s.b))
            return false;
    return true;
}

bool outlineCrosses(const EntityOutline& outline, const SelectionPolygon& polygon) {
    if (outline.empty() || polygon.size() < 3) return false;
    for (const EntityOutline::Segment& s : outline.segments)
        if (insidePolygon(polygon, s.a) || crossesBorder(polygon, s.a, s.b)) return true;
    return false;
}
