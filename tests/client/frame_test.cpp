// The request pattern, the waiting panel, control references and the grid.
#include "Iemp1.h"
#include "client_support.h"
#include "emp_api.h"
#include "grid.h"
#include "library_binding.h"
#include "messages.h"
#include "program_paths.h"
#include "request.h"
#include "wait_panel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPointer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>

using rw::client::Messages;
using rw::client::Request;

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { rwtest::setUpClient(); }
    void init()
    {
        state = std::make_unique<rwtest::ClientTestState>();
    }
    void cleanup()
    {
        state.reset();
    }

    void completionRunsOnTheUiThreadAndReenables()
    {
        QWidget window;
        auto* panel = new rw::client::WaitPanel(&window);
        std::atomic<bool> ranOnWorker{false};
        QThread* completionThread = nullptr;
        int completedMode = -1;
        rw::client::Worker* worker =
            Request(&window, 3)
                .disabling(&window)
                .waiting(panel)
                .run([&] { ranOnWorker = QThread::currentThread() != qApp->thread(); })
                .then([&](int mode) {
                    completionThread = QThread::currentThread();
                    completedMode = mode;
                    QVERIFY2(!window.isEnabled(), "still disabled while the completion runs");
                })
                .start();
        QVERIFY(!window.isEnabled());
        QVERIFY(!panel->isHidden());
        QSignalSpy freed(worker, &QObject::destroyed);
        QVERIFY(freed.wait(5000));
        QVERIFY(ranOnWorker);
        QCOMPARE(completionThread, qApp->thread());
        QCOMPARE(completedMode, 3);
        QVERIFY(window.isEnabled());
        QVERIFY(panel->isHidden());
    }

    void completionSkipsAWindowFreedMeanwhile()
    {
        auto* window = new QWidget;
        QPointer<QWidget> shell = new QWidget;
        QSemaphore go;
        bool completed = false;
        rw::client::Worker* worker = Request(window, 0)
                                         .disabling(shell)
                                         .run([&] { go.acquire(); })
                                         .then([&](int) { completed = true; })
                                         .start();
        QSignalSpy freed(worker, &QObject::destroyed);
        delete window;
        go.release();
        QVERIFY(freed.wait(5000));
        QVERIFY(!completed);
        QVERIFY2(shell->isEnabled(), "what the request disabled is enabled again");
        delete shell;
    }

    void abandonedRunStillCompletes()
    {
        rw::client::overrideProgramDirectory(QDir::tempPath() + "/rankwise-no-libraries");
        QWidget window;
        bool completed = false;
        int result = 42;
        rw::client::Worker* worker = Request(&window, 0)
                                         .disabling(&window)
                                         .run([&] { result = Iemp1::Get_userid(); })
                                         .then([&](int) { completed = true; })
                                         .start();
        QSignalSpy freed(worker, &QObject::destroyed);
        QVERIFY(freed.wait(5000));
        QVERIFY(completed);
        QCOMPARE(result, 42); // the result keeps its previous value
        QVERIFY(window.isEnabled());
        QCOMPARE(Messages::shown().size(), 1);
        QCOMPARE(Messages::last().title, QString("错误"));
        QCOMPARE(Messages::last().text, QString("加载emp.so失败"));
    }

    void waitPanelStaysCentred()
    {
        QWidget window;
        window.resize(600, 400);
        auto* panel = new rw::client::WaitPanel(&window);
        QCOMPARE(panel->objectName(), QString("ls_p"));
        QCOMPARE(panel->size(), QSize(233, 49));
        QCOMPARE(panel->text(), QString("请稍等。。。"));
        window.show();
        QVERIFY(panel->isHidden());
        window.resize(801, 503);
        QTRY_COMPARE(panel->pos(), QPoint((801 - 233) / 2, (503 - 49) / 2));
    }

    void comboIsFilledOnTheUiThread()
    {
        rwtest::EmpApi emp;
        QCOMPARE(emp.addPost("生产部", "主任", "管理类", ""), 1);
        QCOMPARE(emp.addPost("质检部", "质检员", "技能类", ""), 1);
        QWidget window;
        auto* combo = new QComboBox(&window);
        combo->addItem("旧的");
        rw::client::Worker* worker =
            Request(&window, 0)
                .run([combo] { Iemp1::SzCboList(combo, "select id,bmname as sname from bumen order by px", 1); })
                .start();
        QSignalSpy freed(worker, &QObject::destroyed);
        QVERIFY(freed.wait(5000));
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(0), QString("请选择"));
        QVERIFY(!combo->itemData(0).isValid());
        QCOMPARE(combo->itemText(2), QString("质检部"));
        QVERIFY(!combo->itemData(2).toString().isEmpty());
        QCOMPARE(combo->currentIndex(), 0);
    }

    void listsCrossTheBoundaryIntact()
    {
        rwtest::EmpApi emp;
        QCOMPARE(emp.addEmployee("人力资源部", "专员", "张'三"), 1);
        const QStringList record = Iemp1::Get_user_logid("8001");
        QCOMPARE(record.size(), 5);
        QCOMPARE(record[1], QString("张'三"));
        QCOMPARE(Iemp1::GetregBydata("0", "0", "2").size(), 9);
        QCOMPARE(Iemp1::Get_userid(), 8002);
        QCOMPARE(Messages::shown().size(), 0);
    }

    void gridAddressesCellsLikeTheDesigns()
    {
        rw::client::Grid grid(1);
        grid.setColCount(4);
        grid.setRowCount(4);
        QCOMPARE(grid.rowCount(), 4);
        grid.setCell(1, 0, "\r名称");
        QCOMPARE(grid.cell(1, 0), QString("\r名称"));
        QCOMPARE(grid.horizontalHeaderItem(1)->text(), QString("名称")); // the header row is the table's header
        QCOMPARE(grid.rowHeightOf(0), 30);
        grid.setCell(0, 3, "last");
        QCOMPARE(grid.cell(0, 3), QString("last"));
        QCOMPARE(grid.item(2, 0)->text(), QString("last"));
        grid.setColWidth(3, 0);
        QVERIFY(grid.isColumnHidden(3));
        grid.setCell(3, 1, "12|x");
        QCOMPARE(grid.cell(3, 1), QString("12|x")); // a hidden column keeps its data
        QCOMPARE(grid.cell(9, 9), QString());

        rw::client::Grid sheet(0);
        sheet.setColCount(2);
        sheet.setRowCount(1);
        sheet.setCell(0, 0, "data");
        QCOMPARE(sheet.item(0, 0)->text(), QString("data"));
        sheet.addCheckBox(1, 0, false);
        QVERIFY(sheet.hasCheckBox(1, 0));
        QVERIFY(!sheet.isChecked(1, 0));
        sheet.setChecked(1, 0, true);
        QVERIFY(sheet.isChecked(1, 0));
        sheet.setRowCount(3);
        sheet.mergeCells(0, 1, 2, 1);
        QCOMPARE(sheet.columnSpan(1, 0), 2);
    }

    void gridSortsDataRowsByHeaderClick()
    {
        rw::client::Grid grid(1);
        grid.setColCount(2);
        grid.setSortOnHeaderClick(true);
        const QStringList numbers{"10", "9", "100", "甲"};
        grid.setRowCount(numbers.size() + 1);
        for (int i = 0; i < numbers.size(); ++i) {
            grid.setCell(0, i + 1, numbers[i]);
            grid.setCell(1, i + 1, QString::number(i));
            grid.setRowHeightOf(i + 1, 21 + i);
        }
        grid.show();
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(grid.horizontalHeader()->sectionViewportPosition(0) + 5, 5));
        QStringList sorted;
        for (int row = 1; row < grid.rowCount(); ++row)
            sorted << grid.cell(0, row);
        QCOMPARE(sorted, (QStringList{"9", "10", "100", "甲"}));
        QCOMPARE(grid.cell(1, 1), QString("1")); // rows move whole
        QCOMPARE(grid.rowHeightOf(1), 22); // heights move with their rows
        QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(grid.horizontalHeader()->sectionViewportPosition(0) + 5, 5));
        QCOMPARE(grid.cell(0, 1), QString("甲"));
        QCOMPARE(grid.cell(0, 0), QString()); // the header row does not move
    }

    void gridRowFlagsAndWrappedHeights()
    {
        rw::client::Grid grid(0);
        grid.setColCount(3);
        grid.setRowCount(2);
        grid.setColWidth(0, 80);
        grid.setColWidth(2, 0);
        grid.setFlagColumn(2);
        grid.setCell(2, 0, "1");
        grid.refreshRowStyle(0);
        grid.refreshRowStyle(1);
        QVERIFY(grid.item(0, 0)->font().bold());
        QVERIFY(!grid.item(1, 0)->font().bold());

        QCOMPARE(grid.wrappedLines(0, "短"), 1);
        const QString longText = QString("很长的岗位职责说明").repeated(6);
        QVERIFY(grid.wrappedLines(0, longText) > 2);
        grid.setCell(0, 1, longText);
        grid.fitRowHeight(1, 16);
        QCOMPARE(grid.rowHeightOf(1), grid.wrappedLines(0, longText) * 16);
        grid.setCell(0, 1, "短");
        grid.fitRowHeight(1, 16);
        QCOMPARE(grid.rowHeightOf(1), 21);
    }

private:
    std::unique_ptr<rwtest::ClientTestState> state;
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
