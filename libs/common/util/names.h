// Names that end up inside the judge-assignment texts, which are split at
// "=", ",", "|", quotes and line breaks, must hold none of them.
#pragma once

#include <string_view>

namespace rw {

inline constexpr std::string_view kNameForbiddenCharacters = "=,|'\"\r\n";

inline bool isSafeName(std::string_view name)
{
    return name.find_first_of(kNameForbiddenCharacters) == std::string_view::npos;
}

} // namespace rw
