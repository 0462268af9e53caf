// Groups of a file that an entity class does not model: kept with the
// subclass part they came in, written back after that part's own groups,
// and filed in the binary format as text, so that a drawing read from
// another program loses nothing on its way through either format.
#pragma once

#include <string>
#include <vector>

#include "database/dbfiler.h"
#include "geometry/AcGe.h"

class AcDbKeptGroups {
public:
    // Keeps the tags of the item the filer read last, as part `part` of the
    // object. Only a DXF file reader has tags to keep; other filers (entity
    // lists) give nothing.
    void keepLastItem(AcDbDxfFiler* filer, int part);
    // Writes the groups kept with part `part` (DXF files only).
    void dxfOut(AcDbDxfFiler* filer, int part) const;
    Acad::ErrorStatus dwgOut(AcDbDwgFiler* filer) const;
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* filer);

    bool empty() const { return mGroups.empty(); }
    size_t size() const { return mGroups.size(); }
    void clear() { mGroups.clear(); }
    // Moves kept points (code, code + 10, code + 20) with their entity.
    void transformPoints(int code, const AcGeMatrix3d& xform);
    // The kept value text of the first group with this code, or nullptr.
    const std::string* find(int code) const;

private:
    struct Group {
        Adesk::Int16 part;
        Adesk::Int16 code;
        std::string text;
    };
    std::vector<Group> mGroups;
};
