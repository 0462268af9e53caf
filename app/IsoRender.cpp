// Isometric picture: every solid's triangles seen from above the south-west
// corner, shaded by a light over the viewer's shoulder, and the lines the
// other entities draw (plan lines, polylines, rooms, duct plans) at their
// height, all painted back to front as the shapes of a plot (any of its
// picture formats).
#include "app/IsoRender.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "graphics/AcGiCanvasContext.h"
#include "render/AciColor.h"
#include "solid/zk_hvacSolid.h"

namespace {

struct Triangle {
    double x[3], y[3];
    double depth;
    double shade;
};

// A line of a plan entity on the screen, with its colour.
struct Stroke {
    double x[2], y[2];
    double depth;
    std::uint32_t rgb;
};

// Screen axes of the isometric view: right, up and towards the viewer.
const AcGeVector3d kRight = AcGeVector3d(1, -1, 0) / std::sqrt(2.0);
const AcGeVector3d kToViewer = AcGeVector3d(-1, -1, 1) / std::sqrt(3.0);
const AcGeVector3d kUp = kToViewer.crossProduct(kRight);
const AcGeVector3d kLight = AcGeVector3d(-0.3, -0.8, 1).normal();

struct ScreenPoint {
    double x, y, depth;
};

ScreenPoint project(const AcGePoint3d& p) {
    const AcGeVector3d v = p - AcGePoint3d::kOrigin;
    return {v.dotProduct(kRight), v.dotProduct(kUp), v.dotProduct(kToViewer)};
}

// Collects what an entity draws as screen strokes: polylines and polygons
// edge by edge, circles and arcs as short chords; text is left out (it
// would lie flat and unreadable in this view).
class StrokeCanvas : public AcGiCanvas {
public:
    StrokeCanvas(std::vector<Stroke>& out, std::function<int(AcDbObjectId)> layerColor)
        : mOut(out), mLayerColor(std::move(layerColor)) {}
    void polyline(const AcGePoint3d* points, std::size_t count, bool closed, const AcGiPrimitiveTraits& t) override {
        for (std::size_t i = 1; i < count; ++i) add(points[i - 1], points[i], t);
        if (closed && count > 2) add(points[count - 1], points[0], t);
    }
    void circle(const AcGePoint3d& centre, double radius, const AcGeVector3d& normal,
                const AcGiPrimitiveTraits& t) override {
        const AcGeVector3d start = normal.perpVector();
        arc(centre, radius, normal, start.isZeroLength() ? AcGeVector3d::kXAxis : start.normal(), 2 * M_PI, t);
    }
    void arc(const AcGePoint3d& centre, double radius, const AcGeVector3d& normal, const AcGeVector3d& startVector,
             double sweep, const AcGiPrimitiveTraits& t) override {
        if (!std::isfinite(radius) || !std::isfinite(sweep) || normal.isZeroLength() || startVector.isZeroLength())
            return;
        const AcGeVector3d n = normal.normal(), u = startVector.normal(), v = n.crossProduct(u);
        const int steps = static_cast<int>(std::clamp(std::ceil(std::fabs(sweep) / (M_PI / 18)), 1.0, 36.0));
        AcGePoint3d previous = centre + u * radius;
        for (int i = 1; i <= steps; ++i) {
            const double a = sweep * i / steps;
            const AcGePoint3d next = centre + u * (radius * std::cos(a)) + v * (radius * std::sin(a));
            add(previous, next, t);
            previous = next;
        }
    }
    void text(const AcGiCanvasText&, const AcGiPrimitiveTraits&) override {}
    void mtext(const AcGiMTextData&, const AcGiPrimitiveTraits&) override {}

private:
    void add(const AcGePoint3d& a, const AcGePoint3d& b, const AcGiPrimitiveTraits& t) {
        const ScreenPoint pa = project(a), pb = project(b);
        if (!std::isfinite(pa.x + pa.y + pb.x + pb.y + pa.depth + pb.depth)) return;
        const int index = t.color >= 1 && t.color <= 255 ? t.color : mLayerColor(t.layer);
        mOut.push_back({{pa.x, pb.x}, {pa.y, pb.y}, (pa.depth + pb.depth) / 2, aciToRgb(index)});
    }
    std::vector<Stroke>& mOut;
    std::function<int(AcDbObjectId)> mLayerColor;
};

int layerColorOf(AcDbObjectId layerId) {
    AcDbObjectPointer<AcDbLayerTableRecord> layer(layerId, AcDb::kForRead);
    return layer ? std::abs(layer->colorIndex()) : 7;
}

} // namespace

bool renderIsometric(AcDbDatabase* db, const std::string& path, const PlotOptions& options, std::string& error) {
    std::vector<Triangle> triangles;
    AcDbObjectPointer<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForRead);
    if (!space) {
        error = "model space cannot be opened";
        return false;
    }
    std::vector<Stroke> strokes;
    StrokeCanvas strokeCanvas(strokes, layerColorOf);
    AcGiCanvasContext planContext(strokeCanvas);
    for (AcDbObjectId id : space->entityIds()) {
        if (id.isErased()) continue;
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (!entity) continue;
        const zk_hvacSolid* solid = zk_hvacSolid::cast(entity.object());
        if (!solid) {
            planContext.drawTopLevel(entity.object());
            continue;
        }
        zkSolidMesh mesh;
        if (!solid->getMesh(mesh)) continue;
        for (size_t t = 0; t + 2 < mesh.triangles.size(); t += 3) {
            const AcGePoint3d* p[3] = {&mesh.vertices[mesh.triangles[t]], &mesh.vertices[mesh.triangles[t + 1]],
                                       &mesh.vertices[mesh.triangles[t + 2]]};
            AcGeVector3d normal = (*p[1] - *p[0]).crossProduct(*p[2] - *p[0]);
            if (normal.length() == 0) continue;
            normal /= normal.length();
            if (normal.dotProduct(kToViewer) <= 0) continue; // faces turned away
            Triangle tri{};
            for (int k = 0; k < 3; ++k) {
                AcGeVector3d v = *p[k] - AcGePoint3d::kOrigin;
                tri.x[k] = v.dotProduct(kRight);
                tri.y[k] = v.dotProduct(kUp);
                tri.depth += v.dotProduct(kToViewer) / 3;
            }
            tri.shade = 0.35 + 0.65 * std::max(0.0, normal.dotProduct(kLight));
            triangles.push_back(tri);
        }
    }
    if (triangles.empty()) {
        error = "the drawing has no duct solids to draw";
        return false;
    }
    std::sort(triangles.begin(), triangles.end(), [](const Triangle& a, const Triangle& b) { return a.depth < b.depth; });
    std::sort(strokes.begin(), strokes.end(), [](const Stroke& a, const Stroke& b) { return a.depth < b.depth; });
    PlotRenderer renderer({}, options);
    if (!renderer.begin(path, error)) return false;
    PlotDisplayList& list = renderer.displayList();
    // Triangles and strokes merged back to front, so that solids hide the
    // plan lines behind them and lines in front stay visible.
    size_t nextStroke = 0;
    auto drawStrokesBefore = [&](double depth) {
        for (; nextStroke < strokes.size() && strokes[nextStroke].depth <= depth; ++nextStroke) {
            const Stroke& s = strokes[nextStroke];
            PlotPen pen;
            pen.rgb = s.rgb & 0xffffff;
            pen.widthMm = 0.18;
            const AcGePoint2d ends[2] = {{s.x[0], s.y[0]}, {s.x[1], s.y[1]}};
            list.stroke(ends, 2, false, list.pen(pen));
        }
    };
    for (const Triangle& t : triangles) {
        drawStrokesBefore(t.depth);
        const int level = static_cast<int>(std::lround(60 + 170 * t.shade));
        PlotPen pen;
        pen.rgb = static_cast<std::uint32_t>((level * 9 / 10) << 16 | (level * 19 / 20) << 8 | std::min(255, level));
        const AcGePoint2d corners[3] = {{t.x[0], t.y[0]}, {t.x[1], t.y[1]}, {t.x[2], t.y[2]}};
        list.fill(corners, 3, list.pen(pen));
    }
    drawStrokesBefore(1e300);
    return renderer.finish(error);
}
