// A hatch: boundary loops (polylines with bulges, or edges: lines, arcs,
// elliptic arcs, splines) in its plane, filled solid or with a pattern of
// parallel line families. The groups are kept exactly as filed (their
// order carries the loops); the geometry is read from them for display and
// a move rewrites their points. A boundary that cannot be read keeps the
// file's data a proxy.
#pragma once

#include <string>
#include <vector>

#include "database/dbentity.h"
#include "database/dbkept.h"

class AcDbHatch : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(AcDbHatch);

public:
    AcDbHatch();

    bool isSolidFill() const;
    std::string patternName() const;
    AcGeVector3d normal() const;
    // The boundary loops in world coordinates, arcs and curves as fine
    // polylines (each loop closed implicitly).
    std::vector<std::vector<AcGePoint3d>> loops() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    // The filed groups of its own part, as code and value text.
    struct Group {
        int code;
        std::string text;
    };

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& points, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    void subList() const override;

private:
    std::vector<Group> mGroups;
};
