// Hatch: the filed groups read as loops and pattern lines for display,
// rewritten in place by a move, filed unchanged.
#include "database/dbhatch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "database/dbads.h"
#include "database/dbocs.h"
#include "database/dxfcode.h"
#include "database/io/AsciiDxfFiler.h"
#include "database/io/DxfTags.h"
#include "graphics/AcGiWorldDraw.h"

static AcRxObject* makeHatch() { return new AcDbHatch(); }
ACRX_HOST_CLASS_MEMBERS(AcDbHatch, AcDbEntity, makeHatch, "HATCH")

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kArcSamples = 24;
constexpr int kMaxPatternLines = 4000;
// Dash pieces one hatch draws at most; past that its lines plot continuous.
constexpr int kMaxDashPieces = 50000;

using Groups = std::vector<AcDbHatch::Group>;

struct PatternLine {
    double angle = 0.0;  // degrees
    AcGePoint2d base;
    AcGeVector2d offset;
    std::vector<double> dashes;  // > 0 a dash, < 0 a gap, 0 a dot
};

// The groups of an arc or elliptic arc edge: start and end angle (degrees;
// an ellipse's are parameters from its major axis) and the direction flag.
struct ArcEdge {
    size_t start, end, ccw;
    bool elliptic;
};

// What the groups say, with the positions of the values a move changes.
struct Layout {
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    double elevation = 0.0;
    bool solid = false;
    std::string pattern;
    std::vector<std::vector<AcGePoint2d>> loops;  // in the plane, sampled
    std::vector<PatternLine> lines;
    int elevationAt = -1;                        // index of the elevation point's 10
    std::vector<std::pair<size_t, size_t>> points;   // x and y group of each plane point
    std::vector<std::pair<size_t, size_t>> vectors;  // x and y group of each plane vector
    std::vector<size_t> lengths;
    std::vector<size_t> angles;  // directions in the plane, degrees
    std::vector<size_t> bulges;
    std::vector<ArcEdge> arcs;
};

class Reader {
public:
    explicit Reader(const Groups& g) : mG(g) {}
    bool at(int code) const { return mI < mG.size() && mG[mI].code == code; }
    bool real(int code, double& v) {
        if (!at(code) || !orv::io::parseDxfDouble(mG[mI].text, v)) return false;
        ++mI;
        return true;
    }
    bool integer(int code, int64_t& v) {
        if (!at(code) || !orv::io::parseDxfInt(mG[mI].text, v)) return false;
        ++mI;
        return true;
    }
    // A plane point or vector filed as (code, code + 10), or as the two codes given.
    bool pair(int xCode, int yCode, AcGePoint2d& p, std::vector<std::pair<size_t, size_t>>* where) {
        const size_t at = mI;
        if (!real(xCode, p.x) || !real(yCode, p.y)) return false;
        if (where) where->emplace_back(at, at + 1);
        return true;
    }
    size_t index() const { return mI; }
    void skip() { ++mI; }
    bool done() const { return mI >= mG.size(); }

private:
    const Groups& mG;
    size_t mI = 0;
};

void sampleArc(std::vector<AcGePoint2d>& loop, const AcGePoint2d& c, const AcGeVector2d& major, double ratio,
               double start, double end, bool ccw) {
    // Angles in degrees; a clockwise edge is filed mirrored (its points
    // lie at the negated angles).
    const double s = start * kPi / 180, e = end * kPi / 180;
    double sweep = std::fmod(e - s, 2 * kPi);
    if (sweep <= 1e-12) sweep += 2 * kPi;
    const AcGeVector2d minor = AcGeVector2d(-major.y, major.x) * ratio;
    for (int k = 0; k <= kArcSamples; ++k) {
        const double t = ccw ? s + sweep * k / kArcSamples : -(s + sweep * k / kArcSamples);
        loop.push_back(c + major * std::cos(t) + minor * std::sin(t));
    }
}

bool readEdges(Reader& r, Layout& out, std::vector<AcGePoint2d>& loop) {
    int64_t n = 0;
    if (!r.integer(93, n) || n < 0 || n > 1000000) return false;
    for (int64_t e = 0; e < n; ++e) {
        int64_t type = 0;
        if (!r.integer(72, type)) return false;
        AcGePoint2d a, b;
        double radius = 0, start = 0, end = 0;
        int64_t ccw = 1;
        switch (type) {
        case 1:
            if (!r.pair(10, 20, a, &out.points) || !r.pair(11, 21, b, &out.points)) return false;
            loop.push_back(a);
            loop.push_back(b);
            break;
        case 2: {
            if (!r.pair(10, 20, a, &out.points)) return false;
            const size_t radiusAt = r.index();
            if (!r.real(40, radius)) return false;
            out.lengths.push_back(radiusAt);
            const size_t startAt = r.index();
            if (!r.real(50, start) || !r.real(51, end) || !r.integer(73, ccw)) return false;
            out.arcs.push_back({startAt, startAt + 1, startAt + 2, false});
            sampleArc(loop, a, AcGeVector2d(radius, 0), 1.0, start, end, ccw != 0);
            break;
        }
        case 3: {
            double ratio = 1;
            if (!r.pair(10, 20, a, &out.points) || !r.pair(11, 21, b, &out.vectors) || !r.real(40, ratio)) return false;
            const size_t startAt = r.index();
            if (!r.real(50, start) || !r.real(51, end) || !r.integer(73, ccw)) return false;
            out.arcs.push_back({startAt, startAt + 1, startAt + 2, true});
            sampleArc(loop, a, b.asVector(), ratio, start, end, ccw != 0);
            break;
        }
        case 4: {
            int64_t degree = 0, rational = 0, periodic = 0, knots = 0, controls = 0;
            if (!r.integer(94, degree) || !r.integer(73, rational) || !r.integer(74, periodic) ||
                !r.integer(95, knots) || !r.integer(96, controls) || knots < 0 || controls < 0)
                return false;
            double v = 0;
            for (int64_t k = 0; k < knots; ++k)
                if (!r.real(40, v)) return false;
            for (int64_t k = 0; k < controls; ++k) {
                if (!r.pair(10, 20, a, &out.points)) return false;
                loop.push_back(a);  // the control polygon stands for the curve
                if (rational) r.real(42, v);
            }
            int64_t fits = 0;
            if (r.integer(97, fits))
                for (int64_t k = 0; k < fits; ++k)
                    if (!r.pair(11, 21, a, &out.points)) return false;
            if (r.at(12) && !r.pair(12, 22, a, &out.vectors)) return false;
            if (r.at(13) && !r.pair(13, 23, a, &out.vectors)) return false;
            break;
        }
        default: return false;
        }
    }
    return true;
}

bool readLoop(Reader& r, Layout& out) {
    int64_t flags = 0;
    if (!r.integer(92, flags)) return false;
    std::vector<AcGePoint2d> loop;
    if (flags & 2) {  // a polyline
        int64_t bulged = 0, closed = 0, n = 0;
        r.integer(72, bulged);
        r.integer(73, closed);
        if (!r.integer(93, n) || n < 0 || n > 1000000) return false;
        std::vector<std::pair<AcGePoint2d, double>> vertices;
        for (int64_t k = 0; k < n; ++k) {
            AcGePoint2d p;
            double bulge = 0;
            if (!r.pair(10, 20, p, &out.points)) return false;
            if (r.at(42)) {
                out.bulges.push_back(r.index());
                r.real(42, bulge);
            }
            vertices.emplace_back(p, bulge);
        }
        for (size_t k = 0; k < vertices.size(); ++k) {
            const auto& [p, bulge] = vertices[k];
            loop.push_back(p);
            const AcGePoint2d q = vertices[(k + 1) % vertices.size()].first;
            if (bulge == 0.0 || p.distanceTo(q) < 1e-12) continue;
            const double sweep = 4 * std::atan(bulge);
            const AcGeVector2d chord = q - p;
            const double h = chord.length() / 2 * (1 - bulge * bulge) / (2 * bulge);
            const AcGePoint2d c = p + chord / 2 + AcGeVector2d(-chord.y, chord.x).normal() * h;
            const double start = std::atan2(p.y - c.y, p.x - c.x), radius = c.distanceTo(p);
            for (int s = 1; s < kArcSamples; ++s) {
                const double t = start + sweep * s / kArcSamples;
                loop.push_back(AcGePoint2d(c.x + radius * std::cos(t), c.y + radius * std::sin(t)));
            }
        }
    } else if (!readEdges(r, out, loop)) {
        return false;
    }
    int64_t sources = 0;
    if (r.integer(97, sources))
        for (int64_t k = 0; k < sources && r.at(330); ++k) r.skip();
    if (loop.size() >= 2) out.loops.push_back(std::move(loop));
    return true;
}

// False when the groups do not describe a hatch's boundary.
bool readLayout(const Groups& g, Layout& out) {
    Reader r(g);
    // The head: elevation point, normal, pattern name, fill flag, up to the loop count.
    int64_t loops = -1;
    while (!r.done() && loops < 0) {
        const int code = g[r.index()].code;
        AcGePoint2d p;
        double v = 0;
        int64_t i = 0;
        if (code == 10) {
            out.elevationAt = static_cast<int>(r.index());
            if (!r.pair(10, 20, p, nullptr)) return false;
            if (r.real(30, v)) out.elevation = v;
        } else if (code == 210) {
            AcGeVector3d n;
            if (!r.real(210, n.x) || !r.real(220, n.y) || !r.real(230, n.z)) return false;
            if (!n.isZeroLength()) out.normal = n.normal();
        } else if (code == 2) {
            out.pattern = g[r.index()].text;
            r.skip();
        } else if (code == 70) {
            if (!r.integer(70, i)) return false;
            out.solid = i != 0;
        } else if (code == 91) {
            if (!r.integer(91, loops) || loops < 0) return false;
        } else {
            r.skip();
        }
    }
    if (loops < 0) return false;
    for (int64_t k = 0; k < loops; ++k)
        if (!readLoop(r, out)) return false;
    // The tail: pattern angle and scale, pattern lines, seed points.
    while (!r.done()) {
        const int code = g[r.index()].code;
        int64_t n = 0;
        AcGePoint2d p;
        double v = 0;
        if (code == 52) {
            out.angles.push_back(r.index());
            r.skip();
        } else if (code == 41) {
            out.lengths.push_back(r.index());
            r.skip();
        } else if (code == 78) {
            if (!r.integer(78, n) || n < 0) return false;
            for (int64_t k = 0; k < n; ++k) {
                PatternLine line;
                out.angles.push_back(r.index());
                AcGePoint2d base, offset;
                if (!r.real(53, line.angle) || !r.pair(43, 44, base, &out.points) ||
                    !r.pair(45, 46, offset, &out.vectors))
                    return false;
                line.base = base;
                line.offset = offset.asVector();
                int64_t dashes = 0;
                if (!r.integer(79, dashes) || dashes < 0) return false;
                for (int64_t d = 0; d < dashes; ++d) {
                    out.lengths.push_back(r.index());
                    if (!r.real(49, v)) return false;
                    line.dashes.push_back(v);
                }
                out.lines.push_back(line);
            }
        } else if (code == 98) {
            if (!r.integer(98, n) || n < 0) return false;
            for (int64_t k = 0; k < n; ++k)
                if (!r.pair(10, 20, p, &out.points)) return false;
        } else {
            r.skip();
        }
    }
    return true;
}

// The stretches of the line {x : x . across = c} inside the loops (even-odd).
std::vector<std::pair<double, double>> insideStretches(const std::vector<std::vector<AcGePoint2d>>& loops,
                                                       const AcGeVector2d& along, const AcGeVector2d& across,
                                                       double c) {
    std::vector<double> hits;
    for (const auto& loop : loops)
        for (size_t i = 0; i < loop.size(); ++i) {
            const AcGePoint2d &p = loop[i], &q = loop[(i + 1) % loop.size()];
            const double sp = p.asVector().dotProduct(across) - c, sq = q.asVector().dotProduct(across) - c;
            if ((sp < 0) == (sq < 0)) continue;
            const AcGePoint2d x = p + (q - p) * (sp / (sp - sq));
            hits.push_back(x.asVector().dotProduct(along));
        }
    std::sort(hits.begin(), hits.end());
    std::vector<std::pair<double, double>> out;
    for (size_t i = 0; i + 1 < hits.size(); i += 2) out.emplace_back(hits[i], hits[i + 1]);
    return out;
}

// One value of an entity list as filed groups: points split into their
// coordinates (only the elevation point in the head and the normal have a
// z; boundary, pattern and seed points lie in the plane), angles in
// degrees. False for a value of no group type.
bool listGroups(const resbuf& rb, bool head, Groups& out) {
    const int code = rb.restype;
    switch (AcDb::dxfValueType(static_cast<short>(code))) {
    case AcDb::kDxfPoint: {
        const bool withZ = code == 210 || (code == 10 && head);
        const int coordinates = withZ ? 3 : 2;
        for (int k = 0; k < coordinates; ++k) {
            if (!std::isfinite(rb.resval.rpoint[k])) return false;
            out.push_back({code + 10 * k, orv::io::formatDxfDouble(rb.resval.rpoint[k])});
        }
        return true;
    }
    case AcDb::kDxfReal: {
        const double v = code >= 50 && code <= 58 ? rb.resval.rreal * 180 / kPi : rb.resval.rreal;
        if (!std::isfinite(v)) return false;
        out.push_back({code, orv::io::formatDxfDouble(v)});
        return true;
    }
    case AcDb::kDxfInt16:
    case AcDb::kDxfBool: out.push_back({code, std::to_string(rb.resval.rint)}); return true;
    case AcDb::kDxfInt32: out.push_back({code, std::to_string(rb.resval.rlong)}); return true;
    case AcDb::kDxfString:
        out.push_back({code, rb.resval.rstring ? std::string(rb.resval.rstring) : std::string()});
        return true;
    default: return false;
    }
}

// Puts the head groups a list may leave out (elevation point, normal,
// pattern name, fill and associativity flags) in their place before the
// loop count (other groups given there follow them), and the tail's style, pattern type and seed count after the
// loops, so the hatch files as other programs expect. False when the fill
// flag and the pattern name disagree.
bool completeHead(Groups& g) {
    auto has = [&](int code) {
        return std::any_of(g.begin(), g.end(), [&](const AcDbHatch::Group& x) { return x.code == code; });
    };
    const auto count = std::find_if(g.begin(), g.end(), [](const AcDbHatch::Group& x) { return x.code == 91; });
    const Groups own(g.begin(), count);
    auto find = [&](int code) {
        return std::find_if(own.begin(), own.end(), [&](const AcDbHatch::Group& x) { return x.code == code; });
    };
    auto text = [&](int code, const char* fallback) {
        const auto it = find(code);
        return it == own.end() ? std::string(fallback) : it->text;
    };
    std::string pattern = text(2, "");
    std::string solid = text(70, "");
    if (pattern.empty()) pattern = solid == "0" ? "" : "SOLID";
    if (solid.empty()) solid = pattern == "SOLID" ? "1" : "0";
    if (pattern.empty() || (solid != "0") != (pattern == "SOLID")) return false;
    Groups head = {{10, text(10, "0.0")}, {20, text(20, "0.0")},  {30, text(30, "0.0")},
                   {210, text(210, "0.0")}, {220, text(220, "0.0")}, {230, text(230, "1.0")},
                   {2, pattern}, {70, solid}, {71, text(71, "0")}};
    for (const AcDbHatch::Group& x : own)
        if (std::none_of(head.begin(), head.end(), [&](const AcDbHatch::Group& h) { return h.code == x.code; }))
            head.push_back(x);
    Groups tail(count, g.end());
    const bool hasStyle = has(75), hasSeeds = has(98);
    g = std::move(head);
    g.insert(g.end(), tail.begin(), tail.end());
    if (!hasStyle) {
        // After the last loop: before the pattern groups or the seed count.
        auto at = std::find_if(g.begin(), g.end(), [](const AcDbHatch::Group& x) {
            return x.code == 52 || x.code == 41 || x.code == 77 || x.code == 78 || x.code == 98;
        });
        at = g.insert(at, {75, "0"});
        g.insert(at + 1, {76, "1"});
    }
    if (!hasSeeds) g.push_back({98, "0"});
    return true;
}

}  // namespace

AcDbHatch::AcDbHatch() {}

bool AcDbHatch::isSolidFill() const {
    assertReadEnabled();
    Layout l;
    return readLayout(mGroups, l) && l.solid;
}
std::string AcDbHatch::patternName() const {
    assertReadEnabled();
    Layout l;
    readLayout(mGroups, l);
    return l.pattern;
}
AcGeVector3d AcDbHatch::normal() const {
    assertReadEnabled();
    Layout l;
    readLayout(mGroups, l);
    return l.normal;
}

std::vector<std::vector<AcGePoint3d>> AcDbHatch::loops() const {
    assertReadEnabled();
    Layout l;
    std::vector<std::vector<AcGePoint3d>> out;
    if (!readLayout(mGroups, l)) return out;
    for (const auto& loop : l.loops) {
        std::vector<AcGePoint3d> world;
        for (const AcGePoint2d& p : loop) world.push_back(ocsToWorld(l.normal, AcGePoint3d(p.x, p.y, l.elevation)));
        out.push_back(std::move(world));
    }
    return out;
}

// Solid: one filled polygon of every loop, joined by seams that run there
// and back (they cancel out), so the even-odd fill leaves holes and fills
// islands inside them. Pattern: each line family clipped to the loops
// (even-odd too), dashed as its pattern says.
bool AcDbHatch::subWorldDraw(AcGiWorldDraw* wd) {
    Layout l;
    if (!readLayout(mGroups, l) || l.loops.empty()) return true;
    auto toWorld = [&](const AcGePoint2d& p) { return ocsToWorld(l.normal, AcGePoint3d(p.x, p.y, l.elevation)); };
    if (l.solid) {
        std::vector<AcGePoint3d> polygon;
        for (const auto& loop : l.loops) {
            for (const AcGePoint2d& p : loop) polygon.push_back(toWorld(p));
            polygon.push_back(toWorld(loop.front()));
            if (polygon.size() > loop.size() + 1) polygon.push_back(polygon[0]);  // back along the seam
        }
        AcGiSubEntityTraits& traits = wd->subEntityTraits();
        const AcGiFillType fill = traits.fillType();
        traits.setFillType(kAcGiFillAlways);
        wd->geometry().polygon(static_cast<Adesk::UInt32>(polygon.size()), polygon.data());
        traits.setFillType(fill);
        return true;
    }
    int drawn = 0, pieces = 0;
    for (const PatternLine& line : l.lines) {
        const double a = line.angle * kPi / 180;
        const AcGeVector2d along(std::cos(a), std::sin(a)), across(-std::sin(a), std::cos(a));
        const double spacing = line.offset.dotProduct(across);
        if (std::fabs(spacing) < 1e-9) continue;
        double lo = 1e300, hi = -1e300;
        for (const auto& loop : l.loops)
            for (const AcGePoint2d& p : loop) {
                const double d = p.asVector().dotProduct(across);
                lo = std::min(lo, d), hi = std::max(hi, d);
            }
        double period = 0;
        for (double d : line.dashes) period += std::fabs(d);
        const double origin = line.base.asVector().dotProduct(across), step = std::fabs(spacing);
        for (double k = std::ceil((lo - origin) / step); origin + k * step <= hi && drawn < kMaxPatternLines; ++k, ++drawn) {
            const double c = origin + k * step;
            // Where this line's pattern starts: its base moved by whole offsets.
            const double start = line.base.asVector().dotProduct(along) +
                                 (c - origin) / spacing * line.offset.dotProduct(along);
            auto point = [&](double t) { return toWorld(AcGePoint2d(0, 0) + along * t + across * c); };
            for (const auto& [from, to] : insideStretches(l.loops, along, across, c)) {
                if (period < 1e-9 || pieces + (to - from) / period * line.dashes.size() > kMaxDashPieces) {
                    const AcGePoint3d ends[2] = {point(from), point(to)};
                    wd->geometry().polyline(2, ends, &l.normal);
                    continue;
                }
                // Walk the pattern from the period that holds the stretch's start.
                double t = start + std::floor((from - start) / period) * period;
                for (size_t d = 0; t < to; d = (d + 1) % line.dashes.size()) {
                    const double length = line.dashes[d], end = t + std::fabs(length);
                    if (length != 0 && end <= t) break;  // too far out for the pattern's size
                    if (length > 0 && end > from) {
                        const AcGePoint3d ends[2] = {point(std::max(t, from)), point(std::min(end, to))};
                        wd->geometry().polyline(2, ends, &l.normal);
                        ++pieces;
                    } else if (length == 0 && t >= from) {
                        const AcGePoint3d dot = point(t);
                        wd->geometry().polyline(1, &dot, &l.normal);
                        ++pieces;
                    }
                    t = end;
                }
            }
        }
    }
    if (l.lines.empty())  // a pattern without lines: its outline
        for (const auto& loop : l.loops) {
            std::vector<AcGePoint3d> outline;
            for (const AcGePoint2d& p : loop) outline.push_back(toWorld(p));
            outline.push_back(outline.front());
            wd->geometry().polyline(static_cast<Adesk::UInt32>(outline.size()), outline.data(), &l.normal);
        }
    return true;
}

Acad::ErrorStatus AcDbHatch::subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray&, AcDbIntArray&) const {
    AcDbExtents box;
    if (subGetGeomExtents(box) == Acad::eOk) points.push_back(box.minPoint() + (box.maxPoint() - box.minPoint()) / 2);
    return Acad::eOk;
}

// Moves, rotations, mirrors and uniform scales that keep the hatch in its
// plane rewrite the filed points, vectors, lengths and angles; other
// transforms are refused. A mirror turns every arc edge's direction round
// (start still maps to start, so the loop stays connected) and every bulge.
Acad::ErrorStatus AcDbHatch::subTransformBy(const AcGeMatrix3d& xform) {
    Layout l;
    if (!readLayout(mGroups, l)) return Acad::eNotApplicable;
    const AcGeMatrix3d m = AcGeMatrix3d::worldToPlane(l.normal) * xform * AcGeMatrix3d::planeToWorld(l.normal);
    const AcGeVector3d z = m * AcGeVector3d::kZAxis;
    if (!m.isUniScaledOrtho() || std::fabs(z.x) > 1e-9 || std::fabs(z.y) > 1e-9) return Acad::eNotApplicable;
    const double scale = m.scale();
    const AcGeVector3d x = m * AcGeVector3d::kXAxis, y = m * AcGeVector3d::kYAxis;
    const bool mirrored = x.x * y.y - x.y * y.x < 0;
    // Rotation: a direction at t goes to t + turn; mirror: to turn - t.
    const double turn = std::atan2(x.y, x.x) * 180 / kPi;
    auto number = [&](size_t i) {
        double v = 0;
        orv::io::parseDxfDouble(mGroups[i].text, v);
        return v;
    };
    auto set = [&](size_t i, double v) { mGroups[i].text = orv::io::formatDxfDouble(v); };
    for (const auto& [ix, iy] : l.points) {
        AcGePoint3d p(number(ix), number(iy), l.elevation);
        p.transformBy(m);
        set(ix, p.x), set(iy, p.y);
    }
    for (const auto& [ix, iy] : l.vectors) {
        const AcGeVector3d v = m * AcGeVector3d(number(ix), number(iy), 0);
        set(ix, v.x), set(iy, v.y);
    }
    for (size_t i : l.lengths) set(i, number(i) * scale);
    for (size_t i : l.angles) set(i, mirrored ? turn - number(i) : number(i) + turn);
    for (size_t i : l.bulges)
        if (mirrored) set(i, -number(i));
    // A clockwise edge's points lie at its negated angles; an ellipse's
    // parameters are measured from its major axis, which turned with it.
    for (const ArcEdge& arc : l.arcs) {
        const bool ccw = mGroups[arc.ccw].text.find_first_not_of(" 0") != std::string::npos;
        const double shift = arc.elliptic ? 0.0 : (ccw != mirrored ? turn : -turn);
        set(arc.start, number(arc.start) + shift);
        set(arc.end, number(arc.end) + shift);
        if (mirrored) mGroups[arc.ccw].text.assign(1, ccw ? '0' : '1');
    }
    if (l.elevationAt >= 0) {
        const size_t at = static_cast<size_t>(l.elevationAt);
        AcGePoint3d e(number(at), number(at + 1), l.elevation);
        e.transformBy(m);
        set(at, e.x), set(at + 1, e.y);
        if (at + 2 < mGroups.size() && mGroups[at + 2].code == 30) set(at + 2, e.z);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::subGetGeomExtents(AcDbExtents& extents) const {
    for (const auto& loop : loops())
        for (const AcGePoint3d& p : loop) extents.addPoint(p);
    return extents.isEmpty() ? Acad::eInvalidExtents : Acad::eOk;
}

void AcDbHatch::subList() const {
    AcDbEntity::subList();
    Layout l;
    readLayout(mGroups, l);
    acdbPrintf("                 Pattern: %s\n", l.solid ? "SOLID" : l.pattern.c_str());
    acdbPrintf("                   loops: %d\n", static_cast<int>(l.loops.size()));
}

// ---- filing: the groups of the hatch's part as filed ----

Acad::ErrorStatus AcDbHatch::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeUInt32(static_cast<Adesk::UInt32>(mGroups.size()));
    for (const Group& g : mGroups) {
        filer->writeInt16(static_cast<Adesk::Int16>(g.code));
        filer->writeString(g.text);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbHatch::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    mGroups.clear();
    Adesk::UInt32 count = 0;
    if (filer->readUInt32(&count) != Acad::eOk) return filer->filerStatus();
    for (Adesk::UInt32 i = 0; i < count; ++i) {
        Adesk::Int16 code = 0;
        Group g;
        if (filer->readInt16(&code) != Acad::eOk || filer->readString(&g.text) != Acad::eOk) return filer->filerStatus();
        g.code = code;
        mGroups.push_back(std::move(g));
    }
    return Acad::eOk;
}

// Files get the groups as they are; entity lists get them as values
// (points joined, angles in radians, references left out).
Acad::ErrorStatus AcDbHatch::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, "AcDbHatch");
    if (auto* ascii = dynamic_cast<AcDbAsciiDxfFiler*>(filer)) {
        for (const Group& g : mGroups) ascii->writeRawTag(g.code, g.text);
        return filer->filerStatus();
    }
    for (size_t i = 0; i < mGroups.size(); ++i) {
        const Group& g = mGroups[i];
        double v = 0;
        int64_t n = 0;
        switch (AcDb::dxfValueType(static_cast<short>(g.code))) {
        case AcDb::kDxfPoint: {
            AcGePoint3d p;
            orv::io::parseDxfDouble(g.text, p.x);
            if (i + 1 < mGroups.size() && mGroups[i + 1].code == g.code + 10) orv::io::parseDxfDouble(mGroups[++i].text, p.y);
            if (i + 1 < mGroups.size() && mGroups[i + 1].code == g.code + 20) orv::io::parseDxfDouble(mGroups[++i].text, p.z);
            filer->writePoint3d(g.code, p);
            break;
        }
        case AcDb::kDxfReal:
            orv::io::parseDxfDouble(g.text, v);
            filer->writeDouble(g.code, g.code >= 50 && g.code <= 58 ? v * kPi / 180 : v);
            break;
        case AcDb::kDxfInt16:
        case AcDb::kDxfBool:
            orv::io::parseDxfInt(g.text, n);
            filer->writeInt16(g.code, static_cast<Adesk::Int16>(n));
            break;
        case AcDb::kDxfInt32:
            orv::io::parseDxfInt(g.text, n);
            filer->writeInt32(g.code, static_cast<Adesk::Int32>(n));
            break;
        case AcDb::kDxfString: filer->writeString(g.code, g.text); break;
        default: break;
        }
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbHatch::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData("AcDbHatch")) return Acad::eBadDxfSequence;
    auto* ascii = dynamic_cast<AcDbAsciiDxfFiler*>(filer);
    Groups groups;
    resbuf rb{};
    bool head = true;  // before the loop count: the elevation point has a z
    while (filer->readItem(&rb) == Acad::eOk) {
        if (ascii) {
            for (const orv::io::DxfTag& tag : ascii->lastItemTags()) groups.push_back({tag.code, std::string(tag.value)});
            continue;
        }
        if (rb.restype == 91) head = false;
        if (!listGroups(rb, head, groups)) return Acad::eInvalidInput;
    }
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    Layout l;
    // A boundary that cannot be read: the file's data stays as it is, in a
    // proxy; a list (entmake) is refused.
    if (!readLayout(groups, l)) return ascii ? Acad::eMakeMeProxy : Acad::eInvalidInput;
    if (!ascii && (l.loops.empty() || !completeHead(groups))) return Acad::eInvalidInput;
    mGroups = std::move(groups);
    return Acad::eOk;
}
