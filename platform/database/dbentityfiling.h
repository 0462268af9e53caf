// Filing helpers shared by the standard entities: the described fields after
// the base class's, behind each entity's own DXF subclass marker.
#pragma once

#include <functional>

#include "database/dbads.h"
#include "database/dbfields.h"

namespace AcDbEntityFiling {

// Reads tagged items into the described fields until the object, the
// subclass or the extended data ends; items no field takes go to other (may
// be empty). Leaves the next marker unread.
template <class T>
Acad::ErrorStatus dxfInItems(T& object, std::span<const AcDbField<T>> fields, AcDbDxfFiler* filer,
                             const std::function<void(const resbuf&)>& other = {}) {
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) {
        if (rb.restype == 100 || rb.restype >= 1000) {
            filer->pushBackItem();
            return filer->filerStatus();
        }
        if (!AcDbFieldWalk::dxfInItem(object, fields, rb) && other) other(rb);
    }
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}

// The subclass marker, then the described fields.
template <class T>
Acad::ErrorStatus dxfOutWithMarker(const T& object, const char* marker, AcDbDxfFiler* filer) {
    filer->writeString(100, marker);
    return AcDbFieldWalk::dxfOut(object, AcDbFieldList<T>::fields(), filer);
}

// Checks for the subclass marker, then reads the described fields.
template <class T>
Acad::ErrorStatus dxfInWithMarker(T& object, const char* marker, AcDbDxfFiler* filer,
                                  const std::function<void(const resbuf&)>& other = {}) {
    if (!filer->atSubclassData(marker)) return Acad::eBadDxfSequence;
    return dxfInItems(object, AcDbFieldList<T>::fields(), filer, other);
}

} // namespace AcDbEntityFiling

namespace AcDbEntityFiling {
// The name of a symbol table record ("" when the id names none).
std::string recordName(AcDbObjectId id);
// A text style by name in the filer's (or the working) database; the
// database's standard style when the name is unknown.
AcDbObjectId textStyleByName(AcDbDxfFiler* filer, const char* name);
// A block by name in the filer's (or the working) database (null if none).
AcDbObjectId blockByName(AcDbDxfFiler* filer, const char* name);
} // namespace AcDbEntityFiling

#include "database/dbkept.h"

// Classes whose DXF data comes in several subclass parts (each behind its
// own marker) and that keep the groups they do not model.
template <class T>
struct AcDbSubclassFields {
    const char* marker;
    std::span<const AcDbField<T>> fields;
};

namespace AcDbEntityFiling {

// Reads the parts in order. An item no field of its part takes goes to a
// field of another part (entity lists come without markers), else it is
// kept with its part; subclasses this class does not know are kept whole
// after the last part.
template <class T>
Acad::ErrorStatus dxfInParts(T& object, std::span<const AcDbSubclassFields<T>> parts, AcDbKeptGroups& kept,
                             AcDbDxfFiler* filer) {
    kept.clear();
    for (size_t k = 0; k < parts.size(); ++k) {
        if (!filer->atSubclassData(parts[k].marker)) {
            if (k == 0) return Acad::eBadDxfSequence;
            continue;
        }
        auto other = [&](const resbuf& rb) {
            for (const AcDbSubclassFields<T>& p : parts)
                if (AcDbFieldWalk::dxfInItem(object, p.fields, rb)) return;
            kept.keepLastItem(filer, static_cast<int>(k));
        };
        Acad::ErrorStatus es = dxfInItems(object, parts[k].fields, filer, other);
        if (es != Acad::eOk) return es;
    }
    resbuf rb{};
    while (filer->readItem(&rb) == Acad::eOk) {
        if (rb.restype >= 1000) {
            filer->pushBackItem();
            return filer->filerStatus();
        }
        kept.keepLastItem(filer, static_cast<int>(parts.size()) - 1);
    }
    if (filer->filerStatus() == Acad::eEndOfObject) filer->resetFilerStatus();
    return filer->filerStatus();
}

template <class T>
Acad::ErrorStatus dxfOutParts(const T& object, std::span<const AcDbSubclassFields<T>> parts,
                              const AcDbKeptGroups& kept, AcDbDxfFiler* filer) {
    for (size_t k = 0; k < parts.size(); ++k) {
        filer->writeString(100, parts[k].marker);
        Acad::ErrorStatus es = AcDbFieldWalk::dxfOut(object, parts[k].fields, filer);
        if (es != Acad::eOk) return es;
        kept.dxfOut(filer, static_cast<int>(k));
    }
    return filer->filerStatus();
}

template <class T>
Acad::ErrorStatus dwgOutParts(const T& object, std::span<const AcDbSubclassFields<T>> parts,
                              const AcDbKeptGroups& kept, AcDbDwgFiler* filer) {
    for (const AcDbSubclassFields<T>& p : parts)
        if (Acad::ErrorStatus es = AcDbFieldWalk::dwgOut(object, p.fields, filer); es != Acad::eOk) return es;
    return kept.dwgOut(filer);
}

template <class T>
Acad::ErrorStatus dwgInParts(T& object, std::span<const AcDbSubclassFields<T>> parts, AcDbKeptGroups& kept,
                             AcDbDwgFiler* filer) {
    for (const AcDbSubclassFields<T>& p : parts)
        if (Acad::ErrorStatus es = AcDbFieldWalk::dwgIn(object, p.fields, filer); es != Acad::eOk) return es;
    return kept.dwgIn(filer);
}

} // namespace AcDbEntityFiling

namespace AcDbEntityFiling {
// The ids of a sequence owner's followers and its sequence end, in the
// binary format.
Acad::ErrorStatus dwgOutFollowers(const std::vector<AcDbObjectId>& ids, AcDbObjectId end, AcDbDwgFiler* filer);
Acad::ErrorStatus dwgInFollowers(std::vector<AcDbObjectId>& ids, AcDbObjectId& end, AcDbDwgFiler* filer);
// Applies a transform to the followers that can be opened for write.
void transformFollowers(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& xform);
} // namespace AcDbEntityFiling
