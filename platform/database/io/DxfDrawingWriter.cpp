// Writes a database as ASCII DXF. Objects the database does not model (the
// VPORT, VIEW, UCS and DIMSTYLE tables, BLOCK/ENDBLK markers) are written as
// the file read gave them, the OBJECTS section from its objects in their
// order; a drawing that has none
// gets minimal ones with handles numbered on from the handle seed, in a
// fixed order, so saving the same drawing twice gives the same text.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "database/dbdictionary.h"
#include "database/dbentity.h"
#include "database/dbextents.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/AsciiDxfFiler.h"
#include "database/io/DrawingObjects.h"
#include "database/io/DxfDrawing.h"
#include "database/io/DxfEncoding.h"
#include "database/io/DxfTags.h"
#include "database/io/FileErrorText.h"
#include "database/io/FileProxyEntity.h"
#include "geometry/AcGeLimits.h"
#include "database/io/HeaderVariables.h"
#include "database/io/ProxyGraphics.h"

namespace orv::io {

namespace {

class DxfDrawingWriter {
public:
    DxfDrawingWriter(AcDbDatabase* db, std::string& message)
        : mDb(db), mMessage(message), mFiler(mOut, db), mNext(db->handseed().value()) {}

    bool write(std::string& text);

private:
    uint64_t nextHandle() { return mNext++; }
    bool writeObject(const char* type, const AcDbObject* object);
    bool writeTable(const char* name, AcDbObjectId tableId);
    bool writeCarriedTable(const char* name);
    void writeTableHead(const char* name, uint64_t handle, int count);
    void writeVportTable();
    void writeDimstyleTable();
    bool writeBlocks();
    bool writeEntities(AcDbObjectId blockId);
    void writeProxyData(const std::string& className, const std::string& bytes);
    void numberProxyClasses();
    void writeObjectsSection();
    void writeHeader(DxfTagWriter& w);
    void writeClasses(DxfTagWriter& w);
    std::string outputVersion() const;
    bool modelSpaceExtents(AcGePoint3d& min, AcGePoint3d& max) const;

    AcDbDatabase* mDb;
    std::string& mMessage;
    DxfTagWriter mOut;
    AcDbAsciiDxfFiler mFiler;
    uint64_t mNext;
    // Custom classes met while writing entities, for the CLASSES section.
    std::map<std::string, std::pair<FiledClass, int>> mCustom;
    // Class numbers (500 on, in CLASSES order) by class name, and whether a
    // proxy's class number waits to be filled in.
    std::map<std::string, int> mClassNumbers;
    bool mProxyClassesToNumber = false;
};

// Stands for a class number in a proxy's group 91 until the CLASSES section
// is numbered.
static std::string classNumberMark(const std::string& className) { return "\x01" + className + "\x01"; }

bool DxfDrawingWriter::writeObject(const char* type, const AcDbObject* object) {
    mOut.string(0, type);
    Acad::ErrorStatus es = object->dxfOut(&mFiler);
    if (es != Acad::eOk) {
        mMessage = std::string("cannot write ") + type + " " + object->objectHandle().asString() + ": " +
                   fileErrorText(es);
        return false;
    }
    return true;
}

bool DxfDrawingWriter::writeTable(const char* name, AcDbObjectId tableId) {
    ReadAccess table(tableId);
    auto* t = AcDbSymbolTable::cast(table.object());
    if (!t) {
        mMessage = std::string("the drawing has no ") + name + " table";
        return false;
    }
    mOut.string(0, "TABLE");
    mOut.string(2, name);
    if (t->dxfOut(&mFiler) != Acad::eOk) {
        mMessage = std::string("cannot write the ") + name + " table";
        return false;
    }
    for (AcDbObjectId id : t->recordIds()) {
        ReadAccess record(id);
        if (record.object() && !writeObject(name, record.object())) return false;
    }
    mOut.string(0, "ENDTAB");
    return true;
}

bool DxfDrawingWriter::writeCarriedTable(const char* name) {
    for (const auto& [table, text] : mDb->carriedDxf().tables) {
        if (table != name) continue;
        mOut.data() += text;
        return true;
    }
    return false;
}

void DxfDrawingWriter::writeTableHead(const char* name, uint64_t handle, int count) {
    mOut.string(0, "TABLE");
    mOut.string(2, name);
    mOut.handle(5, handle);
    mOut.handle(330, 0);
    mOut.string(100, "AcDbSymbolTable");
    mOut.integer(70, count);
}

void DxfDrawingWriter::writeVportTable() {
    if (writeCarriedTable("VPORT")) return;
    const uint64_t table = nextHandle();
    writeTableHead("VPORT", table, 1);
    mOut.string(0, "VPORT");
    mOut.handle(5, nextHandle());
    mOut.handle(330, table);
    mOut.string(100, "AcDbSymbolTableRecord");
    mOut.string(100, "AcDbViewportTableRecord");
    mOut.string(2, "*Active");
    mOut.integer(70, 0);
    mOut.point2d(10, 0, 0);
    mOut.point2d(11, 1, 1);
    mOut.point2d(12, 0, 0);
    mOut.point2d(13, 0, 0);
    mOut.point2d(14, 0.5, 0.5);
    mOut.point2d(15, 0.5, 0.5);
    mOut.point(16, 0, 0, 1);
    mOut.point(17, 0, 0, 0);
    mOut.real(40, 10.0);
    mOut.real(41, 1.5);
    mOut.real(42, 50.0);
    mOut.real(43, 0.0);
    mOut.real(44, 0.0);
    mOut.real(50, 0.0);
    mOut.real(51, 0.0);
    mOut.integer(71, 0);
    mOut.integer(72, 100);
    mOut.integer(73, 1);
    mOut.integer(74, 3);
    mOut.integer(75, 0);
    mOut.integer(76, 0);
    mOut.integer(77, 0);
    mOut.integer(78, 0);
    mOut.string(0, "ENDTAB");
}

void DxfDrawingWriter::writeDimstyleTable() {
    if (writeCarriedTable("DIMSTYLE")) return;
    const uint64_t table = nextHandle();
    writeTableHead("DIMSTYLE", table, 1);
    mOut.string(100, "AcDbDimStyleTable");
    mOut.integer(71, 0);
    mOut.string(0, "DIMSTYLE");
    mOut.handle(105, nextHandle());
    mOut.handle(330, table);
    mOut.string(100, "AcDbSymbolTableRecord");
    mOut.string(100, "AcDbDimStyleTableRecord");
    mOut.string(2, "Standard");
    mOut.integer(70, 0);
    mOut.real(40, mDb->dimscale());
    mOut.string(0, "ENDTAB");
}

// Where the common groups of the entity written from start on end (after
// "100 AcDbEntity" and the layer, linetype, colour, ... groups), npos if it
// has no common part.
static size_t endOfCommonGroups(const std::string& text, size_t start) {
    static const std::string marker = "100\nAcDbEntity\n";
    size_t at = text.find(marker, start);
    if (at == std::string::npos) return at;
    at += marker.size();
    while (at < text.size()) {
        const size_t codeEnd = text.find('\n', at);
        if (codeEnd == std::string::npos) break;
        const int code = std::atoi(text.c_str() + at);
        if (code != 8 && code != 6 && code != 62 && code != 48 && code != 60 && code != 370 && code != 67) break;
        const size_t valueEnd = text.find('\n', codeEnd + 1);
        if (valueEnd == std::string::npos) break;
        at = valueEnd + 1;
    }
    return at;
}

bool DxfDrawingWriter::writeEntities(AcDbObjectId blockId) {
    ReadAccess block(blockId);
    auto* btr = AcDbBlockTableRecord::cast(block.object());
    if (!btr) return true;
    const bool paper = blockId == mDb->paperSpaceId();
    for (AcDbObjectId id : btr->entityIds()) {
        if (id.isErased()) continue;
        ReadAccess entity(id);
        if (!entity.object()) continue;
        FiledClass fc = filedClassOf(entity.object());
        if (fc.isCustom) {
            auto& entry = mCustom[fc.className];
            entry.first = fc;
            ++entry.second;
        }
        const size_t start = mOut.data().size();
        // Data a binary drawing kept as bytes (a class unknown there, or newer
        // than its code) has no DXF form of its class: it goes out the
        // standard way for proxies, which every reader takes back.
        const auto* proxy = AcDbFileProxyEntity::cast(entity.object());
        const bool bytesOnly = proxy && !proxy->keepsDxfTags();
        if (!writeObject(bytesOnly ? "ACAD_PROXY_ENTITY" : fc.dxfName.c_str(), entity.object())) return false;
        if (bytesOnly) writeProxyData(fc.className, proxy->binaryData());
        static const std::string marker = "100\nAcDbEntity\n";
        // Paper space entities carry 67 (other readers rely on it).
        if (paper) {
            size_t at = mOut.data().find(marker, start);
            if (at != std::string::npos) mOut.data().insert(at + marker.size(), " 67\n1\n");
        }
        // A custom entity carries its display as proxy graphics, at the end
        // of its common groups, for programs without its class.
        if (fc.isCustom && !AcDbFileProxyEntity::cast(entity.object())) {
            const std::string graphics = proxyGraphicsTags(proxyGraphicsOf(AcDbEntity::cast(entity.object())));
            const size_t at = endOfCommonGroups(mOut.data(), start);
            if (!graphics.empty() && at != std::string::npos) mOut.data().insert(at, graphics);
        }
    }
    return true;
}

// The proxy part: the proxy entity class (498), the application class by its
// number in CLASSES, the data size in bits and the data in 310 groups.
void DxfDrawingWriter::writeProxyData(const std::string& className, const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    mOut.string(100, "AcDbProxyEntity");
    mOut.integer(90, 498);
    mOut.string(91, classNumberMark(className));
    mProxyClassesToNumber = true;
    mOut.integer(93, static_cast<int64_t>(bytes.size()) * 8);
    constexpr size_t kChunk = 127;  // 254 hex digits, the longest 310 value
    for (size_t at = 0; at < bytes.size(); at += kChunk) {
        std::string hex;
        for (size_t i = at; i < std::min(bytes.size(), at + kChunk); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            hex += kHex[byte >> 4];
            hex += kHex[byte & 15];
        }
        mOut.string(310, hex);
    }
    mOut.integer(94, 0);
}

// Fills in the class numbers of the proxies' group 91 (0 for a class the
// CLASSES section does not list).
void DxfDrawingWriter::numberProxyClasses() {
    std::string& text = mOut.data();
    const std::string code = " 91\n\x01";
    for (size_t at = text.find(code); at != std::string::npos; at = text.find(code, at + 1)) {
        const size_t nameAt = at + code.size();
        const size_t end = text.find("\x01\n", nameAt);
        if (end == std::string::npos) break;
        auto known = mClassNumbers.find(text.substr(nameAt, end - nameAt));
        const std::string number = std::to_string(known == mClassNumbers.end() ? 0 : known->second);
        text.replace(nameAt - 1, end + 1 - (nameAt - 1), number);
    }
}

bool DxfDrawingWriter::writeBlocks() {
    ReadAccess table(mDb->blockTableId());
    auto* bt = AcDbSymbolTable::cast(table.object());
    if (!bt) {
        mMessage = "the drawing has no block table";
        return false;
    }
    const AcDbObjectId modelSpace = mDb->modelSpaceId();
    for (AcDbObjectId id : bt->recordIds()) {
        std::string name;
        AcGePoint3d origin;
        {
            ReadAccess block(id);
            auto* btr = AcDbBlockTableRecord::cast(block.object());
            if (!btr) continue;
            name = btr->getName();
            origin = btr->origin();
        }
        const bool paper = id == mDb->paperSpaceId();
        const auto& carried = mDb->carriedDxf().blocks;
        const auto markers = carried.find(id.handle().value());
        if (markers != carried.end() && markers->second.name == name && !markers->second.end.empty()) {
            mOut.data() += markers->second.begin;
            if (id != modelSpace && !writeEntities(id)) return false;
            mOut.data() += markers->second.end;
            continue;
        }
        mOut.string(0, "BLOCK");
        mOut.handle(5, nextHandle());
        mOut.handle(330, id.handle().value());
        mOut.string(100, "AcDbEntity");
        if (paper) mOut.integer(67, 1);
        mOut.string(8, "0");
        mOut.string(100, "AcDbBlockBegin");
        mOut.string(2, name);
        mOut.integer(70, 0);
        mOut.point(10, origin.x, origin.y, origin.z);
        mOut.string(3, name);
        mOut.string(1, "");
        // Model space entities go to the ENTITIES section.
        if (id != modelSpace && !writeEntities(id)) return false;
        mOut.string(0, "ENDBLK");
        mOut.handle(5, nextHandle());
        mOut.handle(330, id.handle().value());
        mOut.string(100, "AcDbEntity");
        if (paper) mOut.integer(67, 1);
        mOut.string(8, "0");
        mOut.string(100, "AcDbBlockEnd");
    }
    return true;
}

void DxfDrawingWriter::writeObjectsSection() {
    std::vector<std::pair<uint64_t, std::string>> objects;
    forEachSavedObject(mDb, [&](AcDbObject* object) {
        if (const auto* carried = AcDbCarriedObject::cast(object)) objects.emplace_back(carried->sequence(), carried->dxfText());
    });
    std::sort(objects.begin(), objects.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& object : objects) mOut.data() += object.second;
    if (!objects.empty()) return;
    if (!mDb->carriedDxf().objects.empty()) {
        mOut.data() += mDb->carriedDxf().objects;
        return;
    }
    const uint64_t root = nextHandle();
    const uint64_t groups = nextHandle();
    mOut.string(0, "DICTIONARY");
    mOut.handle(5, root);
    mOut.handle(330, 0);
    mOut.string(100, "AcDbDictionary");
    mOut.integer(281, 1);
    mOut.string(3, "ACAD_GROUP");
    mOut.handle(350, groups);
    mOut.string(0, "DICTIONARY");
    mOut.handle(5, groups);
    mOut.handle(330, root);
    mOut.string(100, "AcDbDictionary");
    mOut.integer(281, 1);
}

std::string DxfDrawingWriter::outputVersion() const {
    // Structures older than R2000 are written as R2000; newer input keeps
    // its version.
    const std::string& version = mDb->carriedDxf().acadVersion;
    return version.size() == 6 && version > "AC1015" && version.rfind("AC", 0) == 0 ? version : "AC1015";
}

static bool usable(const AcGePoint3d& p) {
    return acgeIsUsableNumber(p.x) && acgeIsUsableNumber(p.y) && acgeIsUsableNumber(p.z);
}

bool DxfDrawingWriter::modelSpaceExtents(AcGePoint3d& min, AcGePoint3d& max) const {
    ReadAccess block(mDb->modelSpaceId());
    auto* btr = AcDbBlockTableRecord::cast(block.object());
    if (!btr) return false;
    AcDbExtents all;
    for (AcDbObjectId id : btr->entityIds()) {
        ReadAccess entity(id);
        auto* e = AcDbEntity::cast(entity.object());
        AcDbExtents part;
        // Extents beyond the numbers a drawing may hold (an entity scaled
        // far out) would make a header no reader takes: left out.
        if (e && e->getGeomExtents(part) == Acad::eOk && !part.isEmpty() && usable(part.minPoint()) &&
            usable(part.maxPoint()))
            all.addExt(part);
    }
    if (all.isEmpty()) return false;
    min = all.minPoint();
    max = all.maxPoint();
    return true;
}

void DxfDrawingWriter::writeHeader(DxfTagWriter& w) {
    w.string(0, "SECTION");
    w.string(2, "HEADER");
    const std::string version = outputVersion();
    w.string(9, "$ACADVER");
    w.string(1, version);
    // Files before R2007 are written in code page 1252 (see write()).
    AcDbHeaderValue page;
    const bool known = mDb->getHeaderVar("DWGCODEPAGE", page) && page.type == RTSTR;
    w.string(9, "$DWGCODEPAGE");
    w.string(3, isUtf8DxfVersion(version) && known ? page.text : std::string("ANSI_1252"));
    // The extents of what model space holds now.
    AcGePoint3d min, max;
    const bool haveExtents = modelSpaceExtents(min, max);
    if (haveExtents) {
        w.string(9, "$EXTMIN");
        w.point(10, min.x, min.y, min.z);
        w.string(9, "$EXTMAX");
        w.point(10, max.x, max.y, max.z);
    }
    w.string(9, "$HANDSEED");
    w.handle(5, mNext);
    w.string(9, "$DIMSCALE");
    w.real(40, mDb->dimscale());
    for (const auto& [name, v] : mDb->headerVars()) {
        if (name == "DIMSCALE" || name == "ACADVER" || name == "HANDSEED" || name == "DWGCODEPAGE") continue;
        if (haveExtents && (name == "EXTMIN" || name == "EXTMAX")) continue;
        w.string(9, "$" + name);
        int code = v.code ? v.code : headerVariableCode(name);
        switch (v.type) {
        case RTSHORT: w.integer(code ? code : 70, v.integer); break;
        case RTLONG: w.integer(code ? code : 90, v.integer); break;
        case RTSTR: w.string(code ? code : 1, v.text); break;
        case RTPOINT: w.point2d(code ? code : 10, v.point[0], v.point[1]); break;
        case RT3DPOINT: w.point(code ? code : 10, v.point[0], v.point[1], v.point[2]); break;
        default: w.real(code ? code : 40, v.real); break;
        }
    }
    w.string(0, "ENDSEC");
}

// An application name as other programs show it: without the quotes some
// class registrations keep around it.
static std::string applicationName(const std::string& name) {
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') return name.substr(1, name.size() - 2);
    return name;
}

void DxfDrawingWriter::writeClasses(DxfTagWriter& w) {
    w.string(0, "SECTION");
    w.string(2, "CLASSES");
    // The file's own class records (objects of the OBJECTS section), except
    // those of entity classes: those met below are written with their count.
    int number = 500;
    for (const auto& [dxfName, text] : mDb->carriedDxf().classes) {
        bool met = false;
        for (const auto& [name, entry] : mCustom) met = met || entry.first.dxfName == dxfName;
        if (met || isStandardEntityName(dxfName)) continue;
        w.data() += text;
        ++number;
    }
    for (const auto& [name, entry] : mCustom) {
        const FiledClass& c = entry.first;
        mClassNumbers[c.className] = number++;
        w.string(0, "CLASS");
        w.string(1, c.dxfName);
        w.string(2, c.className);
        w.string(3, applicationName(c.appName));
        w.integer(90, c.proxyFlags);
        w.integer(91, entry.second);
        w.integer(280, 0);
        w.integer(281, c.isEntity ? 1 : 0);
    }
    w.string(0, "ENDSEC");
}

bool DxfDrawingWriter::write(std::string& text) {
    mOut.data().reserve(mDb->numIds() * 140);
    mOut.string(0, "SECTION");
    mOut.string(2, "TABLES");
    writeVportTable();
    if (!writeTable("LTYPE", mDb->linetypeTableId()) || !writeTable("LAYER", mDb->layerTableId()) ||
        !writeTable("STYLE", mDb->textStyleTableId()))
        return false;
    for (const char* name : {"VIEW", "UCS"}) {
        if (writeCarriedTable(name)) continue;
        writeTableHead(name, nextHandle(), 0);
        mOut.string(0, "ENDTAB");
    }
    if (!writeTable("APPID", mDb->regAppTableId())) return false;
    writeDimstyleTable();
    if (!writeTable("BLOCK_RECORD", mDb->blockTableId())) return false;
    mOut.string(0, "ENDSEC");
    mOut.string(0, "SECTION");
    mOut.string(2, "BLOCKS");
    if (!writeBlocks()) return false;
    mOut.string(0, "ENDSEC");
    mOut.string(0, "SECTION");
    mOut.string(2, "ENTITIES");
    if (!writeEntities(mDb->modelSpaceId())) return false;
    mOut.string(0, "ENDSEC");
    mOut.string(0, "SECTION");
    mOut.string(2, "OBJECTS");
    writeObjectsSection();
    mOut.string(0, "ENDSEC");
    mOut.string(0, "EOF");

    // The header needs the final handle seed and the classes met above.
    DxfTagWriter head;
    writeHeader(head);
    writeClasses(head);
    if (mProxyClassesToNumber) numberProxyClasses();
    text.clear();
    text.reserve(head.data().size() + mOut.data().size());
    text += head.data();
    text += mOut.data();
    if (!isUtf8DxfVersion(outputVersion())) {
        const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (!ascii) text = encodeDxfCodePage1252(text);
    }
    return true;
}

}  // namespace

bool writeDxfDrawing(AcDbDatabase* db, std::string& text, std::string& message) {
    DxfDrawingWriter writer(db, message);
    return writer.write(text);
}

}  // namespace orv::io
