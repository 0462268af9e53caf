// Symbol tables and their records: blocks, layers, text styles, linetypes
// and registered applications.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "database/dbarrays.h"
#include "database/dbobject.h"
#include "database/dbopen.h"

class AcDbEntity;
class AcDbSymbolTable;

class AcDbSymbolTableRecord : public AcDbObject {
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);

public:
    Acad::ErrorStatus getName(std::string& name) const;
    const std::string& getName() const { assertReadEnabled(); return mName; }
    const char* name() const { assertReadEnabled(); return mName.c_str(); }
    // Renaming a record that is in a table is refused when the name is taken.
    Acad::ErrorStatus setName(const std::string& name);
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    // Subclass marker of the record's own tagged data.
    virtual const char* dxfRecordClass() const = 0;
    std::string mName;
};

// A table of uniquely named records (names compare case-insensitively).
class AcDbSymbolTable : public AcDbObject {
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);

public:
    ~AcDbSymbolTable() override;
    bool has(const std::string& name) const;
    bool has(AcDbObjectId id) const;
    Acad::ErrorStatus getAt(const std::string& name, AcDbObjectId& id, bool getErased = false) const;
    template <class Record>
    Acad::ErrorStatus getAt(const std::string& name, Record*& record, AcDb::OpenMode mode,
                            bool openErased = false) const;
    // Adds a new record (it becomes database resident and stays open for
    // write; the caller closes it). Fails with eDuplicateRecordName.
    Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* record);
    Acad::ErrorStatus add(AcDbSymbolTableRecord* record) { AcDbObjectId id; return add(id, record); }
    // Record ids in the order they were added (erased ones are skipped unless asked).
    std::vector<AcDbObjectId> recordIds(bool includeErased = false) const;

    // Iteration over record ids in order of addition.
    class Iterator {
    public:
        Iterator(const AcDbSymbolTable* table, bool skipErased);
        void start() { mIndex = 0; skip(); }
        bool done() const { return mIndex >= mTable->mRecords.size(); }
        void step() { ++mIndex; skip(); }
        Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
        template <class Record>
        Acad::ErrorStatus getRecord(Record*& record, AcDb::OpenMode mode, bool openErased = false) const;

    private:
        void skip();
        const AcDbSymbolTable* mTable;
        size_t mIndex = 0;
        bool mSkipErased;
    };
    Acad::ErrorStatus newIterator(Iterator*& iterator, bool atBeginning = true, bool skipErased = true) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    // Keeps the name index right after a record was renamed or read.
    void reindex();
    // Adds an id read from a file (no checks; used by the file reader).
    void appendRecordId(AcDbObjectId id);

protected:
    // Which record class this table holds.
    virtual AcRxClass* recordClass() const = 0;

private:
    friend class Iterator;
    std::vector<AcDbObjectId> mRecords;
    std::map<std::string, AcDbObjectId> mByName; // upper-cased names
    // The last name asked for, exactly as given, and what the index held for
    // it (null: nothing): a file's entities ask for the same layer, style or
    // block name one after another. Dropped whenever the index changes.
    mutable std::string mLastName;
    mutable AcDbObjectId mLastFound;
    mutable bool mLastValid = false;
};

// ---- blocks ----

class AcDbBlockTableRecordIterator;

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);

public:
    // Appends an entity: it gets an id, this block as owner and the database,
    // and stays open for write (the caller closes it).
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity) { AcDbObjectId id; return appendAcDbEntity(id, entity); }
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    // Entity ids in order of appending.
    const std::vector<AcDbObjectId>& entityIds() const { assertReadEnabled(); return mEntities; }
    std::vector<AcDbObjectId> entityIds(bool includeErased) const;
    AcGePoint3d origin() const { assertReadEnabled(); return mOrigin; }
    Acad::ErrorStatus setOrigin(const AcGePoint3d& origin);
    bool isLayout() const;
    // Adds an id read from a file (no checks; used by the file reader).
    void appendEntityId(AcDbObjectId id) { mEntities.push_back(id); }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    const char* dxfRecordClass() const override { return "AcDbBlockTableRecord"; }
    Acad::ErrorStatus subErase(bool erasing) override;

private:
    std::vector<AcDbObjectId> mEntities;
    AcGePoint3d mOrigin;
};

class AcDbBlockTableRecordIterator {
public:
    AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* record, bool skipDeleted);
    void start() { mIndex = 0; skip(); }
    bool done() const { return mIndex >= mIds.size(); }
    void step() { ++mIndex; skip(); }
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode, bool openErased = false) const;

private:
    void skip();
    std::vector<AcDbObjectId> mIds;
    size_t mIndex = 0;
    bool mSkipDeleted;
};

class AcDbBlockTable : public AcDbSymbolTable {
    ACRX_DECLARE_MEMBERS(AcDbBlockTable);
protected:
    AcRxClass* recordClass() const override { return AcDbBlockTableRecord::desc(); }
};

inline constexpr const char* ACDB_MODEL_SPACE = "*Model_Space";
inline constexpr const char* ACDB_PAPER_SPACE = "*Paper_Space";

// ---- layers ----

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);

public:
    AcDbLayerTableRecord();
    Adesk::Int16 colorIndex() const { assertReadEnabled(); return mColorIndex; }
    void setColorIndex(Adesk::Int16 color) { assertWriteEnabled(); mColorIndex = color; }
    AcDbObjectId linetypeObjectId() const { assertReadEnabled(); return mLinetypeId; }
    void setLinetypeObjectId(AcDbObjectId id) { assertWriteEnabled(); mLinetypeId = id; }
    bool isPlottable() const { assertReadEnabled(); return mPlottable; }
    Acad::ErrorStatus setIsPlottable(bool plottable) { assertWriteEnabled(); mPlottable = plottable; return Acad::eOk; }
    AcDb::LineWeight lineWeight() const { assertReadEnabled(); return static_cast<AcDb::LineWeight>(mLineWeight); }
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight) { assertWriteEnabled(); mLineWeight = static_cast<Adesk::Int16>(weight); return Acad::eOk; }
    const std::string& plotStyleName() const { assertReadEnabled(); return mPlotStyleName; }
    Acad::ErrorStatus setPlotStyleName(const std::string& name) { assertWriteEnabled(); mPlotStyleName = name; return Acad::eOk; }
    bool isLocked() const { assertReadEnabled(); return mLocked; }
    void setIsLocked(bool locked) { assertWriteEnabled(); mLocked = locked; }
    bool isFrozen() const { assertReadEnabled(); return mFrozen; }
    void setIsFrozen(bool frozen) { assertWriteEnabled(); mFrozen = frozen; }
    bool isOff() const { assertReadEnabled(); return mOff; }
    void setIsOff(bool off) { assertWriteEnabled(); mOff = off; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    const char* dxfRecordClass() const override { return "AcDbLayerTableRecord"; }
    Acad::ErrorStatus subErase(bool erasing) override;

private:
    template <class> friend struct AcDbFieldList;
    std::string mPlotStyleName;
    AcDbObjectId mLinetypeId;
    Adesk::Int16 mColorIndex = 7;
    Adesk::Int16 mLineWeight = AcDb::kLnWtByLwDefault;
    bool mPlottable = true;
    bool mLocked = false;
    bool mFrozen = false;
    bool mOff = false;
};

class AcDbLayerTable : public AcDbSymbolTable {
    ACRX_DECLARE_MEMBERS(AcDbLayerTable);
protected:
    AcRxClass* recordClass() const override { return AcDbLayerTableRecord::desc(); }
};

// ---- text styles ----

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);

public:
    AcDbTextStyleTableRecord();
    Acad::ErrorStatus fileName(std::string& name) const { assertReadEnabled(); name = mFileName; return Acad::eOk; }
    const std::string& fileName() const { assertReadEnabled(); return mFileName; }
    Acad::ErrorStatus setFileName(const std::string& name) { assertWriteEnabled(); mFileName = name; return Acad::eOk; }
    double textSize() const { assertReadEnabled(); return mTextSize; }
    Acad::ErrorStatus setTextSize(double size) { assertWriteEnabled(); mTextSize = size; return Acad::eOk; }
    double xScale() const { assertReadEnabled(); return mXScale; }
    double obliquingAngle() const { assertReadEnabled(); return mOblique; }
    Acad::ErrorStatus setObliquingAngle(double angle) { assertWriteEnabled(); mOblique = angle; return Acad::eOk; }
    const std::string& bigFontFileName() const { assertReadEnabled(); return mBigFont; }
    Adesk::Int16 flags() const { assertReadEnabled(); return mFlags; }
    Acad::ErrorStatus setXScale(double scale) { assertWriteEnabled(); mXScale = scale; return Acad::eOk; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    const char* dxfRecordClass() const override { return "AcDbTextStyleTableRecord"; }

private:
    template <class> friend struct AcDbFieldList;
    std::string mFileName = "txt";
    double mTextSize = 0.0;
    double mXScale = 1.0;
    // 70 flags (4: vertical), 71 generation (2: backward, 4: upside down),
    // 50 oblique angle, 42 last height used, 4 big font file.
    Adesk::Int16 mFlags = 0;
    Adesk::Int16 mGeneration = 0;
    double mOblique = 0.0;
    double mLastHeight = 0.0;
    std::string mBigFont;
};

class AcDbTextStyleTable : public AcDbSymbolTable {
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTable);
protected:
    AcRxClass* recordClass() const override { return AcDbTextStyleTableRecord::desc(); }
};

// ---- linetypes ----

class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);

public:
    const std::string& comments() const { assertReadEnabled(); return mComments; }
    Acad::ErrorStatus setComments(const std::string& text) { assertWriteEnabled(); mComments = text; return Acad::eOk; }
    double patternLength() const { assertReadEnabled(); return mPatternLength; }
    void setPatternLength(double length) { assertWriteEnabled(); mPatternLength = length; }
    int numDashes() const { assertReadEnabled(); return static_cast<int>(mDashes.size()); }
    double dashLengthAt(int index) const { assertReadEnabled(); return mDashes.at(static_cast<size_t>(index)); }
    void setDashes(std::vector<double> lengths) {
        assertWriteEnabled();
        mDashes = std::move(lengths);
        mDashFlags.assign(mDashes.size(), 0);
    }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    const char* dxfRecordClass() const override { return "AcDbLinetypeTableRecord"; }
    Acad::ErrorStatus subErase(bool erasing) override;

private:
    template <class> friend struct AcDbFieldList;
    std::string mComments;
    double mPatternLength = 0.0;
    // The dash pattern: lengths (positive a dash, negative a gap, zero a
    // dot) and each element's flags (74, as read); the shapes and texts of
    // complex elements are not kept.
    std::vector<double> mDashes;
    std::vector<Adesk::Int16> mDashFlags;
};

class AcDbLinetypeTable : public AcDbSymbolTable {
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTable);
protected:
    AcRxClass* recordClass() const override { return AcDbLinetypeTableRecord::desc(); }
};

// ---- registered applications ----

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
    ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord);
public:
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
protected:
    const char* dxfRecordClass() const override { return "AcDbRegAppTableRecord"; }
};

class AcDbRegAppTable : public AcDbSymbolTable {
    ACRX_DECLARE_MEMBERS(AcDbRegAppTable);
protected:
    AcRxClass* recordClass() const override { return AcDbRegAppTableRecord::desc(); }
};

template <class Record>
Acad::ErrorStatus AcDbSymbolTable::getAt(const std::string& name, Record*& record, AcDb::OpenMode mode,
                                         bool openErased) const {
    record = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(name, id, openErased);
    return es != Acad::eOk ? es : acdbOpenObject(record, id, mode, openErased);
}

template <class Record>
Acad::ErrorStatus AcDbSymbolTable::Iterator::getRecord(Record*& record, AcDb::OpenMode mode, bool openErased) const {
    record = nullptr;
    if (done()) return Acad::eInvalidIndex;
    return acdbOpenObject(record, mTable->mRecords[mIndex], mode, openErased);
}
