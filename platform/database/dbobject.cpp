// Database object base: open state, erase, extended data and base filing.
#include "database/dbobject.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "database/dbads.h"
#include "database/dbdatabase.h"
#include "database/dbstub.h"
#include "database/dbsymtab.h"
#include "database/dxfcode.h"
#include "geometry/AcGe.h"

ACRX_HOST_CLASS_MEMBERS(AcDbObject, AcRxObject, nullptr, "")

namespace {
int gViolations = 0;
AcDbAssertHandler gAssertHandler = nullptr;

// Extended-data group codes are filed by their value type.
AcDb::DxfValueType xdataType(short code) { return AcDb::dxfValueType(code); }
} // namespace

int acdbAssertViolationCount() { return gViolations; }
void acdbResetAssertViolations() { gViolations = 0; }
void acdbSetAssertHandler(AcDbAssertHandler handler) { gAssertHandler = handler; }
void acdbReportAssertViolation(const char* message) {
    ++gViolations;
    if (gAssertHandler) gAssertHandler(message);
    else std::fprintf(stderr, "database: %s\n", message);
}

AcDbObject::AcDbObject() = default;
AcDbObject::~AcDbObject() = default;

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(mStub); }
AcDbHandle AcDbObject::objectHandle() const { return mStub ? AcDbHandle(mStub->handle) : AcDbHandle(); }
AcDbDatabase* AcDbObject::database() const { return mStub ? mStub->database : nullptr; }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId owner) {
    mOwnerId = owner;
    return Acad::eOk;
}

bool AcDbObject::isReadEnabled() const { return !mStub || mOpenMode != kClosed; }
bool AcDbObject::isWriteEnabled() const { return !mStub || mOpenMode == kOpenWrite; }

AcDb::OpenMode AcDbObject::openMode() const {
    if (mOpenMode == kOpenWrite || !mStub) return AcDb::kForWrite;
    return mOpenMode == kOpenNotify ? AcDb::kForNotify : AcDb::kForRead;
}

void AcDbObject::assertReadEnabled() const {
    if (!isReadEnabled()) {
        char message[160];
        std::snprintf(message, sizeof message, "%s %s read while not open", isA()->name().c_str(),
                      objectHandle().asString().c_str());
        acdbReportAssertViolation(message);
    }
}

void AcDbObject::assertWriteEnabled(bool, bool recordModified) {
    if (!isWriteEnabled()) {
        char message[160];
        std::snprintf(message, sizeof message, "%s %s changed while not open for write",
                      isA()->name().c_str(), objectHandle().asString().c_str());
        acdbReportAssertViolation(message);
    }
    if (recordModified) mFlags |= kModified;
}

void AcDbObject::assertNotifyEnabled() const {
    if (mStub && mOpenMode == kClosed) acdbReportAssertViolation("notification to a closed object");
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
    if (!mStub) return Acad::eOk;
    if (mOpenMode == kOpenWrite) return Acad::eWasOpenForWrite;
    if (mOpenMode == kClosed) return Acad::eNotOpenForRead;
    if (mReadCount > 1) return Acad::eWasOpenForRead;
    mOpenMode = kOpenWrite;
    mReadCount = 0;
    if (mStub->database) mStub->database->noteOpenedForWrite(mStub);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
    if (!mStub) return Acad::eOk;
    if (mOpenMode != kOpenWrite) return Acad::eNotOpenForWrite;
    mOpenMode = kOpenRead;
    mReadCount = 1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::close() {
    if (!mStub) return Acad::eOk; // objects outside a database have no open state
    if (mOpenMode == kClosed) {
        acdbReportAssertViolation("close of an object that is not open");
        return Acad::eNotOpenForRead;
    }
    Acad::ErrorStatus es = subClose();
    if (mOpenMode != kOpenWrite && mReadCount > 1) {
        --mReadCount;
        return es;
    }
    mOpenMode = kClosed;
    mReadCount = 0;
    return es;
}

Acad::ErrorStatus AcDbObject::subClose() { return Acad::eOk; }

bool AcDbObject::isErased() const { return (mFlags & kErased) != 0; }

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
    if (mStub && mOpenMode != kOpenWrite) {
        acdbReportAssertViolation("erase of an object not open for write");
        return Acad::eNotOpenForWrite;
    }
    if (erasing == isErased()) return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    Acad::ErrorStatus es = subErase(erasing);
    if (es != Acad::eOk) return es;
    mFlags = erasing ? (mFlags | kErased) : (mFlags & ~kErased);
    mFlags |= kModified;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::subErase(bool) { return Acad::eOk; }

void AcDbObject::recordGraphicsModified(bool setModified) {
    if (setModified) mFlags |= kModifiedGraphics;
    else mFlags &= ~kModifiedGraphics;
}

AcDbObjectExtras& AcDbObject::editExtras() {
    if (!mExtras) mExtras = std::make_unique<AcDbObjectExtras>();
    return *mExtras;
}

void AcDbObject::trimExtras() {
    if (mExtras && mExtras->isDefault()) mExtras.reset();
}

// ---- extended data ----

void AcDbObject::setXDataItems(std::vector<AcDbXDataItem> items) {
    if (items.empty() && !mExtras) return;
    editExtras().xdata = std::move(items);
    trimExtras();
}

bool AcDbObject::hasXData(const char* regappName) const {
    const std::vector<AcDbXDataItem>* items = xDataItems();
    if (!items || !regappName) return false;
    for (const AcDbXDataItem& item : *items)
        if (item.code == 1001 && strcasecmp(item.text.c_str(), regappName) == 0) return true;
    return false;
}

resbuf* AcDbObject::xData(const char* regappName) const {
    assertReadEnabled();
    const std::vector<AcDbXDataItem>* items = xDataItems();
    if (!items) return nullptr;
    resbuf* head = nullptr;
    resbuf** tail = &head;
    bool taking = false;
    for (const AcDbXDataItem& item : *items) {
        if (item.code == 1001) taking = !regappName || strcasecmp(item.text.c_str(), regappName) == 0;
        if (!taking) continue;
        resbuf* rb = acdbNewRb(item.code);
        if (!rb) break;
        switch (xdataType(item.code)) {
        case AcDb::kDxfString:
        case AcDb::kDxfHandle:
        case AcDb::kDxfBinary: rb->resval.rstring = strdup(item.text.c_str()); break;
        case AcDb::kDxfPoint: std::memcpy(rb->resval.rpoint, item.values, sizeof item.values); break;
        case AcDb::kDxfReal: rb->resval.rreal = item.values[0]; break;
        case AcDb::kDxfInt32: rb->resval.rlong = static_cast<int32_t>(item.integer); break;
        default: rb->resval.rint = static_cast<short>(item.integer); break;
        }
        *tail = rb;
        tail = &rb->rbnext;
    }
    return head;
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
    assertWriteEnabled();
    // Split the new data by application, checking every item first.
    std::vector<std::vector<AcDbXDataItem>> groups;
    for (const resbuf* rb = xdata; rb; rb = rb->rbnext) {
        AcDbXDataItem item;
        item.code = rb->restype;
        if (item.code < 1000 || item.code > 1071) return Acad::eInvalidResBuf;
        if (item.code == 1001) {
            if (!rb->resval.rstring || !*rb->resval.rstring) return Acad::eInvalidResBuf;
            groups.emplace_back();
        } else if (groups.empty()) {
            return Acad::eInvalidResBuf; // items before the first application name
        }
        switch (xdataType(item.code)) {
        case AcDb::kDxfString:
        case AcDb::kDxfHandle:
        case AcDb::kDxfBinary: item.text = rb->resval.rstring ? rb->resval.rstring : ""; break;
        case AcDb::kDxfPoint: std::memcpy(item.values, rb->resval.rpoint, sizeof item.values); break;
        case AcDb::kDxfReal: item.values[0] = rb->resval.rreal; break;
        case AcDb::kDxfInt32: item.integer = rb->resval.rlong; break;
        case AcDb::kDxfInt16: item.integer = rb->resval.rint; break;
        default: return Acad::eInvalidResBuf;
        }
        groups.back().push_back(std::move(item));
    }
    std::vector<AcDbXDataItem> all;
    if (mExtras) all = std::move(mExtras->xdata);
    for (auto& group : groups) {
        const std::string& app = group.front().text;
        if (AcDbDatabase* db = database()) db->registerApp(app.c_str());
        // Drop this application's old items.
        std::vector<AcDbXDataItem> kept;
        bool dropping = false;
        for (AcDbXDataItem& item : all) {
            if (item.code == 1001) dropping = strcasecmp(item.text.c_str(), app.c_str()) == 0;
            if (!dropping) kept.push_back(std::move(item));
        }
        all = std::move(kept);
        if (group.size() > 1)
            for (AcDbXDataItem& item : group) all.push_back(std::move(item));
    }
    setXDataItems(std::move(all));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::dwgOutXData(AcDbDwgFiler* filer) const {
    const std::vector<AcDbXDataItem>* items = xDataItems();
    const Adesk::Int32 count = items ? static_cast<Adesk::Int32>(items->size()) : 0;
    if (filer->writeInt32(count) != Acad::eOk) return filer->filerStatus();
    for (Adesk::Int32 i = 0; i < count; ++i) {
        const AcDbXDataItem& item = (*items)[i];
        filer->writeInt16(item.code);
        switch (xdataType(item.code)) {
        case AcDb::kDxfPoint: filer->writePoint3d(AcGePoint3d(item.values[0], item.values[1], item.values[2])); break;
        case AcDb::kDxfReal: filer->writeDouble(item.values[0]); break;
        case AcDb::kDxfInt32: filer->writeInt32(static_cast<Adesk::Int32>(item.integer)); break;
        case AcDb::kDxfInt16: filer->writeInt16(static_cast<Adesk::Int16>(item.integer)); break;
        default: filer->writeString(item.text); break;
        }
        if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dwgInXData(AcDbDwgFiler* filer) {
    Adesk::Int32 count = 0;
    if (filer->readInt32(&count) != Acad::eOk) return filer->filerStatus();
    if (count < 0) return Acad::eDwgObjectImproperlyRead;
    setXDataItems({});
    if (count == 0) return Acad::eOk;
    std::vector<AcDbXDataItem> items;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        AcDbXDataItem item;
        if (filer->readInt16(&item.code) != Acad::eOk) return filer->filerStatus();
        switch (xdataType(item.code)) {
        case AcDb::kDxfPoint: {
            AcGePoint3d p;
            filer->readPoint3d(&p);
            item.values[0] = p.x, item.values[1] = p.y, item.values[2] = p.z;
            break;
        }
        case AcDb::kDxfReal: filer->readDouble(&item.values[0]); break;
        case AcDb::kDxfInt32: {
            Adesk::Int32 v = 0;
            filer->readInt32(&v);
            item.integer = v;
            break;
        }
        case AcDb::kDxfInt16: {
            Adesk::Int16 v = 0;
            filer->readInt16(&v);
            item.integer = v;
            break;
        }
        case AcDb::kDxfString:
        case AcDb::kDxfHandle:
        case AcDb::kDxfBinary: filer->readString(&item.text); break;
        default: return Acad::eInvalidResBuf;
        }
        if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
        items.push_back(std::move(item));
    }
    setXDataItems(std::move(items));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::dxfOutXData(AcDbDxfFiler* filer) const {
    const std::vector<AcDbXDataItem>* items = xDataItems();
    if (!items) return filer->filerStatus();
    for (const AcDbXDataItem& item : *items) {
        switch (xdataType(item.code)) {
        case AcDb::kDxfPoint:
            filer->writePoint3d(item.code, AcGePoint3d(item.values[0], item.values[1], item.values[2]));
            break;
        case AcDb::kDxfReal: filer->writeDouble(item.code, item.values[0]); break;
        case AcDb::kDxfInt32: filer->writeInt32(item.code, static_cast<Adesk::Int32>(item.integer)); break;
        case AcDb::kDxfInt16: filer->writeInt16(item.code, static_cast<Adesk::Int16>(item.integer)); break;
        default: filer->writeString(item.code, item.text); break;
        }
        if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfInXData(AcDbDxfFiler* filer) {
    std::vector<AcDbXDataItem> items;
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) {
        if (rb.restype < 1000 || rb.restype > 1071) {
            filer->pushBackItem();
            break;
        }
        AcDbXDataItem item;
        item.code = rb.restype;
        switch (xdataType(item.code)) {
        case AcDb::kDxfPoint: std::memcpy(item.values, rb.resval.rpoint, sizeof item.values); break;
        case AcDb::kDxfReal: item.values[0] = rb.resval.rreal; break;
        case AcDb::kDxfInt32: item.integer = rb.resval.rlong; break;
        case AcDb::kDxfInt16: item.integer = rb.resval.rint; break;
        case AcDb::kDxfString:
        case AcDb::kDxfHandle:
        case AcDb::kDxfBinary: item.text = rb.resval.rstring ? rb.resval.rstring : ""; break;
        // A code in the extended data range that has no kind (1006-1009,
        // 1014-1019) is refused here as setXData and the binary reader do.
        default: return Acad::eInvalidResBuf;
        }
        items.push_back(std::move(item));
    }
    if (filer->filerStatus() == Acad::eEndOfObject || filer->filerStatus() == Acad::eEndOfFile)
        filer->resetFilerStatus();
    setXDataItems(std::move(items));
    return filer->filerStatus();
}

// ---- filing ----

Acad::ErrorStatus AcDbObject::dwgIn(AcDbDwgFiler* filer) { return filer ? dwgInFields(filer) : Acad::eNullObjectPointer; }
Acad::ErrorStatus AcDbObject::dwgOut(AcDbDwgFiler* filer) const { return filer ? dwgOutFields(filer) : Acad::eNullObjectPointer; }

Acad::ErrorStatus AcDbObject::dxfIn(AcDbDxfFiler* filer) {
    if (!filer) return Acad::eNullObjectPointer;
    Acad::ErrorStatus es = dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    if (filer->atExtendedData()) return dxfInXData(filer);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfOut(AcDbDxfFiler* filer) const {
    if (!filer) return Acad::eNullObjectPointer;
    Acad::ErrorStatus es = dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return dxfOutXData(filer);
}

// Binary base fields: handle, owner, extended data. The handle is filed for
// the file reader, which places the object under it before reading.
Acad::ErrorStatus AcDbObject::dwgOutFields(AcDbDwgFiler* filer) const {
    assertReadEnabled();
    if (filer->writeHandle(objectHandle()) != Acad::eOk) return filer->filerStatus();
    if (filer->writeSoftPointerId(mOwnerId) != Acad::eOk) return filer->filerStatus();
    return dwgOutXData(filer);
}

Acad::ErrorStatus AcDbObject::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    AcDbHandle handle;
    if (filer->readHandle(&handle) != Acad::eOk) return filer->filerStatus();
    AcDbObjectId owner;
    if (filer->readSoftPointerId(&owner) != Acad::eOk) {
        if (filer->filerStatus() != Acad::eNullHandle) return filer->filerStatus();
        filer->resetFilerStatus();
    }
    // Copies keep their own owner; only file reads restore it.
    if (filer->filerType() == AcDb::kFileFiler || !owner.isNull()) mOwnerId = owner;
    return dwgInXData(filer);
}

// Tagged base fields: 5 handle and 330 owner.
Acad::ErrorStatus AcDbObject::dxfOutFields(AcDbDxfFiler* filer) const {
    assertReadEnabled();
    if (filer->writeHandle(5, objectHandle()) != Acad::eOk) return filer->filerStatus();
    return filer->writeObjectId(330, mOwnerId);
}

Acad::ErrorStatus AcDbObject::dxfInFields(AcDbDxfFiler* filer) {
    assertWriteEnabled();
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) {
        if (rb.restype == 100 || rb.restype >= 1000) {
            filer->pushBackItem();
            break;
        }
        if (rb.restype == 330) acdbGetObjectId(mOwnerId, rb.resval.rlname);
        // 5 (handle) is taken by the reader; 102 groups (reactors) are skipped.
    }
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbObject::audit(AcDbAuditInfo*) {
    assertReadEnabled();
    return Acad::eOk;
}


bool AcDbObject::worldDraw(AcGiWorldDraw* wd) { return subWorldDraw(wd); }
void AcDbObject::viewportDraw(AcGiViewportDraw* vd) { subViewportDraw(vd); }
bool AcDbObject::subWorldDraw(AcGiWorldDraw*) { return true; }
void AcDbObject::subViewportDraw(AcGiViewportDraw*) {}
