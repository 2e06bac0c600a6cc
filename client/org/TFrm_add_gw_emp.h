// The editor of one post or one employee, opened by the list window.
#pragma once

#include "widgets.h"

#include <QPointer>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class TFrm_gw_emp;

// The editor's worker modes.
namespace Tadd_gw_Thread {
enum Mode { SavePost = 0, NextAccount = 1, SaveEmployee = 2 };
}

class TFrm_add_gw_emp : public rw::client::RoundedDialog {
    Q_OBJECT
public:
    explicit TFrm_add_gw_emp(TFrm_gw_emp* list);

    // Captions, rows and fields as the list window sets them.
    void prepareAdd();
    void prepareEdit(int row);

    void RzGlyphStatus3Click(); // 保存
    void RzGlyphStatus1Click(); // 关闭

    QGroupBox* RzGroupBox1;
    QLabel* Label3;
    QLabel* Label6;
    QLineEdit* RzEdit1; // department
    QLineEdit* RzEdit2; // post
    QLineEdit* RzEdit3; // category or employee
    QLineEdit* RzEdit4; // account (read-only)
    QLineEdit* RzEdit5; // password
    QPlainTextEdit* RzMemo1; // duty description or remark
    QLineEdit* txta;    // "add" or "edit"
    QLineEdit* txtid;   // id of the record edited

signals:
    void requestDone(int mode);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void setStaffRows(bool staff);
    void saveDone();
    QString mode() const;
    QString memoText() const;

    QPointer<TFrm_gw_emp> m_list;
    QWidget* m_accountRow;
    QWidget* m_passwordRow;
    bool m_shown = false;
};
