// Tagged filer over result-buffer lists (restype = group code): what entget
// writes an entity into and entmake reads one from.
#pragma once

#include <string>

#include "database/dbfiler.h"

class AcDbResbufDxfFiler : public AcDbDxfFiler {
public:
    // A writing filer: items accumulate in a chain taken with takeList().
    explicit AcDbResbufDxfFiler(AcDbDatabase* db);
    // A reading filer over list (not owned). With lenientMarkers, a list
    // without subclass markers is accepted as if they were there, as lists
    // written by hand usually leave them out; a different marker still fails.
    AcDbResbufDxfFiler(const resbuf* list, AcDbDatabase* db, bool lenientMarkers = true);
    ~AcDbResbufDxfFiler() override;
    AcDbResbufDxfFiler(const AcDbResbufDxfFiler&) = delete;
    AcDbResbufDxfFiler& operator=(const AcDbResbufDxfFiler&) = delete;

    // The written list; the caller releases it with acutRelRb.
    resbuf* takeList();

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return AcDb::kBagFiler; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return mDb; }

    Acad::ErrorStatus readItem(resbuf* item) override;
    Acad::ErrorStatus pushBackItem() override;
    bool atSubclassData(const char* className) override;
    bool atEOF() override { return mNext == nullptr; }
    bool atEndOfObject() override { return mNext == nullptr; }
    bool atExtendedData() override;

    Acad::ErrorStatus writeInt16(int code, Adesk::Int16 value) override;
    Acad::ErrorStatus writeInt32(int code, Adesk::Int32 value) override;
    Acad::ErrorStatus writeInt64(int code, Adesk::Int64 value) override;
    Acad::ErrorStatus writeDouble(int code, double value, int precision = kDfltPrec) override;
    Acad::ErrorStatus writePoint2d(int code, const AcGePoint2d& value, int precision = kDfltPrec) override;
    Acad::ErrorStatus writePoint3d(int code, const AcGePoint3d& value, int precision = kDfltPrec) override;
    Acad::ErrorStatus writeVector3d(int code, const AcGeVector3d& value, int precision = kDfltPrec) override;
    Acad::ErrorStatus writeString(int code, const std::string& value) override;
    Acad::ErrorStatus writeBool(int code, bool value) override;
    Acad::ErrorStatus writeObjectId(int code, const AcDbObjectId& value) override;
    Acad::ErrorStatus writeHandle(int code, AcDbHandle value) override;
    Acad::ErrorStatus writeBytes(int code, const void* buffer, size_t size) override;

    // Appends a copy of item (the entity-list builder adds -1 and 0 groups).
    void append(const resbuf& item);

private:
    resbuf* add(int code);

    resbuf* mHead = nullptr;
    resbuf* mTail = nullptr;
    const resbuf* mNext = nullptr;
    const resbuf* mLast = nullptr;
    bool mLenient = true;
    bool mInXData = false;  // object data ends where extended data starts
    AcDbDatabase* mDb;
    Acad::ErrorStatus mStatus = Acad::eOk;
};

// A malloc'ed copy of text, as result buffers own their strings.
char* orvDupResbufString(const std::string& text);
// Releases a list made by these filers (acutRelRb when it is there).
void orvReleaseResbufs(resbuf* list);
