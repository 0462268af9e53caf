// The tblDuct accessor: load, change flags, save of the changed columns.
#include "ducts/DuctDbRecord.h"

#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "projectdb/fieldlisthelpers.h"

namespace {

const wchar_t* kTable = L"tblDuct";
const wchar_t* kIndex = L"ixDuct";

bool isNull(const VARIANT& v) { return v.vt == VT_EMPTY || v.vt == VT_NULL; }

int32_t truncatedInt(double value) {
    if (std::isnan(value)) return 0;
    value = std::trunc(value);
    if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

int32_t intValue(const VARIANT& v) {
    switch (v.vt) {
    case VT_I2: return v.iVal;
    case VT_BOOL: return v.boolVal;
    case VT_I4: return v.lVal;
    case VT_UI1: return v.bVal;
    case VT_R4: return truncatedInt(v.fltVal);
    case VT_R8: return truncatedInt(v.dblVal);
    default: break;
    }
    VARIANT real;
    VariantInit(&real);
    if (FAILED(VariantChangeType(&real, &v, 0, VT_R8))) return 0;
    return truncatedInt(real.dblVal);
}

double realValue(const VARIANT& v) {
    if (v.vt == VT_R8) return v.dblVal;
    VARIANT real;
    VariantInit(&real);
    if (FAILED(VariantChangeType(&real, &v, 0, VT_R8))) return 0;
    return real.dblVal;
}

std::string textValue(const VARIANT& v) {
    std::string text;
    if (v.vt == VT_BSTR) {
        text = bstrToUtf8(v.bstrVal);
    } else {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, &v, 0, VT_BSTR))) return {};
        text = bstrToUtf8(converted.bstrVal);
        VariantClear(&converted);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

// True only for -1 read as a 16-bit integer.
bool boolValue(const VARIANT& v) {
    if (v.vt == VT_BOOL || v.vt == VT_I2) return v.iVal == -1;
    VARIANT small;
    VariantInit(&small);
    if (FAILED(VariantChangeType(&small, &v, 0, VT_I2))) return false;
    return small.iVal == -1;
}

void setField(ZkDuctDbInfo& record, const DuctColumnDef& column, const VARIANT& v) {
    bool null = isNull(v);
    switch (column.kind) {
    case DuctColumnKind::Int: record.*column.intField = null ? 0 : intValue(v); break;
    case DuctColumnKind::Real: record.*column.realField = null ? 0.0 : realValue(v); break;
    case DuctColumnKind::Text: record.*column.textField = null ? std::string() : textValue(v); break;
    case DuctColumnKind::Bool: record.*column.boolField = null ? false : boolValue(v); break;
    }
}

_variant_t sentValue(const ZkDuctDbInfo& record, const DuctColumnDef& column) {
    switch (column.kind) {
    case DuctColumnKind::Int: return _variant_t(static_cast<int>(record.*column.intField));
    case DuctColumnKind::Real: return _variant_t(record.*column.realField);
    case DuctColumnKind::Text: return _variant_t((record.*column.textField).c_str());
    case DuctColumnKind::Bool: return _variant_t(static_cast<SHORT>(record.*column.boolField ? -1 : 0));
    }
    return {};
}

} // namespace

const std::array<DuctColumnDef, kDuctColumnCount>& ductColumns() {
    static const std::array<DuctColumnDef, kDuctColumnCount> columns = [] {
        std::array<DuctColumnDef, kDuctColumnCount> c{};
        auto def = [](const wchar_t* name, int32_t ZkDuctDbInfo::*f) {
            return DuctColumnDef{name, DuctColumnKind::Int, f, nullptr, nullptr, nullptr};
        };
        auto defReal = [](const wchar_t* name, double ZkDuctDbInfo::*f) {
            return DuctColumnDef{name, DuctColumnKind::Real, nullptr, f, nullptr, nullptr};
        };
        auto defText = [](const wchar_t* name, std::string ZkDuctDbInfo::*f) {
            return DuctColumnDef{name, DuctColumnKind::Text, nullptr, nullptr, f, nullptr};
        };
        auto defBool = [](const wchar_t* name, bool ZkDuctDbInfo::*f) {
            return DuctColumnDef{name, DuctColumnKind::Bool, nullptr, nullptr, nullptr, f};
        };
#define ZK_DUCT_DEF_Int def
#define ZK_DUCT_DEF_Real defReal
#define ZK_DUCT_DEF_Text defText
#define ZK_DUCT_DEF_Bool defBool
#define ZK_DUCT_COLUMN_DEF(Suffix, Field, Kind) \
    c[kCol_##Field] = ZK_DUCT_DEF_##Kind(L## #Field, &ZkDuctDbInfo::Field);
        ZK_DUCT_COLUMNS(ZK_DUCT_COLUMN_DEF)
#undef ZK_DUCT_COLUMN_DEF
        return c;
    }();
    return columns;
}

namespace {

// The column of a name, or -1. Names are compared exactly.
int columnIndex(const VARIANT& name) {
    static const std::unordered_map<std::wstring_view, int> byName = [] {
        std::unordered_map<std::wstring_view, int> map;
        const auto& columns = ductColumns();
        for (int i = 0; i < kDuctColumnCount; ++i) map.emplace(columns[i].name, i);
        return map;
    }();
    std::wstring converted;
    std::wstring_view text;
    if (name.vt == VT_BSTR) {
        text = std::wstring_view(name.bstrVal, SysStringLen(name.bstrVal));
    } else {
        converted = utf8ToWide(textValue(name));
        text = converted;
    }
    auto it = byName.find(text);
    return it == byName.end() ? -1 : it->second;
}

} // namespace

void readDuctFields(ZkDuctDbInfo& record, const VARIANT& fieldList) {
    if (fieldList.vt != (VT_ARRAY | VT_VARIANT) || !fieldList.parray) return;
    SAFEARRAY* array = fieldList.parray;
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper))) return;
    const auto* items = static_cast<const VARIANT*>(array->pvData);
    const auto& columns = ductColumns();
    for (LONG i = lower; i + 1 <= upper; i += 2) {
        int column = columnIndex(items[i - lower]);
        if (column >= 0) setField(record, columns[column], items[i - lower + 1]);
    }
}

_variant_t ductFieldList(const ZkDuctDbInfo& record, const std::bitset<kDuctColumnCount>& changed) {
    std::vector<std::pair<std::wstring, _variant_t>> pairs;
    const auto& columns = ductColumns();
    for (int i = 0; i < kDuctColumnCount; ++i)
        if (changed.test(i)) pairs.emplace_back(columns[i].name, sentValue(record, columns[i]));
    return makeFieldList(pairs);
}

bool DuctDbRecord::Load(int32_t key) {
    if (!mDb) return false;
    mDb.SetTable(kTable, kIndex);
    _variant_t fields;
    if (!mDb.Seek(_variant_t(static_cast<int>(key)), fields)) return false;
    readDuctFields(*this, fields);
    mChanged.reset();
    mOriginal = 0;
    return true;
}

void DuctDbRecord::BeginNew() {
    mNew = true;
    mUpdate = false;
    mChanged.reset();
}

void DuctDbRecord::BeginEdit() {
    mNew = false;
    mUpdate = true;
    mChanged.reset();
    mOriginal = ixDuct;
}

bool DuctDbRecord::Save() {
    if (mChanged.none()) return false;
    _variant_t fields = ductFieldList(*this, mChanged);
    bool saved = false;
    if (mDb && mNew) {
        if (mDb.SetTable(kTable, kIndex)) {
            _variant_t stored;
            saved = mDb.AddNew(fields, stored);
            if (saved) readDuctFields(*this, stored);
        }
    } else if (mDb && mUpdate) {
        // Loading the row makes it the component's current record.
        if (Load(mOriginal)) {
            _variant_t stored;
            saved = mDb.Update(fields, stored);
            if (saved) readDuctFields(*this, stored);
        }
    }
    mNew = mUpdate = false;
    mChanged.reset();
    return saved;
}

bool DuctDbRecord::Exists(int32_t key) { return mDb && Load(key); }

bool DuctDbRecord::SetSizeFor(int32_t key, const std::string& sizeFor) {
    if (!Load(key)) return false;
    BeginEdit();
    SetSizeFor(sizeFor);
    return Save();
}

ZkDuctDbInfo DuctDbRecord::GetRecord(int32_t key) {
    if (!Load(key)) return ZkDuctDbInfo();
    return static_cast<const ZkDuctDbInfo&>(*this);
}

bool DuctDbRecord::SetDamper(int32_t key, int32_t kind, double location) {
    if (!Load(key)) return false;
    BeginEdit();
    SetDamperType(kind);
    SetDamperLocation(location);
    return Save();
}

bool DuctDbRecord::CopyInto(int32_t key, ZkDuctDbInfo s, bool withAirflow) {
    if (!Load(key)) return false;
    BeginEdit();
    SetIxLayerSystem(s.ixLayerSystem);
    SetAirflow(s.AIRFLOW);
    SetLining(s.LINING);
    SetDExteriorLining(s.dExteriorLining);
    SetShape(s.SHAPE);
    SetOffset(s.OFFSET);
    SetVerticalOffset(s.VERTICALOFFSET);
    SetWidth(s.WIDTH);
    SetDepth(s.DEPTH);
    SetZ1(s.Z1);
    SetZ2(s.Z2);
    SetMaterial(s.MATERIAL);
    SetDoubleLine(s.DOUBLE_LINE);
    SetSizeFor(s.SIZEFOR);
    SetSizeShape(s.SIZESHAPE);
    SetSizeVal1(s.SIZEVAL1);
    SetSizeVal2(s.SIZEVAL2);
    SetSizeVal3(s.SIZEVAL3);
    SetSizeMax(s.SIZEMAX);
    SetFitting(s.FITTING);
    SetFit1(s.FIT1);
    SetFit2(s.FIT2);
    SetFit3(s.FIT3);
    SetFit4(s.FIT4);
    SetDamperLocation(s.DAMPERLOCATION);
    SetDamperType(s.DAMPERTYPE);
    SetIHangerType(s.iHangerType);
    SetDHangerZ(s.dHangerZ);
    SetDHangerSize(s.dHangerSize);
    SetDHangerDepth(s.dHangerDepth);
    SetDHangerStartOffset(s.dHangerStartOffset);
    SetDHangerSpacing(s.dHangerSpacing);
    SetDHangerEndOffset(s.dHangerEndOffset);
    SetDHangerLeftExtension(s.dHangerLeftExtension);
    SetDHangerRightExtension(s.dHangerRightExtension);
    if (withAirflow) {
        SetCfm(s.CFM);
        SetPDropLock(s.PDROPLOCK);
        SetCfmDiversity(s.CFMDIVERSITY);
    }
    return Save();
}
