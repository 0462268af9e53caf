// The module's AutoLISP functions: names, codes and how each is entered.
#pragma once

#include "ads/ads.h"

struct LispFunctionEntry {
    const char* name;
    AdsFunctionHandler handler;
};

inline constexpr int kLispFunctionCount = 54;
extern const LispFunctionEntry kLispFunctionTable[kLispFunctionCount];

// acedDefun name i with code firstCode + i, then acedRegFunc handler i with
// the same code, for i from 0 to count - 1.
void registerFunctionTable(const LispFunctionEntry* table, int count, int firstCode);
