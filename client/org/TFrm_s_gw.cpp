#include "TFrm_s_gw.h"

#include "Iemp1.h"
#include "Public_s.h"
#include "TFrm_gw_emp.h"
#include "look.h"
#include "org_state.h"
#include "request.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TFrm_s_gw::TFrm_s_gw(TFrm_gw_emp* list) : RoundedDialog(list), m_list(list)
{
    setObjectName(QStringLiteral("Frm_s_gw"));
    useDialogLook();
    setFixedSize(360, 180);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->hide();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 22, 24, 14);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(12);
    grid->addWidget(new QLabel(QStringLiteral("部    门："), this), 0, 0);
    RzComboBox1 = new QComboBox(this);
    RzComboBox1->setObjectName(QStringLiteral("RzComboBox1"));
    grid->addWidget(RzComboBox1, 0, 1);
    Label2 = new QLabel(QStringLiteral("岗    位："), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    grid->addWidget(Label2, 1, 0);
    RzComboBox2 = new QComboBox(this);
    RzComboBox2->setObjectName(QStringLiteral("RzComboBox2"));
    grid->addWidget(RzComboBox2, 1, 1);
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
    outer->addStretch(1);
    for (QComboBox* combo : {RzComboBox1, RzComboBox2})
        combo->addItem(QStringLiteral("请选择"));

    QHBoxLayout* buttons = buttonRow();
    connect(addButton(buttons, "RzGlyphStatus3", QStringLiteral("查询")), &QToolButton::clicked, this,
            &TFrm_s_gw::RzGlyphStatus3Click);
    connect(addButton(buttons, "RzGlyphStatus1", QStringLiteral("关闭")), &QToolButton::clicked, this,
            &TFrm_s_gw::RzGlyphStatus1Click);
    outer->addLayout(buttons);
    // Only the user's choice refills the posts, not the library's filling.
    connect(RzComboBox1, qOverload<int>(&QComboBox::activated), this, [this] { RzComboBox1Change(); });
    rw::client::roundCorners(this);
}

QString TFrm_s_gw::mode() const
{
    return Public_s::Trimmed(Edit1->text());
}

QString TFrm_s_gw::chosenId(const QComboBox* combo)
{
    const QVariant id = combo->currentData();
    return combo->currentIndex() <= 0 || !id.isValid() ? QStringLiteral("0") : Public_s::Trimmed(id.toString());
}

void TFrm_s_gw::showEvent(QShowEvent* event)
{
    RoundedDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TFrm_s_gw::fill(int requestMode, QComboBox* combo, const QString& sql, std::function<void()> next)
{
    rw::client::Request(this, requestMode)
        .disabling(this)
        .run([combo, sql] { Iemp1::SzCboList(combo, sql, 1); })
        .then([this, next](int done) {
            emit requestDone(done);
            if (next)
                next();
        })
        .start();
}

void TFrm_s_gw::FormShow()
{
    const bool posts = mode() == QLatin1String("1");
    if (posts)
        Label2->setText(QStringLiteral("类    别："));
    fill(Ts_gw_Thread::Departments, RzComboBox1, QStringLiteral("select id,bmname as sname from bumen order by px"),
         [this, posts] {
             if (posts)
                 fill(Ts_gw_Thread::Categories, RzComboBox2,
                      QStringLiteral("select id,lbname as sname from Leibie order by px"), nullptr);
         });
}

void TFrm_s_gw::RzComboBox1Change()
{
    if (mode() != QLatin1String("2"))
        return;
    // The id comes from our own list; it is still checked to be a number
    // before it goes into the statement.
    bool numeric = false;
    const qlonglong department = chosenId(RzComboBox1).toLongLong(&numeric);
    if (RzComboBox1->currentIndex() <= 0 || !numeric) {
        RzComboBox2->clear();
        RzComboBox2->addItem(QStringLiteral("请选择"));
        RzComboBox2->setCurrentIndex(0);
        return;
    }
    fill(Ts_gw_Thread::Posts, RzComboBox2,
         QStringLiteral("select id,gwname as sname from gangwei where bmid=") + QString::number(department) +
             QStringLiteral(" order by px"),
         nullptr);
}

void TFrm_s_gw::RzGlyphStatus3Click()
{
    const QString department = chosenId(RzComboBox1);
    const QString second = chosenId(RzComboBox2);
    const QString which = mode();
    rw::client::Request(this, Ts_gw_Thread::Query)
        .disabling(this)
        .run([department, second, which] { OrgState::gw_list = Iemp1::GetregBydata(department, second, which); })
        .then([this](int done) {
            if (m_list)
                m_list->End_Fillasg();
            emit requestDone(done);
            accept();
        })
        .start();
}

void TFrm_s_gw::RzGlyphStatus1Click()
{
    reject();
}
