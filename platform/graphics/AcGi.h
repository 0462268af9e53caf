// The whole graphics interface in one include.
#pragma once

#include "graphics/AcGiDrawable.h"
#include "graphics/AcGiGeometry.h"
#include "graphics/AcGiSubEntityTraits.h"
#include "graphics/AcGiTextStyle.h"
#include "graphics/AcGiWorldDraw.h"
