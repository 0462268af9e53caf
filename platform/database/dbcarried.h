// Parts of a DXF drawing that the database does not model (the view,
// coordinate system and dimension style tables, the file's class records,
// the groups of BLOCK/ENDBLK markers): kept as the
// file gave them, tag by tag, so that both drawing formats write them back
// unchanged.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct AcDbCarriedDxf {
    // Each part is DXF tag text ("code\nvalue\n" lines) from its "0" tag on.
    using Named = std::vector<std::pair<std::string, std::string>>;
    Named classes;        // CLASS records of the file, by DXF name
    Named tables;         // whole tables not modelled (TABLE ... ENDTAB), by table name
    std::string objects;  // OBJECTS text of older binary drawings, until read as objects
    struct BlockMarkers {
        std::string name;   // the block's name when read (markers of a renamed block are not used)
        std::string begin;  // from "0 BLOCK" on
        std::string end;    // from "0 ENDBLK" on
    };
    std::map<uint64_t, BlockMarkers> blocks;  // by block record handle
    std::string acadVersion;                  // $ACADVER of the file read, empty for a new drawing

    bool empty() const { return classes.empty() && tables.empty() && objects.empty() && blocks.empty(); }
    void clear() { *this = AcDbCarriedDxf(); }
};
