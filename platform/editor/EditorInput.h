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
    RSG_NOLIM = 8,
    RSG_DASH = 32,
    RSG_2D = 64,      // distances ignore Z
    RSG_OTHER = 128,  // any text is taken as a keyword
};
// Bits and keywords ("Width Height", capitals mark the short form; after
// " _" the language-independent names) for the next prompt only.
int acedInitGet(int flags, const char* keywords);

// The prompts below print the prompt and take the next queued answer. They
// return RTNORM, RTNONE (Enter, unless RSG_NONULL), RTCAN (Escape or no more
// input) or RTKWORD (a keyword of acedInitGet: acedGetInput gives it). An
// answer of the wrong kind prints why and the prompt is repeated.

// A point (or "x,y[,z]" text).
int acedGetPoint(const ads_point base, const char* prompt, ads_point result);
// The other corner of a box from base.
int acedGetCorner(const ads_point base, const char* prompt, ads_point result);
// A 16-bit integer.
int acedGetInt(const char* prompt, int* result);
int acedGetReal(const char* prompt, ads_real* result);
// A number, or a point whose distance from base is taken (without base, a
// second point is asked for).
int acedGetDist(const ads_point base, const char* prompt, ads_real* result);
// Degrees as a number (converted to radians), or a point whose direction
// from base is taken (without base, two points).
int acedGetAngle(const ads_point base, const char* prompt, ads_real* result);
int acedGetOrient(const ads_point base, const char* prompt, ads_real* result);
// Only keywords are answers (RTNORM with the keyword in result).
int acedGetKword(const char* prompt, char* result, size_t bufLen);
// The keyword of the last RTKWORD answer.
int acedGetInput(char* result, size_t bufLen);
// Text: RTNORM or RTCAN. A queued point is taken as its "x,y,z" text;
// unless cronly, the text ends at its first space.
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
