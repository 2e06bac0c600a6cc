// Scoped transaction: rolled back unless committed.
#pragma once

#include "db/driver.h"

namespace rw::db {

class Transaction {
public:
    explicit Transaction(Connection& connection) : m_connection(connection) { m_connection.begin(); }
    ~Transaction()
    {
        if (!m_done) {
            try {
                m_connection.rollback();
            } catch (...) {
            }
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit()
    {
        m_connection.commit();
        m_done = true;
    }

private:
    Connection& m_connection;
    bool m_done = false;
};

} // namespace rw::db
