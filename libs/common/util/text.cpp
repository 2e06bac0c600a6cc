#include "util/text.h"

#include <charconv>

namespace rw {

namespace {
bool isBlank(unsigned char c) { return c <= ' ' || c == 0x7f; }
}

std::string trimmed(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && isBlank(static_cast<unsigned char>(text[end - 1])))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::optional<std::int64_t> parseInteger(std::string_view text)
{
    const std::string digits = trimmed(text);
    if (digits.empty())
        return std::nullopt;
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    if (*first == '+')
        ++first;
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

} // namespace rw
