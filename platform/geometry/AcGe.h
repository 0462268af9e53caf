// The whole geometry library in one include.
#pragma once

#include "geometry/adesk.h"
#include "geometry/AcGeTol.h"
#include "geometry/AcGeVector2d.h"
#include "geometry/AcGePoint2d.h"
#include "geometry/AcGeVector3d.h"
#include "geometry/AcGePoint3d.h"
#include "geometry/AcGeMatrix2d.h"
#include "geometry/AcGeMatrix3d.h"
#include "geometry/AcGeScale3d.h"
#include "geometry/AcGePlane.h"
#include "geometry/AcGeLinearEnt2d.h"
#include "geometry/AcGeLinearEnt3d.h"
#include "geometry/AcGeBoundBlock3d.h"
#include "geometry/AcGeCubicSplineCurve3d.h"
