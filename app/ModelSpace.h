// Walking and drawing the working drawing's model space for the host
// program (render, host-draw).
#pragma once

#include <string>
#include <vector>

#include "database/dbid.h"

class AcDbDatabase;

// Live entities of model space in their order.
std::vector<AcDbObjectId> modelSpaceEntities(AcDbDatabase* db);
// Renders model space into an SVG file; false with a message.
bool renderModelSpace(AcDbDatabase* db, const std::string& path, std::string& error);
