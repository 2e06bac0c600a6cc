// Small text helpers shared by the libraries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rw {

// A C argument as text; a null pointer reads as empty.
inline std::string arg(const char* text) { return text ? std::string(text) : std::string(); }

// Leading and trailing blanks and control characters removed.
std::string trimmed(std::string_view text);

// A whole decimal integer (surrounding blanks allowed), or nothing.  Ids and
// accounts typed or passed as anything else simply match no row.
std::optional<std::int64_t> parseInteger(std::string_view text);

} // namespace rw
