// Save and load times of drawings of 10,000 and 100,000 entities (a mix of
// lines, polylines and multiline texts) in the binary and the DXF format.
// The 100,000-entity DXF is left in the temp folder for ezdxf_compare.py;
// BM_LoadFile loads the file named by ORV_BENCH_DXF (ezdxf's copy of it).
// Loads report the heap bytes each loaded entity holds.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>

#include <filesystem>
#include <memory>

#include "database/dbdatabase.h"
#include "database/dbline.h"
#include "database/dbmtext.h"
#include "database/dbpolyline.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/DrawingFiles.h"

namespace {

std::unique_ptr<AcDbDatabase> makeDrawing(int entities) {
    auto db = std::make_unique<AcDbDatabase>();
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite);
    for (int i = 0; i < entities; ++i) {
        const double x = (i % 1000) * 12.5, y = (i / 1000) * 9.75;
        AcDbEntity* e = nullptr;
        switch (i % 10) {
        case 0: case 1: case 2: case 3:
            e = new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 10.3, y + 4.1, 0));
            break;
        case 4: case 5: case 6: {
            auto* pl = new AcDbPolyline();
            for (unsigned k = 0; k < 6; ++k) pl->addVertexAt(k, AcGePoint2d(x + k * 1.7, y + (k % 2) * 2.3));
            pl->setClosed(i % 2 == 0);
            e = pl;
            break;
        }
        default: {
            auto* text = new AcDbMText();
            text->setLocation(AcGePoint3d(x, y, 0));
            text->setTextHeight(2.5);
            text->setContents(("Room " + std::to_string(i) + "\\P1250 cfm").c_str());
            e = text;
            break;
        }
        }
        ms->appendAcDbEntity(e);
        e->close();
    }
    ms->close();
    return db;
}

std::string benchPath(int entities, bool dxf) {
    return (std::filesystem::temp_directory_path() /
            ("orv_bench_" + std::to_string(entities) + (dxf ? ".dxf" : ".dwg")))
        .string();
}

void BM_Save(benchmark::State& state, bool dxf) {
    const int n = static_cast<int>(state.range(0));
    auto db = makeDrawing(n);
    const std::string path = benchPath(n, dxf);
    for (auto _ : state) {
        if (orv::io::saveDrawing(db.get(), path) != Acad::eOk) state.SkipWithError("save failed");
    }
    const auto bytes = std::filesystem::file_size(path);
    state.counters["bytes_per_entity"] = static_cast<double>(bytes) / n;
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// Heap growth of holding one loaded drawing, per entity.
double heapBytesPerEntity(const std::string& path, int entities) {
    const size_t before = mallinfo2().uordblks;
    AcDbDatabase db(false, true);
    orv::io::readDrawing(&db, path);
    return static_cast<double>(mallinfo2().uordblks - before) / entities;
}

void BM_Load(benchmark::State& state, bool dxf) {
    const int n = static_cast<int>(state.range(0));
    const std::string path = benchPath(n, dxf);
    {
        auto db = makeDrawing(n);
        orv::io::saveDrawing(db.get(), path);
    }
    for (auto _ : state) {
        AcDbDatabase db(false, true);
        if (orv::io::readDrawing(&db, path) != Acad::eOk) state.SkipWithError("load failed");
    }
    state.counters["heap_bytes_per_entity"] = heapBytesPerEntity(path, n);
}

void BM_LoadFile(benchmark::State& state) {
    const char* path = std::getenv("ORV_BENCH_DXF");
    if (!path) {
        state.SkipWithError("ORV_BENCH_DXF names no file");
        return;
    }
    for (auto _ : state) {
        AcDbDatabase db(false, true);
        if (orv::io::readDrawing(&db, path) != Acad::eOk) state.SkipWithError("load failed");
    }
    state.counters["heap_bytes_per_entity"] = heapBytesPerEntity(path, 100000);
}

}  // namespace

BENCHMARK_CAPTURE(BM_Save, binary, false)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, binary, false)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Save, dxf, true)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, dxf, true)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFile)->Name("BM_LoadFile/ezdxf_written")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
