// Basic database types: integer aliases, status codes, handles, object ids,
// open modes and the enumerations shared by database clients.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "ads/ads.h"
#include "geometry/adesk.h"


namespace Acad {
// Status of database, filer and geometry calls. Only eOk is success.
enum ErrorStatus {
    eOk = 0,
    eNotImplemented = 2,
    eNotApplicable = 3,
    eNotImplementedYet = 4,
    eInvalidInput = 5,
    eAmbiguousInput = 6,
    eAmbiguousOutput = 7,
    eOutOfMemory = 8,
    eBufferTooSmall = 9,
    eInvalidOpenState = 10,
    eEntityInInactiveLayout = 11,
    eHandleExists = 12,
    // A pointer id read from a filer that names no object (null or dangling
    // handle). Readers of optional references accept it.
    eNullHandle = 13,
    eBrokenHandle = 14,
    eUnknownHandle = 15,
    eNullEntityPointer = 16,
    eNullObjectPointer = 17,
    eNullObjectId = 18,
    eNullBlockName = 19,
    eOutOfRange = 20,
    eInvalidIndex = 21,
    eInvalidKey = 22,
    eDuplicateKey = 23,
    eKeyNotFound = 24,
    eDuplicateRecordName = 25,
    eInvalidSymbolTableName = 26,
    eIllegalReplacement = 27,
    eSelfReference = 28,
    eInvalidBlockName = 29,
    eAlreadyInDb = 30,
    eNotInDatabase = 31,
    eNoDatabase = 32,
    eWrongDatabase = 33,
    eInvalidLayer = 34,
    eDegenerateGeometry = 35,
    eNotThatKindOfClass = 36,
    eInvalidAdsName = 37,
    eNotInBlock = 38,
    eCannotBeErasedByCaller = 39,
    // Object data that cannot be read (unknown or impossible version).
    eDwgObjectImproperlyRead = 40,
    eFileNotFound = 41,
    eFileAccessErr = 42,
    eFileSharingViolation = 43,
    eBadDwgHeader = 44,
    eDwgNeedsRecovery = 45,
    eEndOfFile = 46,
    eEndOfObject = 47,
    eFilerError = 48,
    eNotOpenForRead = 49,
    eInvalidDxfCode = 50,
    eInvalidResBuf = 51,
    // DXF data is not in the expected order (for example a subclass marker
    // is missing).
    eBadDxfSequence = 52,
    eInvalidDxfFile = 53,
    eWasErased = 60,
    eWasOpenForWrite = 61,
    eWasOpenForRead = 62,
    eWasOpenForNotify = 63,
    eWasOpenForUndo = 64,
    eNotOpenForWrite = 65,
    eAtMaxReaders = 66,
    eWasNotErased = 67,
    eObjectToBeDeleted = 68,
    eNotNewlyCreated = 69,
    eNoClassId = 70,
    eInvalidExtents = 71,
    eNullExtents = 72,
    eXdataSizeExceeded = 73,
    eRegappIdNotFound = 74,
    eIsReading = 75,
    eIsWriting = 76,
    eLockViolation = 77,
    eInvalidContext = 78,
    eWrongObjectType = 79,
    // Keep the object as a proxy: its data is from a newer version than this
    // reader understands.
    eMakeMeProxy = 301,
};

// The status's name, e.g. "eKeyNotFound" (unknown values give "eUnknown").
const char* errorStatusText(ErrorStatus status);
} // namespace Acad

namespace AcDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };

enum FilerType {
    kFileFiler = 0,
    kCopyFiler = 1,
    kUndoFiler = 2,
    kBagFiler = 3,
    kIdXlateFiler = 4,
    kPageFiler = 5,
    kDeepCloneFiler = 6,
    kIdFiler = 7,
    kPurgeFiler = 8,
    kWblockCloneFiler = 9,
};

enum Planarity { kNonPlanar = 0, kPlanar = 1, kLinear = 2 };

enum Intersect { kOnBothOperands = 0, kExtendThis = 1, kExtendArg = 2, kExtendBoth = 3 };

enum OsnapMode {
    kOsModeEnd = 1,
    kOsModeMid = 2,
    kOsModeCen = 3,
    kOsModeNode = 4,
    kOsModeQuad = 5,
    kOsModeIns = 7,
    kOsModePerp = 8,
    kOsModeTan = 9,
    kOsModeNear = 10,
    kOsModeApint = 11,
    kOsModePar = 12,
    kOsModeStart = 13,
};

// Line weights in hundredths of a millimetre; negative values are symbolic.
enum LineWeight {
    kLnWt000 = 0, kLnWt005 = 5, kLnWt009 = 9, kLnWt013 = 13, kLnWt015 = 15, kLnWt018 = 18,
    kLnWt020 = 20, kLnWt025 = 25, kLnWt030 = 30, kLnWt035 = 35, kLnWt040 = 40, kLnWt050 = 50,
    kLnWt053 = 53, kLnWt060 = 60, kLnWt070 = 70, kLnWt080 = 80, kLnWt090 = 90, kLnWt100 = 100,
    kLnWt106 = 106, kLnWt120 = 120, kLnWt140 = 140, kLnWt158 = 158, kLnWt200 = 200, kLnWt211 = 211,
    kLnWtByLayer = -1, kLnWtByBlock = -2, kLnWtByLwDefault = -3,
};

enum Visibility { kVisible = 0, kInvisible = 1 };

// What an entity's proxy graphics are saved for.
enum SaveType { kR12Save = 0, kR13Save = 1 };

enum AcDbDwgVersion { kDHL_CURRENT = 0, kDHL_1015 = 1015, kDHL_1018 = 1018, kDHL_1021 = 1021, kDHL_1024 = 1024, kDHL_1027 = 1027 };
enum MaintenanceReleaseVersion { kMReleaseCurrent = 0 };

// Reference kinds carried by ids in filers.
enum ReferenceType { kSoftPointerRef = 0, kHardPointerRef = 1, kSoftOwnershipRef = 2, kHardOwnershipRef = 3 };
} // namespace AcDb

// A 64-bit object handle, unique and never reused within a database.
class AcDbHandle {
public:
    constexpr AcDbHandle() = default;
    constexpr AcDbHandle(uint64_t value) : mValue(value) {}
    // Parses a hexadecimal handle text; invalid text gives the null handle.
    explicit AcDbHandle(const char* hex);

    constexpr bool isNull() const { return mValue == 0; }
    constexpr void setNull() { mValue = 0; }
    constexpr uint64_t value() const { return mValue; }
    constexpr operator uint64_t() const { return mValue; }
    AcDbHandle& operator++() { ++mValue; return *this; }
    AcDbHandle operator++(int) { AcDbHandle old = *this; ++mValue; return old; }
    // Upper-case hexadecimal without leading zeros ("0" for null).
    std::string asString() const;
    // Writes the hexadecimal text into buffer (at least 17 chars).
    void getIntoAsciiBuffer(char* buffer, size_t size = 17) const;

    friend constexpr bool operator==(AcDbHandle a, AcDbHandle b) { return a.mValue == b.mValue; }
    friend constexpr auto operator<=>(AcDbHandle a, AcDbHandle b) { return a.mValue <=> b.mValue; }

private:
    uint64_t mValue = 0;
};

class AcDbObject;
class AcDbDatabase;
struct AcDbStub;

// Identifies one object of one database for the life of that database. An id
// is a pointer to a small stub the database keeps; copying it is cheap and
// it stays valid (but may report isErased) after the object is erased.
class AcDbObjectId {
public:
    constexpr AcDbObjectId() = default;
    explicit constexpr AcDbObjectId(AcDbStub* stub) : mStub(stub) {}
    static const AcDbObjectId kNull;

    bool isNull() const { return mStub == nullptr; }
    void setNull() { mStub = nullptr; }
    // Names an object that exists (possibly erased).
    bool isValid() const;
    bool isErased() const;
    // The object is still in memory and not erased.
    bool isResident() const;
    AcDbHandle handle() const;
    AcDbDatabase* database() const;
    // An integer that names this id within the process (used in ads_name).
    intptr_t asOldId() const { return reinterpret_cast<intptr_t>(mStub); }
    AcDbObjectId& setFromOldId(intptr_t oldId);
    AcDbStub* stub() const { return mStub; }

    friend bool operator==(AcDbObjectId a, AcDbObjectId b) { return a.mStub == b.mStub; }
    friend bool operator<(AcDbObjectId a, AcDbObjectId b) { return std::less<AcDbStub*>()(a.mStub, b.mStub); }
    friend bool operator>(AcDbObjectId a, AcDbObjectId b) { return b < a; }
    friend bool operator<=(AcDbObjectId a, AcDbObjectId b) { return !(b < a); }
    friend bool operator>=(AcDbObjectId a, AcDbObjectId b) { return !(a < b); }

private:
    AcDbStub* mStub = nullptr;
};

// Typed ids are plain ids; the names tell the reader what they point at.
using AcDbHardPointerId = AcDbObjectId;
using AcDbSoftPointerId = AcDbObjectId;
using AcDbHardOwnershipId = AcDbObjectId;
using AcDbSoftOwnershipId = AcDbObjectId;

template <>
struct std::hash<AcDbObjectId> {
    size_t operator()(AcDbObjectId id) const noexcept { return std::hash<AcDbStub*>()(id.stub()); }
};
template <>
struct std::hash<AcDbHandle> {
    size_t operator()(AcDbHandle h) const noexcept { return std::hash<uint64_t>()(h.value()); }
};

// Entity names of the AutoLISP interface and object ids convert both ways.
// acdbGetObjectId checks that the name is of a live database (eInvalidAdsName
// otherwise).
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name);
Acad::ErrorStatus acdbGetAdsName(ads_name& name, AcDbObjectId id);
