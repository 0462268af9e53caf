// Writing the duct solids of model space to 3D exchange files. The solids
// are opened for read while they are written; progress goes to standard
// error, one line per tenth of the solids for the meshed formats.
#include "app/SolidExport.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "solid/zk_hvacSolid.h"

namespace {

// The duct solids of model space, open for read, closed when it goes.
class ModelSpaceSolids {
public:
    explicit ModelSpaceSolids(AcDbDatabase* db) {
        AcDbObjectPointer<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForRead);
        if (!space) return;
        for (AcDbObjectId id : space->entityIds()) {
            if (id.isErased()) continue;
            AcDbEntity* entity = nullptr;
            if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk) continue;
            if (zk_hvacSolid* solid = zk_hvacSolid::cast(entity)) {
                if (!solid->isNull()) {
                    mSolids.push_back(solid);
                    continue;
                }
            }
            entity->close();
        }
    }
    ~ModelSpaceSolids() {
        for (zk_hvacSolid* solid : mSolids) solid->close();
    }
    ModelSpaceSolids(const ModelSpaceSolids&) = delete;
    ModelSpaceSolids& operator=(const ModelSpaceSolids&) = delete;
    const std::vector<zk_hvacSolid*>& solids() const { return mSolids; }

private:
    std::vector<zk_hvacSolid*> mSolids;
};

void progress(size_t done, size_t total, const char* what) {
    if (total < 20) return;
    if (done == total || done % (total / 10) == 0)
        std::cerr << "orvane-hvac: " << what << " " << done << " of " << total << " solids\n";
}

bool noSolids(const ModelSpaceSolids& all, std::string& error) {
    if (!all.solids().empty()) return false;
    error = zk_hvacSolid::desc() ? "the drawing has no duct solids" : "the solid library is not loaded";
    return true;
}

template <class T>
void put(std::string& bytes, T value) {
    char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    bytes.append(raw, sizeof(T));
}

bool writeAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            error = "cannot write " + temp;
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) error = ec.message();
    return !ec;
}

} // namespace

bool writeSolidExchangeFile(AcDbDatabase* db, const std::string& path, const ExportOptions&, std::string& error) {
    ModelSpaceSolids all(db);
    if (noSolids(all, error)) return false;
    const std::vector<zk_hvacSolid*>& solids = all.solids();
    if (solids.size() >= 20) std::cerr << "orvane-hvac: writing " << solids.size() << " solids\n";
    std::vector<const zk_hvacSolid*> others(solids.begin() + 1, solids.end());
    if (!solids.front()->writeSolids(others, path)) {
        error = "the solid library could not write the file";
        return false;
    }
    return true;
}

bool writeSolidGlb(AcDbDatabase* db, const std::string& path, const ExportOptions&, std::string& error) {
    ModelSpaceSolids all(db);
    if (noSolids(all, error)) return false;
    // One buffer: per solid its positions, normals (float x3) and indices
    // (uint32), each view 4-byte aligned by construction.
    std::string buffer;
    std::ostringstream views, accessors, meshes, nodes;
    size_t view = 0, accessor = 0, meshCount = 0;
    const size_t total = all.solids().size();
    for (size_t n = 0; n < total; ++n) {
        zkSolidMesh mesh;
        progress(n + 1, total, "meshed");
        if (!all.solids()[n]->getMesh(mesh) || mesh.vertices.empty()) continue;
        float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
        const size_t positionsAt = buffer.size();
        for (const AcGePoint3d& p : mesh.vertices) {
            const float v[3] = {float(p.x), float(p.z), float(-p.y)};
            for (int k = 0; k < 3; ++k) {
                put(buffer, v[k]);
                lo[k] = std::min(lo[k], v[k]);
                hi[k] = std::max(hi[k], v[k]);
            }
        }
        const size_t normalsAt = buffer.size();
        for (const AcGeVector3d& v : mesh.normals) {
            put(buffer, float(v.x));
            put(buffer, float(v.z));
            put(buffer, float(-v.y));
        }
        const size_t indicesAt = buffer.size();
        for (int index : mesh.triangles) put(buffer, static_cast<uint32_t>(index));
        const size_t count = mesh.vertices.size();
        auto addView = [&](size_t at, size_t length, int target) {
            views << (view ? "," : "") << "{\"buffer\":0,\"byteOffset\":" << at << ",\"byteLength\":" << length
                  << ",\"target\":" << target << "}";
            return view++;
        };
        size_t pv = addView(positionsAt, normalsAt - positionsAt, 34962);
        size_t nv = addView(normalsAt, indicesAt - normalsAt, 34962);
        size_t iv = addView(indicesAt, buffer.size() - indicesAt, 34963);
        accessors << (accessor ? "," : "") << "{\"bufferView\":" << pv << ",\"componentType\":5126,\"count\":"
                  << count << ",\"type\":\"VEC3\",\"min\":[" << lo[0] << "," << lo[1] << "," << lo[2]
                  << "],\"max\":[" << hi[0] << "," << hi[1] << "," << hi[2] << "]},{\"bufferView\":" << nv
                  << ",\"componentType\":5126,\"count\":" << count << ",\"type\":\"VEC3\"},{\"bufferView\":" << iv
                  << ",\"componentType\":5125,\"count\":" << mesh.triangles.size() << ",\"type\":\"SCALAR\"}";
        meshes << (meshCount ? "," : "") << "{\"primitives\":[{\"attributes\":{\"POSITION\":" << accessor
               << ",\"NORMAL\":" << accessor + 1 << "},\"indices\":" << accessor + 2 << ",\"material\":0}]}";
        nodes << (meshCount ? "," : "") << "{\"mesh\":" << meshCount << "}";
        accessor += 3;
        ++meshCount;
    }
    if (meshCount == 0) {
        error = "no solid could be meshed";
        return false;
    }
    std::string sceneNodes;
    for (size_t i = 0; i < meshCount; ++i) sceneNodes += (i ? "," : "") + std::to_string(i);
    std::string json = "{\"asset\":{\"version\":\"2.0\",\"generator\":\"orvane-hvac\"},\"scene\":0,"
                       "\"scenes\":[{\"nodes\":[" + sceneNodes + "]}],\"nodes\":[" + nodes.str() +
                       "],\"meshes\":[" + meshes.str() +
                       "],\"materials\":[{\"pbrMetallicRoughness\":{\"baseColorFactor\":[0.72,0.75,0.8,1],"
                       "\"metallicFactor\":0.6,\"roughnessFactor\":0.5}}],\"accessors\":[" + accessors.str() +
                       "],\"bufferViews\":[" + views.str() + "],\"buffers\":[{\"byteLength\":" +
                       std::to_string(buffer.size()) + "}]}";
    while (json.size() % 4) json += ' ';
    while (buffer.size() % 4) buffer += '\0';
    std::string file;
    put(file, uint32_t(0x46546C67)); // "glTF"
    put(file, uint32_t(2));
    put(file, uint32_t(12 + 8 + json.size() + 8 + buffer.size()));
    put(file, uint32_t(json.size()));
    put(file, uint32_t(0x4E4F534A)); // "JSON"
    file += json;
    put(file, uint32_t(buffer.size()));
    put(file, uint32_t(0x004E4942)); // "BIN"
    file += buffer;
    return writeAtomically(path, file, error);
}
