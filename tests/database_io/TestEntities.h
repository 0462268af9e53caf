// Custom entities for the file tests, filed the way the module's entities
// are: a version number first, ids behind a validity flag, a subclass
// marker in DXF; the version written can be raised to test newer data.
#pragma once

#include <string>
#include <vector>

#include "database/dbcurve.h"
#include "database/dbentity.h"
#include "geometry/AcGe.h"

class TestPipe : public AcDbEntity {
    ACRX_DECLARE_MEMBERS(TestPipe);

public:
    static int sWriteVersion;  // version written by dwgOutFields (normally 2)
    static bool sFailWrite;    // dwgOutFields fails (a save that cannot complete)
    static constexpr int kVersion = 2;

    AcGePoint3d start, end;
    Adesk::Int32 key = 0;
    std::string sizeText = "X";
    std::vector<double> hangers;
    bool reverse = false;
    AcDbObjectId labelLayer;  // hard pointer, filed behind a Bool

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    // Its display: the pipe line, a circle at the start, the size text.
    bool subWorldDraw(AcGiWorldDraw* wd) override;
};

// Registers TestPipe (DXF name "TESTPIPE") once.
void registerTestClasses();
