// The load result records: one row of tblLoadRoomCooling or
// tblLoadRoomHeating, found by room or zone and read through the project
// database component. They only read; the load calculation writes the rows.
// A subject is a room or zone identifier: -n room n, n zone n, 0 nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "loads/LoadResultFields.h"
#include "projectdb/ProjectDatabasePtr.h"

namespace hvac {

enum class ResultFieldType { kNullableInteger, kInteger, kReal };

struct ResultField {
    const wchar_t* name;
    ResultFieldType type;
};

#define HVAC_FIELD_ENUM(name, type) name,
enum class CoolingField : int { HVAC_COOLING_RESULT_FIELDS(HVAC_FIELD_ENUM) kCount };
enum class HeatingField : int { HVAC_HEATING_RESULT_FIELDS(HVAC_FIELD_ENUM) kCount };
#undef HVAC_FIELD_ENUM

constexpr int kCoolingResultFieldCount = int(CoolingField::kCount);
constexpr int kHeatingResultFieldCount = int(HeatingField::kCount);
extern const std::array<ResultField, kCoolingResultFieldCount> kCoolingResultFields;
extern const std::array<ResultField, kHeatingResultFieldCount> kHeatingResultFields;

// Field values of one row; a new record has every field 0 and both keys null.
template <typename Field, int N>
class LoadResultRecord {
public:
    LoadResultRecord(IProjectDatabasePtr db, const std::array<ResultField, N>& fields) : mDb(std::move(db)), mFields(fields) {
        for (Value& v : mValues) v.null = true;
    }

    double real(Field f) const { return mValues[size_t(f)].real; }
    int32_t integer(Field f) const { return mValues[size_t(f)].integer; }
    // A nullable key: its value (0 when null) and whether it is not null.
    bool key(Field f, int32_t& value) const {
        value = mValues[size_t(f)].integer;
        return !mValues[size_t(f)].null;
    }
    bool isNull(Field f) const { return mValues[size_t(f)].null; }

    // Sets the fields named in a field list (name/value pairs). Keys become
    // null for VT_EMPTY or VT_NULL; other values are taken only in their
    // column's raw type (VT_R8 for reals, VT_I4 for integers), without
    // conversion; unknown names are ignored, missing columns kept.
    void loadFieldList(const VARIANT& fields);
    bool connected() const { return static_cast<bool>(mDb); }

protected:
    IProjectDatabasePtr mDb;

private:
    struct Value {
        double real = 0;
        int32_t integer = 0;
        bool null = false;
    };
    const std::array<ResultField, N>& mFields;
    std::array<Value, N> mValues{};
};

class CoolingLoadRecord : public LoadResultRecord<CoolingField, kCoolingResultFieldCount> {
public:
    explicit CoolingLoadRecord(IProjectDatabasePtr db) : LoadResultRecord(std::move(db), kCoolingResultFields) {}
    // Seeks (subject, month, hour) on ixRoomLiMonthiHour or ixZoneiMonthiHour.
    // Not found (and no call) for subject 0 or without connection; a record
    // not found keeps its fields. Component failures raise _com_error.
    bool find(int32_t subject, int32_t month, int32_t hour);
};

class HeatingLoadRecord : public LoadResultRecord<HeatingField, kHeatingResultFieldCount> {
public:
    explicit HeatingLoadRecord(IProjectDatabasePtr db) : LoadResultRecord(std::move(db), kHeatingResultFields) {}
    // Seeks the subject on ixRoomL or ixZone.
    bool find(int32_t subject);
};

// English month name of 0 (January) to 11; "" otherwise.
const char* monthName(int month);

// The names of the months the project calculates, from tblMonth in month
// order. A null connection raises E_POINTER.
std::vector<std::string> calculatedMonthNames(IProjectDatabasePtr& db);

}  // namespace hvac
