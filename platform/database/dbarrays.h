// Array types of the database API (standard vectors).
#pragma once

#include <vector>

#include "database/dbid.h"
#include "geometry/AcGe.h"

using AcGePoint2dArray = std::vector<AcGePoint2d>;
using AcGePoint3dArray = std::vector<AcGePoint3d>;
using AcGeVector3dArray = std::vector<AcGeVector3d>;
using AcGeDoubleArray = std::vector<double>;
using AcDbIntArray = std::vector<int>;
using AcDbVoidPtrArray = std::vector<void*>;
using AcDbObjectIdArray = std::vector<AcDbObjectId>;
