// ZkDuct: construction, class registration and the member setters.
#include "ducts/ZkDuct.h"

#include "runtime/rxobject.h"

namespace {
AcRxObject* makeDuct() { return new ZkDuct(); }
constexpr const char* kClassName = "ZkDuct";
constexpr const char* kDuctAppName = "\"Orvane Duct|Orvane Software|www.orvane.example\"";

AcRxClass* lookUp() { return static_cast<AcRxClass*>(acrxClassDictionary()->at(kClassName)); }
} // namespace

AcRxClass* ZkDuct::gpDesc = nullptr;

AcRxClass* ZkDuct::desc() {
    if (!gpDesc) gpDesc = lookUp();
    return gpDesc;
}

AcRxClass* ZkDuct::isA() const { return desc(); }

// Registers the class once; a different class already registered under the
// name is a fatal mismatch.
void ZkDuct::rxInit() {
    if (gpDesc) {
        AcRxClass* registered = lookUp();
        if (registered == gpDesc) return;
        if (registered) acrx_abort("Class mismatch");
    }
    AcDbCurve::desc();  // the parent must be registered first
    gpDesc = newAcRxClass(kClassName, "AcDbCurve", 1, makeDuct, "ZKDUCT", kDuctAppName);
}

void ZkDuct::rxUninit() {
    if (gpDesc && lookUp() == gpDesc) deleteAcRxClass(gpDesc);
    gpDesc = nullptr;
}

ZkDuct::ZkDuct() = default;
ZkDuct::~ZkDuct() = default;

void ZkDuct::setStartPoint(const AcGePoint3d& point) {
    assertWriteEnabled();
    mStart = point;
    recordGraphicsModified();
}

void ZkDuct::setEndPoint(const AcGePoint3d& point) {
    assertWriteEnabled();
    mEnd = point;
    recordGraphicsModified();
}

void ZkDuct::setStartPointPlan(const AcGePoint3d& point) {
    setStartPoint(AcGePoint3d(point.x, point.y, mStart.z));
}

void ZkDuct::setEndPointPlan(const AcGePoint3d& point) {
    setEndPoint(AcGePoint3d(point.x, point.y, mEnd.z));
}

void ZkDuct::setStartZ(double z) { setStartPoint(AcGePoint3d(mStart.x, mStart.y, z)); }
void ZkDuct::setEndZ(double z) { setEndPoint(AcGePoint3d(mEnd.x, mEnd.y, z)); }

void ZkDuct::setDuctKey(Adesk::Int32 key) {
    assertWriteEnabled();
    mDuctKey = key;
}

void ZkDuct::setSizeFor(const std::string& text) {
    assertWriteEnabled();
    mSizeFor = text;
}

void ZkDuct::setDrawingName(const std::string& name) {
    assertWriteEnabled();
    mDrawingName = name;
}

void ZkDuct::setStartsInOtherDrawing(bool value) {
    assertWriteEnabled();
    mStartsInOtherDrawing = value;
}

void ZkDuct::setEndsInOtherDrawing(bool value) {
    assertWriteEnabled();
    mEndsInOtherDrawing = value;
}

void ZkDuct::setLockWidth(bool value) {
    assertWriteEnabled();
    mLockWidth = value;
}

void ZkDuct::setLockDepth(bool value) {
    assertWriteEnabled();
    mLockDepth = value;
}

void ZkDuct::setLockShape(bool value) {
    assertWriteEnabled();
    mLockShape = value;
}

void ZkDuct::setReverseArrows(bool value) {
    assertWriteEnabled();
    mReverseArrows = value;
}

void ZkDuct::setHangerDistances(const std::vector<double>& distances) {
    assertWriteEnabled();
    mHangerDistances = distances;
}

void ZkDuct::clearHangerDistances() {
    assertWriteEnabled();
    mHangerDistances.clear();
}

void ZkDuct::appendHangerDistance(double distance) {
    assertWriteEnabled();
    mHangerDistances.push_back(distance);
}

void ZkDuct::setThirdPoint(const AcGePoint3d& point) {
    assertWriteEnabled();
    mThirdPoint = point;
}

void ZkDuct::setFirstDisplayFlag(bool value) {
    assertWriteEnabled();
    mFirstDisplayFlag = value;
}

void ZkDuct::setSecondDisplayFlag(bool value) {
    assertWriteEnabled();
    mSecondDisplayFlag = value;
}
