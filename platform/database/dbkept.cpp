// Kept groups: taken from the DXF reader's tags, written back as raw tags.
#include "database/dbkept.h"

#include "database/io/AsciiDxfFiler.h"
#include "database/io/DxfTags.h"

void AcDbKeptGroups::keepLastItem(AcDbDxfFiler* filer, int part) {
    auto* ascii = dynamic_cast<AcDbAsciiDxfFiler*>(filer);
    if (!ascii) return;
    for (const orv::io::DxfTag& tag : ascii->lastItemTags())
        mGroups.push_back({static_cast<Adesk::Int16>(part), static_cast<Adesk::Int16>(tag.code), std::string(tag.value)});
}

void AcDbKeptGroups::dxfOut(AcDbDxfFiler* filer, int part) const {
    auto* ascii = dynamic_cast<AcDbAsciiDxfFiler*>(filer);
    if (!ascii) return;
    for (const Group& g : mGroups)
        if (g.part == part) ascii->writeRawTag(g.code, g.text);
}

Acad::ErrorStatus AcDbKeptGroups::dwgOut(AcDbDwgFiler* filer) const {
    filer->writeUInt32(static_cast<Adesk::UInt32>(mGroups.size()));
    for (const Group& g : mGroups) {
        filer->writeInt16(g.part);
        filer->writeInt16(g.code);
        filer->writeString(g.text);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbKeptGroups::dwgIn(AcDbDwgFiler* filer) {
    mGroups.clear();
    Adesk::UInt32 count = 0;
    if (filer->readUInt32(&count) != Acad::eOk) return filer->filerStatus();
    for (Adesk::UInt32 i = 0; i < count; ++i) {
        Group g{};
        if (filer->readInt16(&g.part) != Acad::eOk || filer->readInt16(&g.code) != Acad::eOk ||
            filer->readString(&g.text) != Acad::eOk)
            return filer->filerStatus();
        mGroups.push_back(std::move(g));
    }
    return Acad::eOk;
}

const std::string* AcDbKeptGroups::find(int code) const {
    for (const Group& g : mGroups)
        if (g.code == code) return &g.text;
    return nullptr;
}

void AcDbKeptGroups::transformPoints(int code, const AcGeMatrix3d& xform) {
    for (size_t i = 0; i + 2 < mGroups.size(); ++i) {
        Group &x = mGroups[i], &y = mGroups[i + 1], &z = mGroups[i + 2];
        if (x.code != code || y.code != code + 10 || z.code != code + 20) continue;
        AcGePoint3d p;
        if (!orv::io::parseDxfDouble(x.text, p.x) || !orv::io::parseDxfDouble(y.text, p.y) ||
            !orv::io::parseDxfDouble(z.text, p.z))
            continue;
        p.transformBy(xform);
        x.text = orv::io::formatDxfDouble(p.x);
        y.text = orv::io::formatDxfDouble(p.y);
        z.text = orv::io::formatDxfDouble(p.z);
    }
}
