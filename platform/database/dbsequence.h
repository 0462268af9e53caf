// Entities that a file follows with entities of their own up to a SEQEND:
// a polyline's vertices, an insert's attributes. The followers stay
// entities of the same block, in file order; their owner keeps their ids,
// draws and moves them. Drawing readers attach what follows.
#pragma once

#include <vector>

#include "database/dbid.h"

class AcRxClass;

class AcDbSequenceOwner {
public:
    virtual ~AcDbSequenceOwner() = default;
    // True when entities of its own follow it in the file.
    virtual bool hasFollowers() const = 0;
    // The DXF type of its followers, and the class a follower with these
    // flags (group 70) is made of: nullptr keeps it a proxy.
    virtual const char* followerType() const = 0;
    virtual AcRxClass* followerClass(int flags) const = 0;
    virtual void attachFollower(AcDbObjectId id) = 0;
    virtual void attachSequenceEnd(AcDbObjectId id) = 0;
};
