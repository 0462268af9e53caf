// The accessor of tblDuct: loads one row into a duct record, lets the caller
// change fields (each setter raises its column's change flag) and saves only
// the changed columns through the project database component.
#pragma once

#include <bitset>
#include <string>

#include "com/comutil.h"
#include "ducts/ZkDuctDbInfo.h"
#include "projectdb/ProjectDatabasePtr.h"

#define ZK_DUCT_TYPE_Int int32_t
#define ZK_DUCT_TYPE_Real double
#define ZK_DUCT_TYPE_Text const std::string&
#define ZK_DUCT_TYPE_Bool bool

class DuctDbRecord : public ZkDuctDbInfo {
public:
    DuctDbRecord() = default;
    explicit DuctDbRecord(IProjectDatabasePtr db) : mDb(std::move(db)) {}
    DuctDbRecord(const DuctDbRecord&) = delete;
    DuctDbRecord& operator=(const DuctDbRecord&) = delete;

    // The component reference: set when the project database is connected,
    // cleared (released) when it is not.
    void setDatabase(IProjectDatabasePtr db) { mDb = std::move(db); }
    IProjectDatabasePtr& database() { return mDb; }
    bool hasDatabase() const { return static_cast<bool>(mDb); }

    // Fetches row `key`; false without a database or when the row is
    // missing (the record is then left as it was). Raises _com_error when
    // the component fails.
    bool Load(int32_t key);
    void BeginNew();
    void BeginEdit();
    // Sends the changed columns (AddNew for a new record, Update of the row
    // being edited) and reads back what the database stored. True when the
    // database took it; nothing is sent when no column changed.
    bool Save();

    bool Exists(int32_t key);
    bool SetSizeFor(int32_t key, const std::string& sizeFor);
    // A copy of row `key`, or a default record when it cannot be loaded.
    ZkDuctDbInfo GetRecord(int32_t key);
    bool SetDamper(int32_t key, int32_t kind, double location);
    // Copies the sizing, shape, fitting, damper and hanger columns of
    // `source` into row `key`; the airflow columns only when asked.
    bool CopyInto(int32_t key, ZkDuctDbInfo source, bool withAirflow);

#define ZK_DUCT_ACCESSORS(Suffix, Field, Kind)                \
    void Set##Suffix(ZK_DUCT_TYPE_##Kind value) {             \
        Field = value;                                        \
        mChanged.set(kCol_##Field);                           \
    }                                                         \
    ZK_DUCT_TYPE_##Kind Get##Suffix() const { return Field; }
    ZK_DUCT_COLUMNS(ZK_DUCT_ACCESSORS)
#undef ZK_DUCT_ACCESSORS

    bool isNew() const { return mNew; }
    bool isUpdate() const { return mUpdate; }
    int32_t originalKey() const { return mOriginal; }
    const std::bitset<kDuctColumnCount>& changed() const { return mChanged; }

private:
    IProjectDatabasePtr mDb;
    bool mNew = false;
    bool mUpdate = false;
    int32_t mOriginal = 0;
    std::bitset<kDuctColumnCount> mChanged;
};

// Reads a field list (name, value, name, value, ...) into a record: empty
// or null values give 0, false or "", text is right-trimmed, a boolean is
// true only for the 16-bit value -1, integers are truncated from reals.
// Unknown names are skipped.
void readDuctFields(ZkDuctDbInfo& record, const VARIANT& fieldList);
// The field list of the columns flagged in `changed`, in flag order.
_variant_t ductFieldList(const ZkDuctDbInfo& record, const std::bitset<kDuctColumnCount>& changed);
