// Shared parts of the filer interfaces.
#include "database/dbfiler.h"

#include "database/dxfcode.h"
#include "geometry/AcGePoint3d.h"

Acad::ErrorStatus AcDbDxfFiler::writeResBuf(const resbuf& item) {
    const int code = item.restype;
    const ads_u_val& v = item.resval;
    switch (AcDb::dxfValueType(code)) {
    case AcDb::kDxfString:
    case AcDb::kDxfBinary:
        return writeString(code, v.rstring ? v.rstring : "");
    case AcDb::kDxfHandle:
        return writeHandle(code, AcDbHandle(v.rstring ? v.rstring : ""));
    case AcDb::kDxfPoint:
        return writePoint3d(code, AcGePoint3d(v.rpoint[0], v.rpoint[1], v.rpoint[2]));
    case AcDb::kDxfReal:
        return writeDouble(code, v.rreal);
    case AcDb::kDxfInt16:
        return writeInt16(code, v.rint);
    case AcDb::kDxfBool:
        return writeBool(code, v.rint != 0);
    case AcDb::kDxfInt32:
        return writeInt32(code, v.rlong);
    case AcDb::kDxfInt64:
        return writeInt64(code, v.rlname[0]);
    case AcDb::kDxfObjectId: {
        AcDbObjectId id;
        acdbGetObjectId(id, v.rlname);
        return writeObjectId(code, id);
    }
    case AcDb::kDxfUnknown:
        break;
    }
    setFilerStatus(Acad::eInvalidDxfCode);
    return Acad::eInvalidDxfCode;
}
