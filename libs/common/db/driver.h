// The database driver interface every library works through.
//
// Statements use portable SQL with positional "?" parameters; every value is
// bound, never spliced into the text.  Errors are thrown as rw::db::Error and
// turned into each export's failure answer at the library boundary.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rw::db {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Statement {
public:
    virtual ~Statement() = default;

    // Parameters are numbered from 1, as they appear in the text.
    virtual Statement& bind(int index, std::string_view text) = 0;
    virtual Statement& bind(int index, std::int64_t value) = 0;
    virtual Statement& bindNull(int index) = 0;

    // Advances to the next row; false once the rows are done (or after a
    // statement that yields none has run).
    virtual bool step() = 0;
    // Runs a statement that yields no rows; answers the rows it changed.
    virtual int execute() = 0;
    // Ready to run again with new bindings.
    virtual void reset() = 0;

    // Columns of the current row, by name (case-insensitive).  A null value
    // reads as empty text or 0.
    virtual std::string text(std::string_view column) const = 0;
    virtual std::int64_t integer(std::string_view column) const = 0;
    virtual bool isNull(std::string_view column) const = 0;

    // True when running the statement cannot change the database.
    virtual bool isReadOnly() const = 0;

    // Convenience for binding several values in order.
    template <typename... Values>
    Statement& bindAll(const Values&... values)
    {
        int index = 0;
        (bindOne(++index, values), ...);
        return *this;
    }

private:
    void bindOne(int index, std::string_view text) { bind(index, text); }
    void bindOne(int index, const std::string& text) { bind(index, std::string_view(text)); }
    void bindOne(int index, const char* text) { bind(index, std::string_view(text)); }
    void bindOne(int index, std::int64_t value) { bind(index, value); }
    void bindOne(int index, int value) { bind(index, std::int64_t(value)); }
};

class Connection {
public:
    virtual ~Connection() = default;

    // Prepares exactly one statement; trailing statements are refused.
    virtual std::unique_ptr<Statement> prepare(std::string_view sql) = 0;
    // Runs fixed SQL without parameters (schema, transaction control).
    virtual void execute(std::string_view sql) = 0;

    // Transaction control; savepoints nest inside a transaction.
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual void savepoint(std::string_view name) = 0;
    virtual void releaseSavepoint(std::string_view name) = 0;
    virtual void rollbackToSavepoint(std::string_view name) = 0;

    // The column type of ids numbered by the database, for the schema.
    virtual std::string autoIdColumn() const = 0;
};

// Opens the database named by a location: a file path for the embedded
// driver.  Locations starting with "postgresql://" are kept for the server
// driver and refused for now.
std::unique_ptr<Connection> openDatabase(const std::string& location);

} // namespace rw::db
