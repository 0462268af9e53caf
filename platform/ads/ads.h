// AutoLISP interface of the host: result buffers, type codes and the
// functions an application uses to receive arguments, return results,
// register functions and call back into AutoLISP.
#pragma once

#include <cstdint>

typedef double ads_real;
typedef ads_real ads_point[3];
typedef int64_t ads_name[2];

// Result-buffer type codes (below 1000 are DXF group codes).
enum : short {
    RTNONE = 5000,
    RTREAL = 5001,
    RTPOINT = 5002,
    RTSHORT = 5003,
    RTANG = 5004,
    RTSTR = 5005,
    RTENAME = 5006,
    RTPICKS = 5007,
    RTORINT = 5008,
    RT3DPOINT = 5009,
    RTLONG = 5010,
    RTLB = 5016,
    RTLE = 5017,
    RTDOTE = 5018,
    RTNIL = 5019,
    RTDXF0 = 5020,  // DXF group 0 in acutBuildList, where 0 ends the list
    RTT = 5021,
};

// Status codes of host calls.
enum : int {
    RTNORM = 5100,
    RTERROR = -5001,
    RTCAN = -5002,
    RTREJ = -5003,
    RTFAIL = -5004,
    RTKWORD = -5005,
};

// Return codes of an application's function handler.
enum : int {
    RSRSLT = 1,
    RSERR = 3,
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    char* rstring;
    int64_t rlname[2];
    int32_t rlong;
};

struct resbuf {
    struct resbuf* rbnext;
    short restype;
    union ads_u_val resval;
};

// Handler registered with acedRegFunc: it reads its arguments with
// acedGetArgs, sets its result with acedRet*, and returns RSRSLT or RSERR.
typedef int (*AdsFunctionHandler)();

// Result-buffer lists. acutNewRb zero-fills the value; acutRelRb frees the
// whole chain including the strings it owns.
resbuf* acutNewRb(int type);
int acutRelRb(resbuf* rb);
// Builds a list from (type code, value, ...) terminated by 0. Points are
// passed as a pointer to three doubles, strings as const char*, entity names
// as a pointer to ads_name, RTLB/RTLE/RTDOTE/RTNIL/RTT take no value.
// RTDXF0 with a string makes a group 0 node (the entity type of a filter).
resbuf* acutBuildList(int type, ...);

// Argument list of the function call in progress (owned by the caller;
// release with acutRelRb).
resbuf* acedGetArgs();

// Results of the function call in progress; the last one set wins.
int acedRetNil();
int acedRetT();
int acedRetVoid();
int acedRetInt(int value);
int acedRetReal(ads_real value);
int acedRetStr(const char* text);
int acedRetName(const ads_name name, int type);
int acedRetPoint(const ads_point point);
int acedRetList(const resbuf* list);

// Function registration for the current document.
int acedDefun(const char* name, short code);
int acedRegFunc(AdsFunctionHandler handler, int code);
int acedUndef(const char* name, short code);

// Calls an AutoLISP function: args starts with the function name (RTSTR).
// Returns RTNORM and the result list (caller releases), or RTERROR.
int acedInvoke(const resbuf* args, resbuf** result);

// Command line output.
int acutPrintf(const char* format, ...);
int acedTextScr();
int acedAlert(const char* message);

// System variables (the drawing's header variables and the host's own).
int acedGetVar(const char* name, resbuf* result);
int acedSetVar(const char* name, const resbuf* value);
