// The login window: the program's main window for its whole life.  It checks
// the account through the staff library, remembers who logged in and opens
// the main shell in the administrator's or the ordinary user's view.
#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace rw::client {
class ClickLabel;
}

#include "TFrmLst.h"

// The login window's worker modes.
namespace Tlog_Thread {
enum Mode { CheckAccount = 0, FetchRecord = 1 };
}

class TFrmlog : public QWidget {
    Q_OBJECT
public:
    explicit TFrmlog(QWidget* parent = nullptr);

    // The shell opened by the last login, while it is open.
    TFrmLst* shell() const { return m_shell; }

    // Brought back by the shell's logout.
    void restoreAfterLogout();

public slots:
    void rzbtnClick();          // the login button
    void RzBmpButton1Click();   // the close button

signals:
    // A login attempt has ended, with or without a shell.
    void attemptFinished();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void stageOneDone();
    void stageTwoDone();
    void openShell(const QString& display, const QString& person, const QString& role);

    QLabel* Image1;
    rw::client::ClickLabel* Image2;
    rw::client::ClickLabel* Image3;
    QLineEdit* txtUserId;
    QLineEdit* txtpwd;
    QString m_account;
    QPointer<TFrmLst> m_shell;
};
