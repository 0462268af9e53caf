// Dictionaries and the other objects of the OBJECTS data as entity-style
// lists for AutoLISP: the root dictionary, searching, stepping through and
// editing a dictionary's entries, all on the working database.
#pragma once

#include "ads/ads.h"
#include "database/dbid.h"

// The root dictionary's name (made, with "ACAD_GROUP" and "ACAD_LAYOUT",
// for a drawing that has none). RTERROR without a working database.
int acdbNamedObjDict(ads_name result);
// The list of the entry named name (any case): (-1 . name) (0 . type)
// (5 . handle) and the object's groups, references as entity names; null
// when dict is not a dictionary or has no such entry. setNext makes the
// entry the one before the next acdbDictNext.
resbuf* acdbDictSearch(const ads_name dict, const char* name, int setNext);
// The list of the next entry (the first with rewind); null at the end.
resbuf* acdbDictNext(const ads_name dict, int rewind);
// Adds an entry for an object that is not an entity: RTNORM, or RTREJ when
// the name is taken or empty, or dict or the object do not qualify.
int acdbDictAdd(const ads_name dict, const char* name, const ads_name object);
// Removes an entry (the object stays in the drawing) and gives its name:
// RTNORM, or RTREJ when there is no such entry.
int acdbDictRemove(const ads_name dict, const char* name, ads_name removed);
// Renames an entry: RTNORM, or RTREJ when oldName is missing or newName
// names another entry.
int acdbDictRename(const ads_name dict, const char* oldName, const char* newName);
// Makes an object of the OBJECTS data (a dictionary, an extension record,
// ...) from a list, without an owner until a dictionary takes it: RTNORM
// and its name, RTREJ for an entity type, a list without a type or a
// reference to no object, RTERROR without a working database.
int acdbObjectMake(const resbuf* groups, ads_name result);
// The list of an object of the OBJECTS data (entget of a dictionary);
// null for any other object.
resbuf* acdbCarriedObjectGet(AcDbObjectId id);
