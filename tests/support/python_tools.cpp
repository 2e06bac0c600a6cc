#include "python_tools.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace rwtest {

namespace {

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

} // namespace

std::string sheetTool(const std::string& command, const std::string& path, const std::string& extra)
{
    const std::string line = "/usr/bin/python3 " + quoted(std::string(RW_TESTS_DIR) + "/sheet/sheet_tools.py") + " " +
                             command + " " + quoted(path) + (extra.empty() ? "" : " " + quoted(extra));
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run python3");
    std::string out;
    std::array<char, 4096> buffer{};
    size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        out.append(buffer.data(), got);
    if (pclose(pipe) != 0)
        throw std::runtime_error("sheet tool failed: " + command + " " + path);
    return out;
}

namespace {

std::string jsonText(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\')
            out += '\\', out += static_cast<char>(c);
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c < 0x20)
            out += ' ';
        else
            out += static_cast<char>(c);
    }
    return out + "\"";
}

} // namespace

void writeXlsWithXlwt(const std::string& path, const std::vector<std::vector<std::string>>& rows)
{
    const std::string rowsFile = path + ".rows.json";
    {
        std::ofstream out(rowsFile, std::ios::binary);
        out << "[";
        for (size_t r = 0; r < rows.size(); ++r) {
            out << (r ? "," : "") << "[";
            for (size_t c = 0; c < rows[r].size(); ++c)
                out << (c ? "," : "") << jsonText(rows[r][c]);
            out << "]";
        }
        out << "]";
    }
    sheetTool("sheet", path, rowsFile);
    std::remove(rowsFile.c_str());
}

int python(const std::string& snippet, const std::string& path)
{
    const std::string line = "/usr/bin/python3 -c " + quoted(snippet) + " " + quoted(path) + " 2>/dev/null";
    return std::system(line.c_str());
}

} // namespace rwtest
