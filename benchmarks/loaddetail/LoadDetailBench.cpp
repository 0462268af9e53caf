// Load detail speed on a project holding the cooling rows of N rooms for 12
// months and 24 hours (N = 1,000: 288,000 rows) and one heating row each:
// opening the dialog (rows built, every find, printed at open and close) and
// one refresh of the "Cooling Load" time row. The same figures for N = 10
// show whether the finds depend on the table's size (an index seek does not).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "lisp/AdsHost.h"
#include "loads/LoadDetailDialog.h"
#include "loads/LoadResultRecords.h"
#include "projectdb/projectfile.h"
#include "ui/DialogActions.h"

namespace {

namespace fs = std::filesystem;

// The rows as the product's calculation writes them, in one transaction.
void fillLoadRows(const std::string& path, int rooms) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* cooling = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO tblLoadRoomCooling (ixRoomL, iMonth, iHour, dRoof, dWall, dGlass, dLights,"
                       " dPeopleSensible, dPeopleLatent, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal,"
                       " iCoolingCFM, iOSACFM) VALUES (?1, ?2, ?3, ?4, 900, 1500, 800, 500, 300, ?5, 300, ?6, 400, 80)",
                       -1, &cooling, nullptr);
    for (int room = 1; room <= rooms; ++room)
        for (int month = 0; month < 12; ++month)
            for (int hour = 0; hour < 24; ++hour) {
                double roof = 100.0 * hour + month;
                sqlite3_bind_int(cooling, 1, room);
                sqlite3_bind_int(cooling, 2, month);
                sqlite3_bind_int(cooling, 3, hour);
                sqlite3_bind_double(cooling, 4, roof);
                sqlite3_bind_double(cooling, 5, roof + 3700);
                sqlite3_bind_double(cooling, 6, roof + 4000);
                sqlite3_step(cooling);
                sqlite3_reset(cooling);
            }
    sqlite3_finalize(cooling);
    sqlite3_stmt* heating = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO tblLoadRoomHeating (ixRoomL, dRoof, dWall, dRoomTotal, iHeatingCFM, iOSACFM)"
                           " VALUES (?1, 5000, 4000, 9000, 300, 60)", -1, &heating, nullptr);
    for (int room = 1; room <= rooms; ++room) {
        sqlite3_bind_int(heating, 1, room);
        sqlite3_step(heating);
        sqlite3_reset(heating);
    }
    sqlite3_finalize(heating);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// One project per room count, made once and kept for the run.
class LoadProject {
public:
    explicit LoadProject(int rooms) {
        dir = (fs::temp_directory_path() / ("orv-bench-loaddetail-" + std::to_string(rooms))).string();
        fs::remove_all(dir);
        fs::create_directories(dir);
        auto created = projectdb::createProject(dir, "bench");
        fillLoadRows(created.path, rooms);
        db.CreateInstance();
        db.OpenProject(created.path.c_str());
        cooling = std::make_unique<hvac::CoolingLoadRecord>(db);
        heating = std::make_unique<hvac::HeatingLoadRecord>(db);
        months = hvac::calculatedMonthNames(db);
    }
    ~LoadProject() {
        cooling.reset();
        heating.reset();
        db.Close();
        db.Release();
        fs::remove_all(dir);
    }
    static LoadProject& get(int rooms) {
        static std::map<int, std::unique_ptr<LoadProject>> projects;
        auto& project = projects[rooms];
        if (!project) project = std::make_unique<LoadProject>(rooms);
        return *project;
    }
    std::unique_ptr<hvac::CLoadDetail> dialog(int room) {
        hvac::LoadDetailArgs args;
        args.title = "Room " + std::to_string(room);
        args.subject = -room;
        args.summaryMonth = 6;
        args.summaryHour = 14;
        args.loadMonth = 6;
        args.loadHour = 15;
        args.area = 1200;
        args.requiredSupplyCfm = 400;
        return std::make_unique<hvac::CLoadDetail>(args, cooling.get(), heating.get(), months);
    }

    std::string dir;
    IProjectDatabasePtr db;
    std::unique_ptr<hvac::CoolingLoadRecord> cooling;
    std::unique_ptr<hvac::HeatingLoadRecord> heating;
    std::vector<std::string> months;
};

void quiet() {
    adsSetOutputSink([](std::string_view) {});
    uiClearDialogActions();  // every dialog closes with Escape at once
}

void BM_OpenLoadDetail(benchmark::State& state) {
    quiet();
    int rooms = int(state.range(0));
    LoadProject& project = LoadProject::get(rooms);
    int room = 1;
    for (auto _ : state) {
        auto dialog = project.dialog(room);
        benchmark::DoNotOptimize(dialog->DoModal());
        room = room % rooms + 1;
    }
    state.counters["rows"] = double(rooms) * 288;
}

void BM_CoolingLoadHourRefresh(benchmark::State& state) {
    quiet();
    int rooms = int(state.range(0));
    LoadProject& project = LoadProject::get(rooms);
    auto dialog = project.dialog(rooms / 2 + 1);
    dialog->DoModal();
    GridModel& model = dialog->grid().model();
    int timeRow = -1;
    for (int r = 0; r < model.rowCount(); ++r)
        if (model.text(r, 0) == "Time" && model.text(model.parentRow(r), 0) == "Cooling Load") timeRow = r;
    const std::vector<std::string>& hours = hvac::CLoadDetail::hourLabels();
    size_t hour = 0;
    for (auto _ : state) {
        // A person picks another hour: the end-of-edit handling refreshes the lines.
        benchmark::DoNotOptimize(dialog->grid().editCell(timeRow, 2, hours[hour]));
        hour = (hour + 1) % hours.size();
    }
    state.counters["rows"] = double(rooms) * 288;
}

BENCHMARK(BM_OpenLoadDetail)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CoolingLoadHourRefresh)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
