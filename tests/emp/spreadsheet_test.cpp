// Importing posts and staff from workbooks and exporting the list grids,
// through the staff library's exports.
#include "emp_api.h"
#include "fresh_database.h"
#include "python_tools.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

using namespace rwtest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

const std::vector<std::string> kPostTitle = {"岗位设置"};
const std::vector<std::string> kPostHeadings = {"部门", "岗位", "类别", "职责描述"};
const std::vector<std::string> kStaffTitle = {"人员设置"};
const std::vector<std::string> kStaffHeadings = {"部门", "岗位", "员工", "备注"};

// A grid as the list window hands it over: row 0 the headings.
struct TestGrid {
    Rows rows;
    RwGrid ref{this,
               [](void* ctx) { return static_cast<int>(static_cast<TestGrid*>(ctx)->rows.size()); },
               [](void* ctx) {
                   auto* g = static_cast<TestGrid*>(ctx);
                   return g->rows.empty() ? 0 : static_cast<int>(g->rows[0].size());
               },
               [](void* ctx, int col, int row) -> const char* {
                   return static_cast<TestGrid*>(ctx)->rows[static_cast<size_t>(row)][static_cast<size_t>(col)].c_str();
               }};
};

struct Progress {
    int total = -1;
    std::vector<int> positions;
    RwProgress ref{this, [](void* ctx, int t) { static_cast<Progress*>(ctx)->total = t; },
                   [](void* ctx, int p) { static_cast<Progress*>(ctx)->positions.push_back(p); }};
};

class Spreadsheets : public FreshDatabaseTest {
protected:
    EmpApi emp;

    std::string file(const std::string& name) const { return (database.directory() / name).string(); }

    int import(const std::string& path, const std::string& kind, Progress* progress = nullptr)
    {
        return emp.lib.fn<int(const RwProgress*, const RwGrid*, const char*, const char*)>("Load_emp_gw_Excel")(
            progress ? &progress->ref : nullptr, nullptr, path.c_str(), kind.c_str());
    }
    int importRows(const Rows& rows, const std::string& kind, Progress* progress = nullptr)
    {
        const std::string path = file("import.xls");
        writeXlsWithXlwt(path, rows);
        return import(path, kind, progress);
    }
    int exportGrid(TestGrid& grid, const std::string& name, const std::string& kind)
    {
        return emp.lib.fn<int(const RwGrid*, const char*, const char*)>("dc_excel")(&grid.ref, name.c_str(),
                                                                                     kind.c_str());
    }
    std::vector<Strings> records(const std::string& kind) const
    {
        const size_t stride = kind == "1" ? 7 : 9;
        const Strings list = emp.registerRows("0", "0", kind);
        std::vector<Strings> out;
        for (size_t i = 0; i < list.size() / stride; ++i)
            out.push_back(record(list, stride, i));
        return out;
    }
    static QJsonObject inspect(const std::string& path)
    {
        const QString name = QString::fromStdString(path);
        const std::string command = name.endsWith(".xlsx", Qt::CaseInsensitive) ? "inspect-xlsx" : "inspect-xls";
        return QJsonDocument::fromJson(QByteArray::fromStdString(sheetTool(command, path))).object();
    }
};

TEST_F(Spreadsheets, ImportingThePostSheetTwiceUpdatesInsteadOfDuplicating)
{
    Progress progress;
    ASSERT_EQ(importRows({kPostTitle, kPostHeadings,
                          {"生产部", "主任", "管理类", "管车间"},
                          {" 生产部 ", "操作工", "技能类", "第一行\n第二行"},
                          {"质检部", "质检员", "技能类", ""}},
                         "1", &progress),
              1);
    EXPECT_EQ(progress.total, 3);
    EXPECT_EQ(progress.positions, (std::vector<int>{1, 2, 3}));
    auto posts = records("1");
    ASSERT_EQ(posts.size(), 3u);
    EXPECT_EQ(posts[1][1], "生产部") << "cells are trimmed";
    EXPECT_EQ(posts[1][4], "第一行\n第二行");
    EXPECT_EQ(emp.departments().size(), 4u);

    ASSERT_EQ(importRows({kPostTitle, kPostHeadings,
                          {"生产部", "主任", "技能类", "新职责"},
                          {"质检部", "质检员", "技能类", "检验"}},
                         "1"),
              1);
    posts = records("1");
    ASSERT_EQ(posts.size(), 3u) << "no duplicates";
    const auto director = std::find_if(posts.begin(), posts.end(), [](const Strings& p) { return p[2] == "主任"; });
    EXPECT_EQ((*director)[4], "新职责");
    EXPECT_EQ((*director)[3], "技能类") << "moved to the sheet's category";
}

TEST_F(Spreadsheets, TitleAndHeadingsOnlyWriteNothing)
{
    Progress progress;
    EXPECT_EQ(importRows({kStaffTitle, kStaffHeadings}, "2", &progress), 1);
    EXPECT_EQ(progress.total, 0);
    EXPECT_TRUE(progress.positions.empty());
    EXPECT_EQ(emp.departments(), Strings{});
    EXPECT_EQ(importRows({kStaffTitle}, "2"), 1);
}

TEST_F(Spreadsheets, StaffOfMissingPostsGetTemporaryPostsAndConsecutiveAccounts)
{
    ASSERT_EQ(importRows({kStaffTitle, kStaffHeadings,
                          {"销售部", "销售代表", "赵一", "r1"},
                          {"销售部", "销售代表", "钱二", ""},
                          {"销售部", "区域经理", "孙三", ""}},
                         "2"),
              1);
    const auto staff = records("2");
    ASSERT_EQ(staff.size(), 3u);
    for (size_t i = 0; i < staff.size(); ++i) {
        EXPECT_EQ(staff[i][1], std::to_string(8001 + i));
        EXPECT_EQ(staff[i][6], staff[i][1]) << "the first password is the account";
    }
    const auto posts = records("1");
    ASSERT_EQ(posts.size(), 2u);
    for (const auto& post : posts) {
        EXPECT_EQ(post[3], "临时类别");
        EXPECT_EQ(post[4], "暂无");
    }
    EXPECT_EQ(emp.checkLogin("8002", "8002"), 1);
}

TEST_F(Spreadsheets, AKnownEmployeeOnlyTakesTheNewRemark)
{
    ASSERT_EQ(emp.addEmployee("销售部", "销售代表", "赵一", "旧备注", "secret"), 1);
    ASSERT_EQ(importRows({kStaffTitle, kStaffHeadings, {"销售部", "销售代表", "赵一", "新备注"}}, "2"), 1);
    const auto staff = records("2");
    ASSERT_EQ(staff.size(), 1u);
    EXPECT_EQ(staff[0][5], "新备注");
    EXPECT_EQ(staff[0][1], "8001");
    EXPECT_EQ(staff[0][6], "secret");
}

TEST_F(Spreadsheets, IncompleteRowsAndUnfitNamesArePassedOver)
{
    ASSERT_EQ(importRows({kStaffTitle, kStaffHeadings,
                          {"", "岗位", "无部门", ""},
                          {"部门", "", "无岗位", ""},
                          {"部门", "岗位", "", "无姓名"},
                          {"部门", "岗位", "张=三", ""},
                          {"部门", "岗位", "李|四", ""},
                          {"部门", "岗位", "王,五", ""},
                          {"部门", "岗位", "赵'六", ""},
                          {"部门", "岗位", "钱\"七", ""},
                          {"部门", "岗位", "孙\n八", ""},
                          {"部门", "岗位", "周九", "唯一合格"}},
                         "2"),
              1);
    const auto staff = records("2");
    ASSERT_EQ(staff.size(), 1u);
    EXPECT_EQ(staff[0][4], "周九");
}

TEST_F(Spreadsheets, AFailingRowStopsTheImportKeepingTheRowsBeforeIt)
{
    ASSERT_EQ(emp.addPost("一部", "岗一", "类一", ""), 1);
    // The database refuses one employee, as a full disk or a lock would.
    executeDirectly(database.file(), "CREATE TRIGGER refuse BEFORE INSERT ON yuangong WHEN NEW.empname = '坏'"
                                     " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Progress progress;
    EXPECT_EQ(importRows({kStaffTitle, kStaffHeadings,
                          {"一部", "岗一", "好", ""},
                          {"二部", "新岗", "坏", ""},
                          {"一部", "岗一", "后", ""}},
                         "2", &progress),
              0);
    const auto staff = records("2");
    ASSERT_EQ(staff.size(), 1u);
    EXPECT_EQ(staff[0][4], "好");
    EXPECT_EQ(emp.departments().size(), 2u) << "the failed row's new department is undone";
    EXPECT_EQ(records("1").size(), 1u) << "and so is its new post";
    EXPECT_EQ(progress.positions, (std::vector<int>{1, 2}));
}

TEST_F(Spreadsheets, UnreadableFilesWriteNothing)
{
    std::ofstream(file("text.xls")) << "部门,岗位,员工\n";
    for (const std::string& path : {file("missing.xls"), file("text.xls")}) {
        EXPECT_EQ(import(path, "2"), 0) << path;
        EXPECT_EQ(emp.departments(), Strings{});
    }
    EXPECT_EQ(importRows({kStaffTitle, kStaffHeadings, {"部门", "岗位", "人"}}, "3"), 1) << "another kind writes nothing";
    EXPECT_EQ(emp.departments(), Strings{});
}

TEST_F(Spreadsheets, ReadsXlsxToo)
{
    const std::string path = file("staff.xlsx");
    // Title, headings and four rows: one lacks its department, one names an
    // employee with a line break.
    sheetTool("make-xlsx", path);
    ASSERT_EQ(import(path, "2"), 1);
    EXPECT_EQ(records("2").size(), 2u);
}

TEST_F(Spreadsheets, TenThousandStaffImportInSeconds)
{
    Rows rows = {kStaffTitle, kStaffHeadings};
    for (int i = 0; i < 10000; ++i)
        rows.push_back({"部门" + std::to_string(i % 20), "岗位" + std::to_string(i % 50), "员工" + std::to_string(i), ""});
    const std::string path = file("big.xls");
    writeXlsWithXlwt(path, rows);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(import(path, "2"), 1);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_LT(seconds, 20.0);
    EXPECT_EQ(emp.registerRows("0", "0", "2").size(), 10000u * 9);
    EXPECT_EQ(emp.nextAccount(), 18001);
}

TEST_F(Spreadsheets, PostGridExportHasTheListLayout)
{
    TestGrid grid{{{"\r部门", "\r岗位", "\r类别", "\r职责描述", ""},
                   {"生产部", "主任", "管理类", "管车间", "1"},
                   {"生产部", "操作工", "技能类", "第一行\n第二行", "2"},
                   {"质检部", "质检员", "技能类", "", "3"}}};
    ASSERT_EQ(exportGrid(grid, file("posts"), "1"), 1);
    ASSERT_TRUE(std::filesystem::exists(file("posts.xls")));
    const QJsonObject sheet = inspect(file("posts.xls"));
    EXPECT_EQ(sheet["merges"].toArray().first().toString(), "A1:D1");
    EXPECT_DOUBLE_EQ(sheet["heights"].toObject()["1"].toDouble(), 25);
    const QJsonObject widths = sheet["widths"].toObject();
    EXPECT_NEAR(widths["A"].toDouble(), 20, 1);
    EXPECT_NEAR(widths["C"].toDouble(), 15, 1);
    EXPECT_NEAR(widths["D"].toDouble(), 55, 1);
    const QJsonObject cells = sheet["cells"].toObject();
    const QJsonObject title = cells["A1"].toObject();
    EXPECT_EQ(title["value"].toString(), "岗位设置");
    EXPECT_EQ(title["fill"].toString(), "A6CAF0");
    EXPECT_EQ(title["font"].toString(), "宋体");
    EXPECT_TRUE(title["bold"].toBool());
    EXPECT_DOUBLE_EQ(title["size"].toDouble(), 16);
    EXPECT_EQ(title["halign"].toInt(), 2);
    EXPECT_EQ(title["valign"].toInt(), 1);
    EXPECT_EQ(cells["D2"].toObject()["value"].toString(), "职责描述");
    EXPECT_EQ(cells["B2"].toObject()["fill"].toString(), "C0C0C0");
    EXPECT_EQ(cells["A3"].toObject()["value"].toString(), "生产部");
    EXPECT_EQ(cells["D4"].toObject()["value"].toString(), "第一行\n第二行");
    EXPECT_TRUE(cells["D4"].toObject()["wrap"].toBool());
    EXPECT_EQ(cells["A5"].toObject()["fill"].toString(), "FFFFFF");
    EXPECT_DOUBLE_EQ(cells["A5"].toObject()["size"].toDouble(), 9);
    EXPECT_EQ(cells["A5"].toObject()["borders"].toArray()[0].toInt(), 1);
    EXPECT_FALSE(cells.contains("A6")) << "data in rows 3 to 5 only";
}

TEST_F(Spreadsheets, StaffGridExportPutsAccountAndPasswordFirstAsText)
{
    TestGrid grid{{{"\r登陆账号", "\r部门", "\r岗位", "\r员工", "\r备注", "", ""},
                   {"8001", "财务部", "会计", "李四", "备注", "pw1", "11"}}};
    ASSERT_EQ(exportGrid(grid, file("staff.xls"), "2"), 1);
    EXPECT_TRUE(std::filesystem::exists(file("staff.xls")));
    EXPECT_FALSE(std::filesystem::exists(file("staff.xls.xls"))) << "the extension is not doubled";
    const QJsonObject cells = inspect(file("staff.xls"))["cells"].toObject();
    EXPECT_EQ(cells["A1"].toObject()["value"].toString(), "人员设置");
    const QStringList expected{"8001", "pw1", "财务部", "会计", "李四", "备注"};
    const QStringList columns{"A", "B", "C", "D", "E", "F"};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(cells[columns[c] + "3"].toObject()["value"].toString(), expected[c]) << c;
    EXPECT_EQ(cells["A3"].toObject()["format"].toString(), "@");
    EXPECT_EQ(cells["A3"].toObject()["type"].toInt(), 1) << "the account is text, not a number";
    EXPECT_EQ(cells["B3"].toObject()["format"].toString(), "@");
    EXPECT_EQ(cells["F2"].toObject()["value"].toString(), "备注");
}

TEST_F(Spreadsheets, ExportAsXlsxWhenTheNameSaysSo)
{
    TestGrid grid{{{"\r部门", "\r岗位", "\r类别", "\r职责描述", ""}, {"生产部", "主任", "管理类", "管车间", "1"}}};
    ASSERT_EQ(exportGrid(grid, file("posts.XLSX"), "1"), 1);
    const QJsonObject sheet = inspect(file("posts.XLSX") + "");
    EXPECT_EQ(sheet["merges"].toArray().first().toString(), "A1:D1");
    EXPECT_EQ(sheet["cells"].toObject()["A3"].toObject()["value"].toString(), "生产部");
}

TEST_F(Spreadsheets, ExportRefusesEmptyGridsBadKindsAndBadPlaces)
{
    TestGrid empty{{{"\r部门", "\r岗位", "\r类别", "\r职责描述", ""}, {" ", "", "", "", ""}}};
    EXPECT_EQ(exportGrid(empty, file("empty"), "1"), 0);
    TestGrid headerOnly{{{"\r部门", "\r岗位", "\r类别", "\r职责描述", ""}}};
    EXPECT_EQ(exportGrid(headerOnly, file("empty"), "1"), 0);
    TestGrid full{{{"\r部门", "\r岗位", "\r类别", "\r职责描述", ""}, {"生产部", "主任", "管理类", "", "1"}}};
    EXPECT_EQ(exportGrid(full, file("other"), "3"), 0);
    EXPECT_EQ(exportGrid(full, file("no-such-dir/posts"), "1"), 0);
    EXPECT_EQ(emp.lib.fn<int(const RwGrid*, const char*, const char*)>("dc_excel")(nullptr, "x", "1"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(database.directory()));
}

} // namespace
