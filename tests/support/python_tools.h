// Running the independent spreadsheet tools (Debian's python3 modules).
#pragma once

#include <string>
#include <vector>

namespace rwtest {

// Runs tests/sheet/sheet_tools.py with a command and a path; answers its
// standard output, or throws when it fails.
std::string sheetTool(const std::string& command, const std::string& path, const std::string& extra = "");

// Writes rows (null-free texts) as an .xls with xlwt, the way a user's
// spreadsheet program would.
void writeXlsWithXlwt(const std::string& path, const std::vector<std::vector<std::string>>& rows);

// Runs a python snippet with the path as sys.argv[1]; answers the exit code.
int python(const std::string& snippet, const std::string& path);

} // namespace rwtest
