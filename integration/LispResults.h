// Small helpers for returning single values to AutoLISP.
#pragma once

#include <cstdint>

class AcDbObjectId;

// An integer that fits 16 bits returns as an integer, any other as a real.
int retIntOrReal(int32_t value);
// The entity name of id, or nil when it does not convert.
int retEntity(const AcDbObjectId& id);
