// Starting and stopping the throwaway PostgreSQL cluster.
#include "pgcluster.h"

#include <fcntl.h>
#include <grp.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {
std::string gReason;

// The newest installed server's program folder, or "" when none.
std::string serverPrograms()
{
    if (const char* bin = std::getenv("ORV_PG_BINDIR"))
        return std::filesystem::exists(std::string(bin) + "/initdb") ? bin : "";
    std::string best;
    int bestVersion = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", ec)) {
        std::string bin = entry.path().string() + "/bin";
        int version = std::atoi(entry.path().filename().c_str());
        if (version > bestVersion && std::filesystem::exists(bin + "/initdb") && std::filesystem::exists(bin + "/pg_ctl")) {
            best = bin;
            bestVersion = version;
        }
    }
    return best;
}

// The server refuses to run as root: it runs as this user instead.
const passwd* serverUser()
{
    if (geteuid() != 0) return nullptr;
    for (const char* name : {"postgres", "nobody"})
        if (const passwd* pw = getpwnam(name)) return pw;
    return nullptr;
}

// Runs a program (as the server user when root) with output to `log`;
// true when it exits 0.
bool runProgram(const std::vector<std::string>& args, const std::string& log)
{
    pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        if (const passwd* pw = serverUser()) {
            if (setgroups(0, nullptr) != 0 || setgid(pw->pw_gid) != 0 || setuid(pw->pw_uid) != 0) _exit(126);
        }
        // Opened as the server user: the server appends to the same log.
        int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
        }
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int freePort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof addr;
    int port = 0;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &size) == 0)
        port = ntohs(addr.sin_port);
    if (fd >= 0) close(fd);
    return port ? port : 55432;
}

std::unique_ptr<PgTestCluster>& sharedSlot()
{
    static std::unique_ptr<PgTestCluster> cluster;
    return cluster;
}
}  // namespace

const std::string& PgTestCluster::reason() { return gReason; }

PgTestCluster* PgTestCluster::shared()
{
    static bool tried = false;
    auto& slot = sharedSlot();
    if (!tried) {
        tried = true;
        std::unique_ptr<PgTestCluster> cluster(new PgTestCluster());
        if (cluster->start(gReason)) {
            slot = std::move(cluster);
            std::atexit([] { sharedSlot().reset(); });
        }
    }
    return slot.get();
}

bool PgTestCluster::start(std::string& error)
{
    mBin = serverPrograms();
    if (mBin.empty()) {
        error = "PostgreSQL server programs (initdb, pg_ctl) are not installed";
        return false;
    }
    const char* base = std::getenv("ORV_PG_TMPDIR");
    std::string pattern = std::string(base ? base : "/tmp") + "/orv-pg-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        error = "cannot make a folder for the cluster";
        return false;
    }
    mFolder = pattern;
    mOwnerPid = getpid();
    if (const passwd* pw = serverUser()) {
        if (chown(mFolder.c_str(), pw->pw_uid, pw->pw_gid) != 0) {
            error = "cannot hand the cluster folder to " + std::string(pw->pw_name);
            return false;
        }
    }
    mPort = freePort();
    std::string log = mFolder + "/server.log";
    if (!runProgram({mBin + "/initdb", "-D", mFolder + "/data", "-U", "orvane", "--auth=trust", "-E", "UTF8",
                     "--no-locale", "--no-sync"},
                    log)) {
        error = "initdb failed; see " + log;
        return false;
    }
    std::string options = "-c listen_addresses='' -c unix_socket_directories='" + mFolder + "' -p " +
                          std::to_string(mPort) + " -c fsync=off -c synchronous_commit=off -c full_page_writes=off";
    if (const char* extra = std::getenv("ORV_PG_OPTIONS")) options = std::string(extra) + " " + options;
    if (!runProgram({mBin + "/pg_ctl", "-D", mFolder + "/data", "-l", log, "-w", "-t", "60", "-o", options, "start"},
                    mFolder + "/pg_ctl.log")) {
        error = "the server did not start; see " + log;
        mPort = 0;
        return false;
    }
    return true;
}

PgTestCluster::~PgTestCluster()
{
    if (getpid() != mOwnerPid) return;  // a forked child leaves the cluster alone
    if (mPort)
        runProgram({mBin + "/pg_ctl", "-D", mFolder + "/data", "-m", "immediate", "-w", "stop"},
                   mFolder + "/pg_ctl.log");
    std::error_code ec;
    if (!mFolder.empty()) std::filesystem::remove_all(mFolder, ec);
}

std::string PgTestCluster::uri(const std::string& database, const std::string& user) const
{
    return "postgresql://" + user + "@/" + database + "?host=" + mFolder + "&port=" + std::to_string(mPort);
}

std::string PgTestCluster::run(const std::string& database, const std::string& sql) const
{
    PGconn* conn = PQconnectdb(uri(database).c_str());
    std::string error;
    if (PQstatus(conn) != CONNECTION_OK) {
        error = PQerrorMessage(conn);
    } else {
        PGresult* result = PQexec(conn, sql.c_str());
        if (PQresultStatus(result) != PGRES_COMMAND_OK && PQresultStatus(result) != PGRES_TUPLES_OK)
            error = PQresultErrorMessage(result);
        PQclear(result);
    }
    PQfinish(conn);
    return error;
}

std::string PgTestCluster::createDatabase()
{
    std::string name = "project" + std::to_string(getpid()) + "_" + std::to_string(++mDatabases);
    std::string error = run("postgres", "CREATE DATABASE " + name);
    return error.empty() ? uri(name) : "";
}
