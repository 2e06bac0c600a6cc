// The embedded driver: an SQLCipher file, keyed on open.  This is the one
// place that includes the engine's header.
#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include "db/sqlcipher_driver.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace rw::db {

namespace {

std::string lowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool onlyBlanksOrSemicolons(const char* tail)
{
    for (; tail && *tail; ++tail) {
        const unsigned char c = static_cast<unsigned char>(*tail);
        if (!std::isspace(c) && c != ';')
            return false;
    }
    return true;
}

bool isIdentifier(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_';
    });
}

class SqlcipherStatement final : public Statement {
public:
    SqlcipherStatement(sqlite3* db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt)
    {
        const int columns = sqlite3_column_count(m_stmt);
        for (int i = 0; i < columns; ++i)
            m_columns.emplace(lowered(sqlite3_column_name(m_stmt, i)), i);
    }
    ~SqlcipherStatement() override { sqlite3_finalize(m_stmt); }

    Statement& bind(int index, std::string_view text) override
    {
        check(sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    Statement& bind(int index, std::int64_t value) override
    {
        check(sqlite3_bind_int64(m_stmt, index, value));
        return *this;
    }
    Statement& bindNull(int index) override
    {
        check(sqlite3_bind_null(m_stmt, index));
        return *this;
    }

    bool step() override
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        throw Error(sqlite3_errmsg(m_db));
    }

    int execute() override
    {
        while (step()) {
        }
        return sqlite3_changes(m_db);
    }

    void reset() override
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

    std::string text(std::string_view column) const override
    {
        const int i = indexOf(column);
        if (sqlite3_column_type(m_stmt, i) == SQLITE_NULL)
            return {};
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i));
        return data ? std::string(data, static_cast<size_t>(sqlite3_column_bytes(m_stmt, i))) : std::string();
    }
    std::int64_t integer(std::string_view column) const override
    {
        return sqlite3_column_int64(m_stmt, indexOf(column));
    }
    bool isNull(std::string_view column) const override
    {
        return sqlite3_column_type(m_stmt, indexOf(column)) == SQLITE_NULL;
    }
    bool isReadOnly() const override { return sqlite3_stmt_readonly(m_stmt) != 0; }

private:
    int indexOf(std::string_view column) const
    {
        const auto found = m_columns.find(lowered(column));
        if (found == m_columns.end())
            throw Error("no column named " + std::string(column));
        return found->second;
    }
    void check(int rc) const
    {
        if (rc != SQLITE_OK)
            throw Error(sqlite3_errmsg(m_db));
    }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
    std::map<std::string, int> m_columns;
};

class SqlcipherConnection final : public Connection {
public:
    explicit SqlcipherConnection(sqlite3* db) : m_db(db) {}
    ~SqlcipherConnection() override { sqlite3_close_v2(m_db); }

    std::unique_ptr<Statement> prepare(std::string_view sql) override
    {
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &stmt, &tail);
        if (rc != SQLITE_OK)
            throw Error(sqlite3_errmsg(m_db));
        if (!stmt)
            throw Error("empty statement");
        const std::string rest(tail ? tail : "", tail ? static_cast<size_t>(sql.data() + sql.size() - tail) : 0);
        if (!onlyBlanksOrSemicolons(rest.c_str())) {
            sqlite3_finalize(stmt);
            throw Error("only one statement may be prepared at a time");
        }
        return std::make_unique<SqlcipherStatement>(m_db, stmt);
    }

    void execute(std::string_view sql) override
    {
        const std::string text(sql);
        char* message = nullptr;
        if (sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string error = message ? message : sqlite3_errmsg(m_db);
            sqlite3_free(message);
            throw Error(error);
        }
    }

    // IMMEDIATE takes the write lock up front, so two writers wait on the
    // busy timeout instead of failing when one tries to upgrade.
    void begin() override { execute("BEGIN IMMEDIATE"); }
    void commit() override { execute("COMMIT"); }
    void rollback() override { execute("ROLLBACK"); }
    void savepoint(std::string_view name) override { execute("SAVEPOINT " + identifier(name)); }
    void releaseSavepoint(std::string_view name) override { execute("RELEASE SAVEPOINT " + identifier(name)); }
    void rollbackToSavepoint(std::string_view name) override
    {
        execute("ROLLBACK TO SAVEPOINT " + identifier(name));
    }

    std::string autoIdColumn() const override { return "INTEGER PRIMARY KEY AUTOINCREMENT"; }

private:
    static std::string identifier(std::string_view name)
    {
        if (!isIdentifier(name))
            throw Error("bad savepoint name");
        return std::string(name);
    }

    sqlite3* m_db;
};

} // namespace

std::unique_ptr<Connection> openSqlcipher(const std::string& path, std::string_view key)
{
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        const std::string error = db ? sqlite3_errmsg(db) : "cannot open database";
        sqlite3_close_v2(db);
        throw Error(error);
    }
    auto connection = std::make_unique<SqlcipherConnection>(db);
    if (sqlite3_key(db, key.data(), static_cast<int>(key.size())) != SQLITE_OK)
        throw Error(sqlite3_errmsg(db));
    sqlite3_busy_timeout(db, 10000);
    // Reading the catalogue proves the key: a wrong one fails here.
    connection->execute("SELECT count(*) FROM sqlite_master");
    connection->execute("PRAGMA journal_mode=WAL");
    connection->execute("PRAGMA synchronous=NORMAL");
    return connection;
}

} // namespace rw::db
