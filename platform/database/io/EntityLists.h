// The entity functions of the AutoLISP interface as host calls: entity
// lists (DXF groups as result buffers) out of and into entities, and
// walking and deleting the entities of the working drawing's model space.
#pragma once

#include "ads/ads.h"

// The entity's groups: -1 name, 0 type, then its DXF groups (5 handle,
// 330 owner, 100 markers, 8 layer, ... and the class's own). Null when the
// name is not of a live entity. The caller releases the list (acutRelRb).
resbuf* acdbEntGet(const ads_name entity);
// Creates an entity from groups (0 type required; 100 markers optional)
// through its class's DXF input, and appends it to model space of the
// working database. RTNORM, or RTREJ for a list that cannot make an entity,
// RTERROR when there is no working database.
int acdbEntMake(const resbuf* groups);
// The last live entity of model space. RTNORM, or RTERROR when empty.
int acdbEntLast(ads_name result);
// The live entity after entity in model space (the first when entity is
// the null name). RTNORM, or RTERROR at the end or for a bad name.
int acdbEntNext(const ads_name entity, ads_name result);
// Erases a live entity, or brings back an erased one. RTNORM or RTERROR.
int acdbEntDel(const ads_name entity);
