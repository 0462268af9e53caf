// The display of a custom entity, recorded, becomes standard entities: a
// polyline or polygon an LWPOLYLINE, an arc a one-segment LWPOLYLINE with
// its bulge, a circle a CIRCLE, a text a TEXT, an mtext an MTEXT.
#include "database/io/ExplodeCustom.h"

#include <cmath>
#include <memory>
#include <vector>

#include "database/dbcircle.h"
#include "database/dbdatabase.h"
#include "database/dbmtext.h"
#include "database/dbpolyline.h"
#include "database/dbsymtab.h"
#include "database/dbtext.h"
#include "database/io/DrawingObjects.h"
#include "database/io/FileProxyEntity.h"
#include "database/io/ProxyGraphics.h"
#include "graphics/AcGiRecordingContext.h"

namespace orv::io {

namespace {

// A flat polyline in world plan (the display of the module is in plan).
AcDbPolyline* planPolyline(const std::vector<AcGePoint3d>& points, bool closed) {
    auto* p = new AcDbPolyline();
    for (unsigned i = 0; i < points.size(); ++i) p->addVertexAt(i, AcGePoint2d(points[i].x, points[i].y));
    p->setClosed(closed);
    return p;
}

std::vector<AcDbEntity*> standardEntitiesOf(const AcGiRecordingContext& recording) {
    std::vector<AcDbEntity*> out;
    for (const AcGiRecord& r : recording.records()) {
        AcDbEntity* e = nullptr;
        if ((r.kind == "polyline" || r.kind == "polygon") && r.points.size() >= 2) {
            e = planPolyline(r.points, r.kind == "polygon");
        } else if (r.kind == "circle") {
            e = new AcDbCircle(r.position, r.normal, r.radius);
        } else if (r.kind == "arc") {
            const AcGeVector3d start = r.direction.normal() * r.radius;
            const double a0 = std::atan2(start.y, start.x);
            const double a1 = a0 + (r.normal.z < 0 ? -r.sweep : r.sweep);
            const AcGePoint3d from(r.position.x + r.radius * std::cos(a0), r.position.y + r.radius * std::sin(a0), r.position.z);
            const AcGePoint3d to(r.position.x + r.radius * std::cos(a1), r.position.y + r.radius * std::sin(a1), r.position.z);
            auto* p = planPolyline({from, to}, false);
            p->setBulgeAt(0, std::tan((a1 - a0) / 4.0));
            e = p;
        } else if (r.kind == "text") {
            const double rotation = std::atan2(r.direction.y, r.direction.x);
            auto* t = new AcDbText(r.position, r.text.c_str(), AcDbObjectId(), r.height, rotation);
            if (r.width > 0) t->setWidthFactor(r.width);
            e = t;
        } else if (r.kind == "mtext") {
            auto* m = new AcDbMText();
            m->setLocation(r.position);
            m->setTextHeight(r.height);
            if (r.width > 0) m->setWidth(r.width);
            m->setDirection(r.direction);
            if (r.attachment >= 1 && r.attachment <= 9)
                m->setAttachment(static_cast<AcDbMText::AttachmentPoint>(r.attachment));
            m->setContents(r.text.c_str());
            e = m;
        }
        if (!e) continue;
        if (!r.traits.layer.isNull()) e->setLayer(r.traits.layer, false);
        e->setColorIndex(r.traits.color, false);
        out.push_back(e);
    }
    return out;
}

bool isCustom(const AcDbEntity* entity) {
    return filedClassOf(entity).isCustom && !AcDbFileProxyEntity::cast(entity);
}

}  // namespace

int explodeCustomEntities(AcDbDatabase* db, std::string& message) {
    AcDbSymbolTable* table = nullptr;
    if (!db || acdbOpenObject(table, db->blockTableId(), AcDb::kForRead) != Acad::eOk) {
        message = "the drawing has no block table";
        return -1;
    }
    const std::vector<AcDbObjectId> blocks = table->recordIds();
    table->close();
    int replaced = 0;
    for (AcDbObjectId blockId : blocks) {
        AcDbBlockTableRecord* block = nullptr;
        if (acdbOpenObject(block, blockId, AcDb::kForWrite) != Acad::eOk) continue;
        const std::vector<AcDbObjectId> ids = block->entityIds();
        for (AcDbObjectId id : ids) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenObject(entity, id, AcDb::kForWrite) != Acad::eOk) continue;
            if (!isCustom(entity)) {
                entity->close();
                continue;
            }
            AcGiRecordingContext recording(false);
            SavedGraphics saved(entity);
            recording.draw(&saved);
            const AcDbObjectId layer = entity->layerId();
            std::vector<AcDbEntity*> parts = standardEntitiesOf(recording);
            for (AcDbEntity* part : parts) {
                if (part->layerId().isNull() || part->layerId() == db->layerZero()) part->setLayer(layer, false);
                if (block->appendAcDbEntity(part) == Acad::eOk) part->close();
                else delete part;
            }
            entity->erase();
            entity->close();
            ++replaced;
        }
        block->close();
    }
    return replaced;
}

}  // namespace orv::io
