// Placing the objects of a drawing's OBJECTS data in a database: one object
// from its type and tags, or all of an OBJECTS text that older binary
// drawings kept whole.
#pragma once

#include <string>
#include <vector>

#include "database/dbdictionary.h"
#include "database/io/DwgMemoryFiler.h"

namespace orv::io {

// Adds a dictionary (type "DICTIONARY") or a carried object under handle;
// a missing or taken handle gets a new one above maxHandle. Its owner is
// the first 330 outside the 102 groups, through resolve. The object is
// closed afterwards.
Acad::ErrorStatus placeCarriedObject(AcDbDatabase* db, std::string type, std::vector<AcDbCarriedObject::Tag> tags,
                                     uint64_t handle, uint64_t maxHandle, const AcDbHandleResolver& resolve,
                                     AcDbObjectId& id);

// Turns the database's kept OBJECTS text (if any) into objects and empties
// it. False with a message when the text is not DXF.
bool adoptCarriedObjectText(AcDbDatabase* db, std::string& message);

}  // namespace orv::io
