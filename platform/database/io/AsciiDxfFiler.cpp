// ASCII DXF filer: one tag per value, points as code, code+10, code+20.
#include "database/io/AsciiDxfFiler.h"

#include <cmath>
#include <cstring>

#include "database/dbsymtab.h"
#include "database/dxfcode.h"
#include "database/io/DrawingObjects.h"
#include "geometry/AcGePoint2d.h"
#include "geometry/AcGePoint3d.h"
#include "geometry/AcGeVector3d.h"

using orv::io::DxfTag;

AcDbAsciiDxfFiler::AcDbAsciiDxfFiler(orv::io::DxfTagWriter& writer, AcDbDatabase* db)
    : mWriter(&writer), mDb(db) {}

AcDbAsciiDxfFiler::AcDbAsciiDxfFiler(std::span<const DxfTag> tags, AcDbHandleResolver resolver,
                                     AcDbDatabase* db)
    : mTags(tags), mResolver(std::move(resolver)), mDb(db) {}

Acad::ErrorStatus AcDbAsciiDxfFiler::dwgVersion(AcDb::AcDbDwgVersion& version,
                                                AcDb::MaintenanceReleaseVersion& maintenance) const {
    version = AcDb::kDHL_1015;
    maintenance = AcDb::kMReleaseCurrent;
    return Acad::eOk;
}

uint32_t AcDbAsciiDxfFiler::currentLine() const {
    if (mTags.empty()) return 0;
    return mTags[mPos < mTags.size() ? mPos : mTags.size() - 1].line;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::badValue(const DxfTag& tag) {
    mMessage = "invalid value '" + std::string(tag.value.substr(0, 40)) + "' for group code " +
               std::to_string(tag.code) + " at line " + std::to_string(tag.line);
    AcDb::DxfValueType kind = AcDb::dxfValueType(tag.code);
    if (kind == AcDb::kDxfPoint || kind == AcDb::kDxfReal)
        mMessage += " (a number is needed, finite and within ±1e100)";
    mStatus = Acad::eInvalidDxfFile;
    return mStatus;
}

// Angles (groups 50 to 58) are degrees in the file and radians everywhere
// inside the host, as AutoLISP sees them.
static bool isAngleCode(int code) { return code >= 50 && code <= 58; }

static double degreesOf(double radians) {
    const double degrees = radians * (180.0 / M_PI);
    // Undo the rounding of the conversion, so 45 degrees read come back as 45.
    const double rounded = std::round(degrees * 1e9) / 1e9;
    return std::fabs(rounded - degrees) < 1e-10 ? rounded : degrees;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::readItem(resbuf* item) {
    if (mStatus != Acad::eOk && mStatus != Acad::eNullHandle) return mStatus;
    if (mPos >= mTags.size() || (!mInXData && mTags[mPos].code == 1001)) {
        mStatus = Acad::eEndOfObject;
        return mStatus;
    }
    mLastItem = mPos;
    mHaveLast = true;
    const DxfTag& tag = mTags[mPos++];
    item->restype = static_cast<short>(tag.code);
    item->rbnext = nullptr;
    std::memset(&item->resval, 0, sizeof item->resval);
    int64_t i = 0;
    switch (AcDb::dxfValueType(tag.code)) {
    case AcDb::kDxfPoint: {
        double* p = item->resval.rpoint;
        if (!orv::io::parseDxfDouble(tag.value, p[0])) return badValue(tag);
        for (int k = 1; k <= 2; ++k) {
            if (mPos < mTags.size() && mTags[mPos].code == tag.code + 10 * k) {
                if (!orv::io::parseDxfDouble(mTags[mPos].value, p[k])) return badValue(mTags[mPos]);
                ++mPos;
            }
        }
        return mStatus;
    }
    case AcDb::kDxfReal:
        if (!orv::io::parseDxfDouble(tag.value, item->resval.rreal)) return badValue(tag);
        if (isAngleCode(tag.code)) item->resval.rreal *= M_PI / 180.0;
        return mStatus;
    case AcDb::kDxfInt16:
    case AcDb::kDxfBool:
        if (!orv::io::parseDxfInt(tag.value, i) || i < -32768 || i > 65535) return badValue(tag);
        item->resval.rint = static_cast<short>(i);
        return mStatus;
    case AcDb::kDxfInt32:
        if (!orv::io::parseDxfInt(tag.value, i) || i < INT32_MIN || i > UINT32_MAX) return badValue(tag);
        item->resval.rlong = static_cast<int32_t>(i);
        return mStatus;
    case AcDb::kDxfInt64:
        if (!orv::io::parseDxfInt(tag.value, i)) return badValue(tag);
        item->resval.rlname[0] = i;
        return mStatus;
    case AcDb::kDxfObjectId: {
        // Anything that is not a handle (some writers leave it empty) is none.
        uint64_t h = 0;
        if (!orv::io::parseDxfHandle(tag.value, h)) h = 0;
        AcDbObjectId id = (h != 0 && mResolver) ? mResolver(AcDbHandle(h)) : AcDbObjectId();
        if (!id.isNull()) acdbGetAdsName(item->resval.rlname, id);
        return mStatus;
    }
    case AcDb::kDxfString:
    case AcDb::kDxfHandle:
    case AcDb::kDxfBinary:
    case AcDb::kDxfUnknown:
        mValue.assign(tag.value);
        item->resval.rstring = mValue.data();
        return mStatus;
    }
    return mStatus;
}

std::span<const DxfTag> AcDbAsciiDxfFiler::commonEntityTags() const {
    size_t begin = 0;
    while (begin < mTags.size() && !(mTags[begin].code == 100 && mTags[begin].value == "AcDbEntity")) ++begin;
    if (begin == mTags.size()) return {};
    size_t end = ++begin;
    while (end < mTags.size() && mTags[end].code != 100 && mTags[end].code != 1001) ++end;
    return mTags.subspan(begin, end - begin);
}

Acad::ErrorStatus AcDbAsciiDxfFiler::pushBackItem() {
    if (!mHaveLast) return Acad::eInvalidContext;
    mPos = mLastItem;
    mHaveLast = false;
    return Acad::eOk;
}

bool AcDbAsciiDxfFiler::atExtendedData() {
    if (mPos < mTags.size() && mTags[mPos].code == 1001) mInXData = true;
    return mInXData && mPos < mTags.size();
}

bool AcDbAsciiDxfFiler::atSubclassData(const char* className) {
    if (mPos < mTags.size() && mTags[mPos].code == 100 && mTags[mPos].value == className) {
        ++mPos;
        mHaveLast = false;
        return true;
    }
    return false;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeInt16(int code, Adesk::Int16 value) {
    mWriter->integer(code, value);
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeInt32(int code, Adesk::Int32 value) {
    mWriter->integer(code, value);
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeInt64(int code, Adesk::Int64 value) {
    mWriter->integer(code, value);
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeDouble(int code, double value, int) {
    mWriter->real(code, isAngleCode(code) ? degreesOf(value) : value);
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writePoint2d(int code, const AcGePoint2d& value, int) {
    mWriter->point2d(code, value.x, value.y);
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writePoint3d(int code, const AcGePoint3d& value, int) {
    mWriter->point(code, value.x, value.y, value.z);
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeVector3d(int code, const AcGeVector3d& value, int) {
    mWriter->point(code, value.x, value.y, value.z);
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeString(int code, const std::string& value) {
    mWriter->string(code, value);
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeBool(int code, bool value) {
    mWriter->integer(code, value ? 1 : 0);
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeObjectId(int code, const AcDbObjectId& value) {
    if (AcDb::dxfValueType(code) == AcDb::kDxfString) {
        // Text groups refer to table records by name (6 linetype, 7 style).
        std::string name;
        if (!value.isNull()) {
            orv::io::ReadAccess access(value);
            if (auto* record = AcDbSymbolTableRecord::cast(access.object())) name = record->getName();
        }
        if (name.empty() && code == 6) name = "Continuous";
        mWriter->string(code, name);
        return mStatus;
    }
    mWriter->handle(code, value.isNull() ? 0 : value.handle().value());
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeHandle(int code, AcDbHandle value) {
    mWriter->handle(code, value.value());
    return mStatus;
}

Acad::ErrorStatus AcDbAsciiDxfFiler::writeBytes(int code, const void* buffer, size_t size) {
    // Binary chunks are hexadecimal, at most 127 bytes a line.
    static const char kHex[] = "0123456789ABCDEF";
    const auto* p = static_cast<const unsigned char*>(buffer);
    do {
        size_t n = size < 127 ? size : 127;
        std::string hex;
        hex.reserve(n * 2);
        for (size_t k = 0; k < n; ++k) {
            hex.push_back(kHex[p[k] >> 4]);
            hex.push_back(kHex[p[k] & 15]);
        }
        mWriter->string(code, hex);
        p += n;
        size -= n;
    } while (size > 0);
    return mStatus;
}

bool AcDbAsciiDxfFiler::readRawTag(int& code, std::string& value) {
    if (mPos >= mTags.size()) return false;
    code = mTags[mPos].code;
    value.assign(mTags[mPos].value);
    ++mPos;
    mHaveLast = false;
    return true;
}
