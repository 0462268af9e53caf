// Starting rows of a project database.
#include "projectdb/seeddata.h"

#include <string>
#include <vector>

#include "projectdb/sqliteconnection.h"

namespace projectdb {
namespace {

struct LayerSeed {
    const char* key;
    const char* layer;
    int color;
};

// Layer keys the module resolves, each with its own layer.
const LayerSeed kLayers[] = {
    {"ROOM OUTLINES", "HVAC-ROOM-OUTLINE", 8}, {"ROOM LABELS", "HVAC-ROOM-LABEL", 7},
    {"ROOM LEADER", "HVAC-ROOM-LEADER", 7},    {"sa", "M-DUCT-SUPPLY", 5},
    {"ra", "M-DUCT-RETURN", 3},                {"oa", "M-DUCT-OUTSIDE-AIR", 4},
    {"ea", "M-DUCT-EXHAUST", 6},               {"DEFAULT", "M-HVAC", 7},
};

struct TextSetting {
    const char* key;
    const char* text;
};
struct NumberSetting {
    const char* key;
    double number;
};

const TextSetting kTextSettings[] = {
    {"AUTOFIT-RC2", "1"}, {"AUTOFIT-RC3", "0"}, {"AUTOFIT-RC4", "0"},
    {"AUTOFIT-RD2", "1"}, {"AUTOFIT-RD3", "2"}, {"AUTOFIT-RD4", "1"},
    {"nextTransparentFitting", "END"}, {"TURNING VANES", "NO"},
    {"SHOW BK", "NO"}, {"REVERSEARROWS", "NO"}, {"SHOW4THROW", "YES"}, {"DIFFCALLOUT", "0"},
    {"DIFFCALLOUT_LOC", "AUTO"}, {"sizeDiffuserRunoutToNeck", "YES"}, {"bDamperFarFromDiffuser", "NO"},
    {"TOP CON", "FLEX"}, {"DCONN-FLEXWIDTH", "SINGLE"}, {"DCONN-HARDWIDTH", "DOUBLE"},
    {"bldg-ASHRAE62", "ASHRAE2010"}, {"bldg-useActualSupplyCFM", "NO"}, {"bldg-setMaxOSAPercent", "NO"},
    {"bldg-fractionalPeople", "NO"}, {"roomsAsZones", "NO"},
    {"ELEVLABEL LEADER LOCATION", "Edge"}, {"ELEVLABEL INCLUDE EXTERIOR", "NO"},
    {"DrawHangers3D", "NO"}, {"MEQ-DRAW3D", "YES"}, {"3d-exportFlex", "YES"}, {"3d-exportDiffusers", "All"},
    {"LEADER ARROW", "_CLOSEDFILLED"}, {"DrawHangers2D", "NO"},
    {"scheduleTitleJustification", "Center"}, {"scheduleColumnJustification", "Center"},
    {"scheduleTitleContinued", "(CONTINUED)"},
};

const NumberSetting kNumberSettings[] = {
    {"ELBOW RADIUS", 1.0}, {"TRANSITION ANGLE", 30.0}, {"MAX SINGLE WIDTH", 0.0}, {"LINING WIDTH", 1.0},
    {"EXTERIOR LINING WIDTH", 1.5}, {"duct-minSize", 4.0}, {"duct-oddBelowRect", 0.0},
    {"duct-oddBelowRound", 0.0}, {"duct-oddBelowOval", 0.0}, {"DCONN-FLEXLENGTH", 60.0},
    {"bldg-reserveHeatRoom", 1.0}, {"bldg-reserveHeatOSA", 1.0}, {"bldg-reserveCoolRoom", 1.0},
    {"bldg-reserveCoolOSA", 1.0}, {"bldg-floorU", 0.0}, {"bldg-maxOSAPercent", 100.0},
    {"3DApproximation", 16.0}, {"ArrowheadSize", 0.1875},
};

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

// Cooling is calculated for the summer months by default.
bool calculatesMonth(int month) { return month >= 5 && month <= 7; }

// Runs one insert with text/number parameters given as strings;
// a parameter starting with '#' binds as a number, a null pointer as null.
bool insertRow(SqlConnection& db, const char* sql, const std::vector<const char*>& params)
{
    std::vector<SqlValue> values;
    for (const char* p : params) {
        if (!p)
            values.emplace_back();
        else if (p[0] == '#')
            values.push_back(SqlValue::ofReal(std::stod(p + 1)));
        else
            values.push_back(SqlValue::ofText(p));
    }
    return runStatement(db, sql, values);
}

std::string number(double value) { return "#" + std::to_string(value); }

// Shortest text of a setting's number, as the options dialog would show it.
std::string numberText(double value)
{
    std::string t = std::to_string(value);
    while (!t.empty() && t.back() == '0') t.pop_back();
    if (!t.empty() && t.back() == '.') t.pop_back();
    return t;
}

}  // namespace

bool seedTable(SqlConnection& db, const std::string& table)
{
    bool rc = true;
    if (table == "tblLayer") {
        for (const LayerSeed& l : kLayers) {
            std::string color = number(l.color);
            rc = insertRow(db,
                           "INSERT INTO tblLayer (sName, iColor, sLinetype, bPlot) "
                           "SELECT CAST(?1 AS TEXT), CAST(?2 AS INTEGER), 'CONTINUOUS', -1 "
                           "WHERE NOT EXISTS (SELECT 1 FROM tblLayer WHERE sName = CAST(?1 AS TEXT))",
                           {l.layer, color.c_str()});
            if (!rc) return false;
        }
    } else if (table == "tblLayerKey") {
        for (const LayerSeed& l : kLayers) {
            rc = insertRow(db,
                           "INSERT INTO tblLayerKey (ixLayerSystem, ixLayer, sKey) "
                           "SELECT CAST(NULL AS INTEGER), ixLayer, CAST(?1 AS TEXT) FROM tblLayer WHERE sName = ?2 LIMIT 1",
                           {l.key, l.layer});
            if (!rc) return false;
        }
    } else if (table == "tblTextStyle") {
        rc = insertRow(db, "INSERT INTO tblTextStyle (sKey, sStyleName, dHeight, dScaleFactor) VALUES (?1, ?2, ?3, 1.0)",
                       {"ROOM LABELS", "SIMPLEX", "#0.125"});
        if (rc)
            rc = insertRow(db,
                           "INSERT INTO tblTextStyle (sKey, sStyleName, dHeight, dScaleFactor) VALUES (?1, ?2, ?3, 1.0)",
                           {"DEFAULT", "SIMPLEX", "#0.1"});
    } else if (table == "tblMonth") {
        for (int m = 0; m < 12 && rc; ++m) {
            std::string month = number(m), flag = number(calculatesMonth(m) ? -1 : 0);
            rc = insertRow(db, "INSERT INTO tblMonth (iMonth, sName, bDoCalculation) VALUES (?1, ?2, ?3)",
                           {month.c_str(), kMonths[m], flag.c_str()});
        }
    } else if (table == "tblGlobal") {
        const char* sql = "INSERT INTO tblGlobal (sKey, bNumeric, sText, dNumber) VALUES (?1, ?2, ?3, ?4)";
        for (const TextSetting& s : kTextSettings) {
            rc = insertRow(db, sql, {s.key, "#0", s.text, nullptr});
            if (!rc) return false;
        }
        // Numbers also carry their text: the module reads settings as text.
        for (const NumberSetting& s : kNumberSettings) {
            std::string value = number(s.number), text = numberText(s.number);
            rc = insertRow(db, sql, {s.key, "#-1", text.c_str(), value.c_str()});
            if (!rc) return false;
        }
        for (int m = 0; m < 12 && rc; ++m) {
            std::string key = "bldg-calculateMonth" + std::to_string(m);
            rc = insertRow(db, sql, {key.c_str(), "#0", calculatesMonth(m) ? "YES" : "NO", nullptr});
        }
    }
    return rc;
}

bool seedAllTables(SqlConnection& db)
{
    for (const char* table : {"tblLayer", "tblLayerKey", "tblTextStyle", "tblMonth", "tblGlobal"})
        if (!seedTable(db, table)) return false;
    return true;
}

static int sqliteCode(sqlite3* db, bool ok)
{
    if (ok) return SQLITE_OK;
    int rc = sqlite3_extended_errcode(db);
    return rc == SQLITE_OK ? SQLITE_ERROR : rc;
}

int seedTable(sqlite3* db, const std::string& table) { return sqliteCode(db, seedTable(*borrowSqlite(db), table)); }

int seedAllTables(sqlite3* db) { return sqliteCode(db, seedAllTables(*borrowSqlite(db))); }

}  // namespace projectdb
