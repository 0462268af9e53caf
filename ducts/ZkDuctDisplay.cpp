// ZkDuct display (first cut): the run as a line.
#include "graphics/AcGiWorldDraw.h"
#include "ducts/ZkDuct.h"

bool ZkDuct::subWorldDraw(AcGiWorldDraw* wd) {
    assertReadEnabled();
    AcGePoint3d line[2] = {mStart, mEnd};
    wd->geometry().polyline(2, line);
    return true;
}

void ZkDuct::subViewportDraw(AcGiViewportDraw*) {}

void ZkDuct::saveAs(AcGiWorldDraw* wd, AcDb::SaveType) {
    assertReadEnabled();
    AcGePoint3d line[2] = {mStart, mEnd};
    wd->geometry().polyline(2, line);
}
