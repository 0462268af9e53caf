// The base of every database object: identity, open state, erase state,
// extended data and the filing protocol.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ads/ads.h"
#include "database/dbfiler.h"
#include "database/dbid.h"
#include "graphics/AcGiDrawable.h"

class AcDbDatabase;
class AcDbAuditInfo;
struct AcDbStub;

// Open-state violations (writing an object open for read, ...) are
// programming errors: they are reported on stderr and counted, never fatal.
// Tests read and reset the count; a handler may replace the report.
using AcDbAssertHandler = void (*)(const char* message);
int acdbAssertViolationCount();
void acdbResetAssertViolations();
void acdbSetAssertHandler(AcDbAssertHandler handler);
void acdbReportAssertViolation(const char* message);

// One extended-data item: a group code and its value (see dxfcode.h).
struct AcDbXDataItem {
    short code = 0;
    std::string text;         // strings, application names, handles
    double values[3] = {0, 0, 0}; // reals and points
    int64_t integer = 0;      // 16/32-bit integers
};

// Members that nearly every object leaves empty or at their default, kept
// behind one pointer that stays null until one of them is set: the extended
// data, and the entity linetype and its scale.
struct AcDbObjectExtras {
    std::vector<AcDbXDataItem> xdata;
    AcDbObjectId linetype; // null: ByLayer
    double linetypeScale = 1.0;

    bool isDefault() const { return xdata.empty() && linetype.isNull() && linetypeScale == 1.0; }
};

class AcDbObject : public AcGiDrawable {
    ACRX_DECLARE_MEMBERS(AcDbObject);

public:
    AcDbObject();
    ~AcDbObject() override;
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    AcDbObjectId objectId() const;
    AcDbObjectId id() const { return objectId(); }
    AcDbObjectId ownerId() const { return mOwnerId; }
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId owner);
    AcDbHandle objectHandle() const;
    void getAcDbHandle(AcDbHandle& handle) const { handle = objectHandle(); }
    AcDbDatabase* database() const;
    // Not (yet) in a database.
    bool isNewObject() const { return mStub == nullptr; }

    // Open state. Objects outside a database are always readable and writable.
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNotifyEnabled() const { return mOpenMode == kOpenNotify; }
    AcDb::OpenMode openMode() const;
    void assertReadEnabled() const;
    void assertWriteEnabled(bool autoUndo = true, bool recordModified = true);
    void assertNotifyEnabled() const;
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    // Ends one opening. Closing an object that is not open reports eNotOpenForRead.
    Acad::ErrorStatus close();
    // Closes and discards changes in the host; here the same as close.
    Acad::ErrorStatus cancel() { return close(); }

    Acad::ErrorStatus erase(bool erasing = true);
    bool isErased() const;

    void recordGraphicsModified(bool setModified = true);
    bool isModified() const { return (mFlags & kModified) != 0; }
    bool isModifiedGraphics() const { return (mFlags & kModifiedGraphics) != 0; }

    // Extended data as a resbuf chain (1001 application name, then its items).
    // xData returns a new chain the caller releases with acutRelRb: the data
    // of one application, or of all when regappName is null; null when none.
    resbuf* xData(const char* regappName = nullptr) const;
    // Replaces the data of each application named in the chain; an
    // application given without items loses its data.
    Acad::ErrorStatus setXData(const resbuf* xdata);
    bool hasXData(const char* regappName) const;
    // Null when the object has none.
    const std::vector<AcDbXDataItem>* xDataItems() const {
        return mExtras && !mExtras->xdata.empty() ? &mExtras->xdata : nullptr;
    }

    virtual Acad::ErrorStatus audit(AcDbAuditInfo* info);

    // Filing. The In/Out wrappers reset nothing and simply call the field
    // functions; the field functions of each class call their base first.
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* filer);
    Acad::ErrorStatus dwgOut(AcDbDwgFiler* filer) const;
    Acad::ErrorStatus dxfIn(AcDbDxfFiler* filer);
    Acad::ErrorStatus dxfOut(AcDbDxfFiler* filer) const;
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const;
    virtual Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer);
    virtual Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const;
    // Extended data filing, used by the field functions above.
    Acad::ErrorStatus dwgInXData(AcDbDwgFiler* filer);
    Acad::ErrorStatus dwgOutXData(AcDbDwgFiler* filer) const;
    Acad::ErrorStatus dxfInXData(AcDbDxfFiler* filer);
    Acad::ErrorStatus dxfOutXData(AcDbDxfFiler* filer) const;

    bool worldDraw(AcGiWorldDraw* wd) final;
    void viewportDraw(AcGiViewportDraw* vd) final;

    // Database bookkeeping (used by AcDbDatabase and the file readers).
    void setStub(AcDbStub* stub) { mStub = stub; }
    AcDbStub* stub() const { return mStub; }
    void setOpenState(int state) { mOpenMode = static_cast<unsigned char>(state); }
    enum OpenState : unsigned char { kClosed = 0, kOpenRead = 1, kOpenWrite = 2, kOpenNotify = 3 };
    int openState() const { return mOpenMode; }
    int readCount() const { return mReadCount; }
    void addReader() { ++mReadCount; }
    // Whether the database's write journal lists the object.
    bool inWriteJournal() const { return (mFlags & kInWriteJournal) != 0; }
    void setInWriteJournal(bool listed) { mFlags = listed ? (mFlags | kInWriteJournal) : (mFlags & ~kInWriteJournal); }

protected:
    const AcDbObjectExtras* extras() const { return mExtras.get(); }
    // The extras, made when missing; trimExtras drops them again once every
    // member is back at its default.
    AcDbObjectExtras& editExtras();
    void trimExtras();

    virtual bool subWorldDraw(AcGiWorldDraw* wd);
    virtual void subViewportDraw(AcGiViewportDraw* vd);
    virtual Acad::ErrorStatus subErase(bool erasing);
    virtual Acad::ErrorStatus subClose();

private:
    enum Flag : unsigned char { kModified = 1, kModifiedGraphics = 2, kErased = 4, kInWriteJournal = 8 };
    void setXDataItems(std::vector<AcDbXDataItem> items);
    // Every object is on the heap, many thousands of them in a drawing: the
    // members are packed so that the object ends at byte 35 and an entity's
    // first small members fill the rest of its eighth word.
    AcDbStub* mStub = nullptr;
    AcDbObjectId mOwnerId;
    std::unique_ptr<AcDbObjectExtras> mExtras;
    unsigned short mReadCount = 0;
    unsigned char mOpenMode : 2 = kClosed;
    unsigned char mFlags : 4 = 0;
};
