// The post list (mode "1") and the staff list (mode "2") of the
// organisation: browse, add, edit, delete, search, import and export.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QToolButton;

namespace rw::client {
class Grid;
class WaitPanel;
}

// The list window's worker modes.
namespace Tgw_Thread {
enum Mode { Load = 0, Delete = 1, Export = 2, Import = 3, Purge = 4 };
}

class TFrm_gw_emp : public QWidget {
    Q_OBJECT
public:
    explicit TFrm_gw_emp(QWidget* parent = nullptr);

    QLineEdit* Edit1;           // mode: "1" posts, "2" staff
    rw::client::Grid* asg;
    QString mode() const;

    void refresh();             // "刷新": full reload, no row forced
    void gw_dy();               // reload that selects gw_row again
    void End_Fillasg();         // fills the grid from gw_list

    void ToolButton1Click();    // 增加
    void ToolButton2Click();    // 修改
    void ToolButton3Click();    // 删除
    void ToolButton4Click();    // 刷新
    void ToolButton5Click();    // 查询
    void ToolButton6Click();    // 导入
    void ToolButton7Click();    // 导出

signals:
    // A request of this window has completed (its mode).
    void requestDone(int mode);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void load();
    void setColumnWidths();
    void setRecordCount(int count);
    void countFromGrid();
    QString idOfRow(int row) const;
    QWidget* shell() const;

    QProgressBar* rp;
    QLabel* RzGlyphStatus1;
    rw::client::WaitPanel* ls_p;
    bool m_shown = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
