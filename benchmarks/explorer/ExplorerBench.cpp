// Project explorer speed on a project of 10,000 ducts over 20 drawings (the
// four airflow kinds in turn) and 2,000 diffusers of 50 schedules in 5
// groups over the same drawings: building the whole tree but the device
// lists, and locating a duct and a diffuser (its device list loaded) on a
// built tree, in both sort orders (argument: bCalloutFirst). The product's
// query function is answered in C++ over SQLite with the example product's
// SQL, so the figures are the module's work plus the queries themselves.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>

#include "lisp/AdsHost.h"
#include "lisp/Interpreter.h"
#include "lisp/LispEval.h"
#include "project/ProjectExplorerDialog.h"
#include "projectdb/projectfile.h"
#include "ui/DialogActions.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDucts = 10000, kDrawings = 20, kDiffusers = 2000, kGroups = 5, kSchedulesPerGroup = 10;
const char* const kAirflow[] = {"sa", "ra", "oa", "ea"};

std::string drawingName(int i) { return "Level" + std::to_string(i % kDrawings + 1) + ".dwg"; }

void fill(sqlite3* db) {
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* duct = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO tblDuct (ixDuct, AIRFLOW, DRAWING, CFM) VALUES (?1, ?2, ?3, 400)", -1, &duct,
                       nullptr);
    for (int i = 1; i <= kDucts; ++i) {
        std::string drawing = drawingName(i);
        sqlite3_bind_int(duct, 1, i);
        sqlite3_bind_text(duct, 2, kAirflow[(i / kDrawings) % 4], -1, SQLITE_STATIC);
        sqlite3_bind_text(duct, 3, drawing.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(duct);
        sqlite3_reset(duct);
    }
    sqlite3_finalize(duct);
    for (int g = 1; g <= kGroups; ++g) {
        std::string sql = "INSERT INTO tblDiffSGroup (ixDiffSGroup, sName) VALUES (" + std::to_string(g) +
                          ", 'Group " + std::to_string(g) + "')";
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
        for (int s = 1; s <= kSchedulesPerGroup; ++s) {
            int key = (g - 1) * kSchedulesPerGroup + s;
            sql = "INSERT INTO tblDiffS (ixDiffS, ixDiffSGroup, CALLOUT) VALUES (" + std::to_string(key) + ", " +
                  std::to_string(g) + ", 'D-" + std::to_string(key) + "')";
            sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
        }
    }
    sqlite3_stmt* placed = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO tblDiffL (ixDiffL, ixDiffS, DRAWING, CFM) VALUES (?1, ?2, ?3, 150)", -1,
                       &placed, nullptr);
    for (int i = 1; i <= kDiffusers; ++i) {
        std::string drawing = drawingName(i / 3);
        sqlite3_bind_int(placed, 1, i);
        sqlite3_bind_int(placed, 2, i % (kGroups * kSchedulesPerGroup) + 1);
        sqlite3_bind_text(placed, 3, drawing.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(placed);
        sqlite3_reset(placed);
    }
    sqlite3_finalize(placed);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

class ExplorerProject {
public:
    ExplorerProject() {
        dir = (fs::temp_directory_path() / "orv-bench-explorer").string();
        fs::remove_all(dir);
        fs::create_directories(dir);
        auto created = projectdb::createProject(dir, "bench");
        sqlite3_open(created.path.c_str(), &sql);
        fill(sql);
        db.CreateInstance();
        db.OpenProject(created.path.c_str());
        // The product's query function: field1 of each row, each value once, in row order.
        lisp::defineSubr("hvac-projectExplorer_sqlQuery", [this](lisp::Args a) { return query(a); }, 3, 3);
    }
    ~ExplorerProject() {
        db.Close();
        db.Release();
        sqlite3_close(sql);
        fs::remove_all(dir);
    }
    static ExplorerProject& get() {
        static ExplorerProject project;
        return project;
    }
    lisp::Ref query(lisp::Args a) {
        std::string text = "SELECT v FROM (SELECT " + a[1]->str + " AS v, ROW_NUMBER() OVER () AS n FROM (" +
                           a[0]->str + ")) WHERE v IS NOT NULL GROUP BY v ORDER BY MIN(n)";
        std::vector<lisp::Ref> values;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(sql, text.c_str(), -1, &stmt, nullptr) == SQLITE_OK)
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                if (sqlite3_column_type(stmt, 0) == SQLITE_INTEGER)
                    values.push_back(lisp::Interpreter::integer(sqlite3_column_int(stmt, 0)));
                else
                    values.push_back(lisp::Interpreter::string(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
            }
        sqlite3_finalize(stmt);
        return lisp::Interpreter::list(values);
    }

    std::string dir;
    sqlite3* sql = nullptr;
    IProjectDatabasePtr db;
};

std::unique_ptr<hvac::CDialogProjectExplorerHVAC> explorer(int32_t calloutFirst, int32_t devType, int32_t ixL) {
    adsSetOutputSink([](std::string_view) {});
    auto dialog = std::make_unique<hvac::CDialogProjectExplorerHVAC>("bench");
    dialog->setInterface(ExplorerProject::get().db);
    dialog->bCalloutFirst = calloutFirst;
    dialog->devType = devType;
    dialog->ixL = ixL;
    dialog->mode = "device";
    return dialog;
}

void BM_BuildTree(benchmark::State& state) {
    auto dialog = explorer(int32_t(state.range(0)), hvac::kExplorerDucts, 0);
    for (auto _ : state) dialog->buildTree();
    state.counters["rows"] = dialog->grid().model().rowCount();
}

// A device near the end of the tables, so every list before it is passed.
void locate(benchmark::State& state, int32_t devType, int32_t ixL) {
    auto dialog = explorer(int32_t(state.range(0)), devType, ixL);
    for (auto _ : state) {
        state.PauseTiming();
        dialog->buildTree();
        state.ResumeTiming();
        dialog->locateRow();
    }
    const GridModel& m = dialog->grid().model();
    if (m.attribute(m.focusCell().row, "ixList") != std::to_string(ixL)) state.SkipWithError("device not found");
}

void BM_LocateDuct(benchmark::State& state) { locate(state, hvac::kExplorerDucts, kDucts - 7); }
void BM_LocateDiffuser(benchmark::State& state) { locate(state, hvac::kExplorerDiffusers, kDiffusers - 7); }

BENCHMARK(BM_BuildTree)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
// Each iteration rebuilds the tree untimed: a fixed count keeps the run short.
BENCHMARK(BM_LocateDuct)->Arg(1)->Arg(0)->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateDiffuser)->Arg(1)->Arg(0)->Iterations(30)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
