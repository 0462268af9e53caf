// Host commands run from applications and AutoLISP: acedCmd with a result
// buffer list, acedCommand with (type, value) pairs ending in 0 (RTNONE
// also ends it), as acutBuildList takes them.
//
// The command name comes first; "_" (untranslated) and "." (built-in)
// prefixes are accepted. Known commands: ZOOM (E, A, W with two points, C
// with a centre and height, P, V to zoom out over the whole drawing, or two
// corner points), LINE (points, "C" to
// close, "" to end), ERASE (entity names, selection sets, "L", "P"; "" ends),
// REGEN and REDRAW, UNDO (marks and groups are accepted: M, BE, E, B; the
// host keeps no undo history, so B only reports what it would undo). Any
// other name prints "Unknown command" and the call returns RTNORM, as at the
// host's command line. An empty list cancels (nothing to do).
#pragma once

#include "ads/ads.h"

// Each known command tells the editor reactors when it starts and ends.
// ZOOM changes the view of editor/EditorView.h (VIEWCTR, VIEWSIZE).
int acedCmd(const resbuf* arguments);
int acedCommand(int rtype, ...);
