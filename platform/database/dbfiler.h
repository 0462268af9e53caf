// Filer interfaces through which objects write and read their fields: the
// binary (DWG) filer and the tagged (DXF) filer. Concrete filers live in io/.
#pragma once

#include <string>

#include "ads/ads.h"
#include "database/dbid.h"
#include "runtime/rxobject.h"

class AcGePoint2d;
class AcGePoint3d;
class AcGeVector2d;
class AcGeVector3d;
class AcGeScale3d;

// Binary filer. Reads return the filer's status after the read (a failed read
// leaves the status set and the value untouched); writes likewise.
class AcDbDwgFiler : public AcRxObject {
public:
    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;
    // The database being read or written (may be null for free filers).
    virtual AcDbDatabase* database() const { return nullptr; }

    virtual Acad::ErrorStatus readInt8(Adesk::Int8* value) = 0;
    virtual Acad::ErrorStatus readUInt8(Adesk::UInt8* value) = 0;
    virtual Acad::ErrorStatus readInt16(Adesk::Int16* value) = 0;
    virtual Acad::ErrorStatus readUInt16(Adesk::UInt16* value) = 0;
    virtual Acad::ErrorStatus readInt32(Adesk::Int32* value) = 0;
    virtual Acad::ErrorStatus readUInt32(Adesk::UInt32* value) = 0;
    virtual Acad::ErrorStatus readInt64(Adesk::Int64* value) = 0;
    virtual Acad::ErrorStatus readBool(bool* value) = 0;
    virtual Acad::ErrorStatus readBoolean(Adesk::Boolean* value) { return readBool(value); }
    virtual Acad::ErrorStatus readDouble(double* value) = 0;
    virtual Acad::ErrorStatus readPoint2d(AcGePoint2d* value) = 0;
    virtual Acad::ErrorStatus readPoint3d(AcGePoint3d* value) = 0;
    virtual Acad::ErrorStatus readVector2d(AcGeVector2d* value) = 0;
    virtual Acad::ErrorStatus readVector3d(AcGeVector3d* value) = 0;
    virtual Acad::ErrorStatus readScale3d(AcGeScale3d* value) = 0;
    virtual Acad::ErrorStatus readString(std::string* value) = 0;
    virtual Acad::ErrorStatus readBytes(void* buffer, size_t size) = 0;
    virtual Acad::ErrorStatus readHandle(AcDbHandle* value) = 0;
    // Pointer reads resolve the stored handle in the filer's database: a null
    // handle gives the null id; a handle that names no object gives the null
    // id and sets eNullHandle.
    virtual Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* value) = 0;
    virtual Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* value) = 0;
    virtual Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* value) = 0;
    virtual Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* value) = 0;

    virtual Acad::ErrorStatus writeInt8(Adesk::Int8 value) = 0;
    virtual Acad::ErrorStatus writeUInt8(Adesk::UInt8 value) = 0;
    virtual Acad::ErrorStatus writeInt16(Adesk::Int16 value) = 0;
    virtual Acad::ErrorStatus writeUInt16(Adesk::UInt16 value) = 0;
    virtual Acad::ErrorStatus writeInt32(Adesk::Int32 value) = 0;
    virtual Acad::ErrorStatus writeUInt32(Adesk::UInt32 value) = 0;
    virtual Acad::ErrorStatus writeInt64(Adesk::Int64 value) = 0;
    virtual Acad::ErrorStatus writeBool(bool value) = 0;
    virtual Acad::ErrorStatus writeBoolean(Adesk::Boolean value) { return writeBool(value); }
    virtual Acad::ErrorStatus writeDouble(double value) = 0;
    virtual Acad::ErrorStatus writePoint2d(const AcGePoint2d& value) = 0;
    virtual Acad::ErrorStatus writePoint3d(const AcGePoint3d& value) = 0;
    virtual Acad::ErrorStatus writeVector2d(const AcGeVector2d& value) = 0;
    virtual Acad::ErrorStatus writeVector3d(const AcGeVector3d& value) = 0;
    virtual Acad::ErrorStatus writeScale3d(const AcGeScale3d& value) = 0;
    virtual Acad::ErrorStatus writeString(const std::string& value) = 0;
    virtual Acad::ErrorStatus writeBytes(const void* buffer, size_t size) = 0;
    virtual Acad::ErrorStatus writeHandle(AcDbHandle value) = 0;
    virtual Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& value) = 0;
    virtual Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& value) = 0;
    virtual Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& value) = 0;
    virtual Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& value) = 0;
};

// Tagged filer: a stream of (group code, value) items.
class AcDbDxfFiler : public AcRxObject {
public:
    enum { kDfltPrec = -1, kMaxPrec = 16 };

    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;
    virtual AcDbDatabase* database() const { return nullptr; }
    virtual Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& version,
                                         AcDb::MaintenanceReleaseVersion& maintenance) const {
        version = AcDb::kDHL_CURRENT;
        maintenance = AcDb::kMReleaseCurrent;
        return Acad::eOk;
    }

    // Reads the next item into item (restype = group code). A string value
    // points into storage owned by the filer, valid until the next read; the
    // caller must not free it. Object ids come back as RTENAME-style names in
    // rlname (use acdbGetObjectId). Returns eEndOfObject at the object's end.
    virtual Acad::ErrorStatus readItem(resbuf* item) = 0;
    // Makes the item just read the next one to be read again.
    virtual Acad::ErrorStatus pushBackItem() = 0;
    // True, consuming the marker, when the next item is "100 <name>".
    virtual bool atSubclassData(const char* className) = 0;
    virtual bool atEOF() = 0;
    virtual bool atEndOfObject() = 0;
    // True when the next item starts extended data (group 1001). Object data
    // readers see eEndOfObject at the start of extended data; once this has
    // answered true, readItem delivers the extended data items.
    virtual bool atExtendedData() = 0;
    virtual bool atEmbeddedObjectStart() { return false; }

    virtual Acad::ErrorStatus writeInt8(int code, Adesk::Int8 value) { return writeInt16(code, value); }
    virtual Acad::ErrorStatus writeInt16(int code, Adesk::Int16 value) = 0;
    virtual Acad::ErrorStatus writeUInt16(int code, Adesk::UInt16 value) { return writeInt32(code, value); }
    virtual Acad::ErrorStatus writeInt32(int code, Adesk::Int32 value) = 0;
    virtual Acad::ErrorStatus writeUInt32(int code, Adesk::UInt32 value) { return writeInt64(code, value); }
    virtual Acad::ErrorStatus writeInt64(int code, Adesk::Int64 value) = 0;
    virtual Acad::ErrorStatus writeDouble(int code, double value, int precision = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writePoint2d(int code, const AcGePoint2d& value, int precision = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writePoint3d(int code, const AcGePoint3d& value, int precision = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeVector3d(int code, const AcGeVector3d& value, int precision = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeString(int code, const std::string& value) = 0;
    virtual Acad::ErrorStatus writeBool(int code, bool value) = 0;
    virtual Acad::ErrorStatus writeObjectId(int code, const AcDbObjectId& value) = 0;
    virtual Acad::ErrorStatus writeHandle(int code, AcDbHandle value) = 0;
    virtual Acad::ErrorStatus writeBytes(int code, const void* buffer, size_t size) = 0;
    // Starts an object embedded in the current one (its groups follow).
    virtual Acad::ErrorStatus writeEmbeddedObjectStart() { return Acad::eOk; }
    // Writes one item as its group code's value type (see dxfcode.h).
    Acad::ErrorStatus writeResBuf(const resbuf& item);
};
