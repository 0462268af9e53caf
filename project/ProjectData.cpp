// Project database connection of a project and its shared record objects.
#include "project/ProjectData.h"

#include <cstring>

#include "ads/ads.h"
#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "loads/LoadResultRecords.h"

namespace {

const char* kMarkApp = "ORVANE";
const char* kMarkKey = "ZK_HVAC";

} // namespace

std::string connectErrorMessage(const std::string& key) {
    if (key == "zk_elec") return "\nCannot connect to the electrical database (Connection Error Code 1).";
    if (key == "zk_plumb") return "\nCannot connect to the plumbing database (Connection Error Code 1).";
    return "\nCannot connect to the HVAC database (Connection Error Code 1).";
}

bool drawingIsMarked(AcDbDatabase* drawing) {
    if (!drawing) return false;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, drawing->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return false;
    resbuf* xdata = space->xData(kMarkApp);
    space->close();
    bool marked = false;
    for (resbuf* rb = xdata; rb && !marked; rb = rb->rbnext) {
        if (rb->restype != 1000 || !rb->resval.rstring || std::strcmp(rb->resval.rstring, kMarkKey) != 0) continue;
        resbuf* next = rb->rbnext;
        marked = next && next->restype == 1000 && next->resval.rstring && std::strcmp(next->resval.rstring, "YES") == 0;
    }
    acutRelRb(xdata);
    return marked;
}

bool markDrawing(AcDbDatabase* drawing) {
    if (!drawing) return false;
    drawing->registerApp(kMarkApp);
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, drawing->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return false;
    resbuf* xdata = acutBuildList(1001, kMarkApp, 1000, kMarkKey, 1000, "YES", 0);
    Acad::ErrorStatus es = space->setXData(xdata);
    acutRelRb(xdata);
    space->close();
    return es == Acad::eOk;
}

ProjectDatabaseData::ProjectDatabaseData(std::string folder) : mFolder(std::move(folder)) {}
ProjectDatabaseData::~ProjectDatabaseData() = default;

void ProjectDatabaseData::createRecords() {
    IProjectDatabasePtr& db = mConnection.database();
    if (!mGlobal) mGlobal = std::make_unique<DbRecord>(db, L"tblGlobal", L"ixGlobal");
    if (!mLayerKey) mLayerKey = std::make_unique<DbRecord>(db, L"tblLayerKey", L"ixLayerKey");
    if (!mLayer) mLayer = std::make_unique<DbRecord>(db, L"tblLayer", L"ixLayer");
    if (!mTextStyle) mTextStyle = std::make_unique<DbRecord>(db, L"tblTextStyle", L"ixTextStyle");
    if (!mCoolingLoad) mCoolingLoad = std::make_unique<hvac::CoolingLoadRecord>(db);
    if (!mHeatingLoad) mHeatingLoad = std::make_unique<hvac::HeatingLoadRecord>(db);
    if (!mDiffuserPlacement)
        mDiffuserPlacement = std::make_unique<DiffuserRecord>(db, DiffuserRecord::Table::kPlacement);
    if (!mDiffuserSchedule) mDiffuserSchedule = std::make_unique<DiffuserRecord>(db, DiffuserRecord::Table::kSchedule);
    if (!mDiffuserBlock) mDiffuserBlock = std::make_unique<DbRecord>(db, L"tblDwgDiff", L"ixDwgDiff");
}

void ProjectDatabaseData::connectIfMarked(AcDbDatabase* drawing) {
    if (!drawingIsMarked(drawing)) return;
    if (mConnection.connect(mFolder, kProductKey, false)) {
        mDuctDefaults.reset();
        createRecords();
    }
}

bool ProjectDatabaseData::makeReady(bool messages) {
    bool open = mConnection.isOpen();
    if (!open) {
        mConnection.connect(mFolder, kProductKey, messages);
        open = mConnection.isOpen();
        mDuctDefaults.reset();  // a new connection reads its own
    }
    if (!open) {
        if (messages) {
            acutPrintf("%s", connectErrorMessage(kProductKey).c_str());
            if (!mConnection.failureCause().empty()) acutPrintf("\nCause: %s.", mConnection.failureCause().c_str());
        }
        return false;
    }
    createRecords();
    return true;
}

const DuctDefaults& ProjectDatabaseData::ductDefaults() {
    if (mDuctDefaults) return *mDuctDefaults;
    if (!mConnection.isOpen()) return mNoDefaults;
    try {
        mDuctDefaults = readDuctDefaults(mConnection.database());
    } catch (const _com_error&) {
        reportDatabaseError(mConnection.database());
        return mNoDefaults;
    }
    return *mDuctDefaults;
}

void ProjectDatabaseData::disconnect() {
    IProjectDatabasePtr& db = mConnection.database();
    mDuctDefaults.reset();
    try {
        if (db) db.ResetSession();
        mGlobal.reset();
        mLayerKey.reset();
        mLayer.reset();
        mTextStyle.reset();
        mCoolingLoad.reset();
        mHeatingLoad.reset();
        mDiffuserPlacement.reset();
        mDiffuserSchedule.reset();
        mDiffuserBlock.reset();
        if (db && db.IsOpen()) db.Close();
    } catch (const _com_error&) {
        reportDatabaseError(db);
    }
}
