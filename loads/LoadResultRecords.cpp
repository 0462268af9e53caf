// Load result records: field tables, finds and the calculated months.
#include "loads/LoadResultRecords.h"

#include <cmath>

namespace hvac {

#define HVAC_FIELD_ENTRY(name, type) ResultField{L## #name, HVAC_FIELD_TYPE_##type},
#define HVAC_FIELD_TYPE_K ResultFieldType::kNullableInteger
#define HVAC_FIELD_TYPE_I ResultFieldType::kInteger
#define HVAC_FIELD_TYPE_R ResultFieldType::kReal
const std::array<ResultField, kCoolingResultFieldCount> kCoolingResultFields = {
    {HVAC_COOLING_RESULT_FIELDS(HVAC_FIELD_ENTRY)}};
const std::array<ResultField, kHeatingResultFieldCount> kHeatingResultFields = {
    {HVAC_HEATING_RESULT_FIELDS(HVAC_FIELD_ENTRY)}};
#undef HVAC_FIELD_ENTRY

template <typename Field, int N>
void LoadResultRecord<Field, N>::loadFieldList(const VARIANT& fields) {
    if (fields.vt != (VT_ARRAY | VT_VARIANT) || !fields.parray) return;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(fields.parray, 1, &lower);
    SafeArrayGetUBound(fields.parray, 1, &upper);
    const auto* items = static_cast<const VARIANT*>(fields.parray->pvData);
    for (LONG i = lower; i + 1 <= upper; i += 2) {
        const VARIANT& name = items[i - lower];
        const VARIANT& value = items[i - lower + 1];
        if (name.vt != VT_BSTR) continue;
        std::wstring_view text(name.bstrVal, SysStringLen(name.bstrVal));
        for (size_t f = 0; f < mFields.size(); ++f) {
            if (text != mFields[f].name) continue;
            Value& v = mValues[f];
            switch (mFields[f].type) {
            case ResultFieldType::kNullableInteger:
                v.null = value.vt == VT_EMPTY || value.vt == VT_NULL;
                v.integer = v.null ? 0 : value.vt == VT_I4 ? value.lVal : v.integer;
                break;
            case ResultFieldType::kInteger:
                if (value.vt == VT_I4) v.integer = value.lVal;
                break;
            case ResultFieldType::kReal:
                if (value.vt == VT_R8) v.real = value.dblVal;
                break;
            }
            break;
        }
    }
}

template class LoadResultRecord<CoolingField, kCoolingResultFieldCount>;
template class LoadResultRecord<HeatingField, kHeatingResultFieldCount>;

bool CoolingLoadRecord::find(int32_t subject, int32_t month, int32_t hour) {
    if (!mDb || subject == 0) return false;
    mDb.SetTable(L"tblLoadRoomCooling", subject < 0 ? L"ixRoomLiMonthiHour" : L"ixZoneiMonthiHour");
    _variant_t fields;
    if (!mDb.Seek3(_variant_t(int(std::abs(int64_t(subject)))), _variant_t(int(month)), _variant_t(int(hour)), fields))
        return false;
    loadFieldList(fields);
    return true;
}

bool HeatingLoadRecord::find(int32_t subject) {
    if (!mDb || subject == 0) return false;
    mDb.SetTable(L"tblLoadRoomHeating", subject < 0 ? L"ixRoomL" : L"ixZone");
    _variant_t fields;
    if (!mDb.Seek(_variant_t(int(std::abs(int64_t(subject)))), fields)) return false;
    loadFieldList(fields);
    return true;
}

const char* monthName(int month) {
    static const char* const names[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
    return month >= 0 && month < 12 ? names[month] : "";
}

std::vector<std::string> calculatedMonthNames(IProjectDatabasePtr& db) {
    std::vector<std::string> names;
    _variant_t values;
    if (!db.SelectColumn(L"select iMonth from tblMonth where bDoCalculation = -1 order by iMonth", values)) return names;
    if (values.vt != (VT_ARRAY | VT_VARIANT) || !values.parray) return names;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(values.parray, 1, &lower);
    SafeArrayGetUBound(values.parray, 1, &upper);
    const auto* items = static_cast<const VARIANT*>(values.parray->pvData);
    for (LONG i = lower; i <= upper; ++i) {
        const VARIANT& v = items[i - lower];
        int month = -1;
        switch (v.vt) {
        case VT_I4: month = v.lVal; break;
        case VT_I2: month = v.iVal; break;
        case VT_UI1: month = v.bVal; break;
        case VT_R8: month = int(v.dblVal); break;
        case VT_R4: month = int(v.fltVal); break;
        default: break;
        }
        if (month >= 0 && month < 12) names.push_back(monthName(month));
    }
    return names;
}

}  // namespace hvac
