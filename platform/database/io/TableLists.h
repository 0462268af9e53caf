// Symbol table records as entity-style lists for AutoLISP: acdbTblSearch,
// acdbTblNext, acdbTblObjName and acdbRegApp over the working database.
// Table names: "LAYER", "LTYPE", "STYLE", "BLOCK", "APPID" (any case); the
// drawing has no views, user coordinate systems, dimension styles or
// viewport records, so "VIEW", "UCS", "DIMSTYLE" and "VPORT" are empty.
#pragma once

#include "ads/ads.h"

// (0 . TABLE) (2 . name) and the record's own groups (no handles, owners
// or subclass markers); null when not found. setNext makes the record the
// one before the next acdbTblNext. RTERROR-like null also for a table name
// that does not exist: acdbIsTableName tells them apart.
resbuf* acdbTblSearch(const char* table, const char* name, int setNext);
// The next record of the table (the first with rewind); null at the end.
resbuf* acdbTblNext(const char* table, int rewind);
int acdbTblObjName(const char* table, const char* name, ads_name result);
// Registers an application name: RTNORM, or RTREJ when it exists or is not
// a valid name.
int acdbRegApp(const char* name);
bool acdbIsTableName(const char* table);
