// Field descriptions: each standard class lists its filed fields once (name,
// group code, type, default) and the binary filer, the tagged filer and the
// entity lists all walk that list.
#pragma once

#include <span>
#include <string>
#include <variant>

#include "database/dbfiler.h"
#include "database/dbid.h"
#include "database/dxfcode.h"
#include "geometry/AcGe.h"

// A field's default value.
using AcDbFieldValue = std::variant<Adesk::Int16, Adesk::Int32, double, bool, std::string, AcGePoint2d,
                                    AcGePoint3d, AcGeVector3d, AcDbObjectId>;

template <class T>
struct AcDbField {
    using Member = std::variant<Adesk::Int16 T::*, Adesk::Int32 T::*, double T::*, bool T::*, std::string T::*,
                                AcGePoint2d T::*, AcGePoint3d T::*, AcGeVector3d T::*, AcDbObjectId T::*>;
    const char* name;
    short groupCode;
    Member member;
    AcDbFieldValue defaultValue;
    // For ids: how the reference is filed.
    AcDb::ReferenceType reference = AcDb::kHardPointerRef;
};

// Each class's field list: a specialisation with
// static std::span<const AcDbField<T>> fields(); it is a friend of T.
template <class T>
struct AcDbFieldList;

namespace AcDbFieldWalk {

template <class T>
void applyDefaults(T& object, std::span<const AcDbField<T>> fields) {
    for (const AcDbField<T>& f : fields)
        std::visit(
            [&](auto member) {
                using V = std::remove_reference_t<decltype(object.*member)>;
                if (const V* value = std::get_if<V>(&f.defaultValue)) object.*member = *value;
            },
            f.member);
}

inline Acad::ErrorStatus writeId(AcDbDwgFiler* filer, const AcDbObjectId& id, AcDb::ReferenceType ref) {
    switch (ref) {
    case AcDb::kSoftPointerRef: return filer->writeSoftPointerId(id);
    case AcDb::kHardPointerRef: return filer->writeHardPointerId(id);
    case AcDb::kSoftOwnershipRef: return filer->writeSoftOwnershipId(id);
    case AcDb::kHardOwnershipRef: return filer->writeHardOwnershipId(id);
    }
    return Acad::eInvalidInput;
}

inline Acad::ErrorStatus readId(AcDbDwgFiler* filer, AcDbObjectId* id, AcDb::ReferenceType ref) {
    switch (ref) {
    case AcDb::kSoftPointerRef: return filer->readSoftPointerId(id);
    case AcDb::kHardPointerRef: return filer->readHardPointerId(id);
    case AcDb::kSoftOwnershipRef: return filer->readSoftOwnershipId(id);
    case AcDb::kHardOwnershipRef: return filer->readHardOwnershipId(id);
    }
    return Acad::eInvalidInput;
}

template <class T>
Acad::ErrorStatus dwgOut(const T& object, std::span<const AcDbField<T>> fields, AcDbDwgFiler* filer) {
    for (const AcDbField<T>& f : fields) {
        Acad::ErrorStatus es = std::visit(
            [&](auto member) -> Acad::ErrorStatus {
                const auto& v = object.*member;
                using V = std::remove_cvref_t<decltype(v)>;
                if constexpr (std::is_same_v<V, Adesk::Int16>) return filer->writeInt16(v);
                else if constexpr (std::is_same_v<V, Adesk::Int32>) return filer->writeInt32(v);
                else if constexpr (std::is_same_v<V, double>) return filer->writeDouble(v);
                else if constexpr (std::is_same_v<V, bool>) return filer->writeBool(v);
                else if constexpr (std::is_same_v<V, std::string>) return filer->writeString(v);
                else if constexpr (std::is_same_v<V, AcGePoint2d>) return filer->writePoint2d(v);
                else if constexpr (std::is_same_v<V, AcGePoint3d>) return filer->writePoint3d(v);
                else if constexpr (std::is_same_v<V, AcGeVector3d>) return filer->writeVector3d(v);
                else return writeId(filer, v, f.reference);
            },
            f.member);
        if (es != Acad::eOk) return es;
    }
    return filer->filerStatus();
}

template <class T>
Acad::ErrorStatus dwgIn(T& object, std::span<const AcDbField<T>> fields, AcDbDwgFiler* filer) {
    for (const AcDbField<T>& f : fields) {
        Acad::ErrorStatus es = std::visit(
            [&](auto member) -> Acad::ErrorStatus {
                auto* v = &(object.*member);
                using V = std::remove_cvref_t<decltype(*v)>;
                if constexpr (std::is_same_v<V, Adesk::Int16>) return filer->readInt16(v);
                else if constexpr (std::is_same_v<V, Adesk::Int32>) return filer->readInt32(v);
                else if constexpr (std::is_same_v<V, double>) return filer->readDouble(v);
                else if constexpr (std::is_same_v<V, bool>) return filer->readBool(v);
                else if constexpr (std::is_same_v<V, std::string>) return filer->readString(v);
                else if constexpr (std::is_same_v<V, AcGePoint2d>) return filer->readPoint2d(v);
                else if constexpr (std::is_same_v<V, AcGePoint3d>) return filer->readPoint3d(v);
                else if constexpr (std::is_same_v<V, AcGeVector3d>) return filer->readVector3d(v);
                else {
                    // A reference to an object that is gone reads as null.
                    Acad::ErrorStatus es = readId(filer, v, f.reference);
                    if (es == Acad::eNullHandle) {
                        filer->resetFilerStatus();
                        return Acad::eOk;
                    }
                    return es;
                }
            },
            f.member);
        if (es != Acad::eOk) return es;
    }
    return filer->filerStatus();
}

template <class T>
Acad::ErrorStatus dxfOut(const T& object, std::span<const AcDbField<T>> fields, AcDbDxfFiler* filer) {
    for (const AcDbField<T>& f : fields) {
        if (f.groupCode < 0) continue;
        Acad::ErrorStatus es = std::visit(
            [&](auto member) -> Acad::ErrorStatus {
                const auto& v = object.*member;
                using V = std::remove_cvref_t<decltype(v)>;
                if constexpr (std::is_same_v<V, Adesk::Int16>) return filer->writeInt16(f.groupCode, v);
                else if constexpr (std::is_same_v<V, Adesk::Int32>) return filer->writeInt32(f.groupCode, v);
                else if constexpr (std::is_same_v<V, double>) return filer->writeDouble(f.groupCode, v);
                else if constexpr (std::is_same_v<V, bool>) {
                    if (AcDb::dxfValueType(f.groupCode) == AcDb::kDxfBool) return filer->writeBool(f.groupCode, v);
                    return filer->writeInt16(f.groupCode, v ? 1 : 0);
                } else if constexpr (std::is_same_v<V, std::string>) return filer->writeString(f.groupCode, v);
                else if constexpr (std::is_same_v<V, AcGePoint2d>) return filer->writePoint2d(f.groupCode, v);
                else if constexpr (std::is_same_v<V, AcGePoint3d>) return filer->writePoint3d(f.groupCode, v);
                else if constexpr (std::is_same_v<V, AcGeVector3d>) return filer->writeVector3d(f.groupCode, v);
                else return filer->writeObjectId(f.groupCode, v);
            },
            f.member);
        if (es != Acad::eOk) return es;
    }
    return filer->filerStatus();
}

// Stores one tagged item into the field with its group code; false when no
// field has that code.
template <class T>
bool dxfInItem(T& object, std::span<const AcDbField<T>> fields, const resbuf& item) {
    for (const AcDbField<T>& f : fields) {
        if (f.groupCode != item.restype) continue;
        const ads_u_val& r = item.resval;
        std::visit(
            [&](auto member) {
                auto& v = object.*member;
                using V = std::remove_cvref_t<decltype(v)>;
                const AcDb::DxfValueType type = AcDb::dxfValueType(item.restype);
                auto asInt = [&]() -> int64_t {
                    return type == AcDb::kDxfInt32 ? r.rlong : type == AcDb::kDxfInt64 ? r.rlname[0] : r.rint;
                };
                if constexpr (std::is_same_v<V, Adesk::Int16>) v = static_cast<Adesk::Int16>(asInt());
                else if constexpr (std::is_same_v<V, Adesk::Int32>) v = static_cast<Adesk::Int32>(asInt());
                else if constexpr (std::is_same_v<V, double>) v = r.rreal;
                else if constexpr (std::is_same_v<V, bool>) v = asInt() != 0;
                else if constexpr (std::is_same_v<V, std::string>) v = std::string(r.rstring ? r.rstring : ""); // exact size
                else if constexpr (std::is_same_v<V, AcGePoint2d>) v = AcGePoint2d(r.rpoint[0], r.rpoint[1]);
                else if constexpr (std::is_same_v<V, AcGePoint3d>) v = AcGePoint3d(r.rpoint[0], r.rpoint[1], r.rpoint[2]);
                else if constexpr (std::is_same_v<V, AcGeVector3d>) v = AcGeVector3d(r.rpoint[0], r.rpoint[1], r.rpoint[2]);
                else acdbGetObjectId(v, r.rlname);
            },
            f.member);
        return true;
    }
    return false;
}

} // namespace AcDbFieldWalk
