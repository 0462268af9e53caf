// Selection sets of the application interface. acedSSAdd with a null set
// starts a new one (a null entity adds nothing); names are entity names as
// AutoLISP sees them.
#pragma once

#include <cstdint>

#include "ads/ads.h"

int acedSSAdd(const ads_name entity, const ads_name set, ads_name result);
int acedSSLength(const ads_name set, int32_t* length);
int acedSSName(const ads_name set, int32_t index, ads_name entity);
int acedSSFree(const ads_name set);
