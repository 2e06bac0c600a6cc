// The shared client helpers: splitting, list membership, grids, docking,
// navigation colours.
#include "Public_s.h"
#include "client_support.h"
#include "grid.h"

#include <QListWidget>
#include <QPointer>
#include <QtTest>

using Public_s::Split_text;

class HelpersTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { rwtest::setUpClient(); }

    void splitText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("plain") << "a,b,c" << "," << QStringList{"a", "b", "c"};
        QTest::newRow("two separators in a row") << "a,,b" << "," << QStringList{"a", "b"};
        QTest::newRow("leading and trailing") << ",a,b," << "," << QStringList{"a", "b"};
        QTest::newRow("line break ends a piece") << "a\nb,c" << "," << QStringList{"a", "b", "c"};
        QTest::newRow("leading line breaks skipped") << "\r\n\r\na|b" << "|" << QStringList{"a", "b"};
        QTest::newRow("blanks are ordinary") << " a b | c " << "|" << QStringList{" a b ", " c "};
        QTest::newRow("double quotes protect") << "\"a,b\",c" << "," << QStringList{"a,b", "c"};
        QTest::newRow("single quotes protect") << "x='1=2'" << "=" << QStringList{"x", "1=2"};
        QTest::newRow("other quote inside") << "'say \"hi\", ok',z" << "," << QStringList{"say \"hi\", ok", "z"};
        QTest::newRow("other separators stay") << "5=A|12|30,B|13|70" << "="
                                               << QStringList{"5", "A|12|30,B|13|70"};
        QTest::newRow("empty") << "" << "," << QStringList{};
        QTest::newRow("only separators") << ",,," << "," << QStringList{};
    }
    void splitText()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QStringList, pieces);
        QCOMPARE(Split_text(text, separator.at(0)), pieces);
    }

    void inKeyList_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("expected");
        const QStringList two{"5=A|12|30,B|13|70"};
        QTest::newRow("nothing assigned") << QStringList{"5=0"} << "13" << "5" << false;
        QTest::newRow("second judge") << two << "13" << "5" << true;
        QTest::newRow("first judge") << two << "12" << "5" << true;
        QTest::newRow("not among them") << two << "14" << "5" << false;
        QTest::newRow("no entry for the key") << two << "14" << "6" << true;
        QTest::newRow("single judge") << QStringList{"5=A|12|100"} << "12" << "5" << true;
        QTest::newRow("single other judge") << QStringList{"5=A|12|100"} << "13" << "5" << false;
        QTest::newRow("every entry must hold it") << QStringList{"5=A|12|100", "5=B|13|100"} << "12" << "5" << false;
        QTest::newRow("trimmed") << QStringList{" 5 = A| 12 |100"} << "12 " << " 5" << true;
        QTest::newRow("malformed item counts as assigned") << QStringList{"5=A,B|13|70"} << "99" << "5" << true;
        QTest::newRow("empty list") << QStringList{} << "1" << "5" << true;
    }
    void inKeyList()
    {
        QFETCH(QStringList, list);
        QFETCH(QString, value);
        QFETCH(QString, key);
        QFETCH(bool, expected);
        QCOMPARE(Public_s::In_key_list(list, value, key), expected);
    }

    void inListGroups()
    {
        QVERIFY(Public_s::In_list(" b", {"a", "b ", "c"}));
        QVERIFY(!Public_s::In_list("d", {"a", "b"}));
        QVERIFY(!Public_s::In_list("", {}));

        const QStringList triples{"1", "x", "p", "2", "y", "q", "3"};
        QVERIFY(Public_s::In_list3("2", " y", triples));
        QVERIFY2(!Public_s::In_list3("3", "", triples), "a trailing partial group is ignored");
        QVERIFY2(!Public_s::In_list3("x", "p", triples), "groups start every third entry");

        QVERIFY2(!Public_s::In_list4("1", "2", "3", {"1", "2", "3"}), "fewer than four entries never match");
        const QStringList seven{"1", "2", "3", "4", "5", "6", "7"};
        QVERIFY(Public_s::In_list4("1", "2", "3", seven));
        QVERIFY2(!Public_s::In_list4("5", "6", "7", seven), "only the first group of seven entries counts");
    }

    void hasListId()
    {
        QListWidget list;
        QVERIFY(!Public_s::Has_list_id(&list, "1"));
        auto* item = new QListWidgetItem("甲", &list);
        item->setData(Qt::UserRole, " 7 ");
        QVERIFY(Public_s::Has_list_id(&list, "7"));
        QVERIFY(!Public_s::Has_list_id(&list, "8"));
        new QListWidgetItem("无编号", &list);
        QVERIFY2(Public_s::Has_list_id(&list, "8"), "an item without id counts as a match");
    }

    void isFloat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("integer") << "30" << true;
        QTest::newRow("decimal") << "2.5" << true;
        QTest::newRow("negative") << "-1" << true;
        QTest::newRow("blanks around") << " 7 " << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("word") << "abc" << false;
        QTest::newRow("number and word") << "12a" << false;
    }
    void isFloat()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(Public_s::Is_float(text), expected);
    }

    void clearGrid()
    {
        rw::client::Grid grid(1);
        grid.setColCount(3);
        grid.setRowCount(5);
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                grid.setCell(col, row, QString("r%1c%2").arg(row).arg(col));
        grid.setRowHeightOf(1, 60);
        grid.addCheckBox(2, 1, true);

        Public_s::Clear_asg(&grid, 2);
        QCOMPARE(grid.rowCount(), 2);
        for (int col = 0; col < 3; ++col)
            QCOMPARE(grid.cell(col, 1), QString());
        QVERIFY(!grid.hasCheckBox(2, 1));
        QCOMPARE(grid.rowHeightOf(1), 21);
        QCOMPARE(grid.cell(1, 0), QString("r0c1")); // the header row stays

        Public_s::Clear_asg(&grid, 0);
        QCOMPARE(grid.rowCount(), 2); // a grid keeps one data row

        rw::client::Grid sheet(0);
        sheet.setColCount(2);
        sheet.setRowCount(4);
        sheet.setCell(0, 0, "data");
        sheet.setRowHeightOf(0, 40);
        Public_s::Clear_asg0(&sheet, 1);
        QCOMPARE(sheet.rowCount(), 1);
        QCOMPARE(sheet.cell(0, 0), QString());
        QCOMPARE(sheet.rowHeightOf(0), 40); // row heights are left alone
    }

    void navigationColours()
    {
        std::array<QWidget*, 4> entries;
        std::array<std::unique_ptr<QWidget>, 4> owned;
        for (int i = 0; i < 4; ++i) {
            owned[i] = std::make_unique<QWidget>();
            entries[i] = owned[i].get();
        }
        Public_s::Set_nav_color4(entries, 2);
        QCOMPARE(Public_s::Nav_color(entries[2]), QString("#FEF4ED"));
        QCOMPARE(Public_s::Nav_color(entries[0]), QString("#FACAA3"));
        Public_s::Set_nav_color4(entries, 7);
        QCOMPARE(Public_s::Nav_color(entries[2]), QString("#FEF4ED")); // an index out of range changes nothing
        QCOMPARE(Public_s::Nav_color(entries[3]), QString("#FACAA3"));
        Public_s::Set_nav_color4(entries, -1);
        QCOMPARE(Public_s::Nav_color(entries[2]), QString("#FEF4ED"));
    }

    void docking()
    {
        QWidget host;
        QPointer<QWidget> first = new QWidget;
        QCOMPARE(Public_s::Dock_form(&host, first), 0);
        QCOMPARE(Public_s::Docked_form(&host), first.data());
        QPointer<QWidget> second = new QWidget;
        QCOMPARE(Public_s::Dock_form(&host, second), 1);
        QVERIFY2(first.isNull(), "the window docked before is freed");
        QCOMPARE(Public_s::Docked_form(&host), second.data());
        QCOMPARE(Public_s::Dock_form(nullptr, second), -1);
        Public_s::Free_dock(&host);
        QVERIFY(second.isNull());
        QCOMPARE(Public_s::Docked_form(&host), nullptr);
    }

    void recordCount()
    {
        QCOMPARE(Public_s::Record_count_text(0), QString("共：0条数据"));
        QCOMPARE(Public_s::Record_count_text(12), QString("共：12条数据"));
    }
};

QTEST_MAIN(HelpersTest)
#include "helpers_test.moc"
