// Diffuser records, the block shape code and the diffuser placement.
#include "project/DiffuserRecords.h"

#include <cmath>
#include <cstdlib>

#include "ads/ads.h"
#include "com/bstr.h"
#include "integration/LispCallbacks.h"

namespace {

const wchar_t* tableName(DiffuserRecord::Table table) {
    switch (table) {
    case DiffuserRecord::Table::kSchedule: return L"tblDiffS";
    case DiffuserRecord::Table::kPlacement: return L"tblDiffL";
    default: return L"tblDiffSGroup";
    }
}

const wchar_t* keyName(DiffuserRecord::Table table) {
    switch (table) {
    case DiffuserRecord::Table::kSchedule: return L"ixDiffS";
    case DiffuserRecord::Table::kPlacement: return L"ixDiffL";
    default: return L"ixDiffSGroup";
    }
}

}  // namespace

DiffuserRecord::DiffuserRecord(IProjectDatabasePtr db, Table table)
    : mRecord(std::move(db), tableName(table), keyName(table)), mIndex(keyName(table)) {}

bool DiffuserRecord::read(int32_t key) { return mRecord.read(mIndex, _variant_t(static_cast<int>(key))); }

bool DiffuserRecord::isNull(std::wstring_view field) const {
    return !mRecord.number(field) && !mRecord.text(field);
}

// A number kept as text (some older projects do) is read as its number.
double DiffuserRecord::real(std::wstring_view field) const {
    if (std::optional<double> n = mRecord.number(field)) return *n;
    if (std::optional<std::wstring> t = mRecord.text(field)) return std::wcstod(t->c_str(), nullptr);
    return 0.0;
}

int32_t DiffuserRecord::integer(std::wstring_view field) const {
    return static_cast<int32_t>(std::trunc(real(field)));
}

std::string DiffuserRecord::text(std::wstring_view field) const {
    if (std::optional<std::wstring> t = mRecord.text(field)) return wideToUtf8(*t);
    if (std::optional<double> n = mRecord.number(field)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%g", *n);
        return buf;
    }
    return "";
}

bool DiffuserRecord::flag(std::wstring_view field) const { return mRecord.integer(field).value_or(0) == -1; }

int blockShapeCode(IProjectDatabasePtr& db, int32_t ixDwgDiff) {
    DbRecord block(db, L"tblDwgDiff", L"ixDwgDiff");
    if (!block.read(L"ixDwgDiff", _variant_t(static_cast<int>(ixDwgDiff)))) return 1;
    switch (block.integer(L"iBlockType").value_or(-1)) {
    case 0: return 0;  // rectangular
    case 2: return 3;  // sidewall
    case 3: return 2;  // slot
    default: return 1; // round and anything unknown
    }
}

DiffuserPlacement diffuserPlacement(const DiffuserRecord& placed, bool convert) {
    DiffuserPlacement p;
    p.position = AcGePoint3d(placed.real(L"X"), placed.real(L"Y"), placed.real(L"Z"));
    p.angle = placed.real(L"ROTATION");
    if (convert) {
        int32_t unit = placed.integer(L"iAlignmentPointNumber");
        LispCallResult answer;
        resbuf* args = acutBuildList(RTLB, RTREAL, p.position.x, RTREAL, p.position.y, RTREAL, p.position.z, RTLE,
                                     RTLONG, unit, 0);
        if (invokeLispExpecting("convert_rp_dp", args, RT3DPOINT, answer)) {
            const ads_real* q = answer.list()->resval.rpoint;
            p.position = AcGePoint3d(q[0], q[1], q[2]);
        }
        LispCallResult turned;
        if (invokeLispExpecting("convert_ra_da", acutBuildList(RTREAL, p.angle, RTLONG, unit, 0), RTREAL, turned))
            p.angle = resultNumber(turned.list()).value_or(p.angle);
    }
    p.xAxis = AcGeVector3d(std::cos(p.angle), std::sin(p.angle), 0.0);
    p.zAxis = AcGeVector3d(0.0, 0.0, 1.0);
    if (placed.real(L"TILT") == 180.0) {
        p.xAxis = -p.xAxis;
        p.zAxis = -p.zAxis;
    }
    p.yAxis = p.xAxis.crossProduct(p.zAxis);
    return p;
}
