// The project database side of a project: its connection and the shared
// record objects (global settings, layer keys, layers, text styles).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "project/DbConnection.h"
#include "project/DbRecord.h"
#include "project/DiffuserRecords.h"
#include "project/DuctDefaults.h"

namespace hvac {
class CoolingLoadRecord;
class HeatingLoadRecord;
}

class AcDbDatabase;

inline constexpr const char* kProductKey = "zk_hvac";

class ProjectDatabaseData {
public:
    explicit ProjectDatabaseData(std::string folder);
    ~ProjectDatabaseData();

    // Connects at project open when the drawing's model space carries the
    // mark ("ORVANE" extended data: "ZK_HVAC" followed by "YES").
    void connectIfMarked(AcDbDatabase* drawing);
    // Answers whether the connection is open, connecting first when needed,
    // and creates the missing record objects. Prints the connection error
    // when messages is true.
    bool makeReady(bool messages);
    // Discards the record objects (after ResetSession), drops the held duct
    // defaults and closes the database; the interface stays until the next
    // connection replaces it.
    void disconnect();

    DbConnection& connection() { return mConnection; }
    DbRecord* globalRecord() { return mGlobal.get(); }
    DbRecord* layerKeyRecord() { return mLayerKey.get(); }
    DbRecord* layerRecord() { return mLayer.get(); }
    DbRecord* textStyleRecord() { return mTextStyle.get(); }
    // The load result records (null until the connection is open).
    hvac::CoolingLoadRecord* coolingLoadRecord() { return mCoolingLoad.get(); }
    hvac::HeatingLoadRecord* heatingLoadRecord() { return mHeatingLoad.get(); }
    // The diffuser records: placed diffusers, schedules, blocks (null until
    // the connection is open).
    DiffuserRecord* diffuserPlacementRecord() { return mDiffuserPlacement.get(); }
    DiffuserRecord* diffuserScheduleRecord() { return mDiffuserSchedule.get(); }
    DbRecord* diffuserBlockRecord() { return mDiffuserBlock.get(); }
    // The duct defaults, read from the project on first use after each
    // connection (zeros without an open connection, not held then).
    const DuctDefaults& ductDefaults();
    // Drops the held duct defaults so the next use reads them again (after
    // the options dialog has saved the project's settings).
    void refreshDuctDefaults() { mDuctDefaults.reset(); }

private:
    void createRecords();
    std::string mFolder;
    DbConnection mConnection;
    std::unique_ptr<DbRecord> mGlobal, mLayerKey, mLayer, mTextStyle;
    std::unique_ptr<hvac::CoolingLoadRecord> mCoolingLoad;
    std::unique_ptr<hvac::HeatingLoadRecord> mHeatingLoad;
    std::unique_ptr<DiffuserRecord> mDiffuserPlacement, mDiffuserSchedule;
    std::unique_ptr<DbRecord> mDiffuserBlock;
    std::optional<DuctDefaults> mDuctDefaults;
    DuctDefaults mNoDefaults;
};

// True when the drawing's model space carries the connection mark.
bool drawingIsMarked(AcDbDatabase* drawing);
// Sets the connection mark on the drawing's model space.
bool markDrawing(AcDbDatabase* drawing);
// "\nCannot connect to the HVAC database (Connection Error Code 1)." and its
// siblings, by product key.
std::string connectErrorMessage(const std::string& key);
