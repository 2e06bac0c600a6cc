// .xls through libfreexl: BIFF5 and BIFF8, text already in UTF-8.
//
// libfreexl is not memory-safe on every damaged file (it has been seen to
// write outside a buffer while converting text), so it reads in a child
// process of its own and hands the cells back through a pipe: a file that
// trips it is simply refused.
#include "sheet/reader_formats.h"

#include <freexl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace rw::sheet::detail {

namespace {

// Seconds a child may take before it is given up.
constexpr unsigned kChildSeconds = 120;

bool readInProcess(const std::string& path, Table& table, std::string& error)
{
    const void* handle = nullptr;
    if (freexl_open(path.c_str(), &handle) != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        error = "not a readable .xls workbook";
        return false;
    }
    struct Closer {
        const void* h;
        ~Closer() { freexl_close(h); }
    } closer{handle};

    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) {
        error = "the workbook has no readable first sheet";
        return false;
    }
    if (rows > kMaxRows || cols > kMaxColumns || size_t(rows) * cols > kMaxCells) {
        error = "the sheet is too large";
        return false;
    }
    table.rows.assign(rows, std::vector<std::string>(cols));
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK)
                continue;
            std::string& out = table.rows[r][c];
            switch (value.type) {
            case FREEXL_CELL_INT:
                out = std::to_string(value.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                out = numberText(value.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                if (value.value.text_value)
                    out = value.value.text_value;
                break;
            default:
                break;
            }
        }
    }
    return true;
}

bool writeAll(int fd, const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool writeNumber(int fd, std::uint64_t value)
{
    return writeAll(fd, &value, sizeof value);
}

// The table as: rows, columns, then each cell as length and bytes.
bool sendTable(int fd, const Table& table)
{
    const size_t cols = table.rows.empty() ? 0 : table.rows.front().size();
    if (!writeNumber(fd, table.rows.size()) || !writeNumber(fd, cols))
        return false;
    for (const auto& row : table.rows)
        for (const auto& cell : row)
            if (!writeNumber(fd, cell.size()) || !writeAll(fd, cell.data(), cell.size()))
                return false;
    return true;
}

class Received {
public:
    explicit Received(const std::string& bytes) : m_bytes(bytes) {}
    bool number(std::uint64_t& value)
    {
        if (m_bytes.size() - m_at < sizeof value)
            return false;
        std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
        m_at += sizeof value;
        return true;
    }
    bool text(std::string& out, std::uint64_t size)
    {
        if (m_bytes.size() - m_at < size)
            return false;
        out.assign(m_bytes, m_at, size);
        m_at += size;
        return true;
    }

private:
    const std::string& m_bytes;
    size_t m_at = 0;
};

bool receiveTable(const std::string& bytes, Table& table)
{
    Received in(bytes);
    std::uint64_t rows = 0, cols = 0;
    if (!in.number(rows) || !in.number(cols) || rows > kMaxRows || cols > kMaxColumns || rows * cols > kMaxCells)
        return false;
    table.rows.assign(rows, std::vector<std::string>(cols));
    for (auto& row : table.rows) {
        for (auto& cell : row) {
            std::uint64_t size = 0;
            if (!in.number(size) || !in.text(cell, size))
                return false;
        }
    }
    return true;
}

} // namespace

bool readXls(const std::string& path, Table& table, std::string& error)
{
    int fds[2];
    if (pipe(fds) != 0) {
        error = "cannot read the workbook";
        return false;
    }
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        error = "cannot read the workbook";
        return false;
    }
    if (child == 0) {
        close(fds[0]);
        alarm(kChildSeconds);
        Table mine;
        std::string why;
        const bool ok = readInProcess(path, mine, why) && sendTable(fds[1], mine);
        close(fds[1]);
        _exit(ok ? 0 : 1);
    }

    close(fds[1]);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > 2 * kMaxCells * 8 + (1u << 30)) {
            kill(child, SIGKILL);
            break;
        }
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !receiveTable(bytes, table)) {
        table.rows.clear();
        error = "not a readable .xls workbook";
        return false;
    }
    return true;
}

} // namespace rw::sheet::detail
