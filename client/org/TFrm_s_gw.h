// Narrows the post or staff list to a department and a category or post.
#pragma once

#include "widgets.h"

#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class TFrm_gw_emp;

// The search dialog's worker modes.
namespace Ts_gw_Thread {
enum Mode { Departments = 0, Categories = 1, Query = 2, Posts = 3 };
}

class TFrm_s_gw : public rw::client::RoundedDialog {
    Q_OBJECT
public:
    explicit TFrm_s_gw(TFrm_gw_emp* list);

    QLineEdit* Edit1;         // mode, copied from the list window
    QComboBox* RzComboBox1;   // departments
    QComboBox* RzComboBox2;   // categories (posts mode) or posts (staff mode)
    QLabel* Label2;

    void RzComboBox1Change();
    void RzGlyphStatus3Click(); // 查询
    void RzGlyphStatus1Click(); // 关闭

signals:
    void requestDone(int mode);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void fill(int requestMode, QComboBox* combo, const QString& sql, std::function<void()> next);
    QString mode() const;
    static QString chosenId(const QComboBox* combo);

    QPointer<TFrm_gw_emp> m_list;
    bool m_shown = false;
};
