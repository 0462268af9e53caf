// The AutoLISP functions of the duct solids: zk_hvac-drawTripleFitting,
// zk_hvac-drawTripleCenter, zk_hvac-drawTripleDiffuser, zk_hvac-solidUnion,
// zk_hvac-solidSlice and zk_hvac-ExplodeSolid.
#include "ads/ads.h"
#include "ads/acedss.h"
#include "database/dbopen.h"
#include "ducts/DuctAccess.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/DuctSolidBuilders.h"
#include "integration/DocData.h"
#include "integration/DrawingHelpers.h"
#include "integration/LispArgs.h"
#include "integration/ModuleFunctions.h"
#include "integration/ResultList.h"
#include "runtime/docman.h"
#include "solid/zk_hvacSolid.h"

namespace {

// Duct key, other key (passed through to the solid library) and the
// coordinate-conversion flag that every draw function starts with.
struct DrawArgs {
    int32_t key = 0, other = 0;
    bool convert = false;
};

bool readDrawArgs(ArgCursor& cur, DrawArgs& args) {
    return argInt(cur, args.key) && argInt(cur, args.other) && argBool(cur, args.convert);
}

DuctDbRecord* ductRecord() {
    DuctDbRecord* db = currentDuctRecord();
    if (!db && gDocDataManager) {
        gDocDataManager->addDocument(acDocManager->curDocument());
        db = currentDuctRecord();
    }
    return db;
}

// The association list of the pieces built (absent pieces add nothing);
// nil when there are none.
void returnPieces(const char* const names[3], const DuctSolids& pieces) {
    const AcDbObjectId* ids[3] = {&pieces.solid, &pieces.transition1, &pieces.transition2};
    ResultList list;
    for (int i = 0; i < 3; ++i) {
        if (ids[i]->isNull()) continue;
        if (!list.started()) list.begin();
        list.addStringEntity(names[i], ids[i]);
    }
    if (list.started()) list.finish();
}

// The entity opened as a duct solid, or an empty pointer.
struct OpenSolid {
    AcDbObjectPointer<AcDbEntity> entity;
    zk_hvacSolid* solid = nullptr;
    OpenSolid(const AcDbObjectId& id, AcDb::OpenMode mode) : entity(id, mode) {
        if (entity) solid = zk_hvacSolid::cast(entity.object());
    }
};

} // namespace

LispStatus drawTripleFitting() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    DrawArgs draw;
    std::string kind;
    if (!readDrawArgs(cur, draw)) return kLispWrongType;
    if (!cur.atEnd() && !argString(cur, kind)) return kLispWrongType;
    DuctDbRecord* db = ductRecord();
    if (!db) return kLispOk;
    DuctSolids pieces;
    if (!buildFittingSolid(*db, draw.key, draw.convert, draw.other, kind, pieces)) return kLispOk;
    if (!pieces.answer.empty()) {
        acedRetStr(pieces.answer.c_str());
        return kLispOk;
    }
    static const char* const names[3] = {"Solid", "Transition1", "Transition2"};
    returnPieces(names, pieces);
    return kLispOk;
}

namespace {

// The shared body of the functions that build one kind of piece for a duct
// key: read the arguments, build, answer the pieces by name.
using PieceBuilder = bool (*)(DuctDbRecord&, int32_t, bool, int, DuctSolids&);
LispStatus drawPiecesWith(PieceBuilder build, const char* const (&names)[3]) {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    DrawArgs draw;
    if (!readDrawArgs(cur, draw)) return kLispWrongType;
    DuctDbRecord* db = ductRecord();
    if (!db) return kLispOk;
    DuctSolids pieces;
    if (!build(*db, draw.key, draw.convert, draw.other, pieces)) return kLispOk;
    returnPieces(names, pieces);
    return kLispOk;
}

} // namespace

LispStatus drawTripleCenter() {
    static const char* const names[3] = {"duct", "transition", ""};
    return drawPiecesWith(buildDuctSolid, names);
}

LispStatus drawTripleDiffuser() {
    static const char* const names[3] = {"diffuser", "", ""};
    return drawPiecesWith(buildDiffuserConnection, names);
}

LispStatus solidUnion() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectId firstId, secondId;
    if (!argEntity(cur, firstId) || !argEntity(cur, secondId)) return kLispWrongType;
    OpenSolid first(firstId, AcDb::kForWrite);
    if (!first.solid) return kLispWrongType;
    OpenSolid second(secondId, AcDb::kForWrite);
    if (!second.solid) return kLispWrongType;
    if (first.solid->doUnion(second.solid)) second.solid->erase();
    return kLispOk;
}

LispStatus solidSlice() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    resbuf* set = cur.node();
    if (!set || set->restype != RTPICKS) return kLispOk;
    cur.next();
    AcGePoint3d points[4];
    for (AcGePoint3d& point : points)
        if (!argPoint3d(cur, point)) return kLispOk;
    int32_t count = 0;
    if (acedSSLength(set->resval.rlname, &count) != RTNORM) return kLispOk;
    for (int32_t i = 0; i < count; ++i) {
        ads_name name;
        AcDbObjectId id;
        if (acedSSName(set->resval.rlname, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk) continue;
        OpenSolid piece(id, AcDb::kForWrite);
        if (piece.solid) piece.solid->sliceFirst(points[0], points[1], points[2], points[3]);
    }
    acedRetT();
    return kLispOk;
}

LispStatus explodeSolid() {
    acedRetNil();
    LispArgs args;
    ArgCursor cur(args);
    AcDbObjectId id;
    if (!argEntity(cur, id)) return kLispWrongType;
    AcDbVoidPtrArray faces;
    {
        OpenSolid piece(id, AcDb::kForRead);
        if (!piece.solid) return kLispWrongType;
        if (piece.solid->explode(faces) != Acad::eOk) return kLispOk;
    }
    ResultList list;
    for (void* item : faces) {
        auto* face = static_cast<AcDbEntity*>(item);
        if (!appendToModelSpace(face)) continue;
        const AcDbObjectId faceId = face->objectId();
        face->close();
        if (!list.started()) list.begin();
        list.addStringEntity("FACE", &faceId);
    }
    if (list.started()) list.finish();
    return kLispOk;
}
