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
