// Replacing every custom entity of a drawing by standard entities that draw
// the same (lines, polylines, circles, texts), for programs that show
// neither custom entities nor their proxy graphics.
#pragma once

#include <string>

class AcDbDatabase;

namespace orv::io {

// Every entity of a custom class in model space and the blocks is erased
// and the standard entities of its display take its place, on its layer.
// Returns the number replaced, or -1 with a message.
int explodeCustomEntities(AcDbDatabase* db, std::string& message);

}  // namespace orv::io
