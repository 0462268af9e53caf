// Walking and drawing the working drawing's model space for the host
// program (render, host-draw).
#pragma once

#include <string>
#include <vector>

#include "database/dbid.h"
#include "render/PlotRenderer.h"

class AcDbDatabase;

// Live entities of model space in their order.
std::vector<AcDbObjectId> modelSpaceEntities(AcDbDatabase* db);
// The drawing's layers, linetypes, linetype scale and default weight as a
// plot reads them.
PlotTables plotTablesOf(AcDbDatabase* db);
// Renders model space into a picture (SVG, PNG or PDF by the name); false
// with a message.
bool renderModelSpace(AcDbDatabase* db, const std::string& path, const PlotOptions& options, std::string& error);
