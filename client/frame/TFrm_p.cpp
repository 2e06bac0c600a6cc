#include "TFrm_p.h"

#include "Iemp1.h"
#include "Public_s.h"
#include "login_state.h"
#include "look.h"
#include "messages.h"
#include "request.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <atomic>

using rw::client::Messages;

namespace {
// The answer of the last update, shared with the worker.
std::atomic<bool> pass_ret{false};
const QString kPrompt = QStringLiteral("提示");
} // namespace

TFrm_p::TFrm_p(QWidget* parent) : RoundedDialog(parent)
{
    setObjectName(QStringLiteral("Frm_p"));
    setWindowTitle(QStringLiteral("密码修改"));
    useDialogLook();
    setFixedSize(432, 299);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(22, 16, 22, 14);
    auto* box = new QGroupBox(QStringLiteral("密码修改"), this);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    auto row = [&](int r, const QString& label, const char* name, bool readOnly, bool secret) {
        grid->addWidget(new QLabel(label, box), r, 0, Qt::AlignRight);
        auto* edit = new QLineEdit(box);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(readOnly);
        if (secret)
            edit->setEchoMode(QLineEdit::Password);
        grid->addWidget(edit, r, 1);
        auto* mark = new QLabel(QStringLiteral("(*)"), box);
        mark->setStyleSheet(QStringLiteral("color: red;"));
        grid->addWidget(mark, r, 2);
        return edit;
    };
    RzEdit1 = row(0, QStringLiteral("部    门 ："), "RzEdit1", true, false);
    RzEdit2 = row(1, QStringLiteral("岗    位 ："), "RzEdit2", true, false);
    RzEdit3 = row(2, QStringLiteral("姓    名 ："), "RzEdit3", true, false);
    RzEdit4 = row(3, QStringLiteral("账    号 ："), "RzEdit4", true, false);
    RzEdit6 = row(4, QStringLiteral("密    码 ："), "RzEdit6", false, true);
    RzEdit5 = row(5, QStringLiteral("确认密码 ："), "RzEdit5", false, true);
    outer->addWidget(box, 1);

    QHBoxLayout* buttons = buttonRow();
    RzGlyphStatus3 = addButton(buttons, "RzGlyphStatus3", QStringLiteral("保存"));
    RzGlyphStatus1 = addButton(buttons, "RzGlyphStatus1", QStringLiteral("关闭"));
    outer->addLayout(buttons);

    connect(RzGlyphStatus3, &QToolButton::clicked, this, &TFrm_p::RzGlyphStatus3Click);
    connect(RzGlyphStatus1, &QToolButton::clicked, this, &TFrm_p::RzGlyphStatus1Click);
    FormCreate();
}

void TFrm_p::FormCreate()
{
    pass_ret = false;
    rw::client::roundCorners(this);
}

void TFrm_p::showEvent(QShowEvent* event)
{
    RoundedDialog::showEvent(event);
    FormShow();
}

void TFrm_p::FormShow()
{
    const QStringList& record = LoginState::login_list;
    RzEdit1->setText(Public_s::Trimmed(record.value(3)));
    RzEdit2->setText(Public_s::Trimmed(record.value(2)));
    RzEdit3->setText(Public_s::Trimmed(record.value(1)));
    RzEdit4->setText(Public_s::Trimmed(record.value(4)));
}

void TFrm_p::RzGlyphStatus3Click()
{
    const QString password = Public_s::Trimmed(RzEdit6->text());
    const QString confirmation = Public_s::Trimmed(RzEdit5->text());
    if (password.isEmpty()) {
        Messages::info(QStringLiteral("密码不能为空！"), kPrompt);
        RzEdit6->setFocus();
        return;
    }
    if (confirmation.isEmpty()) {
        Messages::info(QStringLiteral("确认密码不能为空！"), kPrompt);
        RzEdit5->setFocus();
        return;
    }
    if (password != confirmation) {
        Messages::info(QStringLiteral("两次密码输入不一致！"), kPrompt);
        return;
    }
    if (!Public_s::Msg_yes(QStringLiteral("确定要保存吗？"), QStringLiteral("系统提示")))
        return;

    const QString account = Public_s::Trimmed(RzEdit4->text());
    // One update at a time: the button waits for the answer.
    RzGlyphStatus3->setEnabled(false);
    rw::client::Request(this, Tpass_Thread::UpdatePassword)
        .run([password, account] { pass_ret = Iemp1::Update_pass(password, account); })
        .then([this](int) {
            RzGlyphStatus3->setEnabled(true);
            const bool saved = pass_ret;
            emit saveFinished(saved);
            if (saved)
                accept();
        })
        .start();
}

void TFrm_p::RzGlyphStatus1Click()
{
    reject();
}
