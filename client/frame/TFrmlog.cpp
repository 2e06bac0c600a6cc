#include "TFrmlog.h"

#include "Iemp1.h"
#include "Public_s.h"
#include "TFrmLst.h"
#include "artwork.h"
#include "login_state.h"
#include "look.h"
#include "messages.h"
#include "request.h"
#include "widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

using rw::client::Messages;
using rw::client::Request;

namespace {
const QString kAdminAccount = QStringLiteral("qm470");
const QString kPrompt = QStringLiteral("提示");
constexpr int kWidth = 427;
constexpr int kHeight = 245;
} // namespace

TFrmlog::TFrmlog(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Frmlog"));
    setWindowTitle(QStringLiteral("Rankwise"));
    resize(kWidth, kHeight);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kWidth, kHeight);
    Image1->setPixmap(rw::client::artwork::loginBackground(QSize(kWidth, kHeight)));
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents); // presses reach the window, which moves

    auto* hints = new QLabel(this);
    hints->setObjectName(QStringLiteral("hints"));
    hints->setGeometry(40, 84, kWidth - 60, 20);
    hints->setFont(rw::client::look::songti(12));
    hints->setText(QStringLiteral("<span style='color:white'>管理员账号：</span><span style='color:aqua'>qm470</span>"
                                  "<span style='color:white'>&nbsp;密码：</span><span style='color:aqua'>qm470</span>"
                                  "<span style='color:white'>&nbsp;&nbsp;普通用户账号：</span>"
                                  "<span style='color:yellow'>8001</span>"
                                  "<span style='color:white'>&nbsp;密码：</span><span style='color:yellow'>1</span>"));

    auto addLabel = [this](const QString& text, int y) {
        auto* label = new QLabel(text, this);
        label->setFont(rw::client::look::songti(14));
        label->setStyleSheet(QStringLiteral("color: white;"));
        label->setGeometry(60, y, 70, 26);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    addLabel(QStringLiteral("账  号："), 114);
    addLabel(QStringLiteral("密  码："), 150);

    txtUserId = new QLineEdit(this);
    txtUserId->setObjectName(QStringLiteral("txtUserId"));
    txtUserId->setGeometry(134, 114, 200, 26);
    txtpwd = new QLineEdit(this);
    txtpwd->setObjectName(QStringLiteral("txtpwd"));
    txtpwd->setGeometry(134, 150, 200, 26);
    txtpwd->setEchoMode(QLineEdit::Password);
    for (QLineEdit* edit : {txtUserId, txtpwd})
        edit->setFont(rw::client::look::songti(14));
    setTabOrder(txtUserId, txtpwd);

    Image2 = new rw::client::ClickLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(134, 192, 82, 31);
    Image2->setPixmap(rw::client::artwork::button(QSize(82, 31), QStringLiteral("登 录"), true));
    Image3 = new rw::client::ClickLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(253, 192, 81, 30);
    Image3->setPixmap(rw::client::artwork::button(QSize(81, 30), QStringLiteral("关 闭"), false));

    auto* version = new QLabel(QStringLiteral("Ver：2.0.0.1"), this);
    version->setObjectName(QStringLiteral("version"));
    version->setFont(rw::client::look::songti(12));
    version->setStyleSheet(QStringLiteral("color: white;"));
    version->setGeometry(kWidth - 110, kHeight - 22, 100, 18);
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(Image2, &rw::client::ClickLabel::clicked, this, &TFrmlog::rzbtnClick);
    connect(Image3, &rw::client::ClickLabel::clicked, this, &TFrmlog::RzBmpButton1Click);
    connect(txtUserId, &QLineEdit::returnPressed, txtpwd, qOverload<>(&QWidget::setFocus));
    connect(txtpwd, &QLineEdit::returnPressed, this, &TFrmlog::rzbtnClick);

    FormCreate();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFrmlog::FormCreate()
{
    rw::client::roundCorners(this);
    LoginState::login_list.clear();
    LoginState::login_ret = -1;
}

void TFrmlog::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    rw::client::roundCorners(this);
}

void TFrmlog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QWidget::mousePressEvent(event);
}

void TFrmlog::closeEvent(QCloseEvent* event)
{
    // Closing the login window ends the program.
    event->accept();
    qApp->quit();
}

void TFrmlog::RzBmpButton1Click()
{
    close();
}

void TFrmlog::rzbtnClick()
{
    if (!isEnabled())
        return;
    const QString account = Public_s::Trimmed(txtUserId->text());
    if (account.isEmpty()) {
        Messages::info(QStringLiteral("请输入用户名！"), kPrompt);
        txtUserId->setFocus();
        return;
    }
    const QString password = Public_s::Trimmed(txtpwd->text());
    if (password.isEmpty()) {
        Messages::info(QStringLiteral("请输入密码！"), kPrompt);
        txtpwd->setFocus();
        return;
    }
    setEnabled(false);
    LoginState::login_ret = -1;
    m_account = account;
    Request(this, Tlog_Thread::CheckAccount)
        .run([account, password] { LoginState::login_ret = Iemp1::I_Check_Login(account, password); })
        .then([this](int) { stageOneDone(); })
        .start();
}

void TFrmlog::stageOneDone()
{
    if (LoginState::login_ret == 0) {
        setEnabled(true);
        Messages::info(QStringLiteral("用户名或密码不正确！"), kPrompt);
        emit attemptFinished();
        return;
    }
    if (LoginState::login_ret != 1) {
        // The check did not run; the binding layer has said why.
        setEnabled(true);
        emit attemptFinished();
        return;
    }
    const QString account = m_account;
    Request(this, Tlog_Thread::FetchRecord)
        .run([account] {
            // A record left from an earlier login must never stand in.
            LoginState::login_list.clear();
            LoginState::login_list = Iemp1::Get_user_logid(account);
        })
        .then([this](int) { stageTwoDone(); })
        .start();
}

void TFrmlog::stageTwoDone()
{
    const QStringList& record = LoginState::login_list;
    QString display, person, role;
    if (m_account == kAdminAccount) {
        LoginState::cur_userid.clear();
        display = QStringLiteral("管理员");
        role = QStringLiteral("1");
    } else if (!record.isEmpty() && !Public_s::Trimmed(record[0]).isEmpty()) {
        LoginState::cur_userid = record[0];
        display = record.value(2);
        person = record.value(1);
        role = QStringLiteral("2");
    } else {
        // Accepted, but no employee stands behind the account: no shell,
        // and never the administrator's view.
        setEnabled(true);
        Messages::info(QStringLiteral("用户名或密码不正确！"), kPrompt);
        emit attemptFinished();
        return;
    }
    txtUserId->clear();
    txtpwd->clear();
    openShell(display, person, role);
    setEnabled(true);
    emit attemptFinished();
}

void TFrmlog::openShell(const QString& display, const QString& person, const QString& role)
{
    auto* shell = new TFrmLst;
    connect(shell, &TFrmLst::loggedOut, this, &TFrmlog::restoreAfterLogout);
    QString status = shell->Label1->text() + display;
    if (!Public_s::Trimmed(person).isEmpty())
        status += QStringLiteral("(") + person + QStringLiteral(")");
    shell->Label1->setText(status);
    shell->Edit1->setText(role);
    m_shell = shell;
    // Out of sight while the shell is open; it stays the program's main window.
    Public_s::Set_form_size(this, 0, 0, false);
    shell->showMaximized();
}

void TFrmlog::restoreAfterLogout()
{
    Public_s::Set_form_size(this, kWidth, kHeight, true);
    activateWindow();
    txtUserId->setFocus();
}
