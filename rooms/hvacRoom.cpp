// hvacRoom: construction, class registration and the member operations on
// the outline and the label.
#include "rooms/hvacRoom.h"

#include "runtime/rxobject.h"

namespace {
AcRxObject* makeRoom() { return new hvacRoom(); }
constexpr const char* kRoomAppName = "\"HVAC Room|Orvane Software|www.orvane.example\"";
} // namespace

AcRxClass* hvacRoom::gpDesc = nullptr;

AcRxClass* hvacRoom::desc() {
    if (!gpDesc) {
        AcRxObject* found = acrxClassDictionary()->at("hvacRoom");
        gpDesc = found ? static_cast<AcRxClass*>(found) : nullptr;
    }
    return gpDesc;
}

AcRxClass* hvacRoom::isA() const { return hvacRoom::desc(); }

// Registers the class once; a different class already registered under the
// name is a fatal mismatch.
void hvacRoom::rxInit() {
    if (gpDesc) {
        AcRxObject* found = acrxClassDictionary()->at("hvacRoom");
        if (found == gpDesc) return;
        if (found) acrx_abort("Class mismatch");
    }
    gpDesc = newAcRxClass("hvacRoom", "AcDbEntity", 1, makeRoom, "ZK_HVACROOM", kRoomAppName);
}

void hvacRoom::rxUninit() {
    if (!gpDesc) return;
    deleteAcRxClass(gpDesc);
    gpDesc = nullptr;
}

hvacRoom::hvacRoom() { mPoints.reserve(8); }

hvacRoom::~hvacRoom() = default;

void hvacRoom::setIndex(Adesk::Int32 index) {
    assertWriteEnabled();
    mIndex = index;
}

void hvacRoom::insertPoint(int i, const RoomPoint& point) {
    assertWriteEnabled();
    if (i < 0 || i > pointCount()) return;
    mPoints.insert(mPoints.begin() + i, point);
}

void hvacRoom::removePoint(int i) {
    assertWriteEnabled();
    if (i < 0 || i >= pointCount()) return;
    mPoints.erase(mPoints.begin() + i);
}

void hvacRoom::clearPoints() {
    assertWriteEnabled();
    mPoints.clear();
}

void hvacRoom::setPointAt(int i, const RoomPoint& point) {
    assertWriteEnabled();
    if (i < 0 || i >= pointCount()) return;
    mPoints[static_cast<size_t>(i)] = point;
}

void hvacRoom::setLabelText(const std::string& text) {
    assertWriteEnabled();
    mLabel.setContents(text.c_str());
    fitLeaderToLabel();
}

AcGePoint2d hvacRoom::labelLocation() const {
    assertReadEnabled();
    return mLabel.location().convert2d();
}

void hvacRoom::setLabelLocation(const AcGePoint2d& location) {
    assertWriteEnabled();
    mLabel.setLocation(AcGePoint3d(location.x, location.y, 0.0));
}

void hvacRoom::setLabelWidth(bool wrap, double width) {
    assertWriteEnabled();
    mLabel.setWidth(wrap ? width : 0.0);
}

void hvacRoom::setLabelLayer(AcDbObjectId layerId) {
    assertWriteEnabled();
    mLabelLayerId = layerId;
}

void hvacRoom::setLabelTextStyle(AcDbObjectId styleId) {
    assertWriteEnabled();
    mLabelTextStyleId = styleId;
    if (styleId.isValid()) mLabel.setTextStyle(styleId);
}

// The label text takes the height too, so that its frame is known before
// the room is first drawn.
void hvacRoom::setLabelTextHeight(double height) {
    assertWriteEnabled();
    mLabelTextHeight = height;
    if (height != 0.0) mLabel.setTextHeight(height);
}

bool hvacRoom::setLeaderArrow(const std::string& blockName, double size) {
    assertWriteEnabled();
    bool found = mLeader.setArrowBlock(blockName);
    mLeader.setSize(size);
    return found;
}

void hvacRoom::setLeaderLayer(AcDbObjectId layerId) {
    assertWriteEnabled();
    if (layerId.isValid()) mLeader.setLayer(layerId, true);
    mLeaderLayerId = layerId;
}

void hvacRoom::setLeaderVisible(bool visible) {
    assertWriteEnabled();
    if (visible) placeLeaderAutomatically();
    mLeaderVisible = visible;
}

Acad::ErrorStatus hvacRoom::audit(AcDbAuditInfo*) {
    assertReadEnabled();
    return Acad::eOk;
}

