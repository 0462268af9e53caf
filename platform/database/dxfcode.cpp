// Value types of group codes, by the ranges of the tagged format.
#include "database/dxfcode.h"

namespace AcDb {
DxfValueType dxfValueType(int c) {
    if (c < 0) return kDxfUnknown;
    if (c <= 4 || (c >= 6 && c <= 9)) return kDxfString;
    if (c == 5) return kDxfHandle;
    if (c >= 10 && c <= 18) return kDxfPoint;
    if (c >= 20 && c <= 39) return kDxfReal;
    if (c >= 40 && c <= 59) return kDxfReal;
    if (c >= 60 && c <= 79) return kDxfInt16;
    if (c >= 90 && c <= 99) return kDxfInt32;
    if (c == 105) return kDxfHandle;
    if (c >= 100 && c <= 109) return kDxfString;
    if (c >= 110 && c <= 112) return kDxfPoint;
    if (c >= 113 && c <= 149) return kDxfReal;
    if (c >= 160 && c <= 169) return kDxfInt64;
    if (c >= 170 && c <= 179) return kDxfInt16;
    if (c == 210) return kDxfPoint;
    if (c >= 211 && c <= 239) return kDxfReal;
    if (c >= 270 && c <= 289) return kDxfInt16;
    if (c >= 290 && c <= 299) return kDxfBool;
    if (c >= 300 && c <= 309) return kDxfString;
    if (c >= 310 && c <= 319) return kDxfBinary;
    if (c >= 320 && c <= 329) return kDxfHandle;
    if (c >= 330 && c <= 369) return kDxfObjectId;
    if (c >= 370 && c <= 389) return kDxfInt16;
    if (c >= 390 && c <= 399) return kDxfObjectId;
    if (c >= 400 && c <= 409) return kDxfInt16;
    if (c >= 410 && c <= 419) return kDxfString;
    if (c >= 420 && c <= 429) return kDxfInt32;
    if (c >= 430 && c <= 439) return kDxfString;
    if (c >= 440 && c <= 459) return kDxfInt32;
    if (c >= 460 && c <= 469) return kDxfReal;
    if (c >= 470 && c <= 479) return kDxfString;
    if (c >= 480 && c <= 481) return kDxfHandle;
    if (c == 999) return kDxfString;
    // Extended data, by the ranges of the DXF reference (1006-1009 strings
    // and 1014-1019 reals have no meaning of their own but keep their kind).
    if (c == 1004) return kDxfBinary;
    if (c == 1005) return kDxfHandle;
    if (c >= 1000 && c <= 1009) return kDxfString;
    if (c >= 1010 && c <= 1013) return kDxfPoint;
    if (c >= 1014 && c <= 1059) return kDxfReal;
    if (c >= 1060 && c <= 1070) return kDxfInt16;
    if (c == 1071) return kDxfInt32;
    return kDxfUnknown;
}
} // namespace AcDb
