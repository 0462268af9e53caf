// Round trips SetTable + Seek + Update on the 62-column duct table through
// the component, against the same work done with SQLite prepared statements
// in the same journal mode. The project lives in ORV_BENCH_DIR (default
// /dev/shm, so disk syncs do not hide the component's own cost).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "projectdb/ProjectDatabasePtr.h"
#include "projectdb/fieldlisthelpers.h"
#include "projectdb/projectfile.h"

namespace {
constexpr int kRows = 1000;
constexpr int kRoundTrips = 100000;
double gComponentRate = 0;
double gDirectRate = 0;

std::string benchFolder()
{
    const char* base = std::getenv("ORV_BENCH_DIR");
    std::string dir = std::string(base ? base : (std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp")) +
                      "/bench_projectdb_" + std::to_string(getpid());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// A project whose duct table holds kRows full rows.
std::string makeProject()
{
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

double rateOf(benchmark::State& state, std::chrono::steady_clock::time_point start)
{
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetItemsProcessed(state.iterations());
    return seconds > 0 ? double(state.iterations()) / seconds : 0;
}

void BM_ComponentRoundTrip(benchmark::State& state)
{
    IProjectDatabasePtr db;
    bool readOnly = false;
    if (FAILED(db.CreateInstance()) || !db.OpenDatabase(utf8ToWide(makeProject()).c_str(), readOnly)) {
        state.SkipWithError("cannot open the project");
        return;
    }
    _variant_t fields, updated;
    LONG key = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        key = key % kRows + 1;
        db.SetTable(L"tblDuct", L"ixDuct");
        db.Seek(_variant_t(key, VT_I4), fields);
        _variant_t changes = makeFieldList({{L"WIDTH", 14.0}, {L"CFM", double(key)}, {L"SIZEFOR", L"14x10"}});
        db.Update(changes, updated);
        benchmark::DoNotOptimize(updated.parray);
    }
    gComponentRate = rateOf(state, start);
    db.Close();
}

// Reads every column of the current row, as the component does for its field list.
void readRow(sqlite3_stmt* stmt)
{
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
        switch (sqlite3_column_type(stmt, c)) {
        case SQLITE_TEXT: benchmark::DoNotOptimize(sqlite3_column_text(stmt, c)); break;
        case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(stmt, c)); break;
        default: benchmark::DoNotOptimize(sqlite3_column_int(stmt, c)); break;
        }
    }
}

void BM_DirectSqliteRoundTrip(benchmark::State& state)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(makeProject().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_stmt *select = nullptr, *update = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM tblDuct WHERE ixDuct = ?1", -1, &select, nullptr);
    sqlite3_prepare_v2(db, "UPDATE tblDuct SET WIDTH = ?1, CFM = ?2, SIZEFOR = ?3 WHERE rowid = ?4", -1, &update,
                       nullptr);
    int key = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        key = key % kRows + 1;
        sqlite3_bind_int(select, 1, key);
        if (sqlite3_step(select) == SQLITE_ROW) readRow(select);
        sqlite3_reset(select);
        sqlite3_bind_double(update, 1, 14.0);
        sqlite3_bind_double(update, 2, double(key));
        sqlite3_bind_text(update, 3, "14x10", -1, SQLITE_STATIC);
        sqlite3_bind_int(update, 4, key);
        sqlite3_step(update);
        sqlite3_reset(update);
        // The component hands back the rewritten record; so does this.
        sqlite3_bind_int(select, 1, key);
        if (sqlite3_step(select) == SQLITE_ROW) readRow(select);
        sqlite3_reset(select);
    }
    gDirectRate = rateOf(state, start);
    sqlite3_finalize(select);
    sqlite3_finalize(update);
    sqlite3_close(db);
}

BENCHMARK(BM_ComponentRoundTrip)->Iterations(kRoundTrips)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectSqliteRoundTrip)->Iterations(kRoundTrips)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gComponentRate > 0 && gDirectRate > 0)
        std::printf("component %.0f round trips/s, direct SQLite %.0f/s, ratio %.2f\n", gComponentRate, gDirectRate,
                    gComponentRate / gDirectRate);
    std::string path = makeProject();
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
    return 0;
}
