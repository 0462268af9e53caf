// Shared steps of the functions that draw and edit duct networks: new rows
// that carry their end points and drawing, the duct layer, reverse arrows,
// and plan comparisons.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "database/dbid.h"
#include "ducts/ZkDuctDbInfo.h"
#include "geometry/AcGePoint3d.h"
#include "geometry/AcGeVector3d.h"

class DuctDbRecord;
class ZkDuct;
class AcDbDatabase;

// The name of the current drawing as rows store it in DRAWING.
std::string currentDrawingName();
// A drawing point in project coordinates: the product's "convert_rp_dp"
// taken back (it is affine); the point itself when the product has none.
AcGePoint3d drawingToProject(const AcGePoint3d& point, int32_t unit);

// A new tblDuct row for a duct from start to end (drawing points) in the
// record's layer system; answers its key, 0 when the database refused it.
int32_t newDuctRow(DuctDbRecord& db, const ZkDuctDbInfo& record, const AcGePoint3d& start, const AcGePoint3d& end);
// Sets the record's Z1 and Z2 (which CopyInto carries) to the project
// elevations of the duct's drawing points.
void setRecordElevations(ZkDuctDbInfo& record, const AcGePoint3d& start, const AcGePoint3d& end);
// Moves row `key`'s stored ends to the duct's (drawing) points.
bool storeDuctEnds(DuctDbRecord& db, int32_t key, const AcGePoint3d& start, const AcGePoint3d& end);
// Removes a row whose entity could not be added (keeps table and drawing in
// step after a failure).
void dropDuctRow(DuctDbRecord& db, int32_t key);

// Layer by the record's AIRFLOW and layer system, size-for text and the
// reverse-arrows rule ("ea"/"ra" ducts follow "REVERSEARROWS").
void dressNewDuct(DuctDbRecord& db, ZkDuct* duct, const ZkDuctDbInfo& record);
// Appends a duct to model space; answers its id, null when it was refused
// (the entity is then deleted).
AcDbObjectId appendDuct(ZkDuct* duct);

bool samePlanPoint(const AcGePoint3d& a, const AcGePoint3d& b);
// The normal of the current UCS (x axis cross y axis, normalised).
AcGeVector3d currentUcsNormal();
