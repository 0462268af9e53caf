// Drawings behind documents: creation, reading, saving.
#include "app/DrawingFiles.h"

#include "database/dbdatabase.h"
#include "database/io/DrawingFiles.h"

AcDbDatabase* createDrawing() { return new AcDbDatabase(true); }

AcDbDatabase* readDrawing(const std::string& path, std::string& error) {
    auto* db = new AcDbDatabase(false);
    if (orv::io::readDrawing(db, path, &error) != Acad::eOk) {
        delete db;
        return nullptr;
    }
    db->setFilename(path);
    return db;
}

bool saveDrawing(AcDbDatabase* database, const std::string& path, std::string& error) {
    return orv::io::saveDrawing(database, path, &error) == Acad::eOk;
}

void deleteDrawing(AcDbDatabase* database) {
    if (acdbHostApplicationServices()->workingDatabase() == database)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete database;
}

void setWorkingDrawing(AcDbDatabase* database) { acdbHostApplicationServices()->setWorkingDatabase(database); }
