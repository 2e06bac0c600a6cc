// The staff library as tests call it: its real exports, with lists turned
// into vectors.
#pragma once

#include "library.h"

#include <string>
#include <vector>

namespace rwtest {

using Strings = std::vector<std::string>;

class EmpApi {
public:
    EmpApi() : lib("emp") {}

    int checkLogin(const std::string& account, const std::string& password) const
    {
        return lib.fn<int(const char*, const char*)>("I_Check_Login")(account.c_str(), password.c_str());
    }
    Strings loginRecord(const std::string& account) const
    {
        return lib.take(lib.fn<RwList*(const char*)>("Get_user_logid")(account.c_str()));
    }
    int updatePass(const std::string& password, const std::string& account) const
    {
        return lib.fn<int(const char*, const char*)>("Update_pass")(password.c_str(), account.c_str());
    }
    int nextAccount() const { return lib.fn<int()>("Get_userid")(); }

    int addPost(const std::string& department, const std::string& post, const std::string& category,
                const std::string& duty, const std::string& id = "", const std::string& mode = "add") const
    {
        return lib.fn<int(const char*, const char*, const char*, const char*, const char*, const char*)>("I_add_gw")(
            department.c_str(), post.c_str(), category.c_str(), duty.c_str(), id.c_str(), mode.c_str());
    }
    int addEmployee(const std::string& department, const std::string& post, const std::string& name,
                    const std::string& remark = "", const std::string& password = "1", const std::string& id = "",
                    const std::string& mode = "add") const
    {
        return lib.fn<int(const char*, const char*, const char*, const char*, const char*, const char*,
                          const char*)>("I_add_emp")(department.c_str(), post.c_str(), name.c_str(), remark.c_str(),
                                                     password.c_str(), id.c_str(), mode.c_str());
    }
    int deleteRecord(const std::string& kind, const std::string& id) const
    {
        return lib.fn<int(const char*, const char*)>("I_del_gw_emp")(kind.c_str(), id.c_str());
    }
    int sweep() const { return lib.fn<int()>("I_del_bm_and_lb")(); }

    Strings departments() const { return lib.take(lib.fn<RwList*()>("Get_bm_data")()); }
    Strings posts(const std::string& departmentId) const
    {
        return lib.take(lib.fn<RwList*(const char*)>("Get_gw_data")(departmentId.c_str()));
    }
    Strings employees(const std::string& postId) const
    {
        return lib.take(lib.fn<RwList*(const char*)>("Get_emp_data")(postId.c_str()));
    }
    Strings allPosts() const { return lib.take(lib.fn<RwList*()>("Get_all_gw_data")()); }
    Strings allEmployees() const { return lib.take(lib.fn<RwList*()>("Get_all_emp_data")()); }
    Strings registerRows(const std::string& department, const std::string& second, const std::string& kind) const
    {
        return lib.take(lib.fn<RwList*(const char*, const char*, const char*)>("GetregBydata")(
            department.c_str(), second.c_str(), kind.c_str()));
    }

    // A combo box that records what the library did to it.
    struct Combo {
        struct Item {
            std::string text;
            bool hasId;
            std::string id;
        };
        std::vector<Item> items;
        int index = -1;
        int clears = 0;
    };
    Combo fillCombo(const std::string& sql, int mode) const
    {
        Combo combo;
        RwCombo ref{&combo,
                    [](void* ctx) {
                        auto* c = static_cast<Combo*>(ctx);
                        c->items.clear();
                        ++c->clears;
                    },
                    [](void* ctx, const char* text, const char* id) {
                        static_cast<Combo*>(ctx)->items.push_back({text, id != nullptr, id ? id : ""});
                    },
                    [](void* ctx, int i) { static_cast<Combo*>(ctx)->index = i; }};
        lib.fn<void(const RwCombo*, const char*, int)>("SzCboList")(&ref, sql.c_str(), mode);
        return combo;
    }

    Library lib;
};

// Record i of a flat list with the given stride.
inline Strings record(const Strings& list, size_t stride, size_t i)
{
    return Strings(list.begin() + static_cast<long>(i * stride), list.begin() + static_cast<long>((i + 1) * stride));
}

} // namespace rwtest
