// Finding a block definition by name in the working drawing, or loading it
// from the block's drawing file on the support path.
#pragma once

#include <string>

#include "database/dbid.h"

// The block `name` of the working drawing. When the drawing lacks it, the
// file "<name>.dwg" found by the host's file search is inserted as a block of
// that name. A file that cannot be found is reported to the product through
// "zkBlock-alertMissing"; a file that cannot be read or inserted is reported
// on the command line. False (blockId untouched) when the block cannot be had.
bool findOrLoadBlock(const std::string& name, AcDbObjectId& blockId);
