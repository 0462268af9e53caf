// Entities shaped like the usual drawing content (lines, polylines with a
// few vertices, multiline texts) for the file benchmarks.
#pragma once

#include <string>
#include <vector>

#include "database/dbentity.h"
#include "geometry/AcGe.h"

class BenchLine : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(BenchLine);

public:
    AcGePoint3d start, end;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
};

class BenchPolyline : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(BenchPolyline);

public:
    std::vector<AcGePoint2d> vertices;
    bool closed = false;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
};

class BenchText : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(BenchText);

public:
    AcGePoint3d location;
    double height = 2.5;
    double width = 0.0;
    std::string contents;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
};

void registerBenchClasses();
