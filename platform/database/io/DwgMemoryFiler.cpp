// The in-memory binary filer: every value a fixed little-endian layout, so
// a drawing saved and read back gives the same bytes again.
#include "database/io/DwgMemoryFiler.h"

#include "geometry/AcGeLimits.h"
#include "geometry/AcGePoint2d.h"
#include "geometry/AcGePoint3d.h"
#include "geometry/AcGeScale3d.h"
#include "geometry/AcGeVector2d.h"
#include "geometry/AcGeVector3d.h"

AcDbDwgMemoryFiler::AcDbDwgMemoryFiler(AcDb::FilerType type, AcDbDatabase* db) : mType(type), mDb(db) {}

AcDbDwgMemoryFiler::AcDbDwgMemoryFiler(std::string_view bytes, AcDbHandleResolver resolver,
                                       AcDb::FilerType type, AcDbDatabase* db)
    : mIn(bytes), mResolver(std::move(resolver)), mType(type), mDb(db) {}

Acad::ErrorStatus AcDbDwgMemoryFiler::readFailed() {
    if (canRead()) mStatus = Acad::eEndOfFile;
    return mStatus;
}

#define ORV_READ_INT(NAME, TYPE, GET)                                \
    Acad::ErrorStatus AcDbDwgMemoryFiler::NAME(TYPE* value) {        \
        if (!canRead()) return mStatus;                              \
        auto v = mIn.GET();                                          \
        if (!mIn.ok()) return readFailed();                          \
        *value = static_cast<TYPE>(v);                               \
        return mStatus;                                              \
    }

ORV_READ_INT(readInt8, Adesk::Int8, u8)
ORV_READ_INT(readUInt8, Adesk::UInt8, u8)
ORV_READ_INT(readInt16, Adesk::Int16, u16)
ORV_READ_INT(readUInt16, Adesk::UInt16, u16)
ORV_READ_INT(readInt32, Adesk::Int32, u32)
ORV_READ_INT(readUInt32, Adesk::UInt32, u32)
ORV_READ_INT(readInt64, Adesk::Int64, u64)
#undef ORV_READ_INT

Acad::ErrorStatus AcDbDwgMemoryFiler::readBool(bool* value) {
    if (!canRead()) return mStatus;
    uint8_t v = mIn.u8();
    if (!mIn.ok()) return readFailed();
    if (v > 1) {  // anything else is not a value this filer wrote
        mStatus = Acad::eFilerError;
        return mStatus;
    }
    *value = v != 0;
    return mStatus;
}

bool AcDbDwgMemoryFiler::readDoubles(double* out, int n) {
    if (!canRead()) return false;
    double v[3];
    for (int i = 0; i < n; ++i) v[i] = mIn.f64();
    if (!mIn.ok()) {
        readFailed();
        return false;
    }
    for (int i = 0; i < n; ++i) {
        if (!acgeIsUsableNumber(v[i])) {  // NaN, infinite or absurdly large: never written by us
            mStatus = Acad::eInvalidInput;
            mBadNumber = true;
            return false;
        }
    }
    for (int i = 0; i < n; ++i) out[i] = v[i];
    return true;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readDouble(double* value) {
    readDoubles(value, 1);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readPoint2d(AcGePoint2d* value) {
    double v[2];
    if (readDoubles(v, 2)) value->set(v[0], v[1]);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readPoint3d(AcGePoint3d* value) {
    double v[3];
    if (readDoubles(v, 3)) value->set(v[0], v[1], v[2]);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readVector2d(AcGeVector2d* value) {
    double v[2];
    if (readDoubles(v, 2)) value->set(v[0], v[1]);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readVector3d(AcGeVector3d* value) {
    double v[3];
    if (readDoubles(v, 3)) *value = AcGeVector3d(v[0], v[1], v[2]);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readScale3d(AcGeScale3d* value) {
    double v[3];
    if (readDoubles(v, 3)) value->set(v[0], v[1], v[2]);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readString(std::string* value) {
    if (!canRead()) return mStatus;
    std::string s = mIn.str();
    if (!mIn.ok()) return readFailed();
    *value = std::move(s);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readBytes(void* buffer, size_t size) {
    if (!canRead()) return mStatus;
    if (!mIn.bytes(buffer, size)) return readFailed();
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readHandle(AcDbHandle* value) {
    if (!canRead()) return mStatus;
    uint64_t h = mIn.u64();
    if (!mIn.ok()) return readFailed();
    *value = AcDbHandle(h);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::readId(AcDbObjectId* value) {
    if (!canRead()) return mStatus;
    uint64_t h = mIn.u64();
    if (!mIn.ok()) return readFailed();
    // A null handle is a null id; a handle of no object is a null id that
    // the caller is told about (eNullHandle) and may accept.
    AcDbObjectId id = (h != 0 && mResolver) ? mResolver(AcDbHandle(h)) : AcDbObjectId();
    *value = id;
    if (h != 0 && id.isNull()) mStatus = Acad::eNullHandle;
    return mStatus;
}

#define ORV_WRITE(NAME, TYPE, PUT, CAST)           \
    Acad::ErrorStatus AcDbDwgMemoryFiler::NAME(TYPE value) { \
        mOut.PUT(static_cast<CAST>(value));        \
        return mStatus;                            \
    }

ORV_WRITE(writeInt8, Adesk::Int8, u8, uint8_t)
ORV_WRITE(writeUInt8, Adesk::UInt8, u8, uint8_t)
ORV_WRITE(writeInt16, Adesk::Int16, u16, uint16_t)
ORV_WRITE(writeUInt16, Adesk::UInt16, u16, uint16_t)
ORV_WRITE(writeInt32, Adesk::Int32, u32, uint32_t)
ORV_WRITE(writeUInt32, Adesk::UInt32, u32, uint32_t)
ORV_WRITE(writeInt64, Adesk::Int64, u64, uint64_t)
ORV_WRITE(writeBool, bool, u8, uint8_t)
ORV_WRITE(writeDouble, double, f64, double)
#undef ORV_WRITE

Acad::ErrorStatus AcDbDwgMemoryFiler::writePoint2d(const AcGePoint2d& v) {
    mOut.f64(v.x);
    mOut.f64(v.y);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::writePoint3d(const AcGePoint3d& v) {
    mOut.f64(v.x);
    mOut.f64(v.y);
    mOut.f64(v.z);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::writeVector2d(const AcGeVector2d& v) {
    mOut.f64(v.x);
    mOut.f64(v.y);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::writeVector3d(const AcGeVector3d& v) {
    mOut.f64(v.x);
    mOut.f64(v.y);
    mOut.f64(v.z);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::writeScale3d(const AcGeScale3d& v) {
    mOut.f64(v.sx);
    mOut.f64(v.sy);
    mOut.f64(v.sz);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::writeString(const std::string& value) {
    mOut.str(value);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::writeBytes(const void* buffer, size_t size) {
    mOut.bytes(buffer, size);
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::writeHandle(AcDbHandle value) {
    mOut.u64(value.value());
    return mStatus;
}

Acad::ErrorStatus AcDbDwgMemoryFiler::writeId(const AcDbObjectId& value) {
    mOut.u64(value.isNull() ? 0 : value.handle().value());
    return mStatus;
}

bool filerHasFormat(AcDbDwgFiler* filer, uint32_t version) {
    const auto* memory = dynamic_cast<const AcDbDwgMemoryFiler*>(filer);
    return !memory || memory->formatVersion() >= version;
}
