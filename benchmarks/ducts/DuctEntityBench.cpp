// Duct entity speed on drawings of 10,000 and 100,000 ducts in model space:
// save and load in the binary and the DXF format, and rendering model space
// to SVG through every duct's own display.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "database/io/DrawingFiles.h"
#include "ducts/ZkDuct.h"
#include "render/PlotRenderer.h"

namespace {

// A duct system laid out on a grid at drawing scale 48: runs with size text,
// hangers and arrows, one riser in ten, locks and continuation labels on a
// few.
std::unique_ptr<AcDbDatabase> makeDuctDrawing(int count) {
    if (!ZkDuct::desc()) ZkDuct::rxInit();
    auto db = std::make_unique<AcDbDatabase>(true, true);
    db->setDimscale(48.0);
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite);
    for (int i = 0; i < count; ++i) {
        const double x = (i % 300) * 240.0, y = (i / 300) * 180.0;
        auto* duct = new ZkDuct();
        duct->setDuctKey(i + 1);
        duct->setStartPoint(AcGePoint3d(x, y, 120.0));
        if (i % 10 == 9) {
            duct->setEndPoint(AcGePoint3d(x, y, 240.0));
        } else {
            duct->setEndPoint(AcGePoint3d(x + 200.0, y + (i % 3) * 40.0, 120.0));
            duct->setHangerDistances({36.0, -96.0, 156.0});
        }
        duct->setSizeFor(i % 4 == 0 ? "X" : "24x12");
        duct->setReverseArrows(i % 5 == 0);
        duct->setLockWidth(i % 50 == 0);
        if (i % 100 == 1) {
            duct->setDrawingName("Level 2.dwg");
            duct->setEndsInOtherDrawing(true);
        }
        space->appendAcDbEntity(duct);
        duct->close();
    }
    space->close();
    return db;
}

std::string benchPath(int count, const char* extension) {
    return (std::filesystem::temp_directory_path() /
            ("orv_bench_ducts_" + std::to_string(count) + extension))
        .string();
}

void BM_SaveDucts(benchmark::State& state, const char* extension) {
    const int n = static_cast<int>(state.range(0));
    auto db = makeDuctDrawing(n);
    const std::string path = benchPath(n, extension);
    for (auto _ : state) {
        if (orv::io::saveDrawing(db.get(), path) != Acad::eOk) state.SkipWithError("save failed");
    }
    state.counters["bytes_per_duct"] = static_cast<double>(std::filesystem::file_size(path)) / n;
    state.counters["ducts/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * n, benchmark::Counter::kIsRate);
    std::remove(path.c_str());
}

void BM_LoadDucts(benchmark::State& state, const char* extension) {
    const int n = static_cast<int>(state.range(0));
    const std::string path = benchPath(n, extension);
    {
        auto db = makeDuctDrawing(n);
        if (orv::io::saveDrawing(db.get(), path) != Acad::eOk) state.SkipWithError("save failed");
    }
    for (auto _ : state) {
        AcDbDatabase db(false, true);
        if (orv::io::readDrawing(&db, path) != Acad::eOk) state.SkipWithError("load failed");
    }
    state.counters["ducts/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * n, benchmark::Counter::kIsRate);
    std::remove(path.c_str());
}

// Model space to SVG the way the host program's render command does it.
void BM_RenderDucts(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto db = makeDuctDrawing(n);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead);
    const std::vector<AcDbObjectId> ids = space->entityIds(false);
    space->close();
    const std::string path = benchPath(n, ".svg");
    size_t primitives = 0;
    for (auto _ : state) {
        PlotRenderer renderer;
        std::string error;
        if (!renderer.begin(path, error)) state.SkipWithError(error.c_str());
        for (AcDbObjectId id : ids) {
            AcDbObjectPointer<ZkDuct> duct(id, AcDb::kForRead);
            renderer.draw(duct.object());
        }
        primitives = renderer.primitiveCount();
        if (!renderer.finish(error)) state.SkipWithError(error.c_str());
    }
    state.counters["primitives"] = static_cast<double>(primitives);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["ducts/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * n, benchmark::Counter::kIsRate);
    std::remove(path.c_str());
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

} // namespace

BENCHMARK_CAPTURE(BM_SaveDucts, binary, ".dwg")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadDucts, binary, ".dwg")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveDucts, dxf, ".dxf")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadDucts, dxf, ".dxf")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderDucts)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
