// Binary filer over an in-memory byte buffer: little-endian values,
// length-prefixed strings, object ids filed as handles.
#pragma once

#include <functional>
#include <string>

#include "database/dbfiler.h"
#include "database/io/ByteBuffer.h"

// Resolves a filed handle to an id while reading; a null id means the handle
// names no object of the drawing being read.
using AcDbHandleResolver = std::function<AcDbObjectId(AcDbHandle)>;

class AcDbDwgMemoryFiler : public AcDbDwgFiler {
public:
    // A writing filer (the bytes accumulate in data()).
    explicit AcDbDwgMemoryFiler(AcDb::FilerType type = AcDb::kFileFiler, AcDbDatabase* db = nullptr);
    // A reading filer over bytes (not copied: they must outlive the filer).
    AcDbDwgMemoryFiler(std::string_view bytes, AcDbHandleResolver resolver,
                       AcDb::FilerType type = AcDb::kFileFiler, AcDbDatabase* db = nullptr);

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    AcDb::FilerType filerType() const override { return mType; }
    void setFilerType(AcDb::FilerType type) { mType = type; }
    void setFilerStatus(Acad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Acad::eOk; }
    AcDbDatabase* database() const override { return mDb; }

    const std::string& data() const { return mOut.data(); }
    std::string takeData() { return std::move(mOut.data()); }
    // Bytes not yet read; a reader that stopped early can tell.
    size_t remaining() const { return mIn.remaining(); }
    // The binary drawing format version of the bytes read (fields added in
    // a later version are read only from files that have them).
    uint32_t formatVersion() const { return mFormatVersion; }
    void setFormatVersion(uint32_t version) { mFormatVersion = version; }

    Acad::ErrorStatus readInt8(Adesk::Int8* value) override;
    Acad::ErrorStatus readUInt8(Adesk::UInt8* value) override;
    Acad::ErrorStatus readInt16(Adesk::Int16* value) override;
    Acad::ErrorStatus readUInt16(Adesk::UInt16* value) override;
    Acad::ErrorStatus readInt32(Adesk::Int32* value) override;
    Acad::ErrorStatus readUInt32(Adesk::UInt32* value) override;
    Acad::ErrorStatus readInt64(Adesk::Int64* value) override;
    Acad::ErrorStatus readBool(bool* value) override;
    Acad::ErrorStatus readDouble(double* value) override;
    Acad::ErrorStatus readPoint2d(AcGePoint2d* value) override;
    Acad::ErrorStatus readPoint3d(AcGePoint3d* value) override;
    Acad::ErrorStatus readVector2d(AcGeVector2d* value) override;
    Acad::ErrorStatus readVector3d(AcGeVector3d* value) override;
    Acad::ErrorStatus readScale3d(AcGeScale3d* value) override;
    Acad::ErrorStatus readString(std::string* value) override;
    Acad::ErrorStatus readBytes(void* buffer, size_t size) override;
    Acad::ErrorStatus readHandle(AcDbHandle* value) override;
    Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* value) override { return readId(value); }
    Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* value) override { return readId(value); }
    Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* value) override { return readId(value); }
    Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* value) override { return readId(value); }

    Acad::ErrorStatus writeInt8(Adesk::Int8 value) override;
    Acad::ErrorStatus writeUInt8(Adesk::UInt8 value) override;
    Acad::ErrorStatus writeInt16(Adesk::Int16 value) override;
    Acad::ErrorStatus writeUInt16(Adesk::UInt16 value) override;
    Acad::ErrorStatus writeInt32(Adesk::Int32 value) override;
    Acad::ErrorStatus writeUInt32(Adesk::UInt32 value) override;
    Acad::ErrorStatus writeInt64(Adesk::Int64 value) override;
    Acad::ErrorStatus writeBool(bool value) override;
    Acad::ErrorStatus writeDouble(double value) override;
    Acad::ErrorStatus writePoint2d(const AcGePoint2d& value) override;
    Acad::ErrorStatus writePoint3d(const AcGePoint3d& value) override;
    Acad::ErrorStatus writeVector2d(const AcGeVector2d& value) override;
    Acad::ErrorStatus writeVector3d(const AcGeVector3d& value) override;
    Acad::ErrorStatus writeScale3d(const AcGeScale3d& value) override;
    Acad::ErrorStatus writeString(const std::string& value) override;
    Acad::ErrorStatus writeBytes(const void* buffer, size_t size) override;
    Acad::ErrorStatus writeHandle(AcDbHandle value) override;
    Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& value) override { return writeId(value); }
    Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& value) override { return writeId(value); }
    Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& value) override { return writeId(value); }
    Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& value) override { return writeId(value); }

    // A read failed on a number that is NaN, infinite or beyond ±1e100.
    bool readBadNumber() const { return mBadNumber; }

private:
    // A read may proceed unless an earlier one failed for good; a dangling
    // id (eNullHandle) is not fatal, so later fields still read.
    bool canRead() const { return mStatus == Acad::eOk || mStatus == Acad::eNullHandle; }
    Acad::ErrorStatus readFailed();
    Acad::ErrorStatus readId(AcDbObjectId* value);
    Acad::ErrorStatus writeId(const AcDbObjectId& value);
    bool readDoubles(double* out, int n);

    orv::io::ByteWriter mOut;
    orv::io::ByteReader mIn;
    AcDbHandleResolver mResolver;
    AcDb::FilerType mType;
    AcDbDatabase* mDb;
    Acad::ErrorStatus mStatus = Acad::eOk;
    uint32_t mFormatVersion = kCurrentFormatVersion;
    bool mBadNumber = false;

public:
    static constexpr uint32_t kCurrentFormatVersion = 6;
};

// Whether the data a filer reads has the fields added in format version;
// filers other than the binary drawing reader always have them.
bool filerHasFormat(AcDbDwgFiler* filer, uint32_t version);
