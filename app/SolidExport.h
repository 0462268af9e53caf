// Exporters of the duct solids in model space: STEP and STL through the
// solid library, binary glTF from the solids' meshes.
#pragma once

#include <string>
#include <vector>

#include "app/ExportCommand.h"

class AcDbDatabase;
class zk_hvacSolid;

// STEP (".step", ".stp") or STL (".stl") by the path's extension.
bool writeSolidExchangeFile(AcDbDatabase* db, const std::string& path, const ExportOptions& options,
                            std::string& error);
// Binary glTF (".glb"): one mesh per solid, Y up as glTF wants.
bool writeSolidGlb(AcDbDatabase* db, const std::string& path, const ExportOptions& options, std::string& error);
