// An isometric, shaded SVG picture of the duct solids in model space with
// the lines of the plan entities beside them, for looking at ductwork
// without a CAD program.
#pragma once

#include <string>

class AcDbDatabase;

// Writes the picture to path (atomically); false with the reason when there
// is nothing to draw or the file cannot be written.
bool renderIsometric(AcDbDatabase* db, const std::string& path, std::string& error);
