// Duct speed: ssgetx-duct with a key through the interpreter on drawings of
// 10,000 and 100,000 ducts, and DuctDbRecord Load + edit + Save round trips
// against the same work done with SQLite prepared statements in the same
// run. The project lives in ORV_BENCH_DIR (default /dev/shm).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "database/dbdatabase.h"
#include "database/dbsymtab.h"
#include "DuctProject.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/ZkDuct.h"
#include "integration/FunctionTable.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"

namespace {

constexpr int kRows = bench::kDuctRows;
using bench::rateOf;
const int kRoundTrips = bench::roundTrips(20000);
constexpr int kKeys = 1000;  // ducts share keys: ssgetx-duct with a key finds N / kKeys of them
double gRecordRate = 0;
double gDirectRate = 0;

// N ducts in model space of the working drawing, keys 1..kKeys in turn, and
// the module's functions registered.
class DuctDrawing {
public:
    explicit DuctDrawing(int count) {
        if (!ZkDuct::desc()) ZkDuct::rxInit();
        adsSetOutputSink([](std::string_view) {});
        db = std::make_unique<AcDbDatabase>(true, true);
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        registerFunctionTable(kLispFunctionTable, kLispFunctionCount, 0);
        AcDbBlockTableRecord* space = nullptr;
        acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite);
        for (int i = 0; i < count; ++i) {
            auto* duct = new ZkDuct;
            const double x = (i % 300) * 120.0, y = (i / 300) * 60.0;
            duct->setDuctKey(i % kKeys + 1);
            duct->setStartPoint(AcGePoint3d(x, y, 120));
            duct->setEndPoint(AcGePoint3d(x + 100, y, 120));
            AcDbObjectId id;
            space->appendAcDbEntity(id, duct);
            duct->close();
        }
        space->close();
    }
    ~DuctDrawing() {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        adsSetOutputSink({});
    }

    std::unique_ptr<AcDbDatabase> db;
    lisp::Interpreter interp;
};

void BM_SsgetxDuctWithKey(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    DuctDrawing drawing(count);
    const lisp::Ref ssgetx = lisp::Interpreter::symbol("ssgetx-duct");
    const lisp::Ref key = lisp::Interpreter::integer(5);
    for (auto _ : state) {
        lisp::EvalResult r = drawing.interp.call(ssgetx, lisp::Args(&key, 1));
        if (!r.ok) {
            state.SkipWithError(r.error.c_str());
            return;
        }
        benchmark::DoNotOptimize(r.value);
    }
    state.SetItemsProcessed(state.iterations() * count);
}

const std::string& makeProject() { return bench::ductProject("bench_ducts"); }

// Load a row, change three columns, save: the record seeks the row again
// before its Update and reads back the stored row.
void BM_DuctRecordLoadSave(benchmark::State& state) {
    IProjectDatabasePtr db;
    if (FAILED(db.CreateInstance()) || db.OpenProject(makeProject().c_str()).length() == 0) {
        state.SkipWithError("cannot open the project");
        return;
    }
    DuctDbRecord record(db);
    int32_t key = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        key = key % kRows + 1;
        record.Load(key);
        record.BeginEdit();
        record.SetWidth(14.0);
        record.SetCfm(key);
        record.SetSizeFor("14x10");
        record.Save();
        benchmark::DoNotOptimize(record.WIDTH);
    }
    gRecordRate = rateOf(state, start);
    record.setDatabase(nullptr);
    db.Close();
}

// The same work with prepared statements: read the row, read it again,
// update three columns, read the stored row.
void BM_DirectSqliteLoadSave(benchmark::State& state) {
    bench::DirectDuctTable table(makeProject());
    if (!table.ok()) return state.SkipWithError("cannot open the project");
    int key = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        key = key % kRows + 1;
        table.readRow(key);
        table.readRow(key);
        table.update(key, 14.0, double(key), "14x10");
        table.readRow(key);
    }
    gDirectRate = rateOf(state, start);
}

BENCHMARK(BM_SsgetxDuctWithKey)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DuctRecordLoadSave)->Iterations(kRoundTrips)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectSqliteLoadSave)->Iterations(kRoundTrips)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gRecordRate > 0 && gDirectRate > 0)
        std::printf("DuctDbRecord %.0f Load+Save round trips/s, direct SQLite %.0f/s, ratio %.2f\n", gRecordRate,
                    gDirectRate, gRecordRate / gDirectRate);
    bench::removeDuctProject();
    return 0;
}
