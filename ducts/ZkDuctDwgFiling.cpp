// ZkDuct binary filing: every save writes version 6; versions 1 to 6 are
// read (version 3 with its legacy block); newer versions stay proxies.
#include <algorithm>
#include <cctype>

#include "ducts/ZkDuct.h"

namespace {

// Where each value of the version-3 legacy block goes in the legacy record's
// fields (-1: read and dropped). Values 38 and 39 are the two drawing names.
constexpr int kLegacyPlace[] = {
    0,  -1, 1,  2,  -1, 3,  4,  -1, 5,  6,  -1, 7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, -1,
    -1, -1, -1, -1, -1, -1, -1, 22, 23, 24, 25, -1, -1, 26, 27, 28, 29, 30, 31, -1, -1, -1, 32, 33, 34};
// The value types of the legacy block in the order they are filed.
constexpr char kLegacyTypes[] = "IISIISSSIIISSDDSSSSSISDDDIDDDDDDIIDDDSSDDDDDDDDDSID";
constexpr size_t kLegacyCount = sizeof(kLegacyPlace) / sizeof(kLegacyPlace[0]);
static_assert(kLegacyCount == sizeof(kLegacyTypes) - 1);
constexpr size_t kDrawingNameA = 37;
constexpr size_t kDrawingNameB = 38;

std::string upperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

Acad::ErrorStatus ZkDuct::dwgOutFields(AcDbDwgFiler* filer) const {
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    if ((es = filer->writeInt32(kCurrentVersion)) != Acad::eOk) return es;
    if ((es = filer->writePoint3d(mStart)) != Acad::eOk) return es;
    if ((es = filer->writePoint3d(mEnd)) != Acad::eOk) return es;
    if ((es = filer->writeInt32(mDuctKey)) != Acad::eOk) return es;
    if ((es = filer->writeBool(mFirstDisplayFlag)) != Acad::eOk) return es;
    if ((es = filer->writeBool(mSecondDisplayFlag)) != Acad::eOk) return es;
    if ((es = filer->writePoint3d(mThirdPoint)) != Acad::eOk) return es;
    if ((es = filer->writeBool(mStartsInOtherDrawing)) != Acad::eOk) return es;
    if ((es = filer->writeBool(mEndsInOtherDrawing)) != Acad::eOk) return es;
    if ((es = filer->writeString(mSizeFor)) != Acad::eOk) return es;
    if ((es = filer->writeString(mDrawingName)) != Acad::eOk) return es;
    const size_t count = std::min(mHangerDistances.size(), kMaxFiledHangers);
    if ((es = filer->writeInt32(static_cast<Adesk::Int32>(count))) != Acad::eOk) return es;
    for (size_t i = 0; i < count; ++i)
        if ((es = filer->writeDouble(mHangerDistances[i])) != Acad::eOk) return es;
    if ((es = filer->writeBool(mReverseArrows)) != Acad::eOk) return es;
    if ((es = filer->writeBool(mLockWidth)) != Acad::eOk) return es;
    if ((es = filer->writeBool(mLockDepth)) != Acad::eOk) return es;
    if ((es = filer->writeBool(mLockShape)) != Acad::eOk) return es;
    return filer->filerStatus();
}

Acad::ErrorStatus ZkDuct::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int32 version = 0;
    if ((es = filer->readInt32(&version)) != Acad::eOk) return es;
    if (version > kCurrentVersion) return Acad::eMakeMeProxy;
    if (version <= 0) return filer->filerStatus();
    if ((es = dwgInVersion(filer, version)) != Acad::eOk) return es;
    return filer->filerStatus();
}

Acad::ErrorStatus ZkDuct::dwgInVersion(AcDbDwgFiler* filer, Adesk::Int32 version) {
    Acad::ErrorStatus es;
    AcGePoint3d start, end;
    if ((es = filer->readPoint3d(&start)) != Acad::eOk) return es;
    if ((es = filer->readPoint3d(&end)) != Acad::eOk) return es;
    if ((es = filer->readInt32(&mDuctKey)) != Acad::eOk) return es;
    // The read points are stored as they are and the graphics marked as
    // changed, as an edit of the ends would.
    mStart = start;
    mEnd = end;
    setStartPointPlan(start);
    setEndPointPlan(end);
    if ((es = filer->readBool(&mFirstDisplayFlag)) != Acad::eOk) return es;
    if ((es = filer->readBool(&mSecondDisplayFlag)) != Acad::eOk) return es;
    if ((es = filer->readPoint3d(&mThirdPoint)) != Acad::eOk) return es;
    mStartsInOtherDrawing = false;
    mEndsInOtherDrawing = false;
    if (version == 1) return Acad::eOk;
    if ((es = filer->readBool(&mStartsInOtherDrawing)) != Acad::eOk) return es;
    if ((es = filer->readBool(&mEndsInOtherDrawing)) != Acad::eOk) return es;
    if (version == 2) return Acad::eOk;
    if (version == 3) return dwgInLegacyBlock(filer);
    if ((es = filer->readString(&mSizeFor)) != Acad::eOk) return es;
    if ((es = filer->readString(&mDrawingName)) != Acad::eOk) return es;
    if (version == 4) return Acad::eOk;
    Adesk::Int32 count = 0;
    if ((es = filer->readInt32(&count)) != Acad::eOk) return es;
    if (count < 0) return Acad::eDwgObjectImproperlyRead;
    mHangerDistances.clear();
    for (Adesk::Int32 i = 0; i < count; ++i) {
        double distance = 0.0;
        if ((es = filer->readDouble(&distance)) != Acad::eOk) return es;
        mHangerDistances.push_back(distance);
    }
    if ((es = filer->readBool(&mReverseArrows)) != Acad::eOk) return es;
    if (version == 5) return Acad::eOk;
    if ((es = filer->readBool(&mLockWidth)) != Acad::eOk) return es;
    if ((es = filer->readBool(&mLockDepth)) != Acad::eOk) return es;
    return filer->readBool(&mLockShape);
}

// The legacy block of version 3: its values go into a new record of the
// module-wide legacy list; the two drawing names decide the record's and the
// entity's drawing name by the other-drawing flags.
Acad::ErrorStatus ZkDuct::dwgInLegacyBlock(AcDbDwgFiler* filer) {
    oldDuctFields& record = oldDuctFieldsList().emplace_back();
    record.ixDuct = mDuctKey;
    std::string nameA, nameB;
    for (size_t i = 0; i < kLegacyCount; ++i) {
        oldDuctFields::Value value;
        Acad::ErrorStatus es = Acad::eOk;
        switch (kLegacyTypes[i]) {
        case 'I': {
            Adesk::Int32 v = 0;
            es = filer->readInt32(&v);
            value = v;
            break;
        }
        case 'D': {
            double v = 0.0;
            es = filer->readDouble(&v);
            value = v;
            break;
        }
        default: {
            std::string v;
            es = filer->readString(&v);
            if (i == kDrawingNameA) nameA = v;
            if (i == kDrawingNameB) nameB = v;
            value = std::move(v);
            break;
        }
        }
        if (es != Acad::eOk) return es;
        if (kLegacyPlace[i] >= 0) record.fields[static_cast<size_t>(kLegacyPlace[i])] = std::move(value);
    }
    if (mStartsInOtherDrawing) {
        record.drawingName = upperCase(nameA);
        mDrawingName = nameB;
    } else if (mEndsInOtherDrawing) {
        record.drawingName = upperCase(nameB);
        mDrawingName = nameA;
    } else {
        record.drawingName = upperCase(nameA);
        mDrawingName.clear();
    }
    return Acad::eOk;
}
