// The fitting kind at the downstream joint of a duct: chosen from the number
// of next ducts, the cross-section family and the angles between the ducts,
// with the project's default-fitting settings where the user decides.
#pragma once

#include <cstdint>
#include <string>

#include "ducts/ZkDuctDbInfo.h"

class DuctDbRecord;

// Round when SHAPE is "RD", "OO", "DX" or "OX" (either case) or MATERIAL is
// "FX" (flexible duct); every other duct is rectangular.
bool IsRectangular(const ZkDuctDbInfo& record);

// The project setting (tblGlobal text) named `key`; empty when the project
// is not open, the row is missing or the database fails.
std::string fittingSetting(DuctDbRecord& db, const std::string& key);

// The kind the AUTOFIT setting `key` selects; "NONE" for an unknown key or a
// text outside its table.
std::string ResolveAutoFit(DuctDbRecord& db, const std::string& key);

// One next duct: "TRANSITION" when in line (sine of the angle below 0.1),
// else the AUTOFIT-RC2/RD2 choice. False when the next duct does not exist.
// `db` is left holding another row.
bool ChooseTwoWay(DuctDbRecord& db, const ZkDuctDbInfo& record, int32_t nextKey, bool rectangular,
                  std::string& kind);
// Two next ducts: "WYE" when both leave at an angle, else the
// AUTOFIT-RC3/RD3 choice. False when the first next duct does not exist.
bool ChooseThreeWay(DuctDbRecord& db, const ZkDuctDbInfo& record, int32_t firstKey, int32_t secondKey,
                    bool rectangular, std::string& kind);

// The fitting at the downstream end of `record` and its parameter ("ELBOW
// RADIUS" for radius elbows, "TURNING VANES" for square elbows, else empty).
// False when the product cannot name the next ducts or a choice fails.
bool AutoFit(DuctDbRecord& db, const ZkDuctDbInfo& record, std::string& kind, std::string& parameter);
