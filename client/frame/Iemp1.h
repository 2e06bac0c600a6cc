// The staff library's exports as the client calls them.  Each call binds
// the export by name (see library_binding.h) and may throw AbortRequest.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QProgressBar;

namespace rw::client {
class GridSnapshot;
}

namespace Iemp1 {

int I_Check_Login(const QString& account, const QString& password);
QStringList Get_user_logid(const QString& account);
bool Update_pass(const QString& password, const QString& account);
int Get_userid();

QStringList Get_bm_data();
QStringList Get_gw_data(const QString& departmentId);
QStringList Get_emp_data(const QString& postId);
QStringList Get_all_gw_data();
QStringList Get_all_emp_data();
QStringList GetregBydata(const QString& departmentId, const QString& secondId, const QString& kind);
// Fills the combo box (on the user-interface thread) from a select with the
// columns id and sname.
void SzCboList(QComboBox* combo, const QString& sql, int mode);

int I_add_gw(const QString& department, const QString& post, const QString& category, const QString& duty,
             const QString& postId, const QString& mode);
int I_add_emp(const QString& department, const QString& post, const QString& name, const QString& remark,
              const QString& password, const QString& employeeId, const QString& mode);
int I_del_gw_emp(const QString& kind, const QString& id);
bool I_del_bm_and_lb();

// Merges a workbook of posts or staff into the organisation, reporting to
// the bar on the user-interface thread; true when every row was taken.
bool Load_emp_gw_Excel(QProgressBar* bar, const QString& fileName, const QString& kind);
// Writes the grid (taken when the request started) to a workbook.
bool dc_excel(const rw::client::GridSnapshot& grid, const QString& fileName, const QString& kind);

} // namespace Iemp1
