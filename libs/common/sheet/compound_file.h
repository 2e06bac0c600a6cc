// A compound file (the container of .xls) holding a single stream.  The
// stream lives in regular 512-byte sectors; streams shorter than 4096 bytes
// are padded with zeros up to that size, so no mini stream is needed (BIFF
// readers stop at the workbook's EOF record and never see the padding).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rw::sheet {

// The whole file, or nothing with a reason in *error.  The name is at most
// 31 UTF-16 units.
std::optional<std::vector<std::uint8_t>> buildCompoundFile(const std::u16string& streamName,
                                                           std::vector<std::uint8_t> stream,
                                                           std::string* error = nullptr);

} // namespace rw::sheet
