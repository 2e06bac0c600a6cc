#include "TFrmLst.h"

#include "Public_s.h"
#include "TFrm_p.h"
#include "artwork.h"
#include "login_state.h"
#include "look.h"
#include "module_windows.h"
#include "nav_panel.h"
#include "widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

using rw::client::NavPanel;

namespace {

// The address the logo opens.
const char* const kProductAddress = "https://rankwise.example.com/";

const QString kAsk = QStringLiteral("系统提示");

} // namespace

// One row of the navigation: where the entry sits, what it opens, and the
// variant written into the new window's hidden field.
struct TFrmLst::Entry {
    const char* block;
    const char* name;
    const char* container; // the entry's own container in the four-entry blocks
    const char* caption;
    const char* opens;
    const char* field;
    const char* value;
    int index;
    bool hideImport; // the task list's "选择一个项目导入"
};

static const TFrmLst::Entry kEntries[] = {
    {"RzPanel80", "RzPanel79", nullptr, "岗位设置", "TFrm_gw_emp", "Edit1", "1", 0, false},
    {"RzPanel80", "RzPanel81", nullptr, "人员设置", "TFrm_gw_emp", "Edit1", "2", 1, false},
    {"RzPanel80", "RzPanel83", nullptr, "岗位评估指标库", "TFrm_kpi", "Edit1", "1", 2, false},
    {"RzPanel80", "RzPanel13", nullptr, "岗位评估模板", "TFrm_gw_emp_tpl", "Edit1", "1", 3, false},
    {"RzPanel80", "RzPanel21", nullptr, "胜任力指标库", "TFrm_kpi", "Edit1", "2", 4, false},
    {"RzPanel80", "RzPanel26", nullptr, "胜任力测评模板", "TFrm_gw_emp_tpl", "Edit1", "2", 5, false},
    {"gw_p", "RzPanel22", "RzPanel30", "项目设置", "TFrmprj", "Edit1", "1", 0, false},
    {"gw_p", "RzPanel24", "RzPanel29", "评估打分", "TFrmpg", "Edit1", "1", 1, true},
    {"gw_p", "RzPanel31", "RzPanel23", "评估结果批量导入", "TFrmpg", "Edit1", "1", 2, false},
    {"gw_p", "RzPanel32", "RzPanel27", "统计查询", "TFrm_search", "Edit2", "1", 3, false},
    {"srl_p", "RzPanel37", "RzPanel36", "项目设置", "TFrmprj", "Edit1", "2", 0, false},
    {"srl_p", "RzPanel35", "RzPanel34", "评估打分", "TFrmpg", "Edit1", "2", 1, true},
    {"srl_p", "RzPanel40", "RzPanel39", "评估结果批量导入", "TFrmpg", "Edit1", "2", 2, false},
    {"srl_p", "RzPanel42", "RzPanel41", "统计查询", "TFrm_search", "Edit2", "2", 3, false},
};

TFrmLst::TFrmLst(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmLst"));
    setWindowTitle(QStringLiteral("Rankwise"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    resize(920, 453);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->hide();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildTopBar());

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(buildNavigation());
    auto* content = new QVBoxLayout;
    content->setContentsMargins(5, 5, 0, 0);
    Frm_tk = new QWidget(this);
    Frm_tk->setObjectName(QStringLiteral("Frm_tk"));
    content->addWidget(Frm_tk);
    body->addLayout(content, 1);
    outer->addLayout(body, 1);
    outer->addWidget(buildStatusLine());
}

QWidget* TFrmLst::buildTopBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("topBar"));
    bar->setFixedHeight(73);
    bar->setAutoFillBackground(true);
    QPalette colours = bar->palette();
    colours.setColor(QPalette::Window, rw::client::look::kTopBar);
    bar->setPalette(colours);

    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 12, 0);
    layout->setSpacing(6);
    auto* logo = new rw::client::ClickLabel(bar);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setFixedSize(264, 73);
    logo->setPixmap(rw::client::artwork::logo(QSize(264, 73)));
    connect(logo, &rw::client::ClickLabel::clicked, this, &TFrmLst::Image1Click);
    auto* banner = new QLabel(bar);
    banner->setObjectName(QStringLiteral("Image2"));
    banner->setPixmap(rw::client::artwork::banner(QSize(520, 73)));
    banner->setMinimumWidth(0);
    banner->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(logo);
    layout->addWidget(banner, 1);

    auto command = [&](const char* name, const QString& caption, const QString& icon, void (TFrmLst::*handler)()) {
        auto* button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(caption);
        button->setIcon(QIcon(rw::client::artwork::icon(icon, QColor(0xC0, 0xC0, 0xC0))));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setFont(rw::client::look::songti(12));
        button->setStyleSheet(QStringLiteral("QToolButton { color: silver; border: none; padding: 4px; }"
                                             "QToolButton:hover { color: white; }"));
        connect(button, &QToolButton::clicked, this, handler);
        layout->addWidget(button);
    };
    command("RzGlyphStatus3", QStringLiteral("密码修改"), QStringLiteral("password"), &TFrmLst::RzGlyphStatus3Click);
    command("RzGlyphStatus1", QStringLiteral("注销"), QStringLiteral("logout"), &TFrmLst::RzGlyphStatus1Click);
    command("RzGlyphStatus2", QStringLiteral("退出"), QStringLiteral("exit"), &TFrmLst::RzGlyphStatus2Click);
    return bar;
}

QWidget* TFrmLst::buildNavigation()
{
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("navigation"));
    column->setFixedWidth(185);
    m_column = new QVBoxLayout(column);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(0);

    auto group = [&](const char* container, const char* header, const QString& caption, const char* block,
                     void (TFrmLst::*handler)(), QWidget** blockOut) {
        auto* box = new QWidget(column);
        box->setObjectName(QString::fromLatin1(container));
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 4);
        layout->setSpacing(0);
        auto* head = new NavPanel(NavPanel::Header, QString::fromLatin1(header), caption, box);
        connect(head, &NavPanel::clicked, this, handler);
        layout->addWidget(head);
        auto* entriesBlock = new QWidget(box);
        entriesBlock->setObjectName(QString::fromLatin1(block));
        auto* entryLayout = new QVBoxLayout(entriesBlock);
        entryLayout->setContentsMargins(0, 2, 0, 2);
        entryLayout->setSpacing(2);
        for (const Entry& entry : kEntries) {
            if (qstrcmp(entry.block, block) != 0)
                continue;
            QWidget* holder = entriesBlock;
            if (entry.container) {
                holder = new QWidget(entriesBlock);
                holder->setObjectName(QString::fromLatin1(entry.container));
                holder->setFixedHeight(22);
                auto* holderLayout = new QVBoxLayout(holder);
                holderLayout->setContentsMargins(0, 2, 0, 2);
                entryLayout->addWidget(holder);
            }
            auto* panel = new NavPanel(NavPanel::Entry, QString::fromLatin1(entry.name),
                                       QString::fromUtf8(entry.caption), holder);
            connect(panel, &NavPanel::clicked, this, [this, &entry] { openEntry(entry); });
            if (entry.container)
                holder->layout()->addWidget(panel);
            else
                entryLayout->addWidget(panel);
        }
        entriesBlock->hide();
        layout->addWidget(entriesBlock);
        m_column->addWidget(box);
        *blockOut = entriesBlock;
        return box;
    };
    pp1 = group("pp1", "g_p", QStringLiteral("系统初始化"), "RzPanel80", &TFrmLst::g_pClick, &RzPanel80);
    pp2 = group("pp2", "RzPanel19", QStringLiteral("岗位评估"), "gw_p", &TFrmLst::RzPanel19Click, &gw_p);
    pp3 = group("pp3", "RzPanel14", QStringLiteral("胜任力测评"), "srl_p", &TFrmLst::RzPanel14Click, &srl_p);
    m_gap = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding);
    m_column->addItem(m_gap);
    return column;
}

QWidget* TFrmLst::buildStatusLine()
{
    auto* line = new QWidget(this);
    line->setObjectName(QStringLiteral("statusLine"));
    line->setFixedHeight(29);
    line->setStyleSheet(QStringLiteral("QWidget#statusLine { border-top: 1px solid #C8C8C8; }"));
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(10, 0, 10, 0);
    Label1 = new QLabel(QStringLiteral("当前用户："), line);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(rw::client::look::songti(12));
    Label1->setStyleSheet(QStringLiteral("color: black;"));
    layout->addWidget(Label1);
    layout->addStretch(1);
    return line;
}

QWidget* TFrmLst::dockedWindow() const
{
    return Public_s::Docked_form(Frm_tk);
}

void TFrmLst::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TFrmLst::FormShow()
{
    if (Public_s::Trimmed(Edit1->text()) != QLatin1String("1")) {
        pp1->hide();
        RzPanel19Click();
    } else {
        pp1->show();
        g_pClick();
    }
}

// The open group's entries show; the gap below it pushes the other headers
// to the bottom of the column.
void TFrmLst::openGroup(QWidget* group)
{
    RzPanel80->setVisible(group == pp1);
    gw_p->setVisible(group == pp2);
    srl_p->setVisible(group == pp3);
    m_column->removeItem(m_gap);
    m_column->insertItem(m_column->indexOf(group) + 1, m_gap);
}

void TFrmLst::g_pClick()
{
    openGroup(pp1);
    entryClick(QStringLiteral("RzPanel79"));
}

void TFrmLst::RzPanel19Click()
{
    openGroup(pp2);
    const bool ordinaryUser = !Public_s::Trimmed(LoginState::cur_userid).isEmpty();
    for (const char* container : {"RzPanel30", "RzPanel23", "RzPanel27"})
        findChild<QWidget*>(QString::fromLatin1(container))->setVisible(!ordinaryUser);
    findChild<QWidget*>(QStringLiteral("RzPanel29"))->setVisible(ordinaryUser);
    entryClick(ordinaryUser ? QStringLiteral("RzPanel24") : QStringLiteral("RzPanel22"));
}

void TFrmLst::RzPanel14Click()
{
    openGroup(pp3);
    const bool ordinaryUser = !Public_s::Trimmed(LoginState::cur_userid).isEmpty();
    for (const char* container : {"RzPanel36", "RzPanel39", "RzPanel41"})
        findChild<QWidget*>(QString::fromLatin1(container))->setVisible(!ordinaryUser);
    findChild<QWidget*>(QStringLiteral("RzPanel34"))->setVisible(ordinaryUser);
    entryClick(ordinaryUser ? QStringLiteral("RzPanel35") : QStringLiteral("RzPanel37"));
}

void TFrmLst::entryClick(const QString& entryName)
{
    for (const Entry& entry : kEntries)
        if (entryName == QLatin1String(entry.name))
            openEntry(entry);
}

void TFrmLst::openEntry(const Entry& entry)
{
    QWidget* block = findChild<QWidget*>(QString::fromLatin1(entry.block));
    auto entryPanel = [&](int index) -> QWidget* {
        for (const Entry& other : kEntries)
            if (qstrcmp(other.block, entry.block) == 0 && other.index == index)
                return block->findChild<QWidget*>(QString::fromLatin1(other.name));
        return nullptr;
    };
    if (qstrcmp(entry.block, "RzPanel80") == 0)
        Public_s::Set_nav_color6({entryPanel(0), entryPanel(1), entryPanel(2), entryPanel(3), entryPanel(4),
                                  entryPanel(5)},
                                 entry.index);
    else
        Public_s::Set_nav_color4({entryPanel(0), entryPanel(1), entryPanel(2), entryPanel(3)}, entry.index);

    QWidget* window = rw::client::createModuleWindow(QString::fromLatin1(entry.opens));
    if (!window) {
        // This build has no such module yet: the entry only shows as chosen.
        Public_s::Free_dock(Frm_tk);
        return;
    }
    if (auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(entry.field)))
        field->setText(QString::fromLatin1(entry.value));
    if (auto* import = window->findChild<QWidget*>(QStringLiteral("RzToolButton1")))
        import->setVisible(!entry.hideImport);
    Public_s::Dock_form(Frm_tk, window);
}

void TFrmLst::RzGlyphStatus3Click()
{
    if (Public_s::Trimmed(LoginState::cur_userid).isEmpty())
        return; // the administrator's password is built in
    auto* dialog = new TFrm_p(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void TFrmLst::RzGlyphStatus1Click()
{
    if (!Public_s::Msg_yes(QStringLiteral("注销吗？"), kAsk))
        return;
    m_leaving = true;
    emit loggedOut();
    close();
}

void TFrmLst::RzGlyphStatus2Click()
{
    if (Public_s::Msg_yes(QStringLiteral("退出吗？"), kAsk))
        qApp->quit();
}

void TFrmLst::Image1Click()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductAddress)));
}

void TFrmLst::closeEvent(QCloseEvent* event)
{
    // The window's own close box asks like "退出".
    if (m_leaving || Public_s::Msg_yes(QStringLiteral("退出吗？"), kAsk)) {
        event->accept();
        if (!m_leaving)
            qApp->quit();
        return;
    }
    event->ignore();
}
