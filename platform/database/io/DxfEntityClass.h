// Which class the DXF reader makes an entity of, shared by the DXF reader
// (which chooses it) and the binary reader (which checks that the DXF form
// of an entity it keeps as tags will read back).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "database/io/DwgMemoryFiler.h"
#include "database/io/DxfTags.h"

class AcRxClass;
class AcDbFileProxyEntity;

namespace orv::io {

// The flags (group 70) among an entity's tags, 0 when it has none.
int dxfEntityFlags(std::span<const DxfTag> tags);

// The class an entity of this DXF type (upper case) with these tags is made
// of where it does not follow a polyline or an insert; nullptr keeps it a
// proxy (a stray vertex, attribute or sequence end; a mesh).
AcRxClass* dxfEntityClassOutsideSequence(std::string_view type, std::span<const DxfTag> tags,
                                         const std::unordered_map<std::string, AcRxClass*>& byDxfName);

// Empty when the DXF reader takes back the DXF form of a proxy that keeps
// its tags; otherwise why not (its tags do not make the standard entity its
// DXF name stands for). The proxy must be open for read.
std::string whyKeptTagsDoNotReadBack(const AcDbFileProxyEntity& proxy, const AcDbHandleResolver& resolver,
                                     const std::unordered_map<std::string, AcRxClass*>& byDxfName);

}  // namespace orv::io
