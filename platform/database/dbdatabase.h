// The drawing database: the objects of one drawing under ids and handles,
// its symbol tables and header variables.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "database/dbcarried.h"
#include "database/dbhandletable.h"
#include "database/dbopen.h"
#include "database/dbstub.h"
#include "database/dbsymtab.h"

class AcDbBlockTable;
class AcDbLayerTable;
class AcDbTextStyleTable;
class AcDbLinetypeTable;
class AcDbRegAppTable;

// A named header variable's value.
struct AcDbHeaderValue {
    short type = RTREAL; // RTREAL, RTSHORT, RTLONG, RTSTR or RT3DPOINT
    double real = 0.0;
    double point[3] = {0, 0, 0};
    int32_t integer = 0;
    std::string text;
    short code = 0;  // DXF group code of the value as read; 0: the variable's usual code
};

class AcDbDatabase : public AcRxObject {
public:
    // A new drawing has the five tables, model and paper space, layer "0",
    // the linetypes ByBlock, ByLayer and CONTINUOUS, text style "Standard".
    // With buildDefaultDrawing false it is empty (for file readers).
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    // Adds a new object under the next handle; it stays open for write.
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* object);
    // Adds an object under a given handle (file readers); eHandleExists if taken.
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* object, AcDbHandle handle);
    // Id of the object with a handle; with create, a placeholder id that a
    // later addAcDbObject with that handle fills (forward references).
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, AcDbHandle handle);
    AcDbHandle handseed() const { return mHandseed; }
    void setHandseed(AcDbHandle seed) { if (seed > mHandseed) mHandseed = seed; }
    // Every id of the database, erased ones included, in order of creation.
    size_t numIds() const { return mStubs.size(); }
    AcDbObjectId idAt(size_t index) const { return AcDbObjectId(&mStubs.at(index)); }
    size_t approxNumObjects() const { return mStubs.size(); }

    AcDbObjectId blockTableId() const { return mBlockTable; }
    AcDbObjectId layerTableId() const { return mLayerTable; }
    AcDbObjectId textStyleTableId() const { return mTextStyleTable; }
    AcDbObjectId linetypeTableId() const { return mLinetypeTable; }
    AcDbObjectId regAppTableId() const { return mRegAppTable; }
    // File readers set the table ids after reading the tables.
    void setTableIds(AcDbObjectId blocks, AcDbObjectId layers, AcDbObjectId styles, AcDbObjectId linetypes,
                     AcDbObjectId regApps);
    // A file may leave out the text style, linetype and application tables;
    // file readers call this after setTableIds and setHandseed so that the
    // drawing gets empty ones (handles above the file's) and can be saved.
    Acad::ErrorStatus addMissingSymbolTables();

    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode = AcDb::kForRead) const;
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& t, AcDb::OpenMode m = AcDb::kForRead) const { return getBlockTable(t, m); }
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& t, AcDb::OpenMode m = AcDb::kForRead) const { return getLayerTable(t, m); }
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& t, AcDb::OpenMode m = AcDb::kForRead) const { return getTextStyleTable(t, m); }
    Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& t, AcDb::OpenMode m = AcDb::kForRead) const { return getLinetypeTable(t, m); }
    Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& t, AcDb::OpenMode m = AcDb::kForRead) const { return getRegAppTable(t, m); }

    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;
    AcDbObjectId currentSpaceId() const { return modelSpaceId(); }
    AcDbObjectId layerZero() const;
    AcDbObjectId continuousLinetype() const;
    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    AcDbObjectId textstyle() const;
    AcDbObjectId clayer() const { return mClayer.isNull() ? layerZero() : mClayer; }
    Acad::ErrorStatus setClayer(AcDbObjectId layer);
    // Looks a record up by name in one of the tables (null id if missing).
    AcDbObjectId layerId(const std::string& name) const;
    AcDbObjectId linetypeId(const std::string& name) const;
    AcDbObjectId textStyleId(const std::string& name) const;
    AcDbObjectId blockId(const std::string& name) const;
    // Adds the application to the registered applications if missing.
    AcDbObjectId registerApp(const char* name);

    // Header variables, by upper-case name ("DIMSCALE", "CLAYER" is not one).
    double dimscale() const;
    Acad::ErrorStatus setDimscale(double scale);
    // Axes of the current UCS: header variables "UCSXDIR" and "UCSYDIR"
    // (points), the world x and y axes when unset.
    AcGeVector3d ucsxdir() const;
    AcGeVector3d ucsydir() const;
    bool getHeaderVar(const std::string& name, AcDbHeaderValue& value) const;
    Acad::ErrorStatus setHeaderVar(const std::string& name, const AcDbHeaderValue& value);
    const std::map<std::string, AcDbHeaderValue>& headerVars() const { return mHeader; }

    // What a DXF file held that the database does not model, written back
    // by both formats.
    AcDbCarriedDxf& carriedDxf() { return mCarried; }
    const AcDbCarriedDxf& carriedDxf() const { return mCarried; }

    // Copies the model space of source into a new block named blockName of
    // this database (with its layers, linetypes and styles by name).
    Acad::ErrorStatus insert(AcDbObjectId& blockId, const char* blockName, AcDbDatabase* source,
                             bool preserveSourceDatabase = true);

    // Drawing files: the readers and writers are installed by the file
    // code (io/); without them these fail with eNotImplementedYet.
    using ReadHook = Acad::ErrorStatus (*)(AcDbDatabase* db, const char* path);
    using WriteHook = Acad::ErrorStatus (*)(AcDbDatabase* db, const char* path);
    static void setFileHooks(ReadHook readDwg, WriteHook writeDwg, ReadHook readDxf, WriteHook writeDxf);
    Acad::ErrorStatus readDwgFile(const char* path, int shareMode = 0, bool allowCPConversion = false);
    Acad::ErrorStatus saveAs(const char* path);
    Acad::ErrorStatus dxfIn(const char* path);
    Acad::ErrorStatus dxfOut(const char* path);
    const std::string& filename() const { return mFileName; }
    void setFilename(const std::string& name) { mFileName = name; }

    // Deletes every object; the database is empty afterwards (file readers
    // call it before reading into a database).
    void clear();

    // The objects opened for write since the journal was last taken, each
    // once, so that an index of the drawing re-measures only what may have
    // changed. The journal is kept only once someone has taken it.
    std::vector<AcDbObjectId> takeWriteJournal();
    // Called when an object of this database is opened for write.
    void noteOpenedForWrite(AcDbStub* stub);

    // Services that live and die with the database (the editor's spatial
    // index), by name; an empty pointer until one is set.
    std::shared_ptr<void>& service(const std::string& name) { return mServices[name]; }

private:
    friend class AcDbDatabaseBuilder;
    void buildDefaultDrawing();
    AcDbObjectId lookup(AcDbObjectId table, const std::string& name) const;
    // A stub for an unused handle, filed under it.
    AcDbStub* newStub(AcDbHandle handle);
    AcDbStubStore mStubs;
    AcDbHandleTable mByHandle{mStubs};
    AcDbHandle mHandseed = 1;
    AcDbObjectId mBlockTable, mLayerTable, mTextStyleTable, mLinetypeTable, mRegAppTable, mClayer;
    std::map<std::string, AcDbHeaderValue> mHeader;
    AcDbCarriedDxf mCarried;
    std::string mFileName;
    std::vector<AcDbStub*> mWriteJournal;
    bool mJournalKept = false;
    std::map<std::string, std::shared_ptr<void>> mServices;
};

// The host's services: the working database is the current drawing's.
class AcDbHostApplicationServices {
public:
    AcDbDatabase* workingDatabase() const { return mWorking; }
    void setWorkingDatabase(AcDbDatabase* db) { mWorking = db; }
    // Finds a file by name: as given, then in the working drawing's folder,
    // then in the folders of ORVANE_SUPPORT (':'-separated). eFileNotFound.
    Acad::ErrorStatus findFile(std::string& found, const char* name, AcDbDatabase* db = nullptr) const;

private:
    AcDbDatabase* mWorking = nullptr;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
