// Opening objects by id, and smart pointers that close what they opened.
#pragma once

#include <utility>

#include "database/dbobject.h"

// Opens the object named by id. Reading may be shared; writing is
// exclusive. Fails with eNullObjectId, eUnknownHandle (no object),
// eWasErased (unless openErased), eWasOpenForWrite or eWasOpenForRead.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

// Typed open: also fails with eNotThatKindOfClass (the object stays closed).
template <class T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
    object = nullptr;
    AcDbObject* opened = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(opened, id, mode, openErased);
    if (es != Acad::eOk) return es;
    T* typed = T::cast(opened);
    if (!typed) {
        opened->close();
        return Acad::eNotThatKindOfClass;
    }
    object = typed;
    return Acad::eOk;
}

// Holds an object open for its lifetime. Also takes ownership of a new
// object (not in a database) given to acquire(), deleting it unless it was
// added to a database by then.
template <class T>
class AcDbObjectPointer {
public:
    AcDbObjectPointer() = default;
    AcDbObjectPointer(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) { open(id, mode, openErased); }
    ~AcDbObjectPointer() { release(); }
    AcDbObjectPointer(const AcDbObjectPointer&) = delete;
    AcDbObjectPointer& operator=(const AcDbObjectPointer&) = delete;
    AcDbObjectPointer(AcDbObjectPointer&& other) noexcept
        : mObject(std::exchange(other.mObject, nullptr)), mStatus(other.mStatus) {}

    Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
        release();
        mStatus = acdbOpenObject(mObject, id, mode, openErased);
        return mStatus;
    }
    Acad::ErrorStatus openStatus() const { return mStatus; }
    Acad::ErrorStatus acquire(T*& object) {
        release();
        mObject = std::exchange(object, nullptr);
        mStatus = mObject ? Acad::eOk : Acad::eNullObjectPointer;
        return mStatus;
    }
    // Gives up the object without closing it.
    T* detach() { return std::exchange(mObject, nullptr); }
    Acad::ErrorStatus close() {
        if (!mObject) return Acad::eNullObjectPointer;
        release();
        return Acad::eOk;
    }
    T* object() const { return mObject; }
    T* operator->() const { return mObject; }
    explicit operator bool() const { return mObject != nullptr; }

private:
    void release() {
        if (!mObject) return;
        if (mObject->isNewObject()) delete mObject;
        else mObject->close();
        mObject = nullptr;
    }
    T* mObject = nullptr;
    Acad::ErrorStatus mStatus = Acad::eNullObjectId;
};

class AcDbEntity;
using AcDbEntityPointer = AcDbObjectPointer<AcDbEntity>;
