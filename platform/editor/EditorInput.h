// The editor's input queue and the prompt functions that read from it: what
// a person would enter at the next prompts (points, Enter, Escape, text).
#pragma once

#include <cstddef>
#include <string>

#include "ads/ads.h"
#include "geometry/AcGePoint3d.h"

// One queued answer: a point, or text ("" is Enter, "*Cancel*" is Escape).
struct AcEdInputItem {
    bool isPoint = false;
    AcGePoint3d point;
    std::string text;

    static AcEdInputItem makePoint(const AcGePoint3d& p) { return {true, p, {}}; }
    static AcEdInputItem makeText(std::string t) { return {false, AcGePoint3d(), std::move(t)}; }
    bool isEnter() const { return !isPoint && text.empty(); }
    bool isCancel() const { return !isPoint && text == "*Cancel*"; }
};

// Queue control (host program and tests).
void acedQueueInput(const AcEdInputItem& item);
void acedClearInput();
size_t acedPendingInput();
// Takes the next answer; false when nothing is queued (the prompt functions
// treat that as Escape).
bool acedNextInput(AcEdInputItem& item);

// Input control bits of the next prompt (acedInitGet).
enum : int {
    RSG_NONULL = 1,  // Enter is not an answer
    RSG_NOZERO = 2,
    RSG_NONEG = 4,
};
int acedInitGet(int flags, const char* keywords);

// Prints the prompt and reads a point: RTNORM, RTNONE (Enter) or RTCAN
// (Escape or no more input). Text that is not a point is refused and the
// prompt repeated.
int acedGetPoint(const ads_point base, const char* prompt, ads_point result);
// Prints the prompt and reads text: RTNORM or RTCAN. A queued point is
// taken as its "x,y,z" text.
int acedGetString(int cronly, const char* prompt, char* result, size_t bufLen);
// Redraws the screen (nothing to do without a screen).
int acedRedraw(const ads_name entity, int mode);

// The last point entered (system variable LASTPOINT) and ortho mode
// (ORTHOMODE, 0 or 1), registered as system variables on first use.
AcGePoint3d acedLastPoint();
void acedSetLastPoint(const AcGePoint3d& point);
bool acedOrthoMode();
void acedSetOrthoMode(bool on);
// The point constrained to a horizontal or vertical line through base,
// whichever is nearer.
AcGePoint3d acedOrthoPoint(const AcGePoint3d& base, const AcGePoint3d& point);
