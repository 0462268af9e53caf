// What an entity shows in plan, as line segments: the shape the selection
// tests windows and polygons against, so that an entity is found by what
// is drawn of it (a duct's side lines, a label's text box), not only by its
// geometric extents.
#pragma once

#include <vector>

#include "geometry/AcGePoint2d.h"

class AcDbEntity;

struct EntityOutline {
    struct Segment {
        AcGePoint2d a, b;
    };
    std::vector<Segment> segments;  // a lone point is a segment of length 0
    double minX = 0, minY = 0, maxX = 0, maxY = 0;

    bool empty() const { return segments.empty(); }
    void add(const AcGePoint2d& a, const AcGePoint2d& b);
};

// The entity's world draw projected on the XY plane (curves as short
// chords, text as its box); its geometric extents as a rectangle when it
// draws nothing. The entity must be readable.
EntityOutline entityOutline(AcDbEntity* entity);

// An axis-aligned box and a polygon (closed, three points or more).
struct SelectionBox {
    double x0, y0, x1, y1;
};
using SelectionPolygon = std::vector<AcGePoint2d>;

// Window modes: everything drawn lies inside. Crossing modes: some part
// of what is drawn lies inside or crosses the border.
bool outlineInside(const EntityOutline& outline, const SelectionBox& box);
bool outlineCrosses(const EntityOutline& outline, const SelectionBox& box);
bool outlineInside(const EntityOutline& outline, const SelectionPolygon& polygon);
bool outlineCrosses(const EntityOutline& outline, const SelectionPolygon& polygon);
