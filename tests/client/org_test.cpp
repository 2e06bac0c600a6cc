// The post and staff list window with its editor and search dialog, driven
// through their buttons against the real staff library.
#include "Public_s.h"
#include "TFrm_add_gw_emp.h"
#include "TFrm_gw_emp.h"
#include "TFrm_s_gw.h"
#include "client_support.h"
#include "emp_api.h"
#include "grid.h"
#include "messages.h"
#include "org_state.h"
#include "python_tools.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <filesystem>
#include <fstream>

using rw::client::Messages;

class OrgTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { rwtest::setUpClient(); }
    void init()
    {
        state = std::make_unique<rwtest::ClientTestState>();
        emp = std::make_unique<rwtest::EmpApi>();
    }
    void cleanup()
    {
        shell.reset();
        emp.reset();
        state.reset();
    }

    void postsLoadWithTheirColumns()
    {
        seed();
        TFrm_gw_emp* list = open("1");
        QCOMPARE(list->asg->colCount(), 5);
        QCOMPARE(list->asg->cell(3, 0), QString("\r职责描述"));
        QCOMPARE(list->asg->rowCount(), 4);
        QCOMPARE(status(list), QString("共：3条数据"));
        QCOMPARE(list->asg->cell(0, 1), QString("生产部"));
        QCOMPARE(list->asg->cell(2, 1), QString("管理类"));
        QVERIFY(!list->asg->cell(4, 1).isEmpty());
        QVERIFY(list->asg->isColumnHidden(4));
        QCOMPARE(list->asg->columnWidth(3), 300);
        QVERIFY(shell->isEnabled());
        rwtest::saveScreenshot(shell.get(), "post-list");
    }

    void staffLoadWithAccountFirstAndPasswordHidden()
    {
        seed();
        TFrm_gw_emp* list = open("2");
        QCOMPARE(list->asg->colCount(), 7);
        QCOMPARE(status(list), QString("共：3条数据"));
        QCOMPARE(list->asg->cell(0, 1), QString("8001"));
        QCOMPARE(list->asg->cell(3, 1), QString("甲"));
        QCOMPARE(list->asg->cell(5, 1), QString("p1"));
        QVERIFY(list->asg->isColumnHidden(5));
        QVERIFY(list->asg->isColumnHidden(6));
        rwtest::saveScreenshot(shell.get(), "staff-list");
    }

    void emptyListKeepsOneEmptyRow()
    {
        TFrm_gw_emp* list = open("1");
        QCOMPARE(list->asg->rowCount(), 2);
        QVERIFY(list->asg->cell(0, 1).isEmpty());
        QCOMPARE(status(list), QString("共：0条数据"));
    }

    void longTextsGrowTheirRows()
    {
        QCOMPARE(emp->addPost("生产部", "主任", "管理类", "第一行\r\n第二行\r\n第三行"), 1);
        QCOMPARE(emp->addPost("生产部", "副主任", "管理类", "一行"), 1);
        TFrm_gw_emp* list = open("1");
        QCOMPARE(list->asg->rowHeightOf(1), 51);
        QCOMPARE(list->asg->rowHeightOf(2), 21);
    }

    void headerClickSortsAndReverses()
    {
        seed();
        TFrm_gw_emp* list = open("1");
        auto* header = list->asg->horizontalHeader();
        auto clickHeader = [&](int col) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(col) + 5, 5));
        };
        clickHeader(1);
        const QString first = list->asg->cell(1, 1);
        clickHeader(1);
        QCOMPARE(list->asg->cell(1, 3), first);
        QCOMPARE(header->sortIndicatorSection(), 1);
    }

    void editKeepsTheRowSelected()
    {
        seed();
        TFrm_gw_emp* list = open("1");
        list->asg->selectRow(2);
        list->ToolButton2Click();
        auto* editor = list->findChild<TFrm_add_gw_emp*>();
        QVERIFY(editor);
        QCOMPARE(editor->RzGroupBox1->title(), QString("修改岗位"));
        QCOMPARE(editor->RzEdit2->text(), list->asg->cell(1, 2));
        QCOMPARE(editor->txta->text(), QString("edit"));
        const QString post = editor->RzEdit2->text();
        rwtest::saveScreenshot(editor, "post-editor");
        editor->RzMemo1->setPlainText("  新的职责  ");
        Messages::setNextAnswers({true});
        QSignalSpy loaded(list, &TFrm_gw_emp::requestDone);
        editor->RzGlyphStatus3Click();
        QVERIFY(loaded.wait(5000));
        QTRY_VERIFY(!list->findChild<TFrm_add_gw_emp*>());
        QCOMPARE(list->asg->currentRowNumber(), 2);
        QCOMPARE(list->asg->cell(1, 2), post);
        QCOMPARE(list->asg->cell(3, 2), QString("新的职责"));
    }

    void editorChecksItsFields_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QStringList>("fields"); // department, post, third, password
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("department") << "1" << QStringList{" ", "岗", "类", ""} << "部门不能为空！" << "系统提示";
        QTest::newRow("post") << "1" << QStringList{"部", "", "类", ""} << "岗位不能为空！" << "系统提示";
        QTest::newRow("category") << "1" << QStringList{"部", "岗", "", ""} << "类别不能为空！" << "系统提示";
        QTest::newRow("employee") << "2" << QStringList{"部", "岗", "", "1"} << "员工不能为空！" << "系统提示";
        QTest::newRow("password") << "2" << QStringList{"部", "岗", "人", " "} << "密码不能为空！" << "提示";
        QTest::newRow("separator in a name") << "2" << QStringList{"部", "岗", "张|三", "1"}
                                             << "员工姓名不能包含 = , | 引号或换行！" << "系统提示";
        QTest::newRow("quote in a name") << "2" << QStringList{"部", "岗", "O'Neil", "1"}
                                         << "员工姓名不能包含 = , | 引号或换行！" << "系统提示";
    }
    void editorChecksItsFields()
    {
        QFETCH(QString, mode);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        QFETCH(QString, title);
        TFrm_gw_emp* list = open(mode);
        list->ToolButton1Click();
        auto* editor = list->findChild<TFrm_add_gw_emp*>();
        if (mode == "2") {
            QSignalSpy fetched(editor, &TFrm_add_gw_emp::requestDone);
            QVERIFY(fetched.wait(5000));
        }
        editor->RzEdit1->setText(fields[0]);
        editor->RzEdit2->setText(fields[1]);
        editor->RzEdit3->setText(fields[2]);
        editor->RzEdit5->setText(fields[3]);
        editor->RzGlyphStatus3Click();
        QCOMPARE(Messages::last().text, message);
        QCOMPARE(Messages::last().title, title);
        QCOMPARE(emp->departments().size(), size_t(0));
        delete editor;
    }

    void addingAnEmployeeOffersTheNextAccount()
    {
        seed();
        TFrm_gw_emp* list = open("2");
        list->ToolButton1Click();
        auto* editor = list->findChild<TFrm_add_gw_emp*>();
        QSignalSpy done(editor, &TFrm_add_gw_emp::requestDone);
        QVERIFY(done.wait(5000));
        QCOMPARE(editor->RzGroupBox1->title(), QString("添加人员"));
        QCOMPARE(editor->RzEdit4->text(), QString("8004"));
        QCOMPARE(editor->RzEdit5->text(), QString("8004"));
        QVERIFY(editor->RzEdit4->isReadOnly());
        QVERIFY(editor->isEnabled());
        rwtest::saveScreenshot(editor, "staff-editor");

        editor->RzEdit1->setText("生产部");
        editor->RzEdit2->setText("主任");
        editor->RzEdit3->setText("甲");
        Messages::setNextAnswers({true});
        editor->RzGlyphStatus3Click();
        QVERIFY(done.wait(5000));
        QCOMPARE(Messages::last().text, QString("员工已经存在！"));
        QCOMPARE(Messages::last().title, QString("提示"));

        editor->RzEdit3->setText("  新人  ");
        Messages::setNextAnswers({true});
        QSignalSpy loaded(list, &TFrm_gw_emp::requestDone);
        editor->RzGlyphStatus3Click();
        QVERIFY(loaded.wait(5000));
        QCOMPARE(status(list), QString("共：4条数据"));
        QCOMPARE(emp->checkLogin("8004", "8004"), 1);
        const rwtest::Strings staff = emp->registerRows("0", "0", "2");
        QVERIFY(std::find(staff.begin(), staff.end(), "新人") != staff.end());
    }

    void deletingSeveralPostsSweepsTheirDepartments()
    {
        seed();
        TFrm_gw_emp* list = open("1");
        // Rows 1 and 2 are the two posts of 生产部.
        list->asg->selectRows({1, 2});
        Messages::setNextAnswers({true});
        QSignalSpy done(list, &TFrm_gw_emp::requestDone);
        list->ToolButton3Click();
        QCOMPARE(Messages::last().text, QString("删除岗位，将同时删除岗位下的员工，确定吗？"));
        QTRY_COMPARE(done.size(), 2); // the deletion, then the sweep
        QCOMPARE(done[0].first().toInt(), int(Tgw_Thread::Delete));
        QCOMPARE(done[1].first().toInt(), int(Tgw_Thread::Purge));
        QCOMPARE(list->asg->rowCount(), 2);
        QCOMPARE(list->asg->cell(1, 1), QString("质检员"));
        QCOMPARE(status(list), QString("共：1条数据"));
        QCOMPARE(emp->departments().size(), size_t(2)); // only 质检部 is left
        QCOMPARE(emp->registerRows("0", "0", "2").size(), size_t(9));

        // The last row is emptied, not removed.
        list->asg->selectRows({1});
        Messages::setNextAnswers({true});
        list->ToolButton3Click();
        QTRY_COMPARE(done.size(), 4);
        QCOMPARE(list->asg->rowCount(), 2);
        QVERIFY(list->asg->cell(0, 1).isEmpty());
        QCOMPARE(status(list), QString("共：0条数据"));

        // Nothing to delete now: no question.
        Messages::clearShown();
        list->ToolButton3Click();
        QVERIFY(Messages::shown().isEmpty());
    }

    void editNeedsExactlyOneFilledRow()
    {
        seed();
        TFrm_gw_emp* list = open("1");
        list->asg->selectRows({1, 2});
        list->ToolButton2Click();
        QVERIFY(!list->findChild<TFrm_add_gw_emp*>());
    }

    void searchNarrowsTheStaffList()
    {
        seed();
        TFrm_gw_emp* list = open("2");
        list->ToolButton5Click();
        auto* search = list->findChild<TFrm_s_gw*>();
        QVERIFY(search);
        QSignalSpy done(search, &TFrm_s_gw::requestDone);
        QVERIFY(done.wait(5000));
        QCOMPARE(search->Label2->text(), QString("岗    位："));
        QCOMPARE(search->RzComboBox1->count(), 3);
        QCOMPARE(search->RzComboBox1->itemText(1), QString("生产部"));
        QCOMPARE(search->RzComboBox2->count(), 1);

        search->RzComboBox1->setCurrentIndex(1);
        search->RzComboBox1Change();
        QVERIFY(done.wait(5000));
        QCOMPARE(search->RzComboBox2->count(), 3);
        search->RzComboBox2->setCurrentIndex(2); // 操作工
        rwtest::saveScreenshot(search, "search");

        search->RzGlyphStatus3Click();
        QVERIFY(done.wait(5000));
        QTRY_VERIFY(!list->findChild<TFrm_s_gw*>());
        QCOMPARE(status(list), QString("共：1条数据"));
        QCOMPARE(list->asg->cell(3, 1), QString("乙"));
    }

    void searchOfPostsOffersEveryCategory()
    {
        seed();
        TFrm_gw_emp* list = open("1");
        list->ToolButton5Click();
        auto* search = list->findChild<TFrm_s_gw*>();
        QSignalSpy done(search, &TFrm_s_gw::requestDone);
        QTRY_COMPARE(done.size(), 2);
        QCOMPARE(search->Label2->text(), QString("类    别："));
        QCOMPARE(search->RzComboBox2->count(), 3);
        search->RzComboBox1->setCurrentIndex(2); // 质检部
        search->RzComboBox1Change();
        QCOMPARE(search->RzComboBox2->count(), 3); // categories do not depend on it
        search->RzComboBox2->setCurrentIndex(1);    // 管理类: none in 质检部
        search->RzGlyphStatus3Click();
        QVERIFY(done.wait(5000));
        QCOMPARE(status(list), QString("共：0条数据"));
        QCOMPARE(list->asg->rowCount(), 2);
    }

    void importAndExportThroughTheDialogs()
    {
        const std::string sheet = (state->database.directory() / "staff.xls").string();
        rwtest::writeXlsWithXlwt(sheet, {{"人员设置"}, {"部门", "岗位", "员工", "备注"},
                                         {"财务部", "会计", "李四", ""}, {"财务部", "出纳", "王五", "新"}});
        TFrm_gw_emp* list = open("2");
        Messages::setNextFileNames({QString::fromStdString(sheet)});
        QSignalSpy done(list, &TFrm_gw_emp::requestDone);
        list->ToolButton6Click();
        QCOMPARE(Messages::last().kind, QString("open"));
        QCOMPARE(Messages::last().text, QString("Excel文件 (*.xls *.xlsx)"));
        QTRY_COMPARE(done.size(), 2); // the import, then the reload
        QCOMPARE(status(list), QString("共：2条数据"));
        QVERIFY(list->findChild<QWidget*>("rp")->isHidden());

        const QString target = QString::fromStdString((state->database.directory() / "out").string());
        Messages::setNextFileNames({target});
        list->ToolButton7Click();
        QTRY_COMPARE(done.size(), 3);
        QCOMPARE(Messages::last().text, QString("导出成功！"));
        QVERIFY(std::filesystem::exists((state->database.directory() / "out.xls")));

        Messages::setNextFileNames({QString::fromStdString((state->database.directory() / "nowhere" / "x").string())});
        list->ToolButton7Click();
        QTRY_COMPARE(done.size(), 4);
        QCOMPARE(Messages::last().text, QString("导出失败！"));

        std::ofstream(state->database.directory() / "bad.xls") << "not a workbook";
        Messages::setNextFileNames({QString::fromStdString((state->database.directory() / "bad.xls").string())});
        list->ToolButton6Click();
        QTRY_COMPARE(done.size(), 6);
        QVERIFY(Messages::last().text.startsWith("导入未完成"));
        QCOMPARE(status(list), QString("共：2条数据"));
    }

private:
    void seed()
    {
        QCOMPARE(emp->addPost("生产部", "主任", "管理类", "管车间"), 1);
        QCOMPARE(emp->addPost("生产部", "操作工", "技能类", "操作"), 1);
        QCOMPARE(emp->addPost("质检部", "质检员", "技能类", "检验"), 1);
        QCOMPARE(emp->addEmployee("生产部", "主任", "甲", "", "p1"), 1);
        QCOMPARE(emp->addEmployee("生产部", "操作工", "乙", "", "p2"), 1);
        QCOMPARE(emp->addEmployee("质检部", "质检员", "丙", "", "p3"), 1);
    }

    // Docks a list window of the mode into a stand-in shell and waits for its load.
    TFrm_gw_emp* open(const QString& mode)
    {
        shell = std::make_unique<QWidget>();
        shell->resize(1000, 600);
        auto* layout = new QVBoxLayout(shell.get());
        auto* list = new TFrm_gw_emp;
        list->Edit1->setText(mode);
        layout->addWidget(list);
        QSignalSpy loaded(list, &TFrm_gw_emp::requestDone);
        shell->show();
        if (!loaded.wait(5000))
            qWarning("the list did not load");
        return list;
    }

    static QString status(TFrm_gw_emp* list) { return list->findChild<QLabel*>("RzGlyphStatus1")->text(); }

    std::unique_ptr<rwtest::ClientTestState> state;
    std::unique_ptr<rwtest::EmpApi> emp;
    std::unique_ptr<QWidget> shell;
};

QTEST_MAIN(OrgTest)
#include "org_test.moc"
