// .xlsx written by us, checked by openpyxl and by our own reader.
#include "fresh_database.h"
#include "python_tools.h"
#include "sheet/reader.h"
#include "sheet/workbook.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using rw::sheet::Format;

rw::sheet::Workbook sampleBook()
{
    rw::sheet::Workbook book("人员");
    book.merge(0, 0, 0, 2);
    book.setRowHeight(0, 25);
    book.formatRange(0, 0, 0, 2, [](Format& f) {
        f.fill = rw::sheet::Colour{0xA6, 0xCA, 0xF0};
        f.bold = true;
        f.fontSize = 16;
        f.border = true;
        f.hAlign = rw::sheet::HAlign::Centre;
        f.vAlign = rw::sheet::VAlign::Centre;
    });
    book.setText(0, 0, "人员设置");
    book.setText(1, 0, "8001");
    book.format(1, 0).numberFormat = "@";
    book.setNumber(1, 1, 3.5);
    book.setText(1, 2, "第一行\n第二行");
    book.format(1, 2).wrap = true;
    book.setColumnWidth(2, 55);
    return book;
}

TEST(XlsxWriter, WritesWhatOpenpyxlReadsBack)
{
    rwtest::FreshDatabase scratch;
    const std::string path = (scratch.directory() / "out.xlsx").string();
    std::string error;
    ASSERT_TRUE(rw::sheet::saveXlsx(sampleBook(), path, &error)) << error;

    const QJsonObject info =
        QJsonDocument::fromJson(QByteArray::fromStdString(rwtest::sheetTool("inspect-xlsx", path))).object();
    EXPECT_EQ(info["merges"].toArray().first().toString(), "A1:C1");
    EXPECT_DOUBLE_EQ(info["heights"].toObject()["1"].toDouble(), 25);
    EXPECT_NEAR(info["widths"].toObject()["C"].toDouble(), 55, 1);
    const QJsonObject cells = info["cells"].toObject();
    const QJsonObject title = cells["A1"].toObject();
    EXPECT_EQ(title["value"].toString(), "人员设置");
    EXPECT_EQ(title["font"].toString(), "宋体");
    EXPECT_TRUE(title["bold"].toBool());
    EXPECT_DOUBLE_EQ(title["size"].toDouble(), 16);
    EXPECT_EQ(title["fill"].toString(), "A6CAF0");
    EXPECT_EQ(title["border"].toString(), "thin");
    EXPECT_EQ(title["halign"].toString(), "center");
    EXPECT_EQ(title["valign"].toString(), "center");
    // The right end of the merged title keeps its outer borders.
    const QJsonArray end = cells["C1"].toObject()["borders"].toArray();
    EXPECT_EQ(end[1].toString(), "thin");
    EXPECT_EQ(end[2].toString(), "thin");
    EXPECT_EQ(end[3].toString(), "thin");
    EXPECT_EQ(cells["A2"].toObject()["format"].toString(), "@");
    EXPECT_EQ(cells["A2"].toObject()["value"].toString(), "8001");
    EXPECT_EQ(cells["B2"].toObject()["value"].toString(), "3.5");
    EXPECT_TRUE(cells["C2"].toObject()["wrap"].toBool());

    rw::sheet::Table table;
    ASSERT_TRUE(rw::sheet::readFirstSheet(path, table));
    EXPECT_EQ(table.rows, (std::vector<std::vector<std::string>>{{"人员设置", "", ""}, {"8001", "3.5", "第一行\n第二行"}}));
}

TEST(XlsxWriter, FailureLeavesNoFile)
{
    rwtest::FreshDatabase scratch;
    const std::string path = (scratch.directory() / "missing-dir" / "out.xlsx").string();
    std::string error;
    EXPECT_FALSE(rw::sheet::saveXlsx(sampleBook(), path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::is_empty(scratch.directory()));
}

} // namespace
