// Reading workbooks written by independent producers, and refusing files
// that are not workbooks or are damaged.
#include "fresh_database.h"
#include "python_tools.h"
#include "sheet/reader.h"

#include <gtest/gtest.h>

#include <fstream>

using rw::sheet::Table;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// What sheet_tools.py writes, as our reader must see it: trimmed, numbers
// in their shortest form, line breaks kept.
const Rows kExpected = {
    {"人员设置", "", "", ""},
    {"部门", "岗位", "员工", "备注"},
    {"财务部", "会计", "李四", "8001"},
    {"技术部", "工程师", "王五", "3.5"},
    {"", "空部门", "赵六", ""},
    {"技术部", "工程师", "多行\n备注", "第一行\n第二行"},
};

class Reader : public ::testing::TestWithParam<const char*> {
protected:
    rwtest::FreshDatabase scratch;
    std::string file(const std::string& name) const { return (scratch.directory() / name).string(); }
};

TEST_P(Reader, ReadsTheFirstSheetOfAnIndependentProducer)
{
    const std::string extension = GetParam();
    const std::string path = file("staff." + extension);
    rwtest::sheetTool("make-" + extension, path);
    Table table;
    std::string error;
    ASSERT_TRUE(rw::sheet::readFirstSheet(path, table, &error)) << error;
    EXPECT_EQ(table.rows, kExpected);
    EXPECT_EQ(table.cell(99, 99), "");
}

TEST_P(Reader, ContentDecidesNotTheName)
{
    const std::string extension = GetParam();
    const std::string path = file("misnamed.dat");
    rwtest::sheetTool("make-" + extension, path);
    Table table;
    ASSERT_TRUE(rw::sheet::readFirstSheet(path, table));
    EXPECT_EQ(table.rows.size(), kExpected.size());
}

TEST_P(Reader, TruncatedFilesAreRefused)
{
    const std::string extension = GetParam();
    const std::string whole = file("whole." + extension);
    rwtest::sheetTool("make-" + extension, whole);
    std::ifstream in(whole, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t keep : {bytes.size() / 2, bytes.size() - 100, size_t(600)}) {
        const std::string cut = file("cut." + extension);
        std::ofstream(cut, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(keep));
        Table table;
        std::string error;
        // A reader may recover what is there, but must not crash or hang;
        // a cut zip has lost its directory and cannot be read at all.
        const bool read = rw::sheet::readFirstSheet(cut, table, &error);
        if (extension == "xlsx") {
            EXPECT_FALSE(read) << keep;
        }
        if (!read) {
            EXPECT_FALSE(error.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Producers, Reader, ::testing::Values("xls", "xlsx"));

TEST(ReaderRefuses, FilesThatAreNoWorkbooks)
{
    rwtest::FreshDatabase scratch;
    auto path = [&](const char* name) { return (scratch.directory() / name).string(); };
    std::ofstream(path("empty.xls"));
    std::ofstream(path("text.xls")) << "部门,岗位\n财务部,会计\n";
    std::ofstream(path("fake-ole.xls"), std::ios::binary) << std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)
                                                          << std::string(3000, '\x01');
    std::ofstream(path("fake-zip.xlsx"), std::ios::binary) << "PK\x03\x04" << std::string(500, 'z');
    ASSERT_EQ(rwtest::python("import sys,zipfile; z=zipfile.ZipFile(sys.argv[1],'w'); z.writestr('a.txt','x'); z.close()",
                             path("plain.zip")),
              0);
    ASSERT_EQ(rwtest::python("import sys,zipfile; z=zipfile.ZipFile(sys.argv[1],'w'); "
                             "z.writestr('xl/workbook.xml','<workbook><sheets><sheet r:id=\"rId1\"'); z.close()",
                             path("broken-xml.xlsx")),
              0);
    for (const char* name : {"missing.xls", "empty.xls", "text.xls", "fake-ole.xls", "fake-zip.xlsx", "plain.zip",
                             "broken-xml.xlsx"}) {
        Table table;
        table.rows = {{"old"}};
        std::string error;
        EXPECT_FALSE(rw::sheet::readFirstSheet(path(name), table, &error)) << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_TRUE(table.rows.empty() || table.rows == Rows{{"old"}}) << name;
    }
}

TEST(NumberText, IsTheShortestForm)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {{8001, "8001"}, {8001.0, "8001"}, {3.5, "3.5"}, {0.1, "0.1"}, {-2, "-2"},
                 {0, "0"},       {1e20, "1e+20"}, {123456789012, "123456789012"}, {1.0 / 3, "0.3333333333333333"}};
    for (const Case& c : cases)
        EXPECT_EQ(rw::sheet::numberText(c.value), c.text) << c.value;
}

} // namespace
