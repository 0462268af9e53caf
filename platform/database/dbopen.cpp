// Opening objects by id with the shared-read / exclusive-write rules.
#include "database/dbopen.h"

#include "database/dbdatabase.h"
#include "database/dbstub.h"

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
    object = nullptr;
    if (id.isNull()) return Acad::eNullObjectId;
    AcDbStub* stub = id.stub();
    if (!stub->object) return Acad::eUnknownHandle;
    if (stub->erased() && !openErased) return Acad::eWasErased;
    AcDbObject* obj = stub->object;
    const int state = obj->openState();
    switch (mode) {
    case AcDb::kForRead:
    case AcDb::kForNotify:
        if (state == AcDbObject::kOpenWrite) return Acad::eWasOpenForWrite;
        if (obj->readCount() >= 256) return Acad::eAtMaxReaders;
        obj->setOpenState(mode == AcDb::kForNotify && state == AcDbObject::kClosed ? AcDbObject::kOpenNotify
                                                                                   : AcDbObject::kOpenRead);
        obj->addReader();
        break;
    case AcDb::kForWrite:
        if (state == AcDbObject::kOpenWrite) return Acad::eWasOpenForWrite;
        if (state != AcDbObject::kClosed) return Acad::eWasOpenForRead;
        obj->setOpenState(AcDbObject::kOpenWrite);
        if (stub->database) stub->database->noteOpenedForWrite(stub);
        break;
    }
    object = obj;
    return Acad::eOk;
}
