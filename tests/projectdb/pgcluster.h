// A throwaway PostgreSQL cluster for tests and benchmarks: initdb and
// pg_ctl of the installed server, run as an unprivileged user when the
// caller is root, listening only on a socket in a temporary folder.
#pragma once

#include <string>

class PgTestCluster {
public:
    // The process's cluster, started on first use and stopped at exit.
    // Null when it could not start; reason() says why.
    static PgTestCluster* shared();
    static const std::string& reason();

    // A new empty database; its connection URI.
    std::string createDatabase();
    // Runs one SQL text on a database as the superuser; "" or the error.
    std::string run(const std::string& database, const std::string& sql) const;
    std::string uri(const std::string& database, const std::string& user = "orvane") const;
    const std::string& folder() const { return mFolder; }

    ~PgTestCluster();

private:
    PgTestCluster() = default;
    bool start(std::string& error);

    std::string mBin;     // the server's program folder
    std::string mFolder;  // data, socket and log
    int mPort = 0;
    int mOwnerPid = 0;
    int mDatabases = 0;
};
