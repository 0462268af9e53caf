// Result-buffer filer: one result buffer per item, points as one item.
#include "database/io/ResbufDxfFiler.h"

#include <cstdlib>
#include <cstring>

#include "database/dbads.h"
#include "database/dxfcode.h"
#include "geometry/AcGePoint2d.h"
#include "geometry/AcGePoint3d.h"
#include "geometry/AcGeVector3d.h"

// The interpreter's release when it is loaded; otherwise the same rules
// here (the strings of text groups are malloc'ed).
extern int acutRelRb(resbuf* rb) __attribute__((weak));

void orvReleaseResbufs(resbuf* rb) {
    if (acutRelRb) {
        acutRelRb(rb);
        return;
    }
    while (rb) {
        resbuf* next = rb->rbnext;
        const auto type = AcDb::dxfValueType(rb->restype);
        if (rb->restype == 0 || (rb->restype > 0 && (type == AcDb::kDxfString || type == AcDb::kDxfHandle ||
                                                      type == AcDb::kDxfBinary)))
            std::free(rb->resval.rstring);
        std::free(rb);
        rb = next;
    }
}

char* orvDupResbufString(const std::string& text) {
    char* s = static_cast<char*>(std::malloc(text.size() + 1));
    if (s) std::memcpy(s, text.c_str(), text.size() + 1);
    return s;
}

AcDbResbufDxfFiler::AcDbResbufDxfFiler(AcDbDatabase* db) : mDb(db) {}

AcDbResbufDxfFiler::AcDbResbufDxfFiler(const resbuf* list, AcDbDatabase* db, bool lenientMarkers)
    : mNext(list), mLenient(lenientMarkers), mDb(db) {}

AcDbResbufDxfFiler::~AcDbResbufDxfFiler() {
    if (mHead) orvReleaseResbufs(mHead);
}

resbuf* AcDbResbufDxfFiler::takeList() {
    resbuf* list = mHead;
    mHead = mTail = nullptr;
    return list;
}

resbuf* AcDbResbufDxfFiler::add(int code) {
    resbuf* rb = acdbNewRb(code);
    if (!rb) {
        mStatus = Acad::eOutOfMemory;
        return nullptr;
    }
    rb->restype = static_cast<short>(code);
    (mTail ? mTail->rbnext : mHead) = rb;
    mTail = rb;
    return rb;
}

void AcDbResbufDxfFiler::append(const resbuf& item) {
    resbuf* rb = add(item.restype);
    if (!rb) return;
    rb->resval = item.resval;
    const auto type = AcDb::dxfValueType(item.restype);
    bool isText = item.restype == 0 || type == AcDb::kDxfString || type == AcDb::kDxfHandle ||
                  type == AcDb::kDxfBinary;
    if (item.restype == -1) isText = false;
    if (isText) rb->resval.rstring = orvDupResbufString(item.resval.rstring ? item.resval.rstring : "");
}

Acad::ErrorStatus AcDbResbufDxfFiler::readItem(resbuf* item) {
    if (mStatus != Acad::eOk) return mStatus;
    if (!mNext || (!mInXData && mNext->restype == 1001)) {
        mStatus = Acad::eEndOfObject;
        return mStatus;
    }
    mLast = mNext;
    item->restype = mNext->restype;
    item->resval = mNext->resval;
    item->rbnext = nullptr;
    mNext = mNext->rbnext;
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::pushBackItem() {
    if (!mLast) return Acad::eInvalidContext;
    mNext = mLast;
    mLast = nullptr;
    return Acad::eOk;
}

bool AcDbResbufDxfFiler::atExtendedData() {
    if (mNext && mNext->restype == 1001) mInXData = true;
    return mInXData && mNext;
}

bool AcDbResbufDxfFiler::atSubclassData(const char* className) {
    if (mNext && mNext->restype == 100) {
        if (mNext->resval.rstring && std::strcmp(mNext->resval.rstring, className) == 0) {
            mNext = mNext->rbnext;
            mLast = nullptr;
            return true;
        }
        return false;
    }
    return mLenient;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeInt16(int code, Adesk::Int16 value) {
    if (resbuf* rb = add(code)) rb->resval.rint = value;
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeInt32(int code, Adesk::Int32 value) {
    if (resbuf* rb = add(code)) rb->resval.rlong = value;
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeInt64(int code, Adesk::Int64 value) {
    if (resbuf* rb = add(code)) rb->resval.rlname[0] = value;
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeDouble(int code, double value, int) {
    if (resbuf* rb = add(code)) rb->resval.rreal = value;
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writePoint2d(int code, const AcGePoint2d& value, int) {
    if (resbuf* rb = add(code)) {
        rb->resval.rpoint[0] = value.x;
        rb->resval.rpoint[1] = value.y;
        rb->resval.rpoint[2] = 0.0;
    }
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writePoint3d(int code, const AcGePoint3d& value, int) {
    if (resbuf* rb = add(code)) {
        rb->resval.rpoint[0] = value.x;
        rb->resval.rpoint[1] = value.y;
        rb->resval.rpoint[2] = value.z;
    }
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeVector3d(int code, const AcGeVector3d& value, int) {
    if (resbuf* rb = add(code)) {
        rb->resval.rpoint[0] = value.x;
        rb->resval.rpoint[1] = value.y;
        rb->resval.rpoint[2] = value.z;
    }
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeString(int code, const std::string& value) {
    if (resbuf* rb = add(code)) rb->resval.rstring = orvDupResbufString(value);
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeBool(int code, bool value) {
    if (resbuf* rb = add(code)) rb->resval.rint = value ? 1 : 0;
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeObjectId(int code, const AcDbObjectId& value) {
    // AutoLISP lists carry 390..399 as handle text, not as entity names.
    if (code >= 390 && code <= 399) return writeHandle(code, value.isNull() ? AcDbHandle() : value.handle());
    if (resbuf* rb = add(code)) {
        if (!value.isNull()) acdbGetAdsName(rb->resval.rlname, value);
    }
    return mStatus;
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeHandle(int code, AcDbHandle value) {
    return writeString(code, value.asString());
}

Acad::ErrorStatus AcDbResbufDxfFiler::writeBytes(int code, const void* buffer, size_t size) {
    static const char kHex[] = "0123456789ABCDEF";
    const auto* p = static_cast<const unsigned char*>(buffer);
    std::string hex;
    for (size_t k = 0; k < size; ++k) {
        hex.push_back(kHex[p[k] >> 4]);
        hex.push_back(kHex[p[k] & 15]);
    }
    return writeString(code, hex);
}
