// The duct record: one row of tblDuct as a plain value, and the table of its
// columns (name, type, field) in the order their change flags are kept and
// a save sends them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct ZkDuctDbInfo {
    int32_t ixDuct = 0;
    int32_t ixLayerSystem = 0;
    std::string AIRFLOW;
    double LINING = 0;
    double dExteriorLining = 0;
    std::string SHAPE;
    std::string OFFSET;
    double WIDTH = 0;
    double DEPTH = 0;
    std::string MATERIAL;
    std::string FITTING = " ";
    double TAILLENGTH = 0;
    double HEADLENGTH = 0;
    std::string FIT1, FIT2, FIT3, FIT4;
    std::string DOUBLE_LINE;
    int32_t CFM = 0;
    std::string SIZEFOR;
    double SIZEVAL1 = 0, SIZEVAL2 = 0, SIZEVAL3 = 0;
    std::string SIZESHAPE;
    int32_t SIZEMAX = 0;
    double X1 = 0, Y1 = 0, Z1 = 0;
    double X2 = 0, Y2 = 0, Z2 = 0;
    int32_t DISTANCE1 = 0, DISTANCE2 = 0;
    double TEXTX = 0, TEXTY = 0;
    std::string DRAWING, DRAWING2;
    double PDROPFROMSTART = 0;
    double LASTVELOCITYPRESSURE = 0;
    double PDROPLOCK = 0;
    double STATICPRESSURE = 0;
    double PDROPTOEND = 0;
    double TOTALPRESSURE = 0;
    double HEADLENGTH3D = 0, TAILLENGTH3D = 0;
    double CFMDIVERSITY = 1.0;
    std::string VERTICALOFFSET;
    int32_t DAMPERTYPE = 0;
    double DAMPERLOCATION = 0;
    bool bDeleted = false;
    bool bForceVertical = false;
    int32_t iAlignmentPointNumber1 = 0, iAlignmentPointNumber2 = 0;
    double dHangerZ = 120.0;
    double dHangerSize = 1.0;
    double dHangerDepth = 1.0;
    double dHangerStartOffset = 36.0;
    double dHangerSpacing = 1.0;
    double dHangerEndOffset = 36.0;
    double dHangerLeftExtension = 0, dHangerRightExtension = 0;
    int32_t iHangerType = 0;

    bool operator==(const ZkDuctDbInfo&) const = default;
};

// The columns of tblDuct in change-flag order: X(setter suffix, field, kind).
// The kind says how a value is read and which variant type is sent:
// Int as VT_I4, Real as VT_R8, Text as VT_BSTR, Bool as VT_I2 (-1/0).
#define ZK_DUCT_COLUMNS(X)                                      \
    X(IxDuct, ixDuct, Int)                                      \
    X(IxLayerSystem, ixLayerSystem, Int)                        \
    X(Width, WIDTH, Real)                                       \
    X(Depth, DEPTH, Real)                                       \
    X(Fitting, FITTING, Text)                                   \
    X(Fit1, FIT1, Text)                                         \
    X(Fit2, FIT2, Text)                                         \
    X(Fit3, FIT3, Text)                                         \
    X(Fit4, FIT4, Text)                                         \
    X(SizeMax, SIZEMAX, Int)                                    \
    X(TextX, TEXTX, Real)                                       \
    X(TextY, TEXTY, Real)                                       \
    X(SizeVal1, SIZEVAL1, Real)                                 \
    X(SizeVal2, SIZEVAL2, Real)                                 \
    X(SizeVal3, SIZEVAL3, Real)                                 \
    X(SizeShape, SIZESHAPE, Text)                               \
    X(BForceVertical, bForceVertical, Bool)                     \
    X(TotalPressure, TOTALPRESSURE, Real)                       \
    X(StaticPressure, STATICPRESSURE, Real)                     \
    X(PDropFromStart, PDROPFROMSTART, Real)                     \
    X(PDropToEnd, PDROPTOEND, Real)                             \
    X(LastVelocityPressure, LASTVELOCITYPRESSURE, Real)         \
    X(PDropLock, PDROPLOCK, Real)                               \
    X(Lining, LINING, Real)                                     \
    X(DExteriorLining, dExteriorLining, Real)                   \
    X(TailLength, TAILLENGTH, Real)                             \
    X(HeadLength, HEADLENGTH, Real)                             \
    X(Cfm, CFM, Int)                                            \
    X(HeadLength3d, HEADLENGTH3D, Real)                         \
    X(TailLength3d, TAILLENGTH3D, Real)                         \
    X(DamperLocation, DAMPERLOCATION, Real)                     \
    X(CfmDiversity, CFMDIVERSITY, Real)                         \
    X(Airflow, AIRFLOW, Text)                                   \
    X(Shape, SHAPE, Text)                                       \
    X(Offset, OFFSET, Text)                                     \
    X(VerticalOffset, VERTICALOFFSET, Text)                     \
    X(Material, MATERIAL, Text)                                 \
    X(DoubleLine, DOUBLE_LINE, Text)                            \
    X(SizeFor, SIZEFOR, Text)                                   \
    X(DamperType, DAMPERTYPE, Int)                              \
    X(X1, X1, Real)                                             \
    X(Y1, Y1, Real)                                             \
    X(Z1, Z1, Real)                                             \
    X(X2, X2, Real)                                             \
    X(Y2, Y2, Real)                                             \
    X(Z2, Z2, Real)                                             \
    X(Distance1, DISTANCE1, Int)                                \
    X(Distance2, DISTANCE2, Int)                                \
    X(Drawing, DRAWING, Text)                                   \
    X(Drawing2, DRAWING2, Text)                                 \
    X(BDeleted, bDeleted, Bool)                                 \
    X(IAlignmentPointNumber1, iAlignmentPointNumber1, Int)      \
    X(IAlignmentPointNumber2, iAlignmentPointNumber2, Int)      \
    X(DHangerZ, dHangerZ, Real)                                 \
    X(DHangerSize, dHangerSize, Real)                           \
    X(DHangerDepth, dHangerDepth, Real)                         \
    X(DHangerStartOffset, dHangerStartOffset, Real)             \
    X(DHangerSpacing, dHangerSpacing, Real)                     \
    X(DHangerEndOffset, dHangerEndOffset, Real)                 \
    X(DHangerLeftExtension, dHangerLeftExtension, Real)         \
    X(DHangerRightExtension, dHangerRightExtension, Real)       \
    X(IHangerType, iHangerType, Int)

// Column indexes in change-flag order (kCol_WIDTH, ...).
enum DuctColumn : int {
#define ZK_DUCT_COLUMN_ID(Suffix, Field, Kind) kCol_##Field,
    ZK_DUCT_COLUMNS(ZK_DUCT_COLUMN_ID)
#undef ZK_DUCT_COLUMN_ID
    kDuctColumnCount
};
static_assert(kDuctColumnCount == 62, "tblDuct has 62 columns");

enum class DuctColumnKind { Int, Real, Text, Bool };

// One column: its tblDuct name and where its value lives in the record.
struct DuctColumnDef {
    const wchar_t* name;
    DuctColumnKind kind;
    int32_t ZkDuctDbInfo::*intField = nullptr;
    double ZkDuctDbInfo::*realField = nullptr;
    std::string ZkDuctDbInfo::*textField = nullptr;
    bool ZkDuctDbInfo::*boolField = nullptr;
};

// The 62 columns, in change-flag order.
const std::array<DuctColumnDef, kDuctColumnCount>& ductColumns();
