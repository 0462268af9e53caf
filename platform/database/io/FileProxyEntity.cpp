// Proxy entity filing: the common entity part is read and written as for
// any entity, the rest is carried through byte for byte / tag for tag.
#include "database/io/FileProxyEntity.h"

#include "database/io/AsciiDxfFiler.h"
#include "database/io/DwgMemoryFiler.h"

static AcRxObject* makeFileProxyEntity() { return new AcDbFileProxyEntity(); }
ACRX_HOST_CLASS_MEMBERS(AcDbFileProxyEntity, AcDbEntity, makeFileProxyEntity, "ACAD_PROXY_ENTITY")

Acad::ErrorStatus AcDbFileProxyEntity::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    if (mFromDxf) {
        Adesk::UInt32 count = 0;
        if (filer->readUInt32(&count) != Acad::eOk) return filer->filerStatus();
        mTags.clear();
        for (Adesk::UInt32 i = 0; i < count; ++i) {
            Adesk::Int16 code = 0;
            std::string value;
            if (filer->readInt16(&code) != Acad::eOk || filer->readString(&value) != Acad::eOk)
                return filer->filerStatus();
            mTags.emplace_back(code, std::move(value));
        }
        return Acad::eOk;
    }
    auto* memory = dynamic_cast<AcDbDwgMemoryFiler*>(filer);
    if (!memory) return Acad::eNotApplicable;
    // A file gives its format; copies and undo records carry the proxy's.
    mDataFormat = memory->formatVersion();
    if (filer->filerType() != AcDb::kFileFiler) {
        Adesk::UInt32 format = 0;
        if (filer->readUInt32(&format) != Acad::eOk) return filer->filerStatus();
        mDataFormat = format;
    }
    mBinary.resize(memory->remaining());
    return filer->readBytes(mBinary.data(), mBinary.size());
}

Acad::ErrorStatus AcDbFileProxyEntity::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    if (mFromDxf) {
        filer->writeUInt32(static_cast<Adesk::UInt32>(mTags.size()));
        for (const auto& [code, value] : mTags) {
            filer->writeInt16(static_cast<Adesk::Int16>(code));
            filer->writeString(value);
        }
        return filer->filerStatus();
    }
    if (filer->filerType() != AcDb::kFileFiler) filer->writeUInt32(mDataFormat);
    return filer->writeBytes(mBinary.data(), mBinary.size());
}

Acad::ErrorStatus AcDbFileProxyEntity::dxfInFields(AcDbDxfFiler* filer) {
    auto* ascii = dynamic_cast<AcDbAsciiDxfFiler*>(filer);
    if (!ascii) return Acad::eNotApplicable;
    // The proxy graphics (92/160 and 310 of the common part) are kept and
    // written back at the same place: first among the carried tags.
    mTags.clear();
    for (const orv::io::DxfTag& tag : ascii->commonEntityTags())
        if (tag.code == 92 || tag.code == 160 || tag.code == 310) mTags.emplace_back(tag.code, std::string(tag.value));
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mFromDxf = true;
    int code = 0;
    std::string value;
    while (ascii->readRawTag(code, value)) mTags.emplace_back(code, value);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbFileProxyEntity::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    auto* ascii = dynamic_cast<AcDbAsciiDxfFiler*>(filer);
    if (!ascii) return filer->filerStatus();  // other filers see the common groups only
    for (const auto& [code, value] : mTags) ascii->writeRawTag(code, value);
    return filer->filerStatus();
}
