// Logging in, the shell per role, logout, password change, and the binding
// failures, driven through the real windows and the real staff library.
#include "Iemp1.h"
#include "Public_s.h"
#include "TFrmLst.h"
#include "TFrm_gw_emp.h"
#include "TFrm_p.h"
#include "TFrmlog.h"
#include "client_support.h"
#include "emp_api.h"
#include "login_state.h"
#include "messages.h"
#include "program_paths.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using rw::client::Messages;

class LoginTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { rwtest::setUpClient(); }
    void init()
    {
        state = std::make_unique<rwtest::ClientTestState>();
        login = std::make_unique<TFrmlog>();
        login->show();
    }
    void cleanup()
    {
        if (login && login->shell())
            delete login->shell();
        login.reset();
        state.reset();
    }

    void emptyFieldsAreRefusedBeforeAnyCall_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::newRow("no account") << "" << "x" << "请输入用户名！";
        QTest::newRow("blank account") << "   " << "x" << "请输入用户名！";
        QTest::newRow("no password") << "qm470" << " " << "请输入密码！";
    }
    void emptyFieldsAreRefusedBeforeAnyCall()
    {
        QFETCH(QString, account);
        QFETCH(QString, password);
        QFETCH(QString, message);
        attempt(account, password);
        QCOMPARE(Messages::last().text, message);
        QCOMPARE(Messages::last().title, QString("提示"));
        QVERIFY(login->isEnabled());
        QCOMPARE(LoginState::login_ret, -1);
    }

    void administratorGetsTheAdministratorsShell()
    {
        rwtest::saveScreenshot(login.get(), "login");
        QVERIFY(loginAs(" qm470 ", "qm470"));
        TFrmLst* shell = login->shell();
        shell->resize(1100, 600);
        rwtest::saveScreenshot(shell, "shell-administrator");
        QCOMPARE(shell->Label1->text(), QString("当前用户：管理员"));
        QCOMPARE(shell->Edit1->text(), QString("1"));
        QVERIFY(LoginState::cur_userid.isEmpty());
        QVERIFY(login->isHidden());
        QVERIFY(edit("txtUserId")->text().isEmpty());
        QVERIFY(edit("txtpwd")->text().isEmpty());

        QVERIFY(visible(shell, "pp1"));
        QVERIFY(visible(shell, "RzPanel80"));
        QVERIFY(!visible(shell, "gw_p"));
        QCOMPARE(colour(shell, "RzPanel79"), QString("#FEF4ED"));
        for (const char* other : {"RzPanel81", "RzPanel83", "RzPanel13", "RzPanel21", "RzPanel26"})
            QCOMPARE(colour(shell, other), QString("#FACAA3"));

        // "岗位设置" docks the post list, "人员设置" a new list in staff mode.
        auto* posts = qobject_cast<TFrm_gw_emp*>(shell->dockedWindow());
        QVERIFY(posts);
        QCOMPARE(posts->Edit1->text(), QString("1"));
        QPointer<QWidget> first = posts;
        click(shell, "RzPanel81");
        QVERIFY(first.isNull());
        auto* staff = qobject_cast<TFrm_gw_emp*>(shell->dockedWindow());
        QVERIFY(staff);
        QCOMPARE(staff->Edit1->text(), QString("2"));
        QCOMPARE(colour(shell, "RzPanel81"), QString("#FEF4ED"));
        QCOMPARE(colour(shell, "RzPanel79"), QString("#FACAA3"));

        // Per kind, the administrator's entries: not "评估打分".
        click(shell, "RzPanel19");
        QVERIFY(visible(shell, "gw_p"));
        QVERIFY(!visible(shell, "RzPanel80"));
        for (const char* shown : {"RzPanel30", "RzPanel23", "RzPanel27"})
            QVERIFY2(visible(shell, shown), shown);
        QVERIFY(!visible(shell, "RzPanel29"));
        QCOMPARE(colour(shell, "RzPanel22"), QString("#FEF4ED"));
        click(shell, "RzPanel14");
        QVERIFY(visible(shell, "srl_p"));
        QVERIFY(!visible(shell, "gw_p"));
        QVERIFY(!visible(shell, "RzPanel34"));
        QCOMPARE(colour(shell, "RzPanel37"), QString("#FEF4ED"));
    }

    void employeeGetsTheOrdinaryShell()
    {
        rwtest::EmpApi emp;
        QCOMPARE(emp.addEmployee("财务部", "会计", "李四", "", "pw"), 1);
        const rwtest::Strings staff = emp.registerRows("0", "0", "2");

        QVERIFY(loginAs(" 8001", " pw "));
        TFrmLst* shell = login->shell();
        shell->resize(1100, 600);
        rwtest::saveScreenshot(shell, "shell-employee");
        QCOMPARE(shell->Label1->text(), QString("当前用户：会计(李四)"));
        QCOMPARE(shell->Edit1->text(), QString("2"));
        QCOMPARE(LoginState::cur_userid, QString::fromStdString(staff[0]));
        QCOMPARE(LoginState::login_list, (QStringList{QString::fromStdString(staff[0]), "李四", "会计", "财务部", "8001"}));

        QVERIFY(!visible(shell, "pp1"));
        QVERIFY(visible(shell, "gw_p"));
        QVERIFY(visible(shell, "RzPanel29"));
        for (const char* hidden : {"RzPanel30", "RzPanel23", "RzPanel27"})
            QVERIFY2(!visible(shell, hidden), hidden);
        QCOMPARE(colour(shell, "RzPanel24"), QString("#FEF4ED"));

        click(shell, "RzPanel14");
        QVERIFY(visible(shell, "RzPanel34"));
        for (const char* hidden : {"RzPanel36", "RzPanel39", "RzPanel41"})
            QVERIFY2(!visible(shell, hidden), hidden);
        QCOMPARE(colour(shell, "RzPanel35"), QString("#FEF4ED"));
    }

    void wrongPasswordIsRefusedAndTheWindowStaysUsable()
    {
        rwtest::EmpApi emp;
        QCOMPARE(emp.addEmployee("财务部", "会计", "李四", "", "pw"), 1);
        QVERIFY(!loginAs("8001", "PW"));
        QCOMPARE(Messages::last().text, QString("用户名或密码不正确！"));
        QCOMPARE(Messages::last().title, QString("提示"));
        QVERIFY(login->isEnabled());
        QCOMPARE(edit("txtUserId")->text(), QString("8001"));
        QCOMPARE(edit("txtpwd")->text(), QString("PW"));

        QVERIFY(loginAs("8001", "pw"));
    }

    void missingLibraryIsReported()
    {
        rw::client::overrideProgramDirectory(state->database.directory().c_str());
        QVERIFY(!loginAs("qm470", "qm470"));
        QCOMPARE(Messages::last().kind, QString("error"));
        QCOMPARE(Messages::last().title, QString("错误"));
        QCOMPARE(Messages::last().text, QString("加载emp.so失败"));
        QCOMPARE(Messages::shown().size(), 1);
        QCOMPARE(LoginState::login_ret, -1);
        QVERIFY(login->isEnabled());
    }

    void missingExportIsReportedAndOthersStillWork()
    {
        rw::client::overrideProgramDirectory(rwtest::fakeAppDirectory("fake_without_login"));
        QVERIFY(!loginAs("8001", "1"));
        QCOMPARE(Messages::last().title, QString("错误"));
        QCOMPARE(Messages::last().text, QString("加载I_Check_Login函数失败！"));
        QVERIFY(login->isEnabled());
        QCOMPARE(Iemp1::Get_userid(), 8001);
        QCOMPARE(Messages::shown().size(), 1);
    }

    void acceptedAccountWithoutEmployeeIsRefused()
    {
        rw::client::overrideProgramDirectory(rwtest::fakeAppDirectory("fake_without_record"));
        QVERIFY(!loginAs("8001", "1"));
        QCOMPARE(Messages::last().text, QString("用户名或密码不正确！"));
        QVERIFY(login->isEnabled());
    }

    void logoutAndLoginAsAnother()
    {
        rwtest::EmpApi emp;
        QCOMPARE(emp.addEmployee("财务部", "会计", "李四", "", "a"), 1);
        QCOMPARE(emp.addEmployee("技术部", "工程师", "王五", "", "b"), 1);
        QVERIFY(loginAs("8001", "a"));
        QPointer<TFrmLst> first = login->shell();

        Messages::setNextAnswers({false});
        first->RzGlyphStatus1Click();
        QCOMPARE(Messages::last().text, QString("注销吗？"));
        QCOMPARE(Messages::last().title, QString("系统提示"));
        QVERIFY(first && first->isVisible());

        Messages::setNextAnswers({true});
        first->RzGlyphStatus1Click();
        QTRY_VERIFY(first.isNull());
        QVERIFY(login->isVisible());
        QCOMPARE(login->size(), QSize(427, 245));

        QVERIFY(loginAs("8002", "b"));
        QCOMPARE(login->shell()->Label1->text(), QString("当前用户：工程师(王五)"));
        QCOMPARE(LoginState::login_list.value(1), QString("王五"));
        QCOMPARE(LoginState::login_list.value(4), QString("8002"));
    }

    void passwordChange()
    {
        rwtest::EmpApi emp;
        QCOMPARE(emp.addEmployee("财务部", "会计", "李四", "", "old"), 1);
        QVERIFY(loginAs("8001", "old"));
        TFrmLst* shell = login->shell();
        shell->RzGlyphStatus3Click();
        QPointer<TFrm_p> dialog = shell->findChild<TFrm_p*>();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        rwtest::saveScreenshot(dialog, "password");
        QCOMPARE(dialog->findChild<QLineEdit*>("RzEdit1")->text(), QString("财务部"));
        QCOMPARE(dialog->findChild<QLineEdit*>("RzEdit2")->text(), QString("会计"));
        QCOMPARE(dialog->findChild<QLineEdit*>("RzEdit3")->text(), QString("李四"));
        QCOMPARE(dialog->findChild<QLineEdit*>("RzEdit4")->text(), QString("8001"));

        struct Case {
            const char* password;
            const char* confirmation;
            const char* message;
        } refused[] = {
            {"", "x", "密码不能为空！"},
            {"new", " ", "确认密码不能为空！"},
            {"New", "new", "两次密码输入不一致！"},
        };
        for (const Case& c : refused) {
            dialog->findChild<QLineEdit*>("RzEdit6")->setText(c.password);
            dialog->findChild<QLineEdit*>("RzEdit5")->setText(c.confirmation);
            dialog->RzGlyphStatus3Click();
            QCOMPARE(Messages::last().text, QString(c.message));
            QCOMPARE(Messages::last().title, QString("提示"));
        }

        dialog->findChild<QLineEdit*>("RzEdit6")->setText("new");
        dialog->findChild<QLineEdit*>("RzEdit5")->setText("new ");
        Messages::setNextAnswers({false});
        dialog->RzGlyphStatus3Click();
        QCOMPARE(Messages::last().text, QString("确定要保存吗？"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(emp.checkLogin("8001", "old"), 1);

        Messages::setNextAnswers({true});
        QSignalSpy answered(dialog.data(), &TFrm_p::saveFinished);
        dialog->findChild<QToolButton*>("RzGlyphStatus3")->click();
        QVERIFY(answered.wait(5000));
        QCOMPARE(answered.first().first().toBool(), true);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(emp.checkLogin("8001", "old"), 0);
        QCOMPARE(emp.checkLogin("8001", "new"), 1);
    }

    void passwordChangeIsNotOfferedToTheAdministrator()
    {
        QVERIFY(loginAs("qm470", "qm470"));
        login->shell()->RzGlyphStatus3Click();
        QVERIFY(!login->shell()->findChild<TFrm_p*>());
    }

private:
    QLineEdit* edit(const char* name) { return login->findChild<QLineEdit*>(name); }

    void attempt(const QString& account, const QString& password)
    {
        edit("txtUserId")->setText(account);
        edit("txtpwd")->setText(password);
        QTest::mouseClick(login->findChild<QWidget*>("Image2"), Qt::LeftButton);
    }

    // Logs in through the window; true when a shell opened.
    bool loginAs(const QString& account, const QString& password)
    {
        QSignalSpy finished(login.get(), &TFrmlog::attemptFinished);
        attempt(account, password);
        if (!finished.wait(10000))
            return false;
        return login->shell() != nullptr;
    }

    static bool visible(QWidget* shell, const char* name)
    {
        auto* widget = shell->findChild<QWidget*>(name);
        return widget && widget->isVisibleTo(shell);
    }

    static QString colour(QWidget* shell, const char* name)
    {
        return Public_s::Nav_color(shell->findChild<QWidget*>(name));
    }

    // Waits for the docked window's first load, which blocks the shell.
    static void click(QWidget* shell, const char* name)
    {
        QTRY_VERIFY(shell->isEnabled());
        QTest::mouseClick(shell->findChild<QWidget*>(name), Qt::LeftButton);
    }

    std::unique_ptr<rwtest::ClientTestState> state;
    std::unique_ptr<TFrmlog> login;
};

QTEST_MAIN(LoginTest)
#include "login_test.moc"
