// Status names, handles, object ids and their conversion to entity names.
#include "database/dbid.h"

#include <cstdio>
#include <cstdlib>

#include "database/dbstub.h"

const AcDbObjectId AcDbObjectId::kNull;

namespace Acad {
const char* errorStatusText(ErrorStatus status) {
    switch (status) {
#define ORV_STATUS(name) \
    case name: return #name;
        ORV_STATUS(eOk) ORV_STATUS(eNotImplemented) ORV_STATUS(eNotApplicable)
        ORV_STATUS(eNotImplementedYet) ORV_STATUS(eInvalidInput) ORV_STATUS(eAmbiguousInput)
        ORV_STATUS(eAmbiguousOutput) ORV_STATUS(eOutOfMemory) ORV_STATUS(eBufferTooSmall)
        ORV_STATUS(eInvalidOpenState) ORV_STATUS(eEntityInInactiveLayout) ORV_STATUS(eHandleExists)
        ORV_STATUS(eNullHandle) ORV_STATUS(eBrokenHandle) ORV_STATUS(eUnknownHandle)
        ORV_STATUS(eNullEntityPointer) ORV_STATUS(eNullObjectPointer) ORV_STATUS(eNullObjectId)
        ORV_STATUS(eNullBlockName) ORV_STATUS(eOutOfRange) ORV_STATUS(eInvalidIndex)
        ORV_STATUS(eInvalidKey) ORV_STATUS(eDuplicateKey) ORV_STATUS(eKeyNotFound)
        ORV_STATUS(eDuplicateRecordName) ORV_STATUS(eInvalidSymbolTableName)
        ORV_STATUS(eIllegalReplacement) ORV_STATUS(eSelfReference) ORV_STATUS(eInvalidBlockName)
        ORV_STATUS(eAlreadyInDb) ORV_STATUS(eNotInDatabase) ORV_STATUS(eNoDatabase)
        ORV_STATUS(eWrongDatabase) ORV_STATUS(eInvalidLayer) ORV_STATUS(eDegenerateGeometry)
        ORV_STATUS(eNotThatKindOfClass) ORV_STATUS(eInvalidAdsName) ORV_STATUS(eNotInBlock)
        ORV_STATUS(eCannotBeErasedByCaller) ORV_STATUS(eDwgObjectImproperlyRead)
        ORV_STATUS(eFileNotFound) ORV_STATUS(eFileAccessErr) ORV_STATUS(eFileSharingViolation)
        ORV_STATUS(eBadDwgHeader) ORV_STATUS(eDwgNeedsRecovery) ORV_STATUS(eEndOfFile)
        ORV_STATUS(eEndOfObject) ORV_STATUS(eFilerError) ORV_STATUS(eNotOpenForRead)
        ORV_STATUS(eInvalidDxfCode) ORV_STATUS(eInvalidResBuf) ORV_STATUS(eBadDxfSequence)
        ORV_STATUS(eInvalidDxfFile) ORV_STATUS(eWasErased) ORV_STATUS(eWasOpenForWrite)
        ORV_STATUS(eWasOpenForRead) ORV_STATUS(eWasOpenForNotify) ORV_STATUS(eWasOpenForUndo)
        ORV_STATUS(eNotOpenForWrite) ORV_STATUS(eAtMaxReaders) ORV_STATUS(eWasNotErased)
        ORV_STATUS(eObjectToBeDeleted) ORV_STATUS(eNotNewlyCreated) ORV_STATUS(eNoClassId)
        ORV_STATUS(eInvalidExtents) ORV_STATUS(eNullExtents) ORV_STATUS(eXdataSizeExceeded)
        ORV_STATUS(eRegappIdNotFound) ORV_STATUS(eIsReading) ORV_STATUS(eIsWriting)
        ORV_STATUS(eLockViolation) ORV_STATUS(eInvalidContext) ORV_STATUS(eWrongObjectType) ORV_STATUS(eMakeMeProxy)
#undef ORV_STATUS
    }
    return "eUnknown";
}
} // namespace Acad

AcDbHandle::AcDbHandle(const char* hex) {
    if (!hex || !*hex) return;
    char* end = nullptr;
    unsigned long long value = std::strtoull(hex, &end, 16);
    if (end && *end == '\0') mValue = value;
}

std::string AcDbHandle::asString() const {
    char buffer[17];
    getIntoAsciiBuffer(buffer, sizeof buffer);
    return buffer;
}

void AcDbHandle::getIntoAsciiBuffer(char* buffer, size_t size) const {
    if (!buffer || size == 0) return;
    std::snprintf(buffer, size, "%llX", static_cast<unsigned long long>(mValue));
}

bool AcDbObjectId::isValid() const { return mStub && mStub->object; }
bool AcDbObjectId::isErased() const { return mStub && mStub->erased(); }
bool AcDbObjectId::isResident() const { return isValid() && !mStub->erased(); }
AcDbHandle AcDbObjectId::handle() const { return mStub ? AcDbHandle(mStub->handle) : AcDbHandle(); }
AcDbDatabase* AcDbObjectId::database() const { return mStub ? mStub->database : nullptr; }

AcDbObjectId& AcDbObjectId::setFromOldId(intptr_t oldId) {
    auto* stub = reinterpret_cast<AcDbStub*>(oldId);
    mStub = AcDbStubStore::isLive(stub) ? stub : nullptr;
    return *this;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name) {
    id.setNull();
    if (!name) return Acad::eInvalidAdsName;
    auto* stub = reinterpret_cast<AcDbStub*>(static_cast<intptr_t>(name[0]));
    if (!AcDbStubStore::isLive(stub) || !stub->object) return Acad::eInvalidAdsName;
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& name, AcDbObjectId id) {
    name[0] = static_cast<int64_t>(id.asOldId());
    name[1] = 0;
    return id.isNull() ? Acad::eNullObjectId : Acad::eOk;
}
