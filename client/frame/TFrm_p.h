// Password change for the logged-in ordinary user.
#pragma once

#include "widgets.h"

class QLineEdit;
class QToolButton;

// The password window's worker mode.
namespace Tpass_Thread {
enum Mode { UpdatePassword = 0 };
}

class TFrm_p : public rw::client::RoundedDialog {
    Q_OBJECT
public:
    explicit TFrm_p(QWidget* parent = nullptr);

    void RzGlyphStatus3Click(); // 保存
    void RzGlyphStatus1Click(); // 关闭

signals:
    // The update has answered (true when the password was changed).
    void saveFinished(bool saved);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();

    QLineEdit* RzEdit1; // department
    QLineEdit* RzEdit2; // post
    QLineEdit* RzEdit3; // name
    QLineEdit* RzEdit4; // account
    QLineEdit* RzEdit6; // new password
    QLineEdit* RzEdit5; // confirmation
    QToolButton* RzGlyphStatus3;
    QToolButton* RzGlyphStatus1;
};
