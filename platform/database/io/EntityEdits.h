// Changing entities through their entity lists: acdbEntMod, acdbEntUpd and
// finding objects by handle (acdbHandEnt).
#pragma once

#include "ads/ads.h"

// Changes the entity named by the list's -1 group to the list's values,
// through the class's own DXF input. Groups that the list leaves out keep
// their values; the type (0) cannot change; -3 replaces the extended data.
// The list is first read into a scratch instance, so a list the class
// refuses changes nothing (RTREJ). RTERROR for no live entity.
int acdbEntMod(const resbuf* groups);
// Shows an entity's changes (nothing to redraw here): RTNORM for a live entity.
int acdbEntUpd(const ads_name entity);
// The name of the live object with a handle (hexadecimal text).
int acdbHandEnt(const char* handle, ads_name result);
