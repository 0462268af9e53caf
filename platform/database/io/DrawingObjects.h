// Helpers shared by the drawing writers and readers: which objects a
// drawing saves, the class each is filed under, classes by DXF name, and
// replacing an object that asked to become a proxy.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>

#include "database/dbdatabase.h"
#include "database/dbentity.h"

class AcDbFileProxyEntity;

namespace orv::io {

// The class an object is filed under (a proxy keeps its original class).
struct FiledClass {
    std::string className;
    std::string dxfName;
    std::string appName;
    int proxyFlags = 0;
    bool isEntity = false;
    // Registered by an application (not a class of the host itself).
    bool isCustom = false;
    // A proxy read from DXF, filed in the binary format as its DXF tags.
    bool dxfTags = false;
    // The binary format its data is filed in, when older than the file's:
    // the bytes of a proxy read from an older drawing (0: the file's).
    uint32_t dataFormat = 0;
};
FiledClass filedClassOf(const AcDbObject* object);

// Whether a DXF entity type is one of the standard kinds (ARC, HATCH, ...),
// which have no class record in a file even when the host carries them as
// proxies.
bool isStandardEntityName(const std::string& dxfName);

// Calls visit with every live (not erased) object of db, in id order, open
// for read for the duration of the call.
void forEachSavedObject(AcDbDatabase* db, const std::function<void(AcDbObject*)>& visit);

// Opens an object for read if it is closed; closes it again on destruction.
class ReadAccess {
public:
    explicit ReadAccess(AcDbObjectId id);
    ~ReadAccess();
    ReadAccess(const ReadAccess&) = delete;
    ReadAccess& operator=(const ReadAccess&) = delete;
    AcDbObject* object() const { return mObject; }

private:
    AcDbObject* mObject = nullptr;
    bool mOpened = false;
};

// Rebuilds the name index of a table (open for write) or of every table of
// db, with the records open for read while their names are taken.
void reindexTable(class AcDbSymbolTable* table);
void reindexTables(AcDbDatabase* db);

// Registers every class the database files (tables, records, standard
// entities, proxies): host classes register on first use otherwise.
void registerFiledClasses();

// Entity classes of the class dictionary by DXF name (upper case).
std::unordered_map<std::string, AcRxClass*> classesByDxfName();
// Creates an instance of a class by name; null when unknown or abstract.
AcDbObject* createObjectOfClass(const AcRxClass* cls);

// Puts a new proxy entity in place of object under the same id; the old
// object is deleted. Returns the proxy (open for write).
AcDbFileProxyEntity* replaceWithProxy(AcDbObject* object, const FiledClass& original);

}  // namespace orv::io
