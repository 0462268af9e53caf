// A host document with the leader class registered, an arrow block and
// helpers to make leaders and arrow drawings.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "database/dbline.h"
#include "database/dbsymtab.h"
#include "database/io/DrawingFiles.h"
#include "leaders/ZKLeader.h"
#include "tests/integration/HostFixture.h"

class LeaderFixture : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        if (!ZKLeader::desc()) ZKLeader::rxInit();
        db = doc->database();
        supportDir = std::filesystem::temp_directory_path() /
                     ("leader-support-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::create_directories(supportDir);
        setenv("ORVANE_SUPPORT", supportDir.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("ORVANE_SUPPORT");
        std::filesystem::remove_all(supportDir);
        HostFixture::TearDown();
    }



    // Writes "<name>.dwg" with one line into the support folder.
    void writeBlockDrawing(const std::string& name) {
        AcDbDatabase side(true, true);
        AcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(acdbOpenObject(space, side.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(-1, 0.25, 0));
        ASSERT_EQ(space->appendAcDbEntity(line), Acad::eOk);
        line->close();
        space->close();
        ASSERT_EQ(orv::io::saveDrawing(&side, (supportDir / (name + ".dwg")).string()), Acad::eOk);
    }

    AcDbDatabase* db = nullptr;
    std::filesystem::path supportDir;
};
