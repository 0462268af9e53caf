// Owning handle of a prepared statement, and a guard that resets it so no
// read transaction outlives the call that stepped it.
#pragma once

#include <sqlite3.h>

#include <string>
#include <utility>

namespace projectdb {

class Statement {
public:
    Statement() = default;
    explicit Statement(sqlite3_stmt* stmt) : mStmt(stmt) {}
    Statement(Statement&& other) noexcept : mStmt(std::exchange(other.mStmt, nullptr)) {}
    Statement& operator=(Statement&& other) noexcept
    {
        std::swap(mStmt, other.mStmt);
        return *this;
    }
    ~Statement() { sqlite3_finalize(mStmt); }

    sqlite3_stmt* get() const { return mStmt; }
    explicit operator bool() const { return mStmt != nullptr; }

private:
    sqlite3_stmt* mStmt = nullptr;
};

// Prepares a statement meant to be kept and reused; returns the SQLite code.
int prepareStatement(sqlite3* db, const std::string& sql, Statement& out);

// Resets and unbinds a statement when the scope ends.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* stmt) : mStmt(stmt) {}
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    ~StatementUse()
    {
        sqlite3_reset(mStmt);
        sqlite3_clear_bindings(mStmt);
    }
    sqlite3_stmt* get() const { return mStmt; }

private:
    sqlite3_stmt* mStmt;
};

// Quotes an identifier for SQL text.
std::string quoteName(const std::string& name);

}  // namespace projectdb
