// A tagged filer wrapper that ends the object for its reader at the first
// item with a given group code, leaving that item to be read by the caller.
// Lets a class read its base's groups when its own groups follow them
// without a subclass marker.
#pragma once

#include "database/dbfiler.h"

class DxfGroupStopFiler : public AcDbDxfFiler {
public:
    DxfGroupStopFiler(AcDbDxfFiler* inner, int stopCode) : mInner(inner), mStopCode(stopCode) {}

    Acad::ErrorStatus filerStatus() const override;
    AcDb::FilerType filerType() const override { return mInner->filerType(); }
    void setFilerStatus(Acad::ErrorStatus status) override;
    void resetFilerStatus() override;
    AcDbDatabase* database() const override { return mInner->database(); }
    Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& version,
                                 AcDb::MaintenanceReleaseVersion& maintenance) const override {
        return mInner->dwgVersion(version, maintenance);
    }

    Acad::ErrorStatus readItem(resbuf* item) override;
    Acad::ErrorStatus pushBackItem() override { return mInner->pushBackItem(); }
    bool atSubclassData(const char* className) override { return !mStopped && mInner->atSubclassData(className); }
    bool atEOF() override { return mInner->atEOF(); }
    bool atEndOfObject() override { return mStopped || mInner->atEndOfObject(); }
    bool atExtendedData() override { return !mStopped && mInner->atExtendedData(); }
    bool atEmbeddedObjectStart() override { return mInner->atEmbeddedObjectStart(); }

    Acad::ErrorStatus writeInt16(int code, Adesk::Int16 value) override { return mInner->writeInt16(code, value); }
    Acad::ErrorStatus writeInt32(int code, Adesk::Int32 value) override { return mInner->writeInt32(code, value); }
    Acad::ErrorStatus writeInt64(int code, Adesk::Int64 value) override { return mInner->writeInt64(code, value); }
    Acad::ErrorStatus writeDouble(int code, double value, int precision) override {
        return mInner->writeDouble(code, value, precision);
    }
    Acad::ErrorStatus writePoint2d(int code, const AcGePoint2d& value, int precision) override {
        return mInner->writePoint2d(code, value, precision);
    }
    Acad::ErrorStatus writePoint3d(int code, const AcGePoint3d& value, int precision) override {
        return mInner->writePoint3d(code, value, precision);
    }
    Acad::ErrorStatus writeVector3d(int code, const AcGeVector3d& value, int precision) override {
        return mInner->writeVector3d(code, value, precision);
    }
    Acad::ErrorStatus writeString(int code, const std::string& value) override { return mInner->writeString(code, value); }
    Acad::ErrorStatus writeBool(int code, bool value) override { return mInner->writeBool(code, value); }
    Acad::ErrorStatus writeObjectId(int code, const AcDbObjectId& value) override {
        return mInner->writeObjectId(code, value);
    }
    Acad::ErrorStatus writeHandle(int code, AcDbHandle value) override { return mInner->writeHandle(code, value); }
    Acad::ErrorStatus writeBytes(int code, const void* buffer, size_t size) override {
        return mInner->writeBytes(code, buffer, size);
    }

private:
    AcDbDxfFiler* mInner;
    int mStopCode;
    bool mStopped = false;
};
