#include "Iemp1.h"

#include "control_refs.h"
#include "library_binding.h"

using rw::client::bind;
using rw::client::takeList;
using rw::client::utf8;

namespace {
constexpr const char* kEmp = "emp";
using Text = const char*;
} // namespace

namespace Iemp1 {

int I_Check_Login(const QString& account, const QString& password)
{
    return bind<int(Text, Text)>(kEmp, "I_Check_Login")(utf8(account), utf8(password));
}

QStringList Get_user_logid(const QString& account)
{
    return takeList(kEmp, bind<RwList*(Text)>(kEmp, "Get_user_logid")(utf8(account)));
}

bool Update_pass(const QString& password, const QString& account)
{
    return bind<int(Text, Text)>(kEmp, "Update_pass")(utf8(password), utf8(account)) != 0;
}

int Get_userid()
{
    return bind<int()>(kEmp, "Get_userid")();
}

QStringList Get_bm_data()
{
    return takeList(kEmp, bind<RwList*()>(kEmp, "Get_bm_data")());
}

QStringList Get_gw_data(const QString& departmentId)
{
    return takeList(kEmp, bind<RwList*(Text)>(kEmp, "Get_gw_data")(utf8(departmentId)));
}

QStringList Get_emp_data(const QString& postId)
{
    return takeList(kEmp, bind<RwList*(Text)>(kEmp, "Get_emp_data")(utf8(postId)));
}

QStringList Get_all_gw_data()
{
    return takeList(kEmp, bind<RwList*()>(kEmp, "Get_all_gw_data")());
}

QStringList Get_all_emp_data()
{
    return takeList(kEmp, bind<RwList*()>(kEmp, "Get_all_emp_data")());
}

QStringList GetregBydata(const QString& departmentId, const QString& secondId, const QString& kind)
{
    return takeList(kEmp, bind<RwList*(Text, Text, Text)>(kEmp, "GetregBydata")(utf8(departmentId), utf8(secondId),
                                                                                utf8(kind)));
}

void SzCboList(QComboBox* combo, const QString& sql, int mode)
{
    auto* fill = bind<void(const RwCombo*, Text, int)>(kEmp, "SzCboList");
    rw::client::ComboRef ref(combo);
    fill(ref.get(), utf8(sql), mode);
}

int I_add_gw(const QString& department, const QString& post, const QString& category, const QString& duty,
             const QString& postId, const QString& mode)
{
    return bind<int(Text, Text, Text, Text, Text, Text)>(kEmp, "I_add_gw")(
        utf8(department), utf8(post), utf8(category), utf8(duty), utf8(postId), utf8(mode));
}

int I_add_emp(const QString& department, const QString& post, const QString& name, const QString& remark,
              const QString& password, const QString& employeeId, const QString& mode)
{
    return bind<int(Text, Text, Text, Text, Text, Text, Text)>(kEmp, "I_add_emp")(
        utf8(department), utf8(post), utf8(name), utf8(remark), utf8(password), utf8(employeeId), utf8(mode));
}

int I_del_gw_emp(const QString& kind, const QString& id)
{
    return bind<int(Text, Text)>(kEmp, "I_del_gw_emp")(utf8(kind), utf8(id));
}

bool I_del_bm_and_lb()
{
    return bind<int()>(kEmp, "I_del_bm_and_lb")() != 0;
}

bool Load_emp_gw_Excel(QProgressBar* bar, const QString& fileName, const QString& kind)
{
    auto* load = bind<int(const RwProgress*, const RwGrid*, Text, Text)>(kEmp, "Load_emp_gw_Excel");
    rw::client::ProgressRef progress(bar);
    return load(progress.get(), nullptr, utf8(fileName), utf8(kind)) != 0;
}

bool dc_excel(const rw::client::GridSnapshot& grid, const QString& fileName, const QString& kind)
{
    return bind<int(const RwGrid*, Text, Text)>(kEmp, "dc_excel")(grid.get(), utf8(fileName), utf8(kind)) != 0;
}

} // namespace Iemp1
