// An isometric, shaded picture (SVG, PNG or PDF) of the duct solids in model
// space with the lines of the plan entities beside them, for looking at
// ductwork without a CAD program.
#pragma once

#include <string>

#include "render/PlotRenderer.h"

class AcDbDatabase;

// Writes the picture to path (atomically); false with the reason when there
// is nothing to draw or the file cannot be written.
bool renderIsometric(AcDbDatabase* db, const std::string& path, const PlotOptions& options, std::string& error);
