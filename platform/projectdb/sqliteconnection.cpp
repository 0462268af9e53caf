// SQLite statements and metadata behind the shared component logic.
#include "projectdb/sqliteconnection.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>

#include "projectdb/dberror.h"
#include "projectdb/statement.h"

namespace projectdb {
namespace {

class SqliteConnection;

class SqliteStatement final : public SqlStatement {
public:
    SqliteStatement(SqliteConnection& owner, Statement stmt) : mOwner(owner), mStmt(std::move(stmt)) {}
    void bind(int param, const SqlValue& value) override;
    StepResult step() override;
    int columnCount() const override { return sqlite3_column_count(mStmt.get()); }
    int parameterCount() const override { return sqlite3_bind_parameter_count(mStmt.get()); }
    int64_t changes() const override { return sqlite3_changes(sqlite3_db_handle(mStmt.get())); }
    bool isNull(int i) const override { return sqlite3_column_type(mStmt.get(), i) == SQLITE_NULL; }
    int64_t integer(int i) const override { return sqlite3_column_int64(mStmt.get(), i); }
    double real(int i) const override { return sqlite3_column_double(mStmt.get(), i); }
    std::string_view text(int i) const override
    {
        auto text = reinterpret_cast<const char*>(sqlite3_column_text(mStmt.get(), i));
        return {text ? text : "", size_t(sqlite3_column_bytes(mStmt.get(), i))};
    }
    SqlValue value(int i) const override;
    bool declaredKind(int i, ColumnKind& kind) const override
    {
        const char* declared = sqlite3_column_decltype(mStmt.get(), i);
        if (declared) kind = kindFromDeclaredType(declared, false);
        return declared != nullptr;
    }
    void reset() override
    {
        sqlite3_reset(mStmt.get());
        sqlite3_clear_bindings(mStmt.get());
    }

private:
    SqliteConnection& mOwner;
    Statement mStmt;
};

class SqliteConnection final : public SqlConnection {
public:
    SqliteConnection(sqlite3* db, bool owned, bool readOnly) : mDb(db), mOwned(owned), mReadOnly(readOnly) {}
    ~SqliteConnection() override
    {
        mBegin = Statement();
        mCommit = Statement();
        if (mOwned) sqlite3_close_v2(mDb);
    }

    std::unique_ptr<SqlStatement> prepare(const std::string& sql) override
    {
        Statement stmt;
        int rc = prepareStatement(mDb, sql, stmt);
        if (rc != SQLITE_OK) return failed(rc), nullptr;
        return std::make_unique<SqliteStatement>(*this, std::move(stmt));
    }
    std::unique_ptr<SqlStatement> prepareCallerText(const std::string& sql) override
    {
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(mDb, sql.c_str(), int(sql.size()), &raw, &tail);
        Statement stmt(raw);
        if (rc != SQLITE_OK) return failed(rc), nullptr;
        if (!raw) return setError(SQLITE_ERROR, "The text holds no SQL statement."), nullptr;
        for (; tail && *tail; ++tail)
            if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';')
                return setError(SQLITE_ERROR, "only one SQL statement is run at a time"), nullptr;
        return std::make_unique<SqliteStatement>(*this, std::move(stmt));
    }
    bool executeCallerText(const std::string& sql) override
    {
        const char* next = sql.c_str();
        while (next && *next) {
            sqlite3_stmt* raw = nullptr;
            const char* tail = nullptr;
            int rc = sqlite3_prepare_v2(mDb, next, -1, &raw, &tail);
            Statement stmt(raw);
            if (rc != SQLITE_OK) return failed(rc);
            if (raw) {
                while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
                }
                if (rc != SQLITE_DONE) return failed(rc);
            }
            next = tail;
        }
        return true;
    }
    // Every checked record write begins and commits: both statements are
    // kept prepared.
    bool begin() override { return execKept(mBegin, "BEGIN IMMEDIATE"); }
    bool beginRead() override { return exec("BEGIN"); }
    bool commit() override
    {
        if (execKept(mCommit, "COMMIT")) return true;
        rollback();
        return false;
    }
    void rollback() override
    {
        if (!sqlite3_get_autocommit(mDb)) sqlite3_exec(mDb, "ROLLBACK", nullptr, nullptr, nullptr);
    }

    const SqlError& error() const override { return mError; }
    void setError(LONG number, std::string text) override { mError = {number, std::move(text), false}; }
    bool readOnly() const override { return mReadOnly; }

    std::string identifier(const std::string& name) const override { return quoteName(name); }
    bool tableColumns(const std::string& table, std::vector<ColumnInfo>& out) override;
    bool indexColumns(const std::string& table, const std::string& index, std::vector<std::string>& out) override;
    bool relationNames(std::set<std::string>& out) override;
    std::vector<std::string> createStatements(const TableDef& table) const override
    {
        return projectdb::createStatements(table);
    }
    std::string implicitRowKey() const override { return "rowid"; }
    // The pager's data version, which moves when the file changes and is
    // brought up to date whenever a transaction starts, with this
    // connection's own count of changed rows.
    std::optional<uint64_t> changeStamp() const override
    {
        unsigned int version = 0;
        if (sqlite3_file_control(mDb, "main", SQLITE_FCNTL_DATA_VERSION, &version) != SQLITE_OK) return std::nullopt;
        return uint64_t(version) << 32 | uint32_t(sqlite3_total_changes64(mDb));
    }
    bool inTransaction() const override { return !sqlite3_get_autocommit(mDb); }

    // Records the failure of a call that returned rc; always false.
    bool failed(int rc)
    {
        int code = sqlite3_extended_errcode(mDb);
        if (code == SQLITE_OK || (code & 0xFF) != (rc & 0xFF)) code = rc;
        const char* text = sqlite3_errcode(mDb) != SQLITE_OK ? sqlite3_errmsg(mDb) : sqlite3_errstr(rc);
        mError = {errorNumberForSqlite(code), messageForSqlite(code, text), isDamagedFile(code)};
        return false;
    }
    int busyTimeoutMs = 0;  // the lock wait handler's limit

    bool exec(const char* sql)
    {
        int rc = sqlite3_exec(mDb, sql, nullptr, nullptr, nullptr);
        return rc == SQLITE_OK || failed(rc);
    }

private:
    bool execKept(Statement& kept, const char* sql)
    {
        if (!kept) {
            int rc = prepareStatement(mDb, sql, kept);
            if (rc != SQLITE_OK) return failed(rc);
        }
        int rc = sqlite3_step(kept.get());
        const bool ok = rc == SQLITE_DONE || failed(rc);
        sqlite3_reset(kept.get());
        return ok;
    }

    sqlite3* mDb;
    bool mOwned;
    bool mReadOnly;
    SqlError mError;
    Statement mBegin, mCommit;
};

void SqliteStatement::bind(int param, const SqlValue& value)
{
    sqlite3_stmt* s = mStmt.get();
    switch (value.type) {
    case SqlType::Null: sqlite3_bind_null(s, param); break;
    case SqlType::Integer: sqlite3_bind_int64(s, param, value.integer); break;
    case SqlType::Real: sqlite3_bind_double(s, param, value.real); break;
    case SqlType::Text:
        sqlite3_bind_text(s, param, value.text.data(), int(value.text.size()), SQLITE_TRANSIENT);
        break;
    }
}

StepResult SqliteStatement::step()
{
    int rc = sqlite3_step(mStmt.get());
    if (rc == SQLITE_ROW) return StepResult::Row;
    if (rc == SQLITE_DONE) return StepResult::Done;
    mOwner.failed(rc);
    return StepResult::Failed;
}

SqlValue SqliteStatement::value(int i) const
{
    switch (sqlite3_column_type(mStmt.get(), i)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return SqlValue::ofInteger(integer(i));
    case SQLITE_FLOAT: return SqlValue::ofReal(real(i));
    default: return SqlValue::ofText(std::string(text(i)));
    }
}

bool SqliteConnection::tableColumns(const std::string& table, std::vector<ColumnInfo>& out)
{
    out.clear();
    Statement info;
    int rc = prepareStatement(mDb, "SELECT name, type, pk FROM pragma_table_info(?1)", info);
    if (rc != SQLITE_OK) return failed(rc);
    sqlite3_bind_text(info.get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
    int pkCount = 0, keyColumn = -1;
    while ((rc = sqlite3_step(info.get())) == SQLITE_ROW) {
        ColumnInfo column;
        column.name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 0));
        auto type = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1));
        bool pk = sqlite3_column_int(info.get(), 2) != 0;
        pkCount += pk;
        column.kind = kindFromDeclaredType(type ? type : "", pk);
        if (column.kind == ColumnKind::Key) keyColumn = int(out.size());
        out.push_back(std::move(column));
    }
    if (rc != SQLITE_DONE) return failed(rc);
    // A composite primary key is not a row key.
    if (pkCount > 1 && keyColumn >= 0) out[size_t(keyColumn)].kind = ColumnKind::Integer;
    return !out.empty();
}

bool SqliteConnection::indexColumns(const std::string& table, const std::string& index, std::vector<std::string>& out)
{
    out.clear();
    Statement info;
    if (int rc = prepareStatement(mDb, "SELECT name FROM pragma_index_info(?1) ORDER BY seqno", info); rc != SQLITE_OK)
        return failed(rc);
    std::string sqlName = sqlIndexName(table, index);
    sqlite3_bind_text(info.get(), 1, sqlName.c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(info.get()) == SQLITE_ROW) {
        auto name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 0));
        out.emplace_back(name ? name : "");
    }
    return true;
}

bool SqliteConnection::relationNames(std::set<std::string>& out)
{
    Statement stmt;
    int rc = prepareStatement(mDb, "SELECT name FROM sqlite_master WHERE type IN ('table', 'index')", stmt);
    if (rc != SQLITE_OK) return failed(rc);
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
        out.insert(lowerCased(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0))));
    return rc == SQLITE_DONE || failed(rc);
}

// A file is opened read-only when it or its folder cannot be written (the
// rollback journal is created beside the file). Mode bits are checked too so
// a privileged user still honours a read-only file.
bool isWritable(const std::string& path)
{
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & 0222) != 0 && access(path.c_str(), W_OK) == 0;
}

std::string folderOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Waits for another process's lock in short steps: the default handler's
// growing sleeps leave the file idle long after the lock is gone.
int waitForLock(void* timeoutMs, int attempt)
{
    long waited = attempt < 20 ? attempt : 20 + (attempt - 20) * 5;
    if (waited >= *static_cast<int*>(timeoutMs)) return 0;
    usleep(attempt < 20 ? 1000 : 5000);
    return 1;
}

}  // namespace

std::unique_ptr<SqlConnection> borrowSqlite(sqlite3* db)
{
    return std::make_unique<SqliteConnection>(db, false, false);
}

std::unique_ptr<SqlConnection> openSqliteProject(const std::string& path, int busyTimeoutMs, SqliteOpen* outcome,
                                                 SqlError* error, bool checkStructure)
{
    bool readOnly = !isWritable(path) || !isWritable(folderOf(path));
    int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    auto conn = std::make_unique<SqliteConnection>(db, true, readOnly);
    *outcome = SqliteOpen::Failed;
    if (rc != SQLITE_OK) {
        conn->failed(rc);
        *error = conn->error();
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    conn->busyTimeoutMs = busyTimeoutMs;
    sqlite3_busy_handler(db, waitForLock, &conn->busyTimeoutMs);
    // SQL texts of the product quote string literals with double quotes.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 1, nullptr);
    // Integrity check of the structure; damage shows here, not later.
    auto check = conn->prepare(checkStructure ? "PRAGMA quick_check(1)" : "SELECT 'ok'");
    StepResult step = check ? check->step() : StepResult::Failed;
    bool damaged = step == StepResult::Row && check->text(0) != "ok";
    check.reset();
    if (damaged) {
        *outcome = SqliteOpen::Damaged;
        *error = {SQLITE_CORRUPT, "database disk image is malformed", true};
        return nullptr;
    }
    bool ok = step != StepResult::Failed;
    // Rollback journal: safe on network shares (see docs/project-database.md).
    if (ok && !readOnly) ok = conn->executeCallerText("PRAGMA journal_mode=DELETE");
    if (!ok) {
        *outcome = conn->error().damaged ? SqliteOpen::Damaged : SqliteOpen::Failed;
        *error = conn->error();
        return nullptr;
    }
    *outcome = SqliteOpen::Opened;
    return conn;
}

}  // namespace projectdb
