// A scratch project whose duct table holds full rows, and the raw SQLite
// client that the project database benchmarks are measured against.
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <string>

namespace bench {

constexpr int kDuctRows = 1000;

// A fresh folder for one benchmark program: ORV_BENCH_DIR, else /dev/shm
// (so disk syncs do not hide the measured code's own cost), else /tmp.
std::string benchFolder(const std::string& prefix);

// The project file (made once per process) whose tblDuct holds kDuctRows rows.
const std::string& ductProject(const std::string& prefix);
// Removes the folder of the project made by ductProject.
void removeDuctProject();

// Iterations of a round-trip benchmark: ORV_BENCH_ROUND_TRIPS when set (a
// short run under a profiler), else `standard`.
int roundTrips(int standard);

// Round trips per second over the iterations since `start`.
double rateOf(benchmark::State& state, std::chrono::steady_clock::time_point start);

// tblDuct through prepared statements in the component's journal mode.
class DirectDuctTable {
public:
    explicit DirectDuctTable(const std::string& path);
    ~DirectDuctTable();
    DirectDuctTable(const DirectDuctTable&) = delete;
    DirectDuctTable& operator=(const DirectDuctTable&) = delete;

    bool ok() const { return mSelect && mUpdate; }
    // Reads every column of the row, as the component does for its field list.
    void readRow(int key);
    void update(int key, double width, double cfm, const char* sizeFor);

private:
    sqlite3* mDb = nullptr;
    sqlite3_stmt* mSelect = nullptr;
    sqlite3_stmt* mUpdate = nullptr;
};

}  // namespace bench
