// Symbol table access by table name: record lists through the records' own
// DXF output, a per-table cursor for tblnext, and adding applications.
#include "database/io/TableLists.h"

#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/ResbufDxfFiler.h"

namespace {

std::string upper(const char* text) {
    std::string result = text ? text : "";
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

bool isKnownEmptyTable(const std::string& name) {
    return name == "VIEW" || name == "UCS" || name == "DIMSTYLE" || name == "VPORT";
}

// The table's records in order; false when the database has no such table.
bool recordIds(const std::string& table, std::vector<AcDbObjectId>& ids) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return false;
    AcDbSymbolTable* symbols = nullptr;
    Acad::ErrorStatus es = Acad::eInvalidInput;
    if (table == "LAYER") {
        AcDbLayerTable* t = nullptr;
        es = db->getLayerTable(t);
        symbols = t;
    } else if (table == "LTYPE") {
        AcDbLinetypeTable* t = nullptr;
        es = db->getLinetypeTable(t);
        symbols = t;
    } else if (table == "STYLE") {
        AcDbTextStyleTable* t = nullptr;
        es = db->getTextStyleTable(t);
        symbols = t;
    } else if (table == "BLOCK") {
        AcDbBlockTable* t = nullptr;
        es = db->getBlockTable(t);
        symbols = t;
    } else if (table == "APPID") {
        AcDbRegAppTable* t = nullptr;
        es = db->getRegAppTable(t);
        symbols = t;
    } else {
        return isKnownEmptyTable(table);
    }
    if (es != Acad::eOk || !symbols) return false;
    ids = symbols->recordIds();
    symbols->close();
    return true;
}

std::string recordName(AcDbObjectId id) {
    AcDbObjectPointer<AcDbSymbolTableRecord> record(id, AcDb::kForRead);
    return record ? record->getName() : std::string();
}

// Builds a record list node by node (strings are copied by the filer).
class RecordList {
public:
    void text(int code, const std::string& value) {
        resbuf rb{};
        rb.restype = static_cast<short>(code);
        std::string copy = value;
        rb.resval.rstring = copy.data();
        mOut.append(rb);
    }
    void integer(int code, int value) {
        resbuf rb{};
        rb.restype = static_cast<short>(code);
        rb.resval.rint = static_cast<short>(value);
        mOut.append(rb);
    }
    void real(int code, double value) {
        resbuf rb{};
        rb.restype = static_cast<short>(code);
        rb.resval.rreal = value;
        mOut.append(rb);
    }
    void point(int code, const AcGePoint3d& p) {
        resbuf rb{};
        rb.restype = static_cast<short>(code);
        rb.resval.rpoint[0] = p.x;
        rb.resval.rpoint[1] = p.y;
        rb.resval.rpoint[2] = p.z;
        mOut.append(rb);
    }
    void name(int code, AcDbObjectId id) {
        resbuf rb{};
        rb.restype = static_cast<short>(code);
        if (acdbGetAdsName(rb.resval.rlname, id) != Acad::eOk) return;
        mOut.append(rb);
    }
    resbuf* take() { return mOut.takeList(); }

private:
    AcDbResbufDxfFiler mOut{nullptr};
};

// The list AutoLISP shows for a record: (0 . TABLE) (2 . NAME) (70 . FLAGS)
// and the table's own groups.
resbuf* recordList(const std::string& table, AcDbObjectId id) {
    AcDbObjectPointer<AcDbSymbolTableRecord> record(id, AcDb::kForRead);
    if (!record) return nullptr;
    RecordList list;
    list.text(0, table);
    list.text(2, record->getName());
    if (auto* layer = AcDbLayerTableRecord::cast(record.object())) {
        list.integer(70, (layer->isFrozen() ? 1 : 0) | (layer->isLocked() ? 4 : 0));
        list.integer(62, layer->isOff() ? -layer->colorIndex() : layer->colorIndex());
        AcDbObjectPointer<AcDbSymbolTableRecord> linetype(layer->linetypeObjectId(), AcDb::kForRead);
        list.text(6, linetype ? linetype->getName() : std::string("Continuous"));
    } else if (auto* style = AcDbTextStyleTableRecord::cast(record.object())) {
        list.integer(70, 0);
        list.real(40, style->textSize());
        list.real(41, style->xScale());
        list.text(3, style->fileName());
    } else if (auto* linetype = AcDbLinetypeTableRecord::cast(record.object())) {
        list.integer(70, 0);
        list.text(3, linetype->comments());
        list.integer(72, 65);
        list.real(40, linetype->patternLength());
    } else if (auto* block = AcDbBlockTableRecord::cast(record.object())) {
        list.integer(70, 0);
        list.point(10, block->origin());
        for (const AcDbObjectId& entity : block->entityIds())
            if (!entity.isErased()) {
                list.name(-2, entity);
                break;
            }
    } else {
        list.integer(70, 0);
    }
    return list.take();
}

// Where tblnext goes on, per table: the index of the next record.
std::map<std::string, size_t>& cursors() {
    static std::map<std::string, size_t> next;
    return next;
}

bool findRecord(const std::string& table, const char* name, std::vector<AcDbObjectId>& ids, size_t& index) {
    if (!recordIds(table, ids) || !name) return false;
    std::string wanted = upper(name);
    for (index = 0; index < ids.size(); ++index)
        if (!ids[index].isErased() && upper(recordName(ids[index]).c_str()) == wanted) return true;
    return false;
}

}  // namespace

bool acdbIsTableName(const char* table) {
    std::vector<AcDbObjectId> ids;
    return recordIds(upper(table), ids);
}

resbuf* acdbTblSearch(const char* table, const char* name, int setNext) {
    std::string key = upper(table);
    std::vector<AcDbObjectId> ids;
    size_t index = 0;
    if (!findRecord(key, name, ids, index)) return nullptr;
    if (setNext) cursors()[key] = index + 1;
    return recordList(key, ids[index]);
}

resbuf* acdbTblNext(const char* table, int rewind) {
    std::string key = upper(table);
    std::vector<AcDbObjectId> ids;
    if (!recordIds(key, ids)) return nullptr;
    size_t& next = cursors()[key];
    if (rewind) next = 0;
    while (next < ids.size() && ids[next].isErased()) ++next;
    if (next >= ids.size()) return nullptr;
    return recordList(key, ids[next++]);
}

int acdbTblObjName(const char* table, const char* name, ads_name result) {
    std::vector<AcDbObjectId> ids;
    size_t index = 0;
    if (!findRecord(upper(table), name, ids, index)) return RTERROR;
    ads_name found;
    if (acdbGetAdsName(found, ids[index]) != Acad::eOk) return RTERROR;
    result[0] = found[0];
    result[1] = found[1];
    return RTNORM;
}

int acdbRegApp(const char* name) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !name || !*name || std::strlen(name) > 255 || std::strpbrk(name, "<>/\\\":;?*|,=`")) return RTREJ;
    AcDbRegAppTable* table = nullptr;
    if (db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk) return RTERROR;
    if (table->has(name)) {
        table->close();
        return RTREJ;
    }
    auto* record = new AcDbRegAppTableRecord;
    record->setName(name);
    Acad::ErrorStatus es = table->add(record);
    table->close();
    if (es != Acad::eOk) {
        delete record;
        return RTREJ;
    }
    record->close();
    return RTNORM;
}
