// Shared helpers of the drawing file tests: a scratch folder, a drawing
// with test content, and field-by-field comparison of test entities.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "TestEntities.h"

// A unique empty folder, removed with its files at the end of the test.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string path(const std::string& name) const { return (mDir / name).string(); }

private:
    std::filesystem::path mDir;
};

// Adds a layer to db and returns its id.
AcDbObjectId addLayer(AcDbDatabase* db, const std::string& name, int color);
// Appends entity to model space (closes it); returns its id.
AcDbObjectId appendToModelSpace(AcDbDatabase* db, AcDbEntity* entity);
// A drawing with layers, a user block and test pipes of every shape.
void fillTestDrawing(AcDbDatabase* db, int pipes = 5);
// Ids of the live entities of model space, in order.
std::vector<AcDbObjectId> modelSpaceEntities(AcDbDatabase* db);
// Reads back every pipe of a and b and expects them field-by-field equal
// (layers compared by name).
void expectSamePipes(AcDbDatabase* a, AcDbDatabase* b);
