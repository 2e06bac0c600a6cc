// Building the caller-owned lists that cross the library boundary.
#pragma once

#include "abi/rankwise_abi.h"

#include <string>
#include <vector>

namespace rw {

// Copies the strings into a freshly allocated list; never returns null.
RwList* makeList(const std::vector<std::string>& items) noexcept;

// The view a library has of a list argument; a null list reads as empty.
std::vector<std::string> listItems(const RwList* list);

} // namespace rw

extern "C" RW_EXPORT void rw_list_free(RwList* list);
