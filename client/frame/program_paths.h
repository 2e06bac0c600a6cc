// Where the client finds its libraries: Sbin/ beside the program.
#pragma once

#include <QString>

namespace rw::client {

// The running program's directory, with a trailing separator.
QString programDirectory();

// Tests point the client at another program directory (an app/ tree with
// missing or stripped libraries); an empty text restores the real one.
void overrideProgramDirectory(const QString& directory);

} // namespace rw::client
