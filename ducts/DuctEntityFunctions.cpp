// AutoLISP functions that make a duct entity or read and change its data:
// zk_hvac-addDuctToDwg, zk_hvac-insertDuct-likePlumbing,
// zk_hvac-setDuctInfo, zk_hvac-duct-getHangerList and ssgetx-duct.
#include <cstring>
#include <optional>
#include <vector>

#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "ducts/ZkDuct.h"
#include "integration/DrawingHelpers.h"
#include "integration/LispArgs.h"
#include "integration/LispResults.h"
#include "integration/ModuleFunctions.h"
#include "integration/ResultList.h"

namespace {

// The duct filter of the last ssgetx-duct: a key, or -1 for every duct.
int32_t gDuctFilter = -1;

// A new duct with its key and end points (full form) in model space; its
// entity name is the result.
LispStatus makeDuct(int32_t key, const AcGePoint3d& start, const AcGePoint3d& end, const std::string* sizeFor) {
    auto* duct = new ZkDuct;
    duct->setDuctKey(key);
    duct->setStartPoint(start);
    duct->setEndPoint(end);
    if (sizeFor) duct->setSizeFor(*sizeFor);
    if (!appendToModelSpace(duct)) return kLispOk;
    retEntity(duct->objectId());
    duct->close();
    return kLispOk;
}

bool isNumberNode(const resbuf* rb) {
    return rb && (rb->restype == RTREAL || rb->restype == RTSHORT || rb->restype == RTLONG);
}

double numberOf(const resbuf* rb) {
    return rb->restype == RTREAL ? rb->resval.rreal : rb->restype == RTSHORT ? rb->resval.rint : rb->resval.rlong;
}

// One (key . value) argument as received: the key and the value nodes
// after it (a dotted pair has one, a list any number).
struct InfoItem {
    std::string key;
    std::vector<const resbuf*> values;
};

// Collects the leaf nodes of the value at `node` (nested lists taken
// apart; a dotted pair in either form: RTLB a b RTDOTE as this host builds
// it, RTLB a RTDOTE b RTLE); answers the node after the value.
const resbuf* collectValue(const resbuf* node, std::vector<const resbuf*>& out) {
    if (node->restype != RTLB) {
        out.push_back(node);
        return node->rbnext;
    }
    int items = 0;
    for (node = node->rbnext; node;) {
        if (node->restype == RTLE) return node->rbnext;
        if (node->restype == RTDOTE) {
            if (items >= 2) return node->rbnext;
            node = node->rbnext;
            continue;
        }
        node = collectValue(node, out);
        ++items;
    }
    return nullptr;
}

// Reads the list argument at `node` (an RTLB); answers the node after it.
// `item` is set when the list starts with a key string.
const resbuf* readInfoItem(const resbuf* node, std::optional<InfoItem>& item) {
    item.reset();
    const resbuf* first = node->rbnext;
    std::vector<const resbuf*> nodes;
    const resbuf* after = collectValue(node, nodes);
    if (first && first->restype == RTSTR && first->resval.rstring && !nodes.empty() && nodes.front() == first)
        item = InfoItem{first->resval.rstring, {nodes.begin() + 1, nodes.end()}};
    return after;
}

std::optional<AcGePoint3d> pointValue(const std::vector<const resbuf*>& v) {
    if (v.size() == 1 && (v[0]->restype == RT3DPOINT || v[0]->restype == RTPOINT)) {
        const double* p = v[0]->resval.rpoint;
        return AcGePoint3d(p[0], p[1], v[0]->restype == RTPOINT ? 0.0 : p[2]);
    }
    if ((v.size() == 2 || v.size() == 3) && isNumberNode(v[0]) && isNumberNode(v[1]) &&
        (v.size() == 2 || isNumberNode(v[2])))
        return AcGePoint3d(numberOf(v[0]), numberOf(v[1]), v.size() == 3 ? numberOf(v[2]) : 0.0);
    return std::nullopt;
}

std::optional<double> realValue(const std::vector<const resbuf*>& v) {
    if (v.size() == 1 && isNumberNode(v[0])) return numberOf(v[0]);
    return std::nullopt;
}

std::optional<std::string> textValue(const std::vector<const resbuf*>& v) {
    if (v.size() == 1 && v[0]->restype == RTSTR && v[0]->resval.rstring) return std::string(v[0]->resval.rstring);
    return std::nullopt;
}

// T or nil; a pair with nil as its value arrives as the key alone.
std::optional<bool> flagValue(const std::vector<const resbuf*>& v) {
    if (v.empty()) return false;
    if (v.size() == 1 && v[0]->restype == RTT) return true;
    if (v.size() == 1 && v[0]->restype == RTNIL) return false;
    return std::nullopt;
}

std::optional<std::vector<double>> realsValue(const std::vector<const resbuf*>& v) {
    std::vector<double> reals;
    for (const resbuf* rb : v) {
        if (isNumberNode(rb)) {
            reals.push_back(numberOf(rb));
        } else if (rb->restype == RT3DPOINT || rb->restype == RTPOINT) {
            for (int i = 0; i < (rb->restype == RTPOINT ? 2 : 3); ++i) reals.push_back(rb->resval.rpoint[i]);
        } else if (rb->restype != RTNIL) {
            return std::nullopt;
        }
    }
    return reals;
}

void applyInfo(ZkDuct* duct, const InfoItem& item) {
    const std::string& key = item.key;
    const auto& v = item.values;
    if (key == "P1" || key == "P2") {
        if (auto p = pointValue(v)) key == "P1" ? duct->setStartPoint(*p) : duct->setEndPoint(*p);
    } else if (key == "ixDuct") {
        if (v.size() == 1 && (v[0]->restype == RTSHORT || v[0]->restype == RTLONG))
            duct->setDuctKey(v[0]->restype == RTSHORT ? v[0]->resval.rint : v[0]->resval.rlong);
    } else if (key == "Z1" || key == "Z2") {
        if (auto z = realValue(v)) key == "Z1" ? duct->setStartZ(*z) : duct->setEndZ(*z);
    } else if (key == "SIZEFOR" || key == "DWG") {
        if (auto text = textValue(v)) key == "SIZEFOR" ? duct->setSizeFor(*text) : duct->setDrawingName(*text);
    } else if (key == "HANGERDIST") {
        if (auto reals = realsValue(v)) {
            duct->clearHangerDistances();
            for (double d : *reals) duct->appendHangerDistance(d);
        }
    } else if (auto flag = flagValue(v)) {
        if (key == "DWGSTART") duct->setStartsInOtherDrawing(*flag);
        else if (key == "DWGEND") duct->setEndsInOtherDrawing(*flag);
        else if (key == "REVERSEARROWS") duct->setReverseArrows(*flag);
        else if (key == "bLockWidth") duct->setLockWidth(*flag);
        else if (key == "bLockDepth") duct->setLockDepth(*flag);
        else if (key == "bLockShape") duct->setLockShape(*flag);
    }
}

} // namespace

LispStatus addDuctToDwg() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t key = 0;
    AcGePoint3d start, end;
    if (!argInt(cur, key) || !argPoint3d(cur, start) || !argPoint3d(cur, end)) return kLispWrongType;
    return makeDuct(key, start, end, nullptr);
}

LispStatus insertDuctLikePlumbing() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    int32_t key = 0;
    AcGePoint3d start, end;
    std::string sizeFor;
    if (!argInt(cur, key) || !argPoint3d(cur, start) || !argPoint3d(cur, end) || !argString(cur, sizeFor))
        return kLispWrongType;
    return makeDuct(key, start, end, &sizeFor);
}

LispStatus setDuctInfo() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectId id;
    if (!argEntity(cur, id)) return kLispWrongType;
    AcDbObjectPointer<ZkDuct> duct(id, AcDb::kForWrite);
    if (!duct) return kLispOk;
    for (const resbuf* node = cur.node(); node;) {
        if (node->restype != RTLB) {
            node = node->rbnext;
            continue;
        }
        std::optional<InfoItem> item;
        node = readInfoItem(node, item);
        if (item) applyInfo(duct.object(), *item);
    }
    acedRetT();
    return kLispOk;
}

LispStatus ductGetHangerList() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectId id;
    if (!argEntity(cur, id)) return kLispWrongType;
    AcDbObjectPointer<ZkDuct> duct(id, AcDb::kForRead);
    if (!duct) return kLispOk;
    ResultList list;
    list.begin();
    for (double distance : duct->hangerDistances()) list.addReal(distance);
    list.finish();
    return kLispOk;
}

LispStatus ssgetxDuct() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    if (!argInt(cur, gDuctFilter)) gDuctFilter = -1;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return kLispOk;
    AcDbObjectPointer<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForRead);
    if (!space) return kLispOk;
    ResultList list;
    list.begin();
    for (AcDbObjectId id : space->entityIds()) {
        if (id.isErased()) continue;
        AcDbObjectPointer<ZkDuct> duct(id, AcDb::kForRead);
        if (!duct) continue;
        if (gDuctFilter == -1 || duct->ductKey() == gDuctFilter) list.addEntity(id);
    }
    list.finish();
    return kLispOk;
}
