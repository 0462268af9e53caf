// Selection sets of the editor: acedSSGet and the functions over the sets it
// makes. A set is named by an ads_name whose first word is its number.
#pragma once

#include <cstdint>

#include "ads/ads.h"

// Selects entities of the working drawing's model space. mode:
//   nullptr  points taken from the input queue, each picking the entity under
//            it, until Enter (an empty pick selects nothing)
//   "X"      every entity           "L" the last entity     "P" the previous set
//   "W" "C"  window / crossing box between the points pt1 and pt2 (ads_point)
//   "WP" "CP" window / crossing polygon: pt1 is a resbuf list of points
// (a leading "_" is allowed). Window modes take entities drawn wholly
// inside; crossing modes also those of which some drawn part lies inside or
// crosses the border (a duct whose side line alone enters the box). Points
// pick what is drawn through the pick box around them. filter is
// a list of DXF groups (strings are wildcard patterns, -4 operators for
// comparisons and <AND <OR <XOR <NOT groupings). RTNORM with a new set, or
// RTERROR when nothing is selected or the arguments are bad.
int acedSSGet(const char* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss);
int acedSSFree(const ads_name ss);
int acedSSLength(const ads_name ss, int32_t* length);
// The entity at index (from 0); RTERROR past the end.
int acedSSName(const ads_name ss, int32_t index, ads_name entity);
// Adds entity to ss (a new set when ss is null or the null name); result
// names the set. An empty call makes an empty set.
int acedSSAdd(const ads_name entity, const ads_name ss, ads_name result);
int acedSSDel(const ads_name entity, const ads_name ss);
// RTNORM if entity is in ss, else RTERROR.
int acedSSMemb(const ads_name entity, const ads_name ss);
// The previous set (the last one acedSSGet made) as a name; RTERROR if none.
int acedSSPrevious(ads_name ss);
// Whether an entity's DXF groups pass a filter list (used by acedSSGet).
bool acedFilterMatches(const resbuf* filter, const resbuf* entityGroups);
