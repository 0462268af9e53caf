// Value types of DXF group codes, shared by the tagged filers, extended data
// and entity lists.
#pragma once

namespace AcDb {
enum DxfValueType {
    kDxfString,   // text (rstring)
    kDxfPoint,    // three doubles (rpoint)
    kDxfReal,     // double (rreal)
    kDxfInt16,    // short (rint)
    kDxfInt32,    // 32-bit (rlong)
    kDxfInt64,    // 64-bit (rlname[0])
    kDxfBool,     // short 0/1 (rint)
    kDxfHandle,   // hexadecimal text (rstring)
    kDxfObjectId, // entity name (rlname)
    kDxfBinary,   // hexadecimal text (rstring)
    kDxfUnknown,
};

// The value type a group code carries.
DxfValueType dxfValueType(int groupCode);
} // namespace AcDb
