#include "TFrm_gw_emp.h"

#include "Iemp1.h"
#include "Public_s.h"
#include "TFrm_add_gw_emp.h"
#include "TFrm_s_gw.h"
#include "control_refs.h"
#include "grid.h"
#include "look.h"
#include "messages.h"
#include "org_state.h"
#include "request.h"
#include "wait_panel.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using rw::client::Messages;
using rw::client::Request;

namespace {

bool isPosts(const QString& mode) { return mode == QLatin1String("1"); }

// Id cells are trimmed and cut at the first "|".
QString idText(const QString& cell)
{
    const QString id = Public_s::Trimmed(cell);
    return Public_s::Trimmed(id.section(QLatin1Char('|'), 0, 0));
}

const QString kExcelFilter = QStringLiteral("Excel文件 (*.xls *.xlsx)");
const QString kSaveXls = QStringLiteral("Excel文件 (*.xls)");
const QString kSaveXlsx = QStringLiteral("Excel 2007文件 (*.xlsx)");

} // namespace

TFrm_gw_emp::TFrm_gw_emp(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frm_gw_emp"));
    setAutoFillBackground(true);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* toolbar = new QWidget(this);
    toolbar->setObjectName(QStringLiteral("RzToolbar1"));
    auto* tools = new QHBoxLayout(toolbar);
    tools->setContentsMargins(4, 3, 4, 3);
    tools->setSpacing(2);
    const std::pair<const char*, void (TFrm_gw_emp::*)()> buttons[] = {
        {"增加", &TFrm_gw_emp::ToolButton1Click}, {"修改", &TFrm_gw_emp::ToolButton2Click},
        {"删除", &TFrm_gw_emp::ToolButton3Click}, {"刷新", &TFrm_gw_emp::ToolButton4Click},
        {"查询", &TFrm_gw_emp::ToolButton5Click}, {"导入", &TFrm_gw_emp::ToolButton6Click},
        {"导出", &TFrm_gw_emp::ToolButton7Click},
    };
    int number = 1;
    for (const auto& [caption, handler] : buttons) {
        if (number > 1) {
            auto* groove = new QFrame(toolbar);
            groove->setFrameShape(QFrame::VLine);
            groove->setFrameShadow(QFrame::Sunken);
            tools->addWidget(groove);
        }
        auto* button = new QToolButton(toolbar);
        button->setObjectName(QStringLiteral("ToolButton%1").arg(number++));
        button->setText(QString::fromUtf8(caption));
        button->setAutoRaise(true);
        button->setMinimumWidth(56);
        button->setFont(rw::client::look::songti(12));
        connect(button, &QToolButton::clicked, this, handler);
        tools->addWidget(button);
    }
    tools->addStretch(1);
    rp = new QProgressBar(toolbar);
    rp->setObjectName(QStringLiteral("rp"));
    rp->setFixedWidth(220);
    rp->hide();
    tools->addWidget(rp);
    layout->addWidget(toolbar);

    asg = new rw::client::Grid(1, this);
    asg->setObjectName(QStringLiteral("asg"));
    asg->setSelectionMode(QAbstractItemView::ExtendedSelection);
    asg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    asg->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    asg->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    asg->horizontalHeader()->setSortIndicatorShown(true);
    asg->setStyleSheet(QStringLiteral(
        "QTableWidget { gridline-color: silver; selection-background-color: #F0F0F0; selection-color: black; }"
        "QHeaderView::section { background: #026A95; color: white; font-weight: bold; border: 0px;"
        " border-right: 1px solid silver; }"));
    asg->horizontalHeader()->setFont(rw::client::look::songti(12, true));
    connect(asg, &QTableWidget::cellDoubleClicked, this, [this] { ToolButton2Click(); });
    connect(asg, &rw::client::Grid::headerClicked, this, [this](int col) {
        // Sorting needs two data rows to mean anything.
        if (asg->rowCount() < 3)
            return;
        m_sortOrder = col == m_sortColumn && m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                               : Qt::AscendingOrder;
        m_sortColumn = col;
        asg->horizontalHeader()->setSortIndicator(col, m_sortOrder);
        asg->sortRowsBy(col, m_sortOrder);
    });
    layout->addWidget(asg, 1);

    auto* status = new QWidget(this);
    status->setObjectName(QStringLiteral("RzStatusBar1"));
    status->setFixedHeight(22);
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->setContentsMargins(6, 0, 10, 0);
    statusLayout->addStretch(1);
    RzGlyphStatus1 = new QLabel(status);
    RzGlyphStatus1->setObjectName(QStringLiteral("RzGlyphStatus1"));
    RzGlyphStatus1->setFont(rw::client::look::songti(12));
    statusLayout->addWidget(RzGlyphStatus1);
    layout->addWidget(status);

    ls_p = new rw::client::WaitPanel(this);

    // Create: the list starts empty, no row is remembered.
    OrgState::gw_list.clear();
    OrgState::gw_row = -1;
}

QString TFrm_gw_emp::mode() const
{
    return Public_s::Trimmed(Edit1->text());
}

QWidget* TFrm_gw_emp::shell() const
{
    return window();
}

void TFrm_gw_emp::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TFrm_gw_emp::FormShow()
{
    const bool posts = isPosts(mode());
    asg->setColCount(posts ? 5 : 7);
    const QStringList headers = posts ? QStringList{"部门", "岗位", "类别", "职责描述"}
                                      : QStringList{"登陆账号", "部门", "岗位", "员工", "备注"};
    for (int col = 0; col < headers.size(); ++col)
        asg->setCell(col, 0, QStringLiteral("\r") + headers[col]);
    asg->setRowCount(2);
    setColumnWidths();
    refresh();
}

void TFrm_gw_emp::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    setColumnWidths();
}

void TFrm_gw_emp::setColumnWidths()
{
    const double width = asg->viewport()->width() > 0 ? asg->viewport()->width() : this->width();
    auto part = [width](int divisor) { return qRound(width / divisor); };
    if (isPosts(mode())) {
        const int widths[] = {part(5), part(6), part(8), 300, 0};
        for (int col = 0; col < 5 && col < asg->colCount(); ++col)
            asg->setColWidth(col, widths[col]);
    } else {
        const int widths[] = {part(10), part(6), part(7), part(12), 300, 0, 0};
        for (int col = 0; col < 7 && col < asg->colCount(); ++col)
            asg->setColWidth(col, widths[col]);
    }
}

void TFrm_gw_emp::closeEvent(QCloseEvent* event)
{
    OrgState::gw_list.clear();
    event->accept();
}

void TFrm_gw_emp::refresh()
{
    OrgState::gw_row = -1;
    load();
}

void TFrm_gw_emp::gw_dy()
{
    load();
}

void TFrm_gw_emp::load()
{
    const QString which = mode();
    Request(this, Tgw_Thread::Load)
        .disabling(shell())
        .waiting(ls_p)
        .run([which] { OrgState::gw_list = Iemp1::GetregBydata(QString(), QString(), which); })
        .then([this](int done) {
            End_Fillasg();
            emit requestDone(done);
        })
        .start();
}

void TFrm_gw_emp::End_Fillasg()
{
    const bool posts = isPosts(mode());
    const int stride = OrgState::strideOf(mode());
    const QStringList& list = OrgState::gw_list;
    Public_s::Clear_asg(asg, 2);
    asg->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_sortColumn = -1;
    if (list.isEmpty() || Public_s::Trimmed(list.first()).isEmpty()) {
        setRecordCount(0);
    } else {
        const int records = static_cast<int>(list.size()) / stride;
        asg->setUpdatesEnabled(false);
        asg->setRowCount(records + 1);
        const int longColumn = posts ? 3 : 4;
        for (int r = 0; r < records; ++r) {
            const int row = r + 1;
            const QStringList record = list.mid(r * stride, stride);
            if (posts) {
                for (int col = 0; col < 4; ++col)
                    asg->setCell(col, row, Public_s::Trimmed(record[col + 1]));
                asg->setCell(4, row, Public_s::Trimmed(record[0]));
            } else {
                for (int col = 0; col < 6; ++col)
                    asg->setCell(col, row, Public_s::Trimmed(record[col + 1]));
                asg->setCell(6, row, Public_s::Trimmed(record[0]));
            }
            // Long texts grow the row, measured at the long column's 300 pixels.
            const int lines = asg->wrappedLines(longColumn, asg->cell(longColumn, row));
            asg->setRowHeightOf(row, lines > 1 ? 17 * lines : 21);
        }
        asg->setUpdatesEnabled(true);
        if (OrgState::gw_row != -1 && OrgState::gw_row >= 1 && OrgState::gw_row < asg->rowCount())
            asg->selectRow(OrgState::gw_row);
        setRecordCount(records);
    }
}

void TFrm_gw_emp::setRecordCount(int count)
{
    RzGlyphStatus1->setText(Public_s::Record_count_text(count));
}

void TFrm_gw_emp::countFromGrid()
{
    if (asg->rowCount() > 2)
        setRecordCount(asg->rowCount() - 1);
    else
        setRecordCount(Public_s::Trimmed(asg->cell(0, 1)).isEmpty() ? 0 : 1);
}

QString TFrm_gw_emp::idOfRow(int row) const
{
    return idText(asg->cell(isPosts(mode()) ? 4 : 6, row));
}

void TFrm_gw_emp::ToolButton1Click()
{
    auto* editor = new TFrm_add_gw_emp(this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->prepareAdd();
    editor->open();
}

void TFrm_gw_emp::ToolButton2Click()
{
    const QList<int> rows = asg->selectedRowNumbers();
    const int row = asg->currentRowNumber();
    if (rows.size() != 1 || row < 1 || Public_s::Trimmed(asg->cell(0, row)).isEmpty())
        return;
    auto* editor = new TFrm_add_gw_emp(this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->prepareEdit(row);
    editor->open();
}

void TFrm_gw_emp::ToolButton3Click()
{
    const QString which = mode();
    const bool posts = isPosts(which);
    QList<int> rows = asg->selectedRowNumbers();
    rows.removeIf([](int row) { return row < 1; });
    const int current = asg->currentRowNumber();
    if (rows.size() <= 1 && (current < 1 || Public_s::Trimmed(asg->cell(0, current)).isEmpty()))
        return;
    if (rows.isEmpty())
        rows.append(current);
    const QString question = posts ? QStringLiteral("删除岗位，将同时删除岗位下的员工，确定吗？")
                                   : QStringLiteral("删除员工，确定吗？");
    if (!Public_s::Msg_yes(question, QStringLiteral("系统提示")))
        return;

    // Bottom row first, so the rows above keep their numbers.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    auto targets = std::make_shared<QList<std::pair<int, QString>>>();
    for (int row : rows)
        targets->append({row, idOfRow(row)});
    auto deleted = std::make_shared<QList<int>>();
    Request(this, Tgw_Thread::Delete)
        .run([which, targets, deleted] {
            for (const auto& [row, id] : *targets)
                if (!id.isEmpty() && Iemp1::I_del_gw_emp(which, id) == 1)
                    deleted->append(row);
        })
        .then([this, posts, deleted](int done) {
            // Only rows the library deleted leave the grid.
            for (int row : *deleted) {
                if (row == 1 && asg->rowCount() == 2)
                    asg->clearRow(1);
                else
                    asg->removeRowAt(row);
            }
            countFromGrid();
            emit requestDone(done);
            if (posts && !deleted->isEmpty())
                Request(this, Tgw_Thread::Purge)
                    .run([] { Iemp1::I_del_bm_and_lb(); })
                    .then([this](int purged) { emit requestDone(purged); })
                    .start();
        })
        .start();
}

void TFrm_gw_emp::ToolButton4Click()
{
    refresh();
}

void TFrm_gw_emp::ToolButton5Click()
{
    auto* search = new TFrm_s_gw(this);
    search->setAttribute(Qt::WA_DeleteOnClose);
    search->Edit1->setText(mode());
    search->open();
}

void TFrm_gw_emp::ToolButton6Click()
{
    const QString file = Messages::openFileName(this, QStringLiteral("导入"), kExcelFilter);
    if (file.isEmpty())
        return;
    const QString which = mode();
    QProgressBar* bar = rp;
    auto answer = std::make_shared<bool>(false);
    Request(this, Tgw_Thread::Import)
        .disabling(shell())
        .progress(rp)
        .run([which, file, bar, answer] { *answer = Iemp1::Load_emp_gw_Excel(bar, file, which); })
        .then([this, answer](int done) {
            if (!*answer)
                Messages::info(QStringLiteral("导入未完成：文件不是可读的Excel工作簿，或其中有无法保存的行。"),
                               QStringLiteral("提示"));
            emit requestDone(done);
            refresh();
        })
        .start();
}

void TFrm_gw_emp::ToolButton7Click()
{
    QString chosenFilter;
    QString file = Messages::saveFileName(this, QStringLiteral("导出"), kSaveXls + QStringLiteral(";;") + kSaveXlsx,
                                          &chosenFilter);
    if (file.isEmpty())
        return;
    if (chosenFilter == kSaveXlsx && !file.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        file += QStringLiteral(".xlsx");
    const QString which = mode();
    auto grid = std::make_shared<rw::client::GridSnapshot>(asg->snapshot());
    auto answer = std::make_shared<bool>(false);
    Request(this, Tgw_Thread::Export)
        .disabling(shell())
        .waiting(ls_p)
        .run([which, file, grid, answer] { *answer = Iemp1::dc_excel(*grid, file, which); })
        .then([this, answer](int done) {
            // A failed export says so, rather than claiming success.
            if (*answer)
                Messages::info(QStringLiteral("导出成功！"), QStringLiteral("提示"));
            else
                Messages::info(QStringLiteral("导出失败！"), QStringLiteral("提示"));
            emit requestDone(done);
        })
        .start();
}
