// The SQL back end under the component: prepared statements with numbered
// parameters and typed column values, transactions, table metadata and
// error mapping. One implementation per database engine (SQLite file,
// PostgreSQL server); records, field lists and variants are shared above it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "com/bstr.h"
#include "com/comtypes.h"
#include "projectdb/schema.h"

namespace projectdb {

enum class SqlType { Null, Integer, Real, Text };

// One stored value, as the database holds it.
struct SqlValue {
    SqlType type = SqlType::Null;
    int64_t integer = 0;
    double real = 0;
    std::string text;

    static SqlValue ofInteger(int64_t v) { return {SqlType::Integer, v, 0, {}}; }
    static SqlValue ofReal(double v) { return {SqlType::Real, 0, v, {}}; }
    static SqlValue ofText(std::string v) { return {SqlType::Text, 0, 0, std::move(v)}; }
    bool operator==(const SqlValue&) const = default;
};

enum class StepResult { Row, Done, Failed };

// The last failure: the number GetLastError reports and the engine's text.
struct SqlError {
    LONG number = 0;
    std::string text;
    bool damaged = false;  // the file is damaged; a repair may help
};

// A column of a table as the database declares it.
struct ColumnInfo {
    std::string name;  // as the project schema spells it when it knows it
    ColumnKind kind;
    SharedBstr fieldName;  // the name field lists carry, shared by all of them
};

class SqlStatement {
public:
    virtual ~SqlStatement() = default;
    // Parameters count from 1 and keep their values until reset().
    virtual void bind(int param, const SqlValue& value) = 0;
    // The first step runs the statement; later ones move to the next row.
    virtual StepResult step() = 0;
    // Result columns; known before the first step.
    virtual int columnCount() const = 0;
    virtual int parameterCount() const = 0;
    // Rows the last run inserted, changed or deleted.
    virtual int64_t changes() const = 0;
    // Column i (from 0) of the current row.
    virtual bool isNull(int i) const = 0;
    virtual int64_t integer(int i) const = 0;
    virtual double real(int i) const = 0;
    virtual std::string_view text(int i) const = 0;
    virtual SqlValue value(int i) const = 0;
    // The kind the database declares for result column i; false when the
    // column is an expression with no declared kind.
    virtual bool declaredKind(int i, ColumnKind& kind) const = 0;
    // Ends the current run: rows released, parameters cleared.
    virtual void reset() = 0;
};

class SqlConnection {
public:
    virtual ~SqlConnection() = default;

    // The component's own SQL: identifiers made with identifier(),
    // parameters written ?1, ?2, ... Null on failure (see error()).
    virtual std::unique_ptr<SqlStatement> prepare(const std::string& sql) = 0;
    // One statement written by a caller: "text" is a string literal and
    // each ? a parameter, numbered in order.
    virtual std::unique_ptr<SqlStatement> prepareCallerText(const std::string& sql) = 0;
    // Runs every statement of a caller's SQL text; stops at the first failure.
    virtual bool executeCallerText(const std::string& sql) = 0;
    // Write transactions. begin() takes the write lock at once where the
    // engine has one, so a check made inside holds until commit().
    virtual bool begin() = 0;
    virtual bool commit() = 0;
    virtual void rollback() = 0;
    // A read transaction seeing one snapshot of the data; ended by rollback().
    virtual bool beginRead() = 0;
    // After rows were inserted with their keys: new rows get keys after them.
    virtual bool continueKeysAfter(const TableDef&) { return true; }

    virtual const SqlError& error() const = 0;
    virtual void setError(LONG number, std::string text) = 0;
    virtual bool readOnly() const = 0;

    // A table or column name quoted for the component's SQL.
    virtual std::string identifier(const std::string& name) const = 0;
    // The columns of a table in order, the row key marked Key. False when
    // the table does not exist (error() set only when the lookup failed).
    virtual bool tableColumns(const std::string& table, std::vector<ColumnInfo>& out) = 0;
    // The column names of the database index standing for a named index;
    // empty when there is none.
    virtual bool indexColumns(const std::string& table, const std::string& index, std::vector<std::string>& out) = 0;
    // Names of the tables and indexes present, lower-cased.
    virtual bool relationNames(std::set<std::string>& out) = 0;
    // The statements that create one project table and its indexes.
    virtual std::vector<std::string> createStatements(const TableDef& table) const = 0;
    // Statements run once before any table is created.
    virtual std::vector<std::string> schemaPrelude() const { return {}; }
    // An expression naming a row's version, changed by every write of the
    // row; "" when the engine has none (the row's values then stand for it).
    virtual std::string rowVersion() const { return {}; }
    // A count of the changes to the database by any connection, this one
    // included, as of the statement last stepped; none where the engine
    // keeps no such count. While it stands still, rows read are unchanged.
    virtual std::optional<uint64_t> changeStamp() const { return std::nullopt; }
    // True inside a transaction begun by begin(), beginRead() or a caller's SQL.
    virtual bool inTransaction() const { return false; }
    // The row identity to use for a table without a key column, "" when
    // the engine has none.
    virtual std::string implicitRowKey() const { return {}; }
};

// Creates every project table and index the database lacks, in a
// transaction of its own unless the caller has one open. False with
// error() set on failure.
bool ensureSchema(SqlConnection& db, bool ownTransaction = true);
// Opens the database a project file holds or names (no schema changes);
// null with *error set when it cannot.
std::unique_ptr<SqlConnection> openProjectConnection(const std::string& projectFile, int busyTimeoutMs,
                                                     SqlError* error);
// Runs one statement of the component's SQL with the given parameters.
bool runStatement(SqlConnection& db, const std::string& sql, const std::vector<SqlValue>& params = {});

std::string lowerCased(std::string text);

}  // namespace projectdb
