#include "database/io/DxfEntityClass.h"

#include <memory>

#include "database/dbsequence.h"
#include "database/dbvertexpolyline.h"
#include "database/io/AsciiDxfFiler.h"
#include "database/io/DrawingObjects.h"
#include "database/io/FileErrorText.h"
#include "database/io/FileProxyEntity.h"

namespace orv::io {

int dxfEntityFlags(std::span<const DxfTag> tags) {
    for (const DxfTag& t : tags) {
        int64_t flags = 0;
        if (t.code == 70 && parseDxfInt(t.value, flags)) return static_cast<int>(flags);
    }
    return 0;
}

AcRxClass* dxfEntityClassOutsideSequence(std::string_view type, std::span<const DxfTag> tags,
                                         const std::unordered_map<std::string, AcRxClass*>& byDxfName) {
    // Vertices, attributes and sequence ends outside of their sequence are
    // kept as they are.
    if (type == "VERTEX" || type == "ATTRIB" || type == "SEQEND") return nullptr;
    if (type == "POLYLINE") return polylineClassForFlags(dxfEntityFlags(tags));
    auto known = byDxfName.find(std::string(type));
    return known == byDxfName.end() ? nullptr : known->second;
}

std::string whyKeptTagsDoNotReadBack(const AcDbFileProxyEntity& proxy, const AcDbHandleResolver& resolver,
                                     const std::unordered_map<std::string, AcRxClass*>& byDxfName) {
    if (!proxy.keepsDxfTags()) return {};
    std::string type = proxy.originalClass().dxfName;
    for (char& ch : type) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (!byDxfName.count(type)) return {};  // an unknown name reads back as a proxy

    // The entity's DXF form as the drawing writer gives it, read as the
    // DXF reader would read it.
    DxfTagWriter written;
    AcDbAsciiDxfFiler out(written, proxy.database());
    if (Acad::ErrorStatus es = proxy.dxfOut(&out); es != Acad::eOk) return fileErrorText(es);
    std::vector<DxfTag> tags;
    std::string message;
    if (!tokenizeDxf(written.data(), tags, message)) return message;
    AcRxClass* cls = dxfEntityClassOutsideSequence(type, tags, byDxfName);
    std::unique_ptr<AcDbObject> trial(createObjectOfClass(cls));
    if (!trial) return {};
    AcDbAsciiDxfFiler in(tags, resolver, proxy.database());
    Acad::ErrorStatus es = trial->dxfIn(&in);
    // A class that keeps such data as a proxy itself reads it back as one.
    if (es == Acad::eMakeMeProxy) return {};
    if (es != Acad::eOk && es != Acad::eNullHandle && es != Acad::eEndOfObject)
        return in.errorMessage().empty() ? fileErrorText(es) : in.errorMessage();
    // The writer puts no entities of its own after it, which the reader
    // would then wait for.
    if (auto* owner = dynamic_cast<AcDbSequenceOwner*>(trial.get()); owner && owner->hasFollowers())
        return std::string("it says ") + owner->followerType() + " entities follow it, and none do";
    return {};
}

}  // namespace orv::io
