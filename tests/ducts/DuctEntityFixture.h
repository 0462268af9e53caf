// A host document with the duct class registered, and helpers to add ducts
// to model space and to file them through an in-memory binary filer.
#pragma once

#include <string>

#include "database/dbsymtab.h"
#include "database/io/DwgMemoryFiler.h"
#include "ducts/ZkDuct.h"
#include "tests/integration/HostFixture.h"

class DuctEntityFixture : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        if (!ZkDuct::desc()) ZkDuct::rxInit();
        db = doc->database();
        clearOldDuctFields();
    }
    void TearDown() override {
        clearOldDuctFields();
        HostFixture::TearDown();
    }

    // Appends a duct to model space (closed) and returns its id.
    AcDbObjectId appendDuct(ZkDuct* duct) {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, duct), Acad::eOk);
        duct->close();
        space->close();
        return id;
    }

    AcDbHandleResolver resolver() {
        return [this](AcDbHandle h) {
            AcDbObjectId id;
            db->getAcDbObjectId(id, false, h);
            return id;
        };
    }

    // The binary data of a duct.
    std::string dwgBytes(const ZkDuct& duct) {
        AcDbDwgMemoryFiler out(AcDb::kFileFiler, db);
        EXPECT_EQ(duct.dwgOutFields(&out), Acad::eOk);
        return out.data();
    }

    AcDbDatabase* db = nullptr;
};
