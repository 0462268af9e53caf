// Round trips SetTable + Seek + Update on the 62-column duct table through
// the component, against the same work done by each engine's own client:
// SQLite prepared statements in the same journal mode, and libpq prepared
// statements over the local socket of a throwaway PostgreSQL cluster. Then
// two processes editing the same rows on the server at once (updates per
// second, conflicts reported, nothing lost). SQLite projects live in
// ORV_BENCH_DIR (default /dev/shm, so disk syncs do not hide the
// component's own cost); the cluster in ORV_PG_TMPDIR (default /dev/shm).
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "projectdb/ProjectDatabasePtr.h"
#include "projectdb/fieldlisthelpers.h"
#include "projectdb/projectfile.h"
#include "projectdb/serverproject.h"
#include "DuctProject.h"
#include "pgcluster.h"

namespace {
constexpr int kRows = bench::kDuctRows;
using bench::rateOf;
const int kRoundTrips = bench::roundTrips(100000);
const int kServerRoundTrips = bench::roundTrips(10000);
constexpr int kSoakRows = 20;
constexpr double kSoakSeconds = 5;
double gComponentRate = 0;
double gDirectRate = 0;
double gServerComponentRate = 0;
double gServerDirectRate = 0;
std::string gSoakReport;

const std::string& makeProject() { return bench::ductProject("bench_projectdb"); }

// A server project (connection file and database) whose duct table holds
// kRows full rows; "" when no cluster could start.
struct ServerProject {
    std::string file;
    std::string uri;
};

const ServerProject& serverProject()
{
    static ServerProject project;
    static bool tried = false;
    if (tried) return project;
    tried = true;
    if (!std::getenv("ORV_PG_TMPDIR") && std::filesystem::exists("/dev/shm")) setenv("ORV_PG_TMPDIR", "/dev/shm", 1);
    PgTestCluster* cluster = PgTestCluster::shared();
    if (!cluster) {
        std::fprintf(stderr, "no PostgreSQL cluster: %s\n", PgTestCluster::reason().c_str());
        return project;
    }
    std::string uri = cluster->createDatabase();
    std::string folder = std::filesystem::path(makeProject()).parent_path().string() + "/server";
    std::filesystem::create_directories(folder);
    auto created = projectdb::createServerProject(folder, "Bench", uri);
    if (!created.ok) {
        std::fprintf(stderr, "%s\n", created.message.c_str());
        return project;
    }
    std::string rows = "INSERT INTO tblduct (ixlayersystem, width, depth, airflow, shape, material, drawing, x1, y1, z1, "
                       "x2, y2, z2, cfm, sizefor) SELECT 1, 12, 10, 'sa', 'RC', 'GS', 'M-101', 0, 0, 120, 240, 0, 120, "
                       "400, 'WxD' FROM generate_series(1, " + std::to_string(kRows) + ")";
    std::string error = cluster->run(uri.substr(uri.find("@/") + 2, uri.find('?') - uri.find("@/") - 2), rows);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return project;
    }
    project = {created.path, uri};
    return project;
}

// SetTable + Seek + Update through the component, on the given project file.
void componentRoundTrips(benchmark::State& state, const std::string& project, double& rate)
{
    IProjectDatabasePtr db;
    bool readOnly = false;
    if (project.empty() || FAILED(db.CreateInstance()) || !db.OpenDatabase(utf8ToWide(project).c_str(), readOnly)) {
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
    rate = rateOf(state, start);
    db.Close();
}

void BM_ComponentRoundTrip(benchmark::State& state) { componentRoundTrips(state, makeProject(), gComponentRate); }

void BM_ComponentRoundTripPostgres(benchmark::State& state)
{
    componentRoundTrips(state, serverProject().file, gServerComponentRate);
}

void BM_DirectSqliteRoundTrip(benchmark::State& state)
{
    bench::DirectDuctTable table(makeProject());
    if (!table.ok()) return state.SkipWithError("cannot open the project");
    int key = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        key = key % kRows + 1;
        table.readRow(key);
        table.update(key, 14.0, double(key), "14x10");
        // The component hands back the rewritten record; so does this.
        table.readRow(key);
    }
    gDirectRate = rateOf(state, start);
}

// Runs a prepared statement with text parameters; the result is the caller's.
PGresult* runPrepared(PGconn* conn, const char* name, std::initializer_list<const char*> params)
{
    std::vector<const char*> values(params);
    return PQexecPrepared(conn, name, int(values.size()), values.data(), nullptr, nullptr, 0);
}

// Reads every column of the first row, as the component does for its field list.
void readRow(PGresult* result)
{
    if (PQntuples(result) < 1) return;
    for (int c = 0; c < PQnfields(result); ++c) benchmark::DoNotOptimize(PQgetvalue(result, 0, c));
}

void BM_DirectLibpqRoundTrip(benchmark::State& state)
{
    const ServerProject& project = serverProject();
    PGconn* conn = project.uri.empty() ? nullptr : PQconnectdb(project.uri.c_str());
    if (PQstatus(conn) != CONNECTION_OK) {
        state.SkipWithError("cannot connect to the server");
        PQfinish(conn);
        return;
    }
    PQclear(PQprepare(conn, "row", "SELECT * FROM tblduct WHERE ixduct = $1", 0, nullptr));
    PQclear(PQprepare(conn, "write", "UPDATE tblduct SET width = $1, cfm = $2, sizefor = $3 WHERE ixduct = $4", 0,
                      nullptr));
    int key = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        key = key % kRows + 1;
        std::string k = std::to_string(key);
        PGresult* row = runPrepared(conn, "row", {k.c_str()});
        readRow(row);
        PQclear(row);
        PQclear(runPrepared(conn, "write", {"14", k.c_str(), "14x10", k.c_str()}));
        // The component hands back the rewritten record; so does this.
        row = runPrepared(conn, "row", {k.c_str()});
        readRow(row);
        PQclear(row);
    }
    gServerDirectRate = rateOf(state, start);
    PQfinish(conn);
}

// One soak client: for kSoakSeconds, reads one of kSoakRows ducts, adds one
// to its CFM and writes it back; a conflict (3197) is counted and the edit
// is read and tried again. Writes "updates conflicts" to `out`.
int soakClient(const std::string& project, int seed, int out)
{
    IProjectDatabasePtr db;
    bool readOnly = false;
    if (FAILED(db.CreateInstance()) || !db.OpenDatabase(utf8ToWide(project).c_str(), readOnly)) return 2;
    std::mt19937 pick{unsigned(seed)};
    long updates = 0, conflicts = 0;
    _variant_t fields, updated;
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(kSoakSeconds);
    while (std::chrono::steady_clock::now() < end) {
        LONG key = LONG(pick() % kSoakRows) + 1;
        for (;;) {
            try {
                db.SetTable(L"tblDuct", L"ixDuct");
                db.Seek(_variant_t(key, VT_I4), fields);
                double cfm = fieldValue(fields, L"CFM")->dblVal;
                db.Update(makeFieldList({{L"CFM", cfm + 1}}), updated);
                ++updates;
                break;
            } catch (const _com_error&) {
                _bstr_t text;
                if (db.GetLastError(text) != kDbErrRecordChanged) return 3;
                ++conflicts;
            }
        }
    }
    std::string report = std::to_string(updates) + " " + std::to_string(conflicts);
    return write(out, report.c_str(), report.size()) == ssize_t(report.size()) ? 0 : 4;
}

void BM_TwoClientSoakPostgres(benchmark::State& state)
{
    const ServerProject& project = serverProject();
    if (project.file.empty()) {
        state.SkipWithError("no server project");
        return;
    }
    // The CFM total of the soak rows; every counted update adds one.
    auto cfmTotal = [&] {
        PGconn* conn = PQconnectdb(project.uri.c_str());
        PGresult* sum = PQexec(conn, ("SELECT sum(cfm) FROM tblduct WHERE ixduct <= " + std::to_string(kSoakRows)).c_str());
        long total = PQntuples(sum) == 1 ? std::atol(PQgetvalue(sum, 0, 0)) : -1;
        PQclear(sum);
        PQfinish(conn);
        return total;
    };
    for (auto _ : state) {
        long updates = 0, conflicts = 0;
        bool failed = false;
        long before = cfmTotal();
        pid_t children[2];
        int pipes[2][2];
        for (int i = 0; i < 2; ++i) {
            if (pipe(pipes[i]) != 0) return state.SkipWithError("no pipe");
            children[i] = fork();
            if (children[i] == 0) _exit(soakClient(project.file, i + 1, pipes[i][1]));
            close(pipes[i][1]);
        }
        for (int i = 0; i < 2; ++i) {
            char buffer[64] = {};
            ssize_t n = read(pipes[i][0], buffer, sizeof buffer - 1);
            close(pipes[i][0]);
            int status = 0;
            waitpid(children[i], &status, 0);
            long u = 0, c = 0;
            failed = failed || n <= 0 || std::sscanf(buffer, "%ld %ld", &u, &c) != 2 || WEXITSTATUS(status) != 0;
            updates += u;
            conflicts += c;
        }
        long stored = cfmTotal() - before;
        if (failed) return state.SkipWithError("a soak client failed");
        state.counters["updates_per_s"] = double(updates) / kSoakSeconds;
        state.counters["conflicts"] = double(conflicts);
        state.counters["lost"] = double(updates - stored);
        gSoakReport = "two-client soak on PostgreSQL: " + std::to_string(updates) + " updates in " +
                      std::to_string(int(kSoakSeconds)) + " s (" + std::to_string(long(updates / kSoakSeconds)) +
                      "/s), " + std::to_string(conflicts) + " conflicts reported (3197, retried), " +
                      std::to_string(updates - stored) + " updates lost";
    }
}

BENCHMARK(BM_ComponentRoundTrip)->Iterations(kRoundTrips)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectSqliteRoundTrip)->Iterations(kRoundTrips)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComponentRoundTripPostgres)->Iterations(kServerRoundTrips)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectLibpqRoundTrip)->Iterations(kServerRoundTrips)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TwoClientSoakPostgres)->Iterations(1)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gComponentRate > 0 && gDirectRate > 0)
        std::printf("SQLite: component %.0f round trips/s, direct SQLite %.0f/s, ratio %.2f\n", gComponentRate,
                    gDirectRate, gComponentRate / gDirectRate);
    if (gServerComponentRate > 0 && gServerDirectRate > 0)
        std::printf("PostgreSQL: component %.0f round trips/s, direct libpq %.0f/s, ratio %.2f\n", gServerComponentRate,
                    gServerDirectRate, gServerComponentRate / gServerDirectRate);
    if (!gSoakReport.empty()) std::printf("%s\n", gSoakReport.c_str());
    bench::removeDuctProject();
    return 0;
}
