// Duct speed: ssgetx-duct with a key through the interpreter on drawings of
// 10,000 and 100,000 ducts, and DuctDbRecord Load + edit + Save round trips
// against the same work done with SQLite prepared statements in the same
// run. The project lives in ORV_BENCH_DIR (default /dev/shm).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "database/dbdatabase.h"
#include "database/dbsymtab.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/ZkDuct.h"
#include "integration/FunctionTable.h"
#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"
#include "projectdb/projectfile.h"

namespace {

constexpr int kRows = 1000;
constexpr int kRoundTrips = 20000;
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

std::string benchFolder() {
    const char* base = std::getenv("ORV_BENCH_DIR");
    std::string dir = std::string(base ? base : (std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp")) +
                      "/bench_ducts_" + std::to_string(getpid());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// A project whose duct table holds kRows full rows.
std::string makeProject() {
    static std::string path;
    if (!path.empty()) return path;
    auto created = projectdb::createProject(benchFolder(), "Bench");
    if (!created.ok) {
        std::fprintf(stderr, "%s\n", created.message.c_str());
        std::exit(1);
    }
    path = created.path;
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < kRows; ++i)
        sqlite3_exec(db,
                     "INSERT INTO tblDuct (ixLayerSystem, WIDTH, DEPTH, AIRFLOW, SHAPE, MATERIAL, DRAWING, X1, Y1, Z1, "
                     "X2, Y2, Z2, CFM, SIZEFOR) VALUES (1, 12, 10, 'sa', 'RC', 'GS', 'M-101', 0, 0, 120, 240, 0, 120, "
                     "400, 'WxD')",
                     nullptr, nullptr, nullptr);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

double rateOf(benchmark::State& state, std::chrono::steady_clock::time_point start) {
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetItemsProcessed(state.iterations());
    return seconds > 0 ? double(state.iterations()) / seconds : 0;
}

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

void readRow(sqlite3_stmt* stmt) {
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
        switch (sqlite3_column_type(stmt, c)) {
        case SQLITE_TEXT: benchmark::DoNotOptimize(sqlite3_column_text(stmt, c)); break;
        case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(stmt, c)); break;
        default: benchmark::DoNotOptimize(sqlite3_column_int(stmt, c)); break;
        }
    }
}

// The same work with prepared statements: read the row, read it again,
// update three columns, read the stored row.
void BM_DirectSqliteLoadSave(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(makeProject().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_stmt *select = nullptr, *update = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM tblDuct WHERE ixDuct = ?1", -1, &select, nullptr);
    sqlite3_prepare_v2(db, "UPDATE tblDuct SET WIDTH = ?1, CFM = ?2, SIZEFOR = ?3 WHERE rowid = ?4", -1, &update,
                       nullptr);
    auto readKey = [&](int key) {
        sqlite3_bind_int(select, 1, key);
        if (sqlite3_step(select) == SQLITE_ROW) readRow(select);
        sqlite3_reset(select);
    };
    int key = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        key = key % kRows + 1;
        readKey(key);
        readKey(key);
        sqlite3_bind_double(update, 1, 14.0);
        sqlite3_bind_int(update, 2, key);
        sqlite3_bind_text(update, 3, "14x10", -1, SQLITE_STATIC);
        sqlite3_bind_int(update, 4, key);
        sqlite3_step(update);
        sqlite3_reset(update);
        readKey(key);
    }
    gDirectRate = rateOf(state, start);
    sqlite3_finalize(select);
    sqlite3_finalize(update);
    sqlite3_close(db);
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
    std::string path = makeProject();
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
    return 0;
}
