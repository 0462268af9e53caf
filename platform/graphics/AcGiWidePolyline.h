// Wide polylines as a display fills them: every segment with a width
// (constant, or tapering from its start width to its end width, arcs
// included) becomes a filled outline mitred to its wide neighbours; segments
// without width stay thin lines and arcs.
#pragma once

#include "graphics/AcGiWorldDraw.h"

#include <vector>

struct AcGiPolylineVertex {
    AcGePoint2d point;
    double bulge = 0.0;  // tan of a quarter of the segment's arc angle
    double startWidth = 0.0;
    double endWidth = 0.0;
};

namespace AcGiWidePolyline {

// Whether any segment has a width.
bool hasWidth(const std::vector<AcGiPolylineVertex>& vertices);

// The outline of each segment, in the polyline's plane: left side forward,
// then right side back. Thin segments give an empty outline.
std::vector<std::vector<AcGePoint2d>> segmentOutlines(const std::vector<AcGiPolylineVertex>& vertices, bool closed);

// Draws the polyline: wide segments as filled polygons, thin ones as lines
// and arcs, through planeToWorld (the polyline's plane to world).
void draw(AcGiWorldDraw* wd, const std::vector<AcGiPolylineVertex>& vertices, bool closed,
          const AcGeMatrix3d& planeToWorld, const AcGeVector3d& normal);

}  // namespace AcGiWidePolyline
