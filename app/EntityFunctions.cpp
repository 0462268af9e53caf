// Host functions for scripts over entities: the entity list functions, saving
// and rendering, and the editor's entity protocol (draw, grips, stretch,
// transform, snaps, explode, extents, list).
#include <cstdio>
#include <cstring>
#include <map>

#include "app/DrawingFiles.h"
#include "app/ExportCommand.h"
#include "app/HostSession.h"
#include "app/IsoRender.h"
#include "app/ModelSpace.h"
#include "database/dbdatabase.h"
#include "database/dbentity.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/dxfcode.h"
#include "geometry/AcGeLimits.h"
#include "database/io/EntityLists.h"
#include "graphics/AcGiRecordingContext.h"
#include "lisp/AdsConvert.h"
#include "lisp/AdsHost.h"
#include "runtime/docman.h"
#include "solid/zk_hvacSolid.h"

using lisp::Args;
using lisp::Interpreter;
using lisp::Ref;

namespace {

[[noreturn]] void badArgument(const char* predicate, const Ref& value) {
    lisp::raiseError(std::string("bad argument type: ") + predicate + " " + Interpreter::prin1Text(value));
}

void enameArg(Args args, std::size_t index, ads_name name) {
    if (index >= args.size() || !lisp::isType(args[index], lisp::Type::Ename))
        badArgument("lentityp", index < args.size() ? args[index] : nullptr);
    name[0] = args[index]->u.name[0];
    name[1] = args[index]->u.name[1];
}

std::string stringArg(Args args, std::size_t index) {
    if (index >= args.size() || !lisp::isType(args[index], lisp::Type::Str))
        badArgument("stringp", index < args.size() ? args[index] : nullptr);
    return args[index]->str;
}

AcGePoint3d pointArg(Args args, std::size_t index) {
    if (index >= args.size()) badArgument("pointp", nullptr);
    std::vector<Ref> items = lisp::listItems(args[index]);
    if (items.size() < 2 || items.size() > 3) badArgument("pointp", args[index]);
    double c[3] = {0, 0, 0};
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!lisp::isNumber(items[i])) badArgument("pointp", args[index]);
        c[i] = lisp::numberValue(items[i]);
    }
    return {c[0], c[1], c[2]};
}

AcDbIntArray indicesArg(Args args, std::size_t index) {
    AcDbIntArray indices;
    if (index >= args.size()) return indices;
    for (const Ref& item : lisp::listItems(args[index])) {
        if (!lisp::isType(item, lisp::Type::Int)) badArgument("fixnump", item);
        indices.push_back(item->u.i);
    }
    return indices;
}

Ref pointValue(const AcGePoint3d& p) {
    return Interpreter::list({Interpreter::real(p.x), Interpreter::real(p.y), Interpreter::real(p.z)});
}

Ref pointsValue(const AcGePoint3dArray& points) {
    std::vector<Ref> items;
    for (const auto& p : points) items.push_back(pointValue(p));
    return Interpreter::list(items);
}

Ref enameValue(AcDbObjectId id) {
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return nullptr;
    return Interpreter::ename(name);
}

// Opens the entity named by argument `index`; raises an AutoLISP error when
// it is not a live entity.
class OpenedEntity {
public:
    OpenedEntity(Args args, std::size_t index, AcDb::OpenMode mode) {
        ads_name name;
        enameArg(args, index, name);
        AcDbObjectId id;
        if (acdbGetObjectId(id, name) != Acad::eOk || acdbOpenObject(mEntity, id, mode) != Acad::eOk)
            lisp::raiseError("bad argument value: not a live entity");
    }
    ~OpenedEntity() { if (mEntity) mEntity->close(); }
    OpenedEntity(const OpenedEntity&) = delete;
    OpenedEntity& operator=(const OpenedEntity&) = delete;
    AcDbEntity* operator->() const { return mEntity; }
    AcDbEntity* get() const { return mEntity; }

private:
    AcDbEntity* mEntity = nullptr;
};

// (host-move-grips E INDICES VECTOR) and (host-move-stretch ...): the same
// call on either of the entity's point sets.
using MovePointsCall = Acad::ErrorStatus (AcDbEntity::*)(const AcDbIntArray&, const AcGeVector3d&);
Ref movePoints(Args args, MovePointsCall move) {
    OpenedEntity entity(args, 0, AcDb::kForWrite);
    AcGePoint3d offset = pointArg(args, 2);
    return (entity.get()->*move)(indicesArg(args, 1), offset.asVector()) == Acad::eOk ? Interpreter::t() : nullptr;
}

AcDbDatabase* workingDatabase() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) lisp::raiseError("no current drawing");
    return db;
}

Ref recordValue(const AcGiRecord& r) {
    std::vector<Ref> items{Interpreter::string(r.kind)};
    if (r.kind == "polyline" || r.kind == "polygon") {
        for (const auto& p : r.points) items.push_back(pointValue(p));
    } else if (r.kind == "circle") {
        items.push_back(pointValue(r.position));
        items.push_back(Interpreter::real(r.radius));
    } else if (r.kind == "arc") {
        items.push_back(pointValue(r.position));
        items.push_back(Interpreter::real(r.radius));
        items.push_back(Interpreter::real(r.sweep));
    } else if (r.kind == "text") {
        items.push_back(pointValue(r.position));
        items.push_back(Interpreter::real(r.height));
        items.push_back(Interpreter::string(r.text));
    } else if (r.kind == "insert") {
        items.push_back(Interpreter::string(r.text));
        items.push_back(pointValue(r.position));
        items.push_back(Interpreter::real(r.rotation));
        items.push_back(Interpreter::real(r.scale.sx));
    } else if (r.kind == "mtext") {
        items.push_back(pointValue(r.position));
        items.push_back(Interpreter::string(r.text));
    }
    return Interpreter::list(items);
}

const std::map<std::string, AcDb::OsnapMode>& osnapModes() {
    static const std::map<std::string, AcDb::OsnapMode> modes{
        {"end", AcDb::kOsModeEnd},   {"mid", AcDb::kOsModeMid},   {"cen", AcDb::kOsModeCen},
        {"nod", AcDb::kOsModeNode},  {"qua", AcDb::kOsModeQuad},  {"ins", AcDb::kOsModeIns},
        {"per", AcDb::kOsModePerp},  {"tan", AcDb::kOsModeTan},   {"nea", AcDb::kOsModeNear},
        {"int", AcDb::kOsModeApint}, {"par", AcDb::kOsModePar},   {"sta", AcDb::kOsModeStart},
    };
    return modes;
}

AcGeMatrix3d matrixArg(Args args, std::size_t index) {
    if (index >= args.size()) badArgument("listp", nullptr);
    std::vector<Ref> rows = lisp::listItems(args[index]);
    if (rows.size() != 4) badArgument("matrixp", args[index]);
    AcGeMatrix3d m;
    for (int r = 0; r < 4; ++r) {
        std::vector<Ref> cols = lisp::listItems(rows[r]);
        if (cols.size() != 4) badArgument("matrixp", args[index]);
        for (int c = 0; c < 4; ++c) {
            if (!lisp::isNumber(cols[c])) badArgument("numberp", cols[c]);
            m.entry[r][c] = lisp::numberValue(cols[c]);
        }
    }
    return m;
}

// The first group of an entity list whose number is NaN, infinite or beyond
// ±1e100 (what drawings refuse), described for the error message; "" when
// every number is usable.
std::string unusableNumber(const resbuf* groups) {
    for (const resbuf* rb = groups; rb; rb = rb->rbnext) {
        AcDb::DxfValueType kind = AcDb::dxfValueType(rb->restype);
        int count = kind == AcDb::kDxfPoint ? 3 : kind == AcDb::kDxfReal ? 1 : 0;
        const double* values = kind == AcDb::kDxfPoint ? rb->resval.rpoint : &rb->resval.rreal;
        for (int i = 0; i < count; ++i) {
            if (acgeIsUsableNumber(values[i])) continue;
            char text[64];
            std::snprintf(text, sizeof text, "%g", values[i]);
            return "group " + std::to_string(rb->restype) + " holds " + text;
        }
    }
    return {};
}

} // namespace

void defineEntityFunctions(lisp::Interpreter& lisp, HostSession& session) {
    (void)session;
    lisp.defineBuiltin("entget", [](Args args) -> Ref {
        ads_name name;
        enameArg(args, 0, name);
        resbuf* groups = acdbEntGet(name);
        if (!groups) return nullptr;
        Ref list = lisp::dxfResbufsToList(groups);
        acutRelRb(groups);
        return list;
    }, 1, 2);
    lisp.defineBuiltin("entmake", [](Args args) -> Ref {
        if (args.empty() || !lisp::isCons(args[0])) return nullptr;
        resbuf* groups = lisp::dxfListToResbufs(args[0]);
        if (std::string bad = unusableNumber(groups); !bad.empty()) {
            acutRelRb(groups);
            lisp::raiseError("entmake: " + bad + ", not a finite number within ±1e100; no entity was made");
        }
        int rc = acdbEntMake(groups);
        acutRelRb(groups);
        return rc == RTNORM ? args[0] : nullptr;
    }, 0, 1);
    lisp.defineBuiltin("entlast", [](Args) -> Ref {
        ads_name name;
        return acdbEntLast(name) == RTNORM ? Interpreter::ename(name) : nullptr;
    }, 0, 0);
    lisp.defineBuiltin("entnext", [](Args args) -> Ref {
        ads_name name = {0, 0};
        if (!args.empty() && args[0]) enameArg(args, 0, name);
        ads_name next;
        return acdbEntNext(name, next) == RTNORM ? Interpreter::ename(next) : nullptr;
    }, 0, 1);
    lisp.defineBuiltin("entdel", [](Args args) -> Ref {
        ads_name name;
        enameArg(args, 0, name);
        return acdbEntDel(name) == RTNORM ? args[0] : nullptr;
    }, 1, 1);

    lisp.defineBuiltin("host-save", [](Args args) -> Ref {
        AcDbDatabase* db = workingDatabase();
        AcApDocument* doc = acDocManager->document(db);
        std::string path = args.empty() ? (doc ? doc->fileName() : "")
                                        : HostSession::absolutePath(stringArg(args, 0));
        std::string error;
        if (!saveDrawing(db, path, error)) lisp::raiseError("cannot save " + path + ": " + error);
        return Interpreter::string(path);
    }, 0, 1);
    // (host-render PATH ["iso"]): the plan, or the isometric picture of the
    // solids, as SVG, PNG or PDF by the name.
    lisp.defineBuiltin("host-render", [](Args args) -> Ref {
        std::string path = HostSession::absolutePath(stringArg(args, 0));
        const bool iso = args.size() > 1 && stringArg(args, 1) == "iso";
        std::string error;
        const bool ok = iso ? renderIsometric(workingDatabase(), path, PlotOptions{}, error)
                            : renderModelSpace(workingDatabase(), path, PlotOptions{}, error);
        if (!ok) lisp::raiseError("cannot render " + path + ": " + error);
        return Interpreter::string(path);
    }, 1, 2);
    // (host-export PATH): the working drawing in the format PATH names.
    lisp.defineBuiltin("host-export", [](Args args) -> Ref {
        std::string path = HostSession::absolutePath(stringArg(args, 0));
        const Exporter* exporter = exporterFor(path);
        if (!exporter) lisp::raiseError("cannot export " + path + ": the name must end in one of " + exportExtensions());
        std::string error;
        if (!exporter->write(workingDatabase(), path, ExportOptions{}, error))
            lisp::raiseError("cannot export " + path + ": " + error);
        return Interpreter::string(path);
    }, 1, 1);

    lisp.defineBuiltin("host-draw", [](Args args) -> Ref {
        OpenedEntity entity(args, 0, AcDb::kForRead);
        AcGiRecordingContext context(true);
        context.draw(entity.get());
        std::vector<Ref> items;
        for (const AcGiRecord& r : context.records()) items.push_back(recordValue(r));
        return Interpreter::list(items);
    }, 1, 1);
    lisp.defineBuiltin("host-grips", [](Args args) -> Ref {
        OpenedEntity entity(args, 0, AcDb::kForRead);
        AcGePoint3dArray points;
        AcDbIntArray modes, geomIds;
        if (entity->getGripPoints(points, modes, geomIds) != Acad::eOk) return nullptr;
        return pointsValue(points);
    }, 1, 1);
    lisp.defineBuiltin("host-stretch-points", [](Args args) -> Ref {
        OpenedEntity entity(args, 0, AcDb::kForRead);
        AcGePoint3dArray points;
        if (entity->getStretchPoints(points) != Acad::eOk) return nullptr;
        return pointsValue(points);
    }, 1, 1);
    lisp.defineBuiltin("host-move-grips", [](Args args) { return movePoints(args, &AcDbEntity::moveGripPointsAt); },
                       3, 3);
    lisp.defineBuiltin("host-move-stretch",
                       [](Args args) { return movePoints(args, &AcDbEntity::moveStretchPointsAt); }, 3, 3);
    lisp.defineBuiltin("host-transform", [](Args args) -> Ref {
        AcGeMatrix3d m = matrixArg(args, 1);
        OpenedEntity entity(args, 0, AcDb::kForWrite);
        return entity->transformBy(m) == Acad::eOk ? Interpreter::t() : nullptr;
    }, 2, 2);
    lisp.defineBuiltin("host-osnap", [](Args args) -> Ref {
        std::string modeName = stringArg(args, 1);
        for (auto& c : modeName) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        auto mode = osnapModes().find(modeName.substr(0, 3));
        if (mode == osnapModes().end()) lisp::raiseError("unknown object snap mode " + modeName);
        AcGePoint3d pick = args.size() > 2 ? pointArg(args, 2) : AcGePoint3d();
        AcGePoint3d last = args.size() > 3 ? pointArg(args, 3) : pick;
        OpenedEntity entity(args, 0, AcDb::kForRead);
        AcGePoint3dArray points;
        AcDbIntArray geomIds;
        if (entity->getOsnapPoints(mode->second, 0, pick, last, AcGeMatrix3d(), points, geomIds) != Acad::eOk)
            return nullptr;
        return pointsValue(points);
    }, 2, 4);
    lisp.defineBuiltin("host-explode", [](Args args) -> Ref {
        AcDbVoidPtrArray parts;
        {
            OpenedEntity entity(args, 0, AcDb::kForRead);
            if (entity->explode(parts) != Acad::eOk) return nullptr;
        }
        AcDbDatabase* db = workingDatabase();
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
            for (void* p : parts) delete static_cast<AcDbEntity*>(p);
            lisp::raiseError("model space cannot be opened");
        }
        std::vector<Ref> items;
        for (void* p : parts) {
            auto* part = static_cast<AcDbEntity*>(p);
            AcDbObjectId id;
            if (space->appendAcDbEntity(id, part) != Acad::eOk) {
                delete part;
                continue;
            }
            part->close();
            items.push_back(enameValue(id));
        }
        space->close();
        return Interpreter::list(items);
    }, 1, 1);
    lisp.defineBuiltin("host-extents", [](Args args) -> Ref {
        OpenedEntity entity(args, 0, AcDb::kForRead);
        AcDbExtents extents;
        if (entity->getGeomExtents(extents) != Acad::eOk) return nullptr;
        return Interpreter::list({pointValue(extents.minPoint()), pointValue(extents.maxPoint())});
    }, 1, 1);
    // (VOLUME (MIN) (MAX) (CENTROID)) of a duct solid; nil for anything else.
    lisp.defineBuiltin("host-massprop", [](Args args) -> Ref {
        OpenedEntity entity(args, 0, AcDb::kForRead);
        const zk_hvacSolid* solid = zk_hvacSolid::cast(entity.get());
        zkSolidMassProps props;
        if (!solid || !solid->getMassProps(props)) return nullptr;
        return Interpreter::list({lisp::makeReal(props.volume), pointValue(props.minPoint),
                                  pointValue(props.maxPoint), pointValue(props.centroid)});
    }, 1, 1);
    lisp.defineBuiltin("host-list", [](Args args) -> Ref {
        OpenedEntity entity(args, 0, AcDb::kForRead);
        entity->list();
        return nullptr;
    }, 1, 1);
}
