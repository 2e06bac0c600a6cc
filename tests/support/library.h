// Loads a run-time library from app/Sbin the way the client does: by path,
// each export looked up by its name.
#pragma once

#include "abi/rankwise_abi.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace rwtest {

std::string appDirectory();

class Library {
public:
    explicit Library(const std::string& name)
        : m_handle(dlopen((appDirectory() + "/Sbin/" + name + ".so").c_str(), RTLD_NOW | RTLD_LOCAL))
    {
        if (!m_handle)
            throw std::runtime_error(dlerror());
        m_free = fn<void(RwList*)>("rw_list_free");
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    template <typename Signature>
    Signature* fn(const char* name) const
    {
        void* symbol = dlsym(m_handle, name);
        if (!symbol)
            throw std::runtime_error(std::string("missing export ") + name);
        return reinterpret_cast<Signature*>(symbol);
    }

    // Takes a returned list, releases it through the library, and answers
    // its entries.
    std::vector<std::string> take(RwList* list) const
    {
        if (!list)
            throw std::runtime_error("a list export answered null");
        std::vector<std::string> items;
        for (int i = 0; i < list->count; ++i)
            items.emplace_back(list->items[i]);
        m_free(list);
        return items;
    }

private:
    void* m_handle;
    void (*m_free)(RwList*) = nullptr;
};

} // namespace rwtest
