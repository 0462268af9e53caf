#include "DuctProject.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "projectdb/projectfile.h"

namespace bench {

namespace {
std::string gProjectPath;
}

std::string benchFolder(const std::string& prefix) {
    const char* base = std::getenv("ORV_BENCH_DIR");
    std::string dir = std::string(base ? base : (std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp")) + "/" +
                      prefix + "_" + std::to_string(getpid());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

const std::string& ductProject(const std::string& prefix) {
    if (!gProjectPath.empty()) return gProjectPath;
    auto created = projectdb::createProject(benchFolder(prefix), "Bench");
    if (!created.ok) {
        std::fprintf(stderr, "%s\n", created.message.c_str());
        std::exit(1);
    }
    sqlite3* db = nullptr;
    sqlite3_open(created.path.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < kDuctRows; ++i)
        sqlite3_exec(db,
                     "INSERT INTO tblDuct (ixLayerSystem, WIDTH, DEPTH, AIRFLOW, SHAPE, MATERIAL, DRAWING, X1, Y1, Z1, "
                     "X2, Y2, Z2, CFM, SIZEFOR) VALUES (1, 12, 10, 'sa', 'RC', 'GS', 'M-101', 0, 0, 120, 240, 0, 120, "
                     "400, 'WxD')",
                     nullptr, nullptr, nullptr);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    gProjectPath = created.path;
    return gProjectPath;
}

void removeDuctProject() {
    if (gProjectPath.empty()) return;
    std::filesystem::remove_all(std::filesystem::path(gProjectPath).parent_path());
    gProjectPath.clear();
}

int roundTrips(int standard) {
    const char* text = std::getenv("ORV_BENCH_ROUND_TRIPS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : standard;
}

double rateOf(benchmark::State& state, std::chrono::steady_clock::time_point start) {
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetItemsProcessed(state.iterations());
    return seconds > 0 ? double(state.iterations()) / seconds : 0;
}

DirectDuctTable::DirectDuctTable(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &mDb, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) return;
    sqlite3_exec(mDb, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(mDb, "SELECT * FROM tblDuct WHERE ixDuct = ?1", -1, &mSelect, nullptr);
    sqlite3_prepare_v2(mDb, "UPDATE tblDuct SET WIDTH = ?1, CFM = ?2, SIZEFOR = ?3 WHERE rowid = ?4", -1, &mUpdate,
                       nullptr);
}

DirectDuctTable::~DirectDuctTable() {
    sqlite3_finalize(mSelect);
    sqlite3_finalize(mUpdate);
    sqlite3_close(mDb);
}

void DirectDuctTable::readRow(int key) {
    sqlite3_bind_int(mSelect, 1, key);
    if (sqlite3_step(mSelect) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(mSelect); ++c) {
            switch (sqlite3_column_type(mSelect, c)) {
            case SQLITE_TEXT: benchmark::DoNotOptimize(sqlite3_column_text(mSelect, c)); break;
            case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(mSelect, c)); break;
            default: benchmark::DoNotOptimize(sqlite3_column_int(mSelect, c)); break;
            }
        }
    }
    sqlite3_reset(mSelect);
}

void DirectDuctTable::update(int key, double width, double cfm, const char* sizeFor) {
    sqlite3_bind_double(mUpdate, 1, width);
    sqlite3_bind_double(mUpdate, 2, cfm);
    sqlite3_bind_text(mUpdate, 3, sizeFor, -1, SQLITE_STATIC);
    sqlite3_bind_int(mUpdate, 4, key);
    sqlite3_step(mUpdate);
    sqlite3_reset(mUpdate);
}

}  // namespace bench
