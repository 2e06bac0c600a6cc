// libFuzzer harness for the workbook readers: any bytes, as a file, must
// give an answer (true or false), never a crash, a leak or a hang.
#include "sheet/reader.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/rankwise-fuzz-" + std::to_string(getpid()) + ".bin";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    rw::sheet::Table table;
    rw::sheet::readFirstSheet(path, table);
    return 0;
}
