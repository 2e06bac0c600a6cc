// A library's one connection, kept open between calls and guarded by the
// library's process-wide lock.
#pragma once

#include "db/driver.h"

#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace rw::db {

class SharedConnection {
public:
    // Runs work with the lock held on a connection to the current database
    // location, opening it first (or again, when the location has changed).
    // Errors of opening and of the work pass to the caller.
    template <typename Work>
    auto run(Work&& work)
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        return work(connection());
    }

    // The same, answering the failure value for any error: for exports whose
    // errors must not cross the library boundary.
    template <typename Result, typename Work>
    Result runOr(Result failure, Work&& work) noexcept
    {
        try {
            return run(std::forward<Work>(work));
        } catch (...) {
            return failure;
        }
    }

private:
    Connection& connection();

    std::mutex m_mutex;
    std::string m_location;
    std::unique_ptr<Connection> m_connection;
};

} // namespace rw::db
