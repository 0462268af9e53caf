// The view's pen rules and the replay of a display list onto a surface.
#include "render/PlotSurface.h"

bool PlotView::showsDashes(const PlotPen& pen) const {
    if (pen.dashes.empty()) return false;
    double total = 0.0;
    for (const double d : pen.dashes) total += d;
    return total * scale >= 3.0;
}

void replay(const PlotDisplayList& list, PlotSurface& surface) {
    const auto& points = list.points();
    const auto& pens = list.pens();
    for (const PlotItem& item : list.items()) {
        const PlotPen& pen = pens[item.pen];
        switch (item.kind) {
            case PlotItemKind::kStroke:
                surface.stroke(&points[item.first], item.count, item.closed, pen);
                break;
            case PlotItemKind::kFill:
                surface.fill(&points[item.first], item.count, pen);
                break;
            case PlotItemKind::kArc: {
                const AcGePoint2d& angles = points[item.first + 2];
                surface.arc(points[item.first], points[item.first + 1].x, angles.x, angles.y, pen);
                break;
            }
            case PlotItemKind::kText:
                surface.text(list.texts()[item.first], pen);
                break;
        }
    }
}
