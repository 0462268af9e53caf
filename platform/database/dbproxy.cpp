// Proxy entity: the common entity part is filed as usual, the rest is
// carried through byte for byte and item for item.
#include "database/dbproxy.h"

#include "database/dxfcode.h"
#include "database/io/DwgMemoryFiler.h"

static AcRxObject* makeProxyEntity() { return new AcDbProxyEntity(); }
ACRX_HOST_CLASS_MEMBERS(AcDbProxyEntity, AcDbEntity, makeProxyEntity, "ACAD_PROXY_ENTITY")

void AcDbProxyEntity::setOriginalClass(const std::string& className, const std::string& dxfName,
                                       const std::string& appName) {
    assertWriteEnabled();
    mClassName = className;
    mDxfName = dxfName;
    mAppName = appName;
}

Acad::ErrorStatus AcDbProxyEntity::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    auto* memory = dynamic_cast<AcDbDwgMemoryFiler*>(filer);
    if (!memory) return Acad::eNotApplicable;
    mDwgData.resize(memory->remaining());
    return filer->readBytes(mDwgData.data(), mDwgData.size());
}

Acad::ErrorStatus AcDbProxyEntity::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    return filer->writeBytes(mDwgData.data(), mDwgData.size());
}

Acad::ErrorStatus AcDbProxyEntity::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    mDxfItems.clear();
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) {
        AcDbXDataItem item;
        item.code = rb.restype;
        switch (AcDb::dxfValueType(rb.restype)) {
        case AcDb::kDxfString:
        case AcDb::kDxfHandle:
        case AcDb::kDxfBinary: item.text = rb.resval.rstring ? rb.resval.rstring : ""; break;
        case AcDb::kDxfPoint:
            for (int i = 0; i < 3; ++i) item.values[i] = rb.resval.rpoint[i];
            break;
        case AcDb::kDxfReal: item.values[0] = rb.resval.rreal; break;
        case AcDb::kDxfInt16:
        case AcDb::kDxfBool: item.integer = rb.resval.rint; break;
        case AcDb::kDxfInt32: item.integer = rb.resval.rlong; break;
        case AcDb::kDxfInt64: item.integer = rb.resval.rlname[0]; break;
        case AcDb::kDxfObjectId: {
            AcDbObjectId id;
            if (acdbGetObjectId(id, rb.resval.rlname) == Acad::eOk) item.text = id.handle().asString();
            break;
        }
        default: break;
        }
        mDxfItems.push_back(std::move(item));
    }
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbProxyEntity::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    for (const AcDbXDataItem& item : mDxfItems) {
        switch (AcDb::dxfValueType(item.code)) {
        case AcDb::kDxfPoint:
            filer->writePoint3d(item.code, AcGePoint3d(item.values[0], item.values[1], item.values[2]));
            break;
        case AcDb::kDxfReal: filer->writeDouble(item.code, item.values[0]); break;
        case AcDb::kDxfInt16:
        case AcDb::kDxfBool: filer->writeInt16(item.code, static_cast<Adesk::Int16>(item.integer)); break;
        case AcDb::kDxfInt32: filer->writeInt32(item.code, static_cast<Adesk::Int32>(item.integer)); break;
        case AcDb::kDxfInt64: filer->writeInt64(item.code, item.integer); break;
        case AcDb::kDxfObjectId:
        case AcDb::kDxfHandle: filer->writeHandle(item.code, AcDbHandle(item.text.c_str())); break;
        default: filer->writeString(item.code, item.text); break;
        }
    }
    return filer->filerStatus();
}
