// Tagged filer over ASCII DXF: writes group code/value lines into a tag
// writer, and reads the tags of one object from a tokenized file.
#pragma once

#include <span>
#include <string>

#include "database/dbfiler.h"
#include "database/io/DwgMemoryFiler.h"
#include "database/io/DxfTags.h"

class AcDbAsciiDxfFiler : public AcDbDxfFiler {
public:
    // A writing filer appending to writer.
    AcDbAsciiDxfFiler(orv::io::DxfTagWriter& writer, AcDbDatabase* db);
    // A reading filer over the tags of one object (without its "0 TYPE" tag).
    AcDbAsciiDxfFiler(std::span<const orv::io::DxfTag> tags, AcDbHandleResolver resolver, AcDbDatabase* db);

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return mDb; }
    Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& version,
                                 AcDb::MaintenanceReleaseVersion& maintenance) const override;

    Acad::ErrorStatus readItem(resbuf* item) override;
    Acad::ErrorStatus pushBackItem() override;
    bool atSubclassData(const char* className) override;
    bool atEOF() override { return mPos >= mTags.size(); }
    bool atEndOfObject() override { return mPos >= mTags.size(); }
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

    // Tags as text, for data carried through unchanged: readRawTag gives the
    // next tag of the object (extended data included), false at the end.
    bool readRawTag(int& code, std::string& value);
    void writeRawTag(int code, const std::string& value) { mWriter->string(code, value); }
    // The tags of the AcDbEntity part of the object being read (after its
    // marker, up to the next marker), unread or not.
    std::span<const orv::io::DxfTag> commonEntityTags() const;
    // The tags of the item readItem gave last (a point is up to three).
    std::span<const orv::io::DxfTag> lastItemTags() const {
        return mHaveLast ? mTags.subspan(mLastItem, mPos - mLastItem) : std::span<const orv::io::DxfTag>();
    }

    // Where reading stopped, and why, for the drawing reader's message.
    uint32_t currentLine() const;
    const std::string& errorMessage() const { return mMessage; }

private:
    Acad::ErrorStatus badValue(const orv::io::DxfTag& tag);

    orv::io::DxfTagWriter* mWriter = nullptr;
    std::span<const orv::io::DxfTag> mTags;
    size_t mPos = 0;
    size_t mLastItem = 0;
    bool mHaveLast = false;
    bool mInXData = false;  // object data ends where extended data starts
    AcDbHandleResolver mResolver;
    AcDbDatabase* mDb;
    std::string mValue;  // storage for the last string read
    std::string mMessage;
    Acad::ErrorStatus mStatus = Acad::eOk;
};
