// The diffuser records of a project: schedules (tblDiffS), placed diffusers
// (tblDiffL), schedule groups (tblDiffSGroup), read by key; the shape code of
// a diffuser block (tblDwgDiff) and where a placed diffuser stands.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/AcGePoint3d.h"
#include "geometry/AcGeVector3d.h"
#include "project/DbRecord.h"

// A row read by key and only read: text is right-trimmed, a null value reads
// as 0 or empty and keeps its null flag, a boolean is true only for -1.
class DiffuserRecord {
public:
    enum class Table { kSchedule, kPlacement, kScheduleGroup };
    DiffuserRecord(IProjectDatabasePtr db, Table table);

    // Seeks the row with the key; false when there is none (all fields null).
    // Database failures raise _com_error.
    bool read(int32_t key);
    bool found() const { return mRecord.found(); }

    bool isNull(std::wstring_view field) const;
    int32_t integer(std::wstring_view field) const;
    double real(std::wstring_view field) const;
    std::string text(std::wstring_view field) const;
    bool flag(std::wstring_view field) const;

private:
    DbRecord mRecord;
    std::wstring mIndex;
};

// The shape code a 3D diffuser is built with: 0 rectangular, 1 round,
// 2 slot, 3 sidewall; 1 for a missing block or an unknown type.
int blockShapeCode(IProjectDatabasePtr& db, int32_t ixDwgDiff);

struct DiffuserPlacement {
    AcGePoint3d position;
    double angle = 0.0;
    AcGeVector3d xAxis, yAxis, zAxis;
};

// Where a placed diffuser (a tblDiffL row) stands. With convert, position
// and angle go through the product's "convert_rp_dp" and "convert_ra_da";
// an answer of the wrong kind keeps the project value. A tilt of 180 turns
// the diffuser over (X and Z axes reversed).
DiffuserPlacement diffuserPlacement(const DiffuserRecord& placed, bool convert);
