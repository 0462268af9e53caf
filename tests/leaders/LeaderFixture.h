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
#include "tests/host/HostFixture.h"

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

    // A block of one line from the tip (0,0) back to (-1,0).
    AcDbObjectId addBlock(const std::string& name) {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbBlockTableRecord;
        record->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, record), Acad::eOk);
        table->close();
        auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(-1, 0, 0));
        EXPECT_EQ(record->appendAcDbEntity(line), Acad::eOk);
        line->close();
        record->close();
        return id;
    }

    AcDbObjectId addLayer(const std::string& name) {
        AcDbLayerTable* layers = nullptr;
        EXPECT_EQ(db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbLayerTableRecord;
        record->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(layers->add(id, record), Acad::eOk);
        record->close();
        layers->close();
        return id;
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
