// Isometric picture: every solid's triangles seen from above the south-west
// corner, shaded by a light over the viewer's shoulder and painted back to
// front.
#include "app/IsoRender.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "solid/zk_hvacSolid.h"

namespace {

struct Triangle {
    double x[3], y[3];
    double depth;
    double shade;
};

// Screen axes of the isometric view: right, up and towards the viewer.
const AcGeVector3d kRight = AcGeVector3d(1, -1, 0) / std::sqrt(2.0);
const AcGeVector3d kToViewer = AcGeVector3d(-1, -1, 1) / std::sqrt(3.0);
const AcGeVector3d kUp = kToViewer.crossProduct(kRight);
const AcGeVector3d kLight = AcGeVector3d(-0.3, -0.8, 1).normal();

} // namespace

bool renderIsometric(AcDbDatabase* db, const std::string& path, std::string& error) {
    std::vector<Triangle> triangles;
    AcDbObjectPointer<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForRead);
    if (!space) {
        error = "model space cannot be opened";
        return false;
    }
    for (AcDbObjectId id : space->entityIds()) {
        if (id.isErased()) continue;
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        const zk_hvacSolid* solid = entity ? zk_hvacSolid::cast(entity.object()) : nullptr;
        zkSolidMesh mesh;
        if (!solid || !solid->getMesh(mesh)) continue;
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
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (const Triangle& t : triangles)
        for (int k = 0; k < 3; ++k) {
            x0 = std::min(x0, t.x[k]), x1 = std::max(x1, t.x[k]);
            y0 = std::min(y0, t.y[k]), y1 = std::max(y1, t.y[k]);
        }
    const double margin = 0.03 * std::max(x1 - x0, y1 - y0) + 1;
    const double width = x1 - x0 + 2 * margin, height = y1 - y0 + 2 * margin;
    std::ostringstream svg;
    svg.precision(6);
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << width << " " << height
        << "\" width=\"1200\" height=\"" << std::max(1.0, 1200 * height / width) << "\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n<g stroke-linejoin=\"round\">\n";
    for (const Triangle& t : triangles) {
        const int level = static_cast<int>(std::lround(60 + 170 * t.shade));
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%02x%02x%02x", level * 9 / 10, level * 19 / 20, std::min(255, level));
        svg << "<polygon points=\"";
        for (int k = 0; k < 3; ++k)
            svg << (k ? " " : "") << t.x[k] - x0 + margin << "," << y1 + margin - t.y[k];
        svg << "\" fill=\"" << colour << "\" stroke=\"" << colour << "\" stroke-width=\"" << width / 4000
            << "\"/>\n";
    }
    svg << "</g>\n</svg>\n";
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::trunc);
        out << svg.str();
        if (!out) {
            error = "cannot write " + temp;
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) error = ec.message();
    return !ec;
}
