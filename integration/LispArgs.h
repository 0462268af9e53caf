// Reading AutoLISP arguments: the argument list of the call in progress and
// a cursor with readers that consume nodes only when they succeed.
#pragma once

#include <cstdint>
#include <string>

#include "ads/ads.h"

class AcGePoint2d;
class AcGePoint3d;
class AcDbObjectId;

// Owns the argument list of the call in progress (acedGetArgs) and releases
// it on every path.
class LispArgs {
public:
    LispArgs() : mHead(acedGetArgs()) {}
    ~LispArgs() { acutRelRb(mHead); }
    LispArgs(const LispArgs&) = delete;
    LispArgs& operator=(const LispArgs&) = delete;
    resbuf* head() const { return mHead; }

private:
    resbuf* mHead;
};

// Current position in an argument list.
class ArgCursor {
public:
    explicit ArgCursor(resbuf* node) : mNode(node) {}
    explicit ArgCursor(const LispArgs& args) : mNode(args.head()) {}
    bool atEnd() const { return mNode == nullptr; }
    resbuf* node() const { return mNode; }
    void set(resbuf* node) { mNode = node; }
    void next() { if (mNode) mNode = mNode->rbnext; }

private:
    resbuf* mNode;
};

bool argInt(ArgCursor& cur, int32_t& value);
bool argReal(ArgCursor& cur, double& value);
bool argRealOnly(ArgCursor& cur, double& value);
bool argString(ArgCursor& cur, std::string& value);
bool argBool(ArgCursor& cur, bool& value);
bool argEntity(ArgCursor& cur, AcDbObjectId& id);
bool argPoint2d(ArgCursor& cur, double& x, double& y);
bool argPoint2d(ArgCursor& cur, AcGePoint2d& point);
bool argPoint3d(ArgCursor& cur, AcGePoint3d& point);
bool argListBegin(ArgCursor& cur);
bool argListEnd(ArgCursor& cur);
void argSkip(ArgCursor& cur);
// A dotted pair ("text" . integer) as received: RTLB, RTSTR, number, RTDOTE.
bool argStringIntPair(ArgCursor& cur, std::string& text, int32_t& value);

// True for the type codes of point-valued DXF groups 10 to 17.
inline bool isPointGroup(short type) { return type >= 10 && type <= 17; }
