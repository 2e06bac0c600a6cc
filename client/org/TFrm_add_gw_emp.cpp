#include "TFrm_add_gw_emp.h"

#include "Iemp1.h"
#include "Public_s.h"
#include "TFrm_gw_emp.h"
#include "grid.h"
#include "look.h"
#include "messages.h"
#include "org_state.h"
#include "request.h"
#include "util/names.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <atomic>

using rw::client::Messages;

namespace {
const QString kSystem = QStringLiteral("系统提示");
std::atomic<int> nextAccount{0};
} // namespace

TFrm_add_gw_emp::TFrm_add_gw_emp(TFrm_gw_emp* list) : RoundedDialog(list), m_list(list)
{
    setObjectName(QStringLiteral("Frm_add_gw_emp"));
    useDialogLook();
    setFixedSize(470, 400);

    txta = new QLineEdit(this);
    txta->setObjectName(QStringLiteral("txta"));
    txta->hide();
    txtid = new QLineEdit(this);
    txtid->setObjectName(QStringLiteral("txtid"));
    txtid->hide();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(20, 16, 20, 14);
    RzGroupBox1 = new QGroupBox(QStringLiteral("添加岗位"), this);
    RzGroupBox1->setObjectName(QStringLiteral("RzGroupBox1"));
    auto* rows = new QVBoxLayout(RzGroupBox1);
    rows->setSpacing(6);
    auto addRow = [&](const QString& caption, QWidget* field, bool marked, QLabel** labelOut = nullptr) {
        auto* row = new QWidget(RzGroupBox1);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* label = new QLabel(caption, row);
        label->setFixedWidth(100);
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        line->addWidget(label);
        field->setParent(row);
        line->addWidget(field, 1);
        auto* mark = new QLabel(marked ? QStringLiteral("(*)") : QString(), row);
        mark->setStyleSheet(QStringLiteral("color: red;"));
        mark->setFixedWidth(24);
        line->addWidget(mark);
        rows->addWidget(row);
        if (labelOut)
            *labelOut = label;
        return row;
    };
    auto edit = [](const char* name) {
        auto* e = new QLineEdit;
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    RzEdit1 = edit("RzEdit1");
    RzEdit2 = edit("RzEdit2");
    RzEdit3 = edit("RzEdit3");
    RzEdit4 = edit("RzEdit4");
    RzEdit4->setReadOnly(true);
    RzEdit4->setStyleSheet(QStringLiteral("background: #F0F0F0;"));
    RzEdit5 = edit("RzEdit5");
    RzMemo1 = new QPlainTextEdit;
    RzMemo1->setObjectName(QStringLiteral("RzMemo1"));
    RzMemo1->setFixedWidth(300);
    addRow(QStringLiteral("部       门 ："), RzEdit1, true);
    addRow(QStringLiteral("岗       位 ："), RzEdit2, true);
    addRow(QStringLiteral("类       别 ："), RzEdit3, true, &Label3);
    m_accountRow = addRow(QStringLiteral("账       号 ："), RzEdit4, true);
    m_passwordRow = addRow(QStringLiteral("密       码 ："), RzEdit5, true);
    addRow(QStringLiteral("职 责 描 述 ："), RzMemo1, false, &Label6);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label6->setObjectName(QStringLiteral("Label6"));
    outer->addWidget(RzGroupBox1, 1);
    setStaffRows(false);

    QHBoxLayout* buttons = buttonRow();
    connect(addButton(buttons, "RzGlyphStatus3", QStringLiteral("保存")), &QToolButton::clicked, this,
            &TFrm_add_gw_emp::RzGlyphStatus3Click);
    connect(addButton(buttons, "RzGlyphStatus1", QStringLiteral("关闭")), &QToolButton::clicked, this,
            &TFrm_add_gw_emp::RzGlyphStatus1Click);
    outer->addLayout(buttons);

    OrgState::add_gw_ret = -1;
    rw::client::roundCorners(this);
}

QString TFrm_add_gw_emp::mode() const
{
    return m_list ? m_list->mode() : QString();
}

void TFrm_add_gw_emp::setStaffRows(bool staff)
{
    m_accountRow->setVisible(staff);
    m_passwordRow->setVisible(staff);
    if (staff) {
        Label3->setText(QStringLiteral("员       工 ："));
        Label6->setText(QStringLiteral("备       注 ："));
    }
}

void TFrm_add_gw_emp::prepareAdd()
{
    const bool staff = mode() == QLatin1String("2");
    setStaffRows(staff);
    RzGroupBox1->setTitle(staff ? QStringLiteral("添加人员") : QStringLiteral("添加岗位"));
    txta->setText(QStringLiteral("add"));
}

void TFrm_add_gw_emp::prepareEdit(int row)
{
    const rw::client::Grid* grid = m_list->asg;
    auto cell = [grid, row](int col) { return Public_s::Trimmed(grid->cell(col, row)); };
    if (mode() == QLatin1String("1")) {
        RzGroupBox1->setTitle(QStringLiteral("修改岗位"));
        RzEdit1->setText(cell(0));
        RzEdit2->setText(cell(1));
        RzEdit3->setText(cell(2));
        RzMemo1->setPlainText(cell(3));
        txtid->setText(cell(4));
    } else {
        setStaffRows(true);
        RzGroupBox1->setTitle(QStringLiteral("修改人员"));
        RzEdit1->setText(cell(1));
        RzEdit2->setText(cell(2));
        RzEdit3->setText(cell(3));
        RzEdit4->setText(cell(0));
        RzEdit5->setText(cell(5));
        RzMemo1->setPlainText(cell(4));
        txtid->setText(cell(6));
    }
    txta->setText(QStringLiteral("edit"));
}

void TFrm_add_gw_emp::showEvent(QShowEvent* event)
{
    RoundedDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TFrm_add_gw_emp::FormShow()
{
    if (mode() != QLatin1String("2") || Public_s::Trimmed(txta->text()) != QLatin1String("add"))
        return;
    nextAccount = 0;
    rw::client::Request(this, Tadd_gw_Thread::NextAccount)
        .disabling(this)
        .run([] { nextAccount = Iemp1::Get_userid(); })
        .then([this](int done) {
            if (nextAccount > 0) {
                RzEdit4->setText(QString::number(nextAccount));
                RzEdit5->setText(QString::number(nextAccount));
            }
            emit requestDone(done);
        })
        .start();
}

QString TFrm_add_gw_emp::memoText() const
{
    // Lines end in CR LF, as the stored texts always have.
    QString text = RzMemo1->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return Public_s::Trimmed(text);
}

void TFrm_add_gw_emp::RzGlyphStatus3Click()
{
    const bool posts = mode() == QLatin1String("1");
    const QString department = Public_s::Trimmed(RzEdit1->text());
    const QString post = Public_s::Trimmed(RzEdit2->text());
    const QString third = Public_s::Trimmed(RzEdit3->text());
    const QString password = Public_s::Trimmed(RzEdit5->text());
    auto refuse = [](const QString& text, const QString& title, QWidget* field) {
        Messages::info(text, title);
        field->setFocus();
    };
    if (department.isEmpty())
        return refuse(QStringLiteral("部门不能为空！"), kSystem, RzEdit1);
    if (post.isEmpty())
        return refuse(QStringLiteral("岗位不能为空！"), kSystem, RzEdit2);
    if (third.isEmpty())
        return refuse((posts ? QStringLiteral("类别") : QStringLiteral("员工")) + QStringLiteral("不能为空！"), kSystem,
                      RzEdit3);
    // Employee names travel inside the judge-assignment texts of projects.
    if (!posts && !rw::isSafeName(third.toStdString()))
        return refuse(QStringLiteral("员工姓名不能包含 = , | 引号或换行！"), kSystem, RzEdit3);
    if (!posts && password.isEmpty())
        return refuse(QStringLiteral("密码不能为空！"), QStringLiteral("提示"), RzEdit5);
    if (!Public_s::Msg_yes(QStringLiteral("确定要保存吗？"), kSystem))
        return;

    const QString memo = memoText();
    const QString id = Public_s::Trimmed(txtid->text());
    const QString action = Public_s::Trimmed(txta->text());
    rw::client::Request(this, posts ? Tadd_gw_Thread::SavePost : Tadd_gw_Thread::SaveEmployee)
        .run([=] {
            OrgState::add_gw_ret = posts ? Iemp1::I_add_gw(department, post, third, memo, id, action)
                                         : Iemp1::I_add_emp(department, post, third, memo, password, id, action);
        })
        .then([this](int done) {
            saveDone();
            emit requestDone(done);
        })
        .start();
}

void TFrm_add_gw_emp::saveDone()
{
    const QString word = mode() == QLatin1String("1") ? QStringLiteral("岗位") : QStringLiteral("员工");
    if (OrgState::add_gw_ret == 0) {
        Messages::info(word + QStringLiteral("已经存在！"), QStringLiteral("提示"));
        return;
    }
    if (OrgState::add_gw_ret != 1)
        return;
    if (m_list) {
        if (Public_s::Trimmed(txta->text()) == QLatin1String("edit")) {
            OrgState::gw_row = m_list->asg->currentRowNumber();
            m_list->gw_dy();
        } else {
            m_list->refresh();
        }
    }
    accept();
}

void TFrm_add_gw_emp::RzGlyphStatus1Click()
{
    reject();
}
