#include "db/shared_connection.h"

#include "db/location.h"

namespace rw::db {

Connection& SharedConnection::connection()
{
    const std::string location = databaseLocation();
    if (!m_connection || location != m_location) {
        m_connection.reset();
        m_connection = openDatabase(location);
        m_location = location;
    }
    return *m_connection;
}

} // namespace rw::db
