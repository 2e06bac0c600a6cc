#include "abi/rw_list.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

char* copyText(const std::string& text) noexcept
{
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy)
        std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

// The list handed out when memory runs out: a caller never sees null.
RwList emptyList{0, nullptr};

} // namespace

namespace rw {

RwList* makeList(const std::vector<std::string>& items) noexcept
{
    auto* list = static_cast<RwList*>(std::malloc(sizeof(RwList)));
    if (!list)
        return &emptyList;
    list->count = 0;
    list->items = nullptr;
    if (items.empty())
        return list;
    list->items = static_cast<char**>(std::calloc(items.size(), sizeof(char*)));
    if (!list->items)
        return list;
    for (const std::string& item : items) {
        char* copy = copyText(item);
        if (!copy)
            break;
        list->items[list->count++] = copy;
    }
    return list;
}

std::vector<std::string> listItems(const RwList* list)
{
    std::vector<std::string> items;
    if (!list || list->count <= 0 || !list->items)
        return items;
    items.reserve(static_cast<size_t>(list->count));
    for (int i = 0; i < list->count; ++i)
        items.emplace_back(list->items[i] ? list->items[i] : "");
    return items;
}

} // namespace rw

extern "C" RW_EXPORT void rw_list_free(RwList* list)
{
    if (!list || list == &emptyList)
        return;
    for (int i = 0; i < list->count; ++i)
        std::free(list->items[i]);
    std::free(list->items);
    std::free(list);
}
