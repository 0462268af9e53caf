// Table definitions of a project database. Each column is written
// "name:kind[default]" where kind is K key, I integer, R real, T text,
// B boolean (-1/0), and "?" after the kind marks a nullable column.
#include "projectdb/schema.h"

#include <cctype>
#include <initializer_list>

namespace projectdb {
namespace {

ColumnDef parseColumn(const std::string& spec)
{
    auto colon = spec.find(':');
    ColumnDef def{spec.substr(0, colon), ColumnKind::Integer, false, "0"};
    std::string rest = spec.substr(colon + 1);
    switch (rest[0]) {
    case 'K': def.kind = ColumnKind::Key; break;
    case 'I': def.kind = ColumnKind::Integer; break;
    case 'R': def.kind = ColumnKind::Real; break;
    case 'T': def.kind = ColumnKind::Text; def.nullable = true; break;
    case 'B': def.kind = ColumnKind::Boolean; break;
    }
    if (rest.size() > 1 && rest[1] == '?') {
        def.nullable = true;
    } else if (rest.size() > 1) {
        def.defaultValue = rest.substr(1);
        def.nullable = false;
    }
    if (def.kind == ColumnKind::Key) def.nullable = false;
    return def;
}

TableDef table(const char* name, std::initializer_list<const char*> columns, std::vector<IndexDef> indexes = {})
{
    TableDef def{name, {}, std::move(indexes)};
    for (const char* c : columns) def.columns.push_back(parseColumn(c));
    return def;
}

std::vector<TableDef> buildTables()
{
    std::vector<TableDef> t;
    t.push_back(table("tblDuct",
        {"ixDuct:K", "ixLayerSystem:I", "WIDTH:R", "DEPTH:R", "FITTING:T' '", "FIT1:T", "FIT2:T", "FIT3:T",
         "FIT4:T", "SIZEMAX:I", "TEXTX:R", "TEXTY:R", "SIZEVAL1:R", "SIZEVAL2:R", "SIZEVAL3:R", "SIZESHAPE:T",
         "bForceVertical:B", "TOTALPRESSURE:R", "STATICPRESSURE:R", "PDROPFROMSTART:R", "PDROPTOEND:R",
         "LASTVELOCITYPRESSURE:R", "PDROPLOCK:R", "LINING:R", "dExteriorLining:R", "TAILLENGTH:R",
         "HEADLENGTH:R", "CFM:R", "HEADLENGTH3D:R", "TAILLENGTH3D:R", "DAMPERLOCATION:R", "CFMDIVERSITY:R1.0",
         "AIRFLOW:T", "SHAPE:T", "OFFSET:T", "VERTICALOFFSET:T", "MATERIAL:T", "DOUBLE_LINE:T", "SIZEFOR:T",
         "DAMPERTYPE:I", "X1:R", "Y1:R", "Z1:R", "X2:R", "Y2:R", "Z2:R", "DISTANCE1:I", "DISTANCE2:I",
         "DRAWING:T", "DRAWING2:T", "bDeleted:B", "iAlignmentPointNumber1:I", "iAlignmentPointNumber2:I",
         "dHangerZ:R120.0", "dHangerSize:R1.0", "dHangerDepth:R1.0", "dHangerStartOffset:R36.0",
         "dHangerSpacing:R1.0", "dHangerEndOffset:R36.0", "dHangerLeftExtension:R", "dHangerRightExtension:R",
         "iHangerType:I"},
        {{"DRAWING", {"DRAWING"}}, {"AIRFLOW", {"AIRFLOW"}}}));
    t.push_back(table("tblDiffL",
        {"ixDiffL:K", "ixDiffS:I", "ixDuct:I", "ixRoomL:I", "ixLayerSystem:I", "AIRFLOW:T", "bDisplayCallout:B",
         "dXCallout:R", "dYCallout:R", "bFlipCalloutArrow:B", "CFM:R", "TILT:R", "CONTYPE:T", "X:R", "Y:R", "Z:R",
         "ROTATION:R", "DRAWING:T", "bDeleted:B", "iAlignmentPointNumber:I"},
        {{"ixDiffS", {"ixDiffS"}}}));
    t.push_back(table("tblDiffS",
        {"ixDiffS:K", "ixDiffSGroup:I", "CALLOUT:T", "ixDwgDiff:I", "WIDTH:R", "LENGTH:R", "NECK:R", "NECK2:R",
         "NOMINAL:T", "MIN_CFM:R", "MAX_CFM:R", "MIN_THROW:R", "MAX_THROW:R", "MAX_NOISE:R", "PDROP:R", "TILT:R",
         "AIRFLOW:T", "CONTYPE:T", "MODEL:T", "NOTES:T", "DESCRP:T", "bShowInSchedule:B"},
        {{"ixDiffSGroup", {"ixDiffSGroup"}}}));
    t.push_back(table("tblDiffSGroup",
        {"ixDiffSGroup:K", "sName:T", "bShowUnused:B", "sScheduleNote:T", "dMaxHeight:R?"}));
    t.push_back(table("tblDwgDiff",
        {"ixDwgDiff:K", "iSortOrder:I", "sDescription:T", "iBlockNumber:I", "iBlockType:I"},
        {{"iSortOrder", {"iSortOrder"}}}));
    t.push_back(table("tblGlobal", {"ixGlobal:K", "sKey:T", "bNumeric:B", "sText:T", "dNumber:R?"},
        {{"sKey", {"sKey"}}}));
    t.push_back(table("tblLayer",
        {"ixLayer:K", "sName:T", "iColor:I?", "sLinetype:T'CONTINUOUS'", "bPlot:B-1", "sLineweight:T",
         "sPlotstyle:T", "bRGBColor:B", "iRed:I", "iGreen:I", "iBlue:I"}));
    t.push_back(table("tblLayerKey", {"ixLayerKey:K", "ixLayerSystem:I?", "ixLayer:I", "sKey:T"},
        {{"isxLayerSystemKey", {"ixLayerSystem", "sKey"}}}));
    t.push_back(table("tblTextStyle", {"ixTextStyle:K", "sKey:T", "sStyleName:T", "dHeight:R?", "dScaleFactor:R1.0"},
        {{"sKey", {"sKey"}}}));
    t.push_back(table("tblMonth", {"ixMonth:K", "iMonth:I", "sName:T", "bDoCalculation:B"},
        {{"iMonth", {"iMonth"}}}));
    t.push_back(table("tblLoadRoomCooling",
        {"ixLoadRoomCooling:K", "ixRoomL:I?", "ixZone:I?", "iMonth:I", "iHour:I", "dRoof:R", "dRoofPlenum:R",
         "dFloor:R", "dWall:R", "dWallPlenum:R", "dDoor:R", "dGlass:R", "dWallPartition:R",
         "dWallPlenumPartition:R", "dDoorPartition:R", "dGlassPartition:R", "dInfiltrationSensible:R",
         "dInfiltrationLatent:R", "dVentilationSensible:R", "dVentilationLatent:R", "dVentilation62Sensible:R",
         "dVentilation62Latent:R", "iCoolingCFM:I", "iOSACFM:I", "iOSA62CFM:I", "dLights:R", "dLightsPlenum:R",
         "dEquipmentLatent:R", "dEquipmentSensible:R", "dPeopleLatent:R", "dPeopleSensible:R",
         "dRoomTemperature:R", "dRoomHumidity:R", "dRoomTotalSensible:R", "dRoomTotalLatent:R", "dRoomTotal:R",
         "dPlenumTotal:R", "dSystemTotalSensible:R", "dSystemTotalLatent:R", "dSystemTotal:R",
         "dSystem62TotalSensible:R", "dSystem62TotalLatent:R", "dSystem62Total:R", "dArea:R", "dPeople:R",
         "dVentilationLatentPeople:R", "dVentilationSensiblePeople:R", "dPeopleRatio:R",
         "dVentilationIMCSensible:R", "dVentilationIMCLatent:R", "iOSAIMCCFM:I", "iOSAPeopleCFM:I",
         "dSystemIMCTotalSensible:R", "dSystemIMCTotalLatent:R", "dSystemIMCTotal:R",
         "dOSACriticalPercentageIMC:R", "dOSACorrectedPercentageIMC:R", "dOSASystemEfficiency62:R"},
        {{"ixRoomLiMonthiHour", {"ixRoomL", "iMonth", "iHour"}}, {"ixZoneiMonthiHour", {"ixZone", "iMonth", "iHour"}}}));
    t.push_back(table("tblLoadRoomHeating",
        {"ixLoadRoomHeating:K", "ixRoomL:I?", "ixZone:I?", "dRoof:R", "dRoofPlenum:R", "dWall:R", "dWallPlenum:R",
         "dDoor:R", "dGlass:R", "dWallPartition:R", "dWallPlenumPartition:R", "dDoorPartition:R",
         "dGlassPartition:R", "dSlab:R", "dEquipment:R", "dFloor:R", "dInfiltration:R", "dVentilation:R",
         "dVentilation62:R", "iHeatingCFM:I", "iOSACFM:I", "iOSA62CFM:I", "dRoomTotal:R", "dPlenumTotal:R",
         "dSystemTotal:R", "dSystem62Total:R", "dArea:R", "dVentilationPeople:R", "dPeople:R", "dPeopleRatio:R",
         "dVentilationIMC:R", "iOSAIMCCFM:I", "iOSAPeopleCFM:I", "dSystemIMCTotal:R",
         "dOSACriticalPercentageIMC:R", "dOSACorrectedPercentageIMC:R", "dOSASystemEfficiency62:R"},
        {{"ixRoomL", {"ixRoomL"}}, {"ixZone", {"ixZone"}}}));
    return t;
}

}  // namespace

const std::vector<TableDef>& projectTables()
{
    static const std::vector<TableDef> tables = buildTables();
    return tables;
}

const TableDef* findTableDef(const std::string& name)
{
    for (const auto& t : projectTables())
        if (t.name == name) return &t;
    return nullptr;
}

std::string sqlIndexName(const std::string& table, const std::string& index) { return table + "_" + index; }

const char* declaredType(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Key: return "INTEGER";
    case ColumnKind::Integer: return "INTEGER";
    case ColumnKind::Real: return "REAL";
    case ColumnKind::Text: return "TEXT";
    case ColumnKind::Boolean: return "BOOLEAN";
    }
    return "";
}

ColumnKind kindFromDeclaredType(const std::string& declared, bool primaryKey)
{
    std::string t;
    for (char c : declared) t += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (primaryKey && t == "INTEGER") return ColumnKind::Key;
    if (t.find("BOOL") != std::string::npos || t == "BIT" || t == "YESNO") return ColumnKind::Boolean;
    if (t.find("INT") != std::string::npos) return ColumnKind::Integer;
    if (t.find("CHAR") != std::string::npos || t.find("TEXT") != std::string::npos || t.find("CLOB") != std::string::npos)
        return ColumnKind::Text;
    if (t.find("REAL") != std::string::npos || t.find("FLOA") != std::string::npos || t.find("DOUB") != std::string::npos)
        return ColumnKind::Real;
    return ColumnKind::Real;
}

std::vector<std::string> createStatements(const TableDef& table)
{
    std::string sql = "CREATE TABLE IF NOT EXISTS \"" + table.name + "\" (";
    for (size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDef& c = table.columns[i];
        if (i) sql += ", ";
        sql += "\"" + c.name + "\" " + declaredType(c.kind);
        if (c.kind == ColumnKind::Key)
            sql += " PRIMARY KEY";
        else if (c.kind == ColumnKind::Text)
            sql += " COLLATE NOCASE";
        if (!c.nullable && c.kind != ColumnKind::Key) sql += " DEFAULT " + c.defaultValue;
    }
    sql += ")";
    std::vector<std::string> out{sql};
    for (const IndexDef& ix : table.indexes) {
        std::string cols;
        for (const auto& c : ix.columns) cols += (cols.empty() ? "\"" : ", \"") + c + "\"";
        out.push_back("CREATE INDEX IF NOT EXISTS \"" + sqlIndexName(table.name, ix.name) + "\" ON \"" + table.name +
                      "\" (" + cols + ")");
    }
    return out;
}

}  // namespace projectdb
