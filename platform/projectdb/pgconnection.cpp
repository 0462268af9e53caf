// PostgreSQL statements and metadata behind the shared component logic.
// Tables and columns are created with lower-case names, so callers' SQL
// with unquoted mixed-case names finds them; field lists still carry the
// schema's spelling. Text columns are case-insensitive (citext), flags are
// smallint -1/0, as in the file format.
#include "projectdb/pgconnection.h"

#include <libpq-fe.h>

#include <strings.h>

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>

#include "projectdb/IProjectDatabase.h"
#include "projectdb/dberror.h"

namespace projectdb {
namespace {

// Result type ids of the built-in types the component reads.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25, kFloat4 = 700, kFloat8 = 701,
              kBpchar = 1042, kVarchar = 1043, kNumeric = 1700;

// A server failure that is none of the component's own numbers; the text
// is the server's.
constexpr LONG kDbErrServer = 3000;

// Rewrites ?N parameters to $N outside quoted text.
std::string numberedParameters(const std::string& sql)
{
    std::string out;
    char quote = 0;
    for (char c : sql) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '?') {
            c = '$';
        }
        out += c;
    }
    return out;
}

// A project column whose name the server reserves as a keyword (OFFSET)
// is quoted where it stands as a name: not followed by a row count.
bool isReservedColumnAt(const std::string& sql, size_t i, size_t& length)
{
    static const char* const kReserved[] = {"offset"};
    auto isWordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    if (i > 0 && (isWordChar(sql[i - 1]) || sql[i - 1] == '.' || sql[i - 1] == '$')) return false;
    for (const char* word : kReserved) {
        length = std::strlen(word);
        if (sql.size() - i < length || strncasecmp(sql.c_str() + i, word, length) != 0) continue;
        if (i + length < sql.size() && isWordChar(sql[i + length])) continue;
        size_t next = sql.find_first_not_of(" \t\r\n", i + length);
        bool countFollows = next != std::string::npos &&
                            (std::isdigit(static_cast<unsigned char>(sql[next])) || sql[next] == '?' ||
                             sql[next] == '(' || sql[next] == '$');
        if (!countFollows) return true;
    }
    return false;
}

// Callers write string literals in double quotes; the server reads those
// as names, so they become single-quoted literals. Their ? parameters
// become $1, $2, ... in order.
std::string callerText(const std::string& sql)
{
    std::string out;
    char quote = 0;
    int parameters = 0;
    for (size_t i = 0; i < sql.size(); ++i) {
        char c = sql[i];
        size_t length = 0;
        if (quote == '"') {
            if (c == '"') {
                quote = 0;
                out += '\'';
            } else {
                if (c == '\'') out += '\'';
                out += c;
            }
        } else if (quote == '\'') {
            if (c == '\'') quote = 0;
            out += c;
        } else if (c == '"') {
            quote = '"';
            out += '\'';
        } else if (c == '?') {
            out += "$" + std::to_string(++parameters);
        } else if (isReservedColumnAt(sql, i, length)) {
            out += "\"" + lowerCased(sql.substr(i, length)) + "\"";
            i += length - 1;
        } else {
            if (c == '\'') quote = '\'';
            out += c;
        }
    }
    return out;
}

std::string withoutTrailingSpace(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

// Classes of server states that mean the connection, the disk or a lock
// failed: the user can only try again.
bool isDiskNetworkOrLock(const char* state)
{
    if (!state) return true;
    for (const char* cls : {"08", "53", "57", "58"})
        if (std::strncmp(state, cls, 2) == 0) return true;
    for (const char* code : {"55P03", "40P01", "40001"})
        if (std::strcmp(state, code) == 0) return true;
    return false;
}

std::string doubleText(double v)
{
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return ec == std::errc() ? std::string(buffer, end) : std::to_string(v);
}

// The schema's spelling of a table or column the server names in lower case.
const TableDef* schemaTable(const std::string& table)
{
    std::string lower = lowerCased(table);
    for (const TableDef& t : projectTables())
        if (lowerCased(t.name) == lower) return &t;
    return nullptr;
}

std::string schemaColumnName(const TableDef* table, const std::string& column)
{
    if (table)
        for (const ColumnDef& c : table->columns)
            if (lowerCased(c.name) == column) return c.name;
    return column;
}

ColumnKind kindOfType(const std::string& type, bool primaryKey)
{
    if (type == "int2") return ColumnKind::Boolean;
    if (type == "int4" || type == "int8") return primaryKey ? ColumnKind::Key : ColumnKind::Integer;
    if (type == "float4" || type == "float8" || type == "numeric") return ColumnKind::Real;
    if (type == "citext" || type == "text" || type == "varchar" || type == "bpchar") return ColumnKind::Text;
    return kindFromDeclaredType(type, false);
}

using PgHandle = std::shared_ptr<PGconn>;

class PgConnection;

class PgStatement final : public SqlStatement {
public:
    // name "" runs the statement just prepared unnamed (callers' text).
    PgStatement(PgConnection& owner, std::string name, std::string sql, unsigned session)
        : mOwner(owner), mName(std::move(name)), mSql(std::move(sql)), mSession(session)
    {
    }
    ~PgStatement() override;

    void bind(int param, const SqlValue& value) override
    {
        if (size_t(param) > mParams.size()) mParams.resize(size_t(param));
        auto& slot = mParams[size_t(param) - 1];
        switch (value.type) {
        case SqlType::Null: slot.reset(); break;
        case SqlType::Integer: slot = std::to_string(value.integer); break;
        case SqlType::Real: slot = doubleText(value.real); break;
        case SqlType::Text: slot = value.text; break;
        }
    }
    StepResult step() override;
    int columnCount() const override { return mResult ? PQnfields(mResult) : mShape.columns; }
    int parameterCount() const override { return mShape.parameters; }
    int64_t changes() const override
    {
        const char* count = mResult ? PQcmdTuples(mResult) : "";
        return *count ? std::atoll(count) : 0;
    }
    // What the server said the statement takes and gives.
    struct Shape {
        int parameters = 0;
        int columns = 0;
    };
    void setShape(Shape shape) { mShape = shape; }
    bool isNull(int i) const override { return PQgetisnull(mResult, mRow, i) != 0; }
    int64_t integer(int i) const override
    {
        std::string_view t = text(i);
        int64_t v = 0;
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (ec == std::errc() && end == t.data() + t.size()) return v;
        if (t == "t") return -1;
        return static_cast<int64_t>(real(i));
    }
    double real(int i) const override
    {
        std::string_view t = text(i);
        if (t == "t") return -1;
        double v = 0;
        std::from_chars(t.data(), t.data() + t.size(), v);
        return v;
    }
    std::string_view text(int i) const override
    {
        return {PQgetvalue(mResult, mRow, i), size_t(PQgetlength(mResult, mRow, i))};
    }
    SqlValue value(int i) const override
    {
        if (isNull(i)) return {};
        switch (PQftype(mResult, i)) {
        case kBool:
        case kInt2:
        case kInt4:
        case kInt8: return SqlValue::ofInteger(integer(i));
        case kFloat4:
        case kFloat8:
        case kNumeric: return SqlValue::ofReal(real(i));
        default: return SqlValue::ofText(std::string(text(i)));
        }
    }
    bool declaredKind(int i, ColumnKind& kind) const override;
    void reset() override
    {
        PQclear(mResult);
        mResult = nullptr;
        mRow = -1;
        mParams.clear();
    }

private:
    PgConnection& mOwner;
    std::string mName;
    std::string mSql;
    unsigned mSession;  // the server session the statement was prepared in
    std::vector<std::optional<std::string>> mParams;
    Shape mShape;
    PGresult* mResult = nullptr;
    int mRow = -1;
};

class PgConnection final : public SqlConnection {
public:
    PgConnection(PGconn* conn, int lockTimeoutMs) : mConn(conn), mLockTimeoutMs(lockTimeoutMs) {}
    ~PgConnection() override { PQfinish(mConn); }

    // Session settings; false with error() set when they fail.
    bool startSession()
    {
        // Every statement of the component looks rows up by key: one generic
        // plan serves each, so the server does not plan them again per call.
        std::string settings = "SET lock_timeout = " + std::to_string(mLockTimeoutMs) +
                               "; SET plan_cache_mode = force_generic_plan";
        if (!command(settings.c_str())) return false;
        auto check = prepare(
            "SELECT coalesce(pg_is_in_recovery() OR current_setting('transaction_read_only') = 'on' OR "
            "NOT has_table_privilege(to_regclass('\"tblglobal\"'), 'UPDATE'), false)");
        if (!check || check->step() != StepResult::Row) return false;
        mReadOnly = check->integer(0) != 0;
        return true;
    }

    // A dropped connection is made again before the next statement; its
    // prepared statements are then prepared again as they are used.
    bool connected()
    {
        if (PQstatus(mConn) == CONNECTION_OK) return true;
        PQreset(mConn);
        if (PQstatus(mConn) != CONNECTION_OK) {
            mError = {kDbErrDiskOrNetwork, withoutTrailingSpace(PQerrorMessage(mConn)), false};
            return false;
        }
        ++mSession;
        return startSession();
    }

    std::unique_ptr<SqlStatement> prepare(const std::string& sql) override
    {
        if (!connected()) return nullptr;
        std::string name = "orv" + std::to_string(++mStatements);
        auto stmt = std::make_unique<PgStatement>(*this, name, numberedParameters(sql), mSession);
        if (!prepareOnServer(name, numberedParameters(sql))) return nullptr;
        return stmt;
    }
    std::unique_ptr<SqlStatement> prepareCallerText(const std::string& sql) override
    {
        if (!connected()) return nullptr;
        std::string text = callerText(sql);
        if (!prepareOnServer("", text)) return nullptr;
        PGresult* shape = PQdescribePrepared(mConn, "");
        if (PQresultStatus(shape) != PGRES_COMMAND_OK) return check(shape), nullptr;
        auto stmt = std::make_unique<PgStatement>(*this, "", text, mSession);
        stmt->setShape({PQnparams(shape), PQnfields(shape)});
        PQclear(shape);
        return stmt;
    }
    bool executeCallerText(const std::string& sql) override
    {
        if (!connected()) return false;
        return check(PQexec(mConn, callerText(sql).c_str()));
    }
    bool begin() override { return connected() && command("BEGIN"); }
    bool beginRead() override { return connected() && command("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"); }
    bool continueKeysAfter(const TableDef& table) override
    {
        const std::string& key = table.columns.front().name;
        return runStatement(*this,
                            "SELECT setval(pg_get_serial_sequence(?1, ?2), coalesce(max(" + identifier(key) +
                                "), 0) + 1, false) FROM " + identifier(table.name),
                            {SqlValue::ofText(identifier(table.name)), SqlValue::ofText(lowerCased(key))});
    }
    bool commit() override
    {
        PGresult* result = PQexec(mConn, "COMMIT");
        // A transaction that failed earlier answers COMMIT with ROLLBACK.
        bool committed = PQresultStatus(result) == PGRES_COMMAND_OK && std::strcmp(PQcmdStatus(result), "COMMIT") == 0;
        if (!committed && PQresultStatus(result) == PGRES_COMMAND_OK)
            mError = {kDbErrServer, "The transaction was rolled back.", false};
        return committed ? (PQclear(result), true) : check(result) && false;
    }
    void rollback() override { PQclear(PQexec(mConn, "ROLLBACK")); }
    // An aborted transaction (a statement failed in it) counts as ended:
    // nothing more can be written in it.
    bool inTransaction() const override
    {
        const PGTransactionStatusType status = PQtransactionStatus(mConn);
        return status == PQTRANS_INTRANS || status == PQTRANS_ACTIVE;
    }

    const SqlError& error() const override { return mError; }
    void setError(LONG number, std::string text) override { mError = {number, std::move(text), false}; }
    bool readOnly() const override { return mReadOnly; }

    std::string identifier(const std::string& name) const override
    {
        std::string out = "\"";
        for (char c : lowerCased(name)) {
            if (c == '"') out += '"';
            out += c;
        }
        return out + "\"";
    }
    bool tableColumns(const std::string& table, std::vector<ColumnInfo>& out) override;
    bool indexColumns(const std::string& table, const std::string& index, std::vector<std::string>& out) override;
    bool relationNames(std::set<std::string>& out) override;
    std::vector<std::string> createStatements(const TableDef& table) const override;
    // The id of the transaction that wrote the row version.
    std::string rowVersion() const override { return "xmin"; }
    std::vector<std::string> schemaPrelude() const override { return {"CREATE EXTENSION IF NOT EXISTS citext"}; }

    // Takes a result: true when it succeeded, else records the failure.
    bool check(PGresult* result)
    {
        ExecStatusType status = PQresultStatus(result);
        bool ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
        if (!ok) failed(result);
        PQclear(result);
        return ok;
    }
    void failed(const PGresult* result)
    {
        const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
        std::string text = primary ? primary : withoutTrailingSpace(PQerrorMessage(mConn));
        bool lost = PQstatus(mConn) != CONNECTION_OK;
        if (!lost && state && std::strcmp(state, "55P03") == 0) {  // the lock timeout ran out
            mError = {kDbErrLocked, kLockedByAnotherUser, false};
            return;
        }
        mError = {lost || isDiskNetworkOrLock(state) ? kDbErrDiskOrNetwork : kDbErrServer, text, false};
    }
    bool prepareOnServer(const std::string& name, const std::string& sql)
    {
        return check(PQprepare(mConn, name.c_str(), sql.c_str(), 0, nullptr));
    }
    // Runs a prepared statement; prepares it again first when the session
    // it was prepared in has gone.
    PGresult* run(const std::string& name, const std::string& sql, unsigned& session,
                  const std::vector<const char*>& params)
    {
        if (!connected()) return nullptr;
        if (session != mSession) {
            if (!prepareOnServer(name, sql)) return nullptr;
            session = mSession;
        }
        return PQexecPrepared(mConn, name.c_str(), int(params.size()), params.data(), nullptr, nullptr, 0);
    }
    void deallocate(const std::string& name, unsigned session)
    {
        if (session != mSession || PQstatus(mConn) != CONNECTION_OK) return;
        PQclear(PQexec(mConn, ("DEALLOCATE " + name).c_str()));
    }
    // Looks up a type name by its id, for result columns.
    std::string typeName(Oid type);

private:
    bool command(const char* sql) { return check(PQexec(mConn, sql)); }

    PGconn* mConn;
    int mLockTimeoutMs;
    bool mReadOnly = false;
    unsigned mSession = 0;
    unsigned long mStatements = 0;
    SqlError mError;
    std::map<Oid, std::string> mTypeNames;
};

PgStatement::~PgStatement()
{
    PQclear(mResult);
    if (!mName.empty()) mOwner.deallocate(mName, mSession);
}

StepResult PgStatement::step()
{
    if (!mResult) {
        std::vector<const char*> values;
        for (const auto& p : mParams) values.push_back(p ? p->c_str() : nullptr);
        mResult = mOwner.run(mName, mSql, mSession, values);
        ExecStatusType status = PQresultStatus(mResult);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            if (mResult) mOwner.failed(mResult);
            PQclear(mResult);
            mResult = nullptr;
            return StepResult::Failed;
        }
        mRow = -1;
    }
    return ++mRow < PQntuples(mResult) ? StepResult::Row : StepResult::Done;
}

bool PgStatement::declaredKind(int i, ColumnKind& kind) const
{
    switch (PQftype(mResult, i)) {
    case kInt2: kind = ColumnKind::Boolean; return true;
    case kInt4:
    case kInt8: kind = ColumnKind::Integer; return true;
    case kFloat4:
    case kFloat8:
    case kNumeric: kind = ColumnKind::Real; return true;
    case kText:
    case kVarchar:
    case kBpchar: kind = ColumnKind::Text; return true;
    default: break;
    }
    std::string type = mOwner.typeName(PQftype(mResult, i));
    if (type != "citext") return false;
    kind = ColumnKind::Text;
    return true;
}

std::string PgConnection::typeName(Oid type)
{
    auto found = mTypeNames.find(type);
    if (found != mTypeNames.end()) return found->second;
    std::string oid = std::to_string(type);
    const char* params[] = {oid.c_str()};
    PGresult* result = PQexecParams(mConn, "SELECT typname FROM pg_type WHERE oid = $1", 1, nullptr, params, nullptr,
                                    nullptr, 0);
    std::string name = PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) == 1 ? PQgetvalue(result, 0, 0) : "";
    PQclear(result);
    return mTypeNames[type] = name;
}

bool PgConnection::tableColumns(const std::string& table, std::vector<ColumnInfo>& out)
{
    out.clear();
    auto stmt = prepare(
        "SELECT a.attname, t.typname, coalesce(i.indisprimary AND array_length(i.indkey::int2[], 1) = 1, false) "
        "FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid "
        "LEFT JOIN pg_index i ON i.indrelid = a.attrelid AND i.indisprimary AND a.attnum = ANY(i.indkey) "
        "WHERE a.attrelid = to_regclass(?1) AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum");
    if (!stmt) return false;
    stmt->bind(1, SqlValue::ofText(identifier(table)));
    const TableDef* def = schemaTable(table);
    StepResult step;
    while ((step = stmt->step()) == StepResult::Row) {
        ColumnInfo column;
        column.name = schemaColumnName(def, std::string(stmt->text(0)));
        column.kind = kindOfType(std::string(stmt->text(1)), stmt->text(2) == "t");
        out.push_back(std::move(column));
    }
    return step == StepResult::Done && !out.empty();
}

bool PgConnection::indexColumns(const std::string& table, const std::string& index, std::vector<std::string>& out)
{
    out.clear();
    auto stmt = prepare(
        "SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid AND a.attnum = ANY(i.indkey) "
        "WHERE i.indexrelid = to_regclass(?1) ORDER BY array_position(i.indkey::int2[], a.attnum)");
    if (!stmt) return false;
    stmt->bind(1, SqlValue::ofText(identifier(sqlIndexName(table, index))));
    StepResult step;
    while ((step = stmt->step()) == StepResult::Row) out.emplace_back(stmt->text(0));
    return step == StepResult::Done;
}

bool PgConnection::relationNames(std::set<std::string>& out)
{
    auto stmt = prepare(
        "SELECT relname FROM pg_class WHERE relnamespace = to_regnamespace(current_schema()) "
        "AND relkind IN ('r', 'p', 'i')");
    if (!stmt) return false;
    StepResult step;
    while ((step = stmt->step()) == StepResult::Row) out.insert(lowerCased(std::string(stmt->text(0))));
    return step == StepResult::Done;
}

std::vector<std::string> PgConnection::createStatements(const TableDef& table) const
{
    std::string sql = "CREATE TABLE IF NOT EXISTS " + identifier(table.name) + " (";
    for (size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDef& c = table.columns[i];
        sql += (i ? ", " : "") + identifier(c.name);
        switch (c.kind) {
        case ColumnKind::Key: sql += " integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"; break;
        case ColumnKind::Integer: sql += " integer"; break;
        case ColumnKind::Real: sql += " double precision"; break;
        case ColumnKind::Text: sql += " citext"; break;
        case ColumnKind::Boolean: sql += " smallint"; break;
        }
        if (!c.nullable && c.kind != ColumnKind::Key) sql += " DEFAULT " + c.defaultValue;
    }
    std::vector<std::string> out{sql + ")"};
    for (const IndexDef& ix : table.indexes) {
        std::string cols;
        for (const auto& c : ix.columns) cols += (cols.empty() ? "" : ", ") + identifier(c);
        out.push_back("CREATE INDEX IF NOT EXISTS " + identifier(sqlIndexName(table.name, ix.name)) + " ON " +
                      identifier(table.name) + " (" + cols + ")");
    }
    return out;
}

}  // namespace

std::unique_ptr<SqlConnection> openPgProject(const std::string& connection, int lockTimeoutMs, SqlError* error)
{
    // Later entries win: the project's own connection text overrides these.
    const char* keys[] = {"connect_timeout", "application_name", "client_encoding", "dbname", nullptr};
    const char* values[] = {"10", "orvane-hvac", "UTF8", connection.c_str(), nullptr};
    PGconn* conn = PQconnectdbParams(keys, values, 1);
    if (!conn) {
        *error = {E_OUTOFMEMORY, "out of memory", false};
        return nullptr;
    }
    if (PQstatus(conn) != CONNECTION_OK) {
        std::string text = withoutTrailingSpace(PQerrorMessage(conn));
        // A server that answered (wrong database, role or password) is
        // reported in its words; one that could not be reached is 3043.
        bool answered = text.find("FATAL:") != std::string::npos;
        *error = {answered ? kDbErrServer : kDbErrDiskOrNetwork, text, false};
        PQfinish(conn);
        return nullptr;
    }
    auto db = std::make_unique<PgConnection>(conn, lockTimeoutMs);
    if (!db->startSession()) {
        *error = db->error();
        return nullptr;
    }
    return db;
}

}  // namespace projectdb
