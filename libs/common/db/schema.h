// The one schema of the shared database, with its version.
#pragma once

#include "db/driver.h"

namespace rw::db {

// The version this build creates and migrates to.
int currentSchemaVersion();

// Creates the tables on first use and migrates an older file forward, all in
// one transaction.  A file written by a newer build is left as it is.
void ensureSchema(Connection& connection);

// The version a database file carries (0 for a new one).
int schemaVersion(Connection& connection);

} // namespace rw::db
