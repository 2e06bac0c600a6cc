// The .xls writer, checked by reading its files back with two readers that
// share nothing with it: xlrd (through tests/sheet/xls_check.py) for the
// contents and every formatting detail, and libfreexl for the contents.
#include "sheet/compound_file.h"
#include "sheet/workbook.h"

#include <freexl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;
using namespace rw::sheet;

namespace {

class TempDir {
public:
    TempDir()
    {
        std::random_device random;
        m_path = fs::temp_directory_path() /
                 ("rankwise-xls-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

// "x" + hex of UTF-8, as xls_check.py prints texts.
std::string unhex(const std::string& word)
{
    EXPECT_FALSE(word.empty());
    EXPECT_EQ(word[0], 'x');
    std::string out;
    for (std::size_t i = 1; i + 1 < word.size(); i += 2)
        out.push_back(char(std::stoi(word.substr(i, 2), nullptr, 16)));
    return out;
}

struct XfFacts {
    std::string fontName;
    int fontHeight = 0, bold = 0, weight = 0;
    int left = 0, right = 0, top = 0, bottom = 0;
    std::string borderColour;
    int pattern = 0;
    std::string fillColour;
    int wrap = 0, hAlign = 0, vAlign = 0;
    std::string numberFormat;
};

struct CellFacts {
    int type = 0, xf = 0;
    std::string value;
};

// What xlrd found in a file.
struct XlrdView {
    std::vector<std::string> log;
    int sheets = 0;
    std::string sheetName;
    int rows = 0, cols = 0;
    std::map<std::pair<int, int>, CellFacts> cells;
    std::map<int, XfFacts> xfs;
    std::set<std::tuple<int, int, int, int>> merges; // xlrd's half-open ranges
    std::map<int, int> widths;
    std::map<int, std::pair<int, int>> heights; // twips, custom height flag
};

bool readWithXlrd(const std::string& xls, XlrdView& view)
{
    const std::string out = xls + ".facts";
    const std::string command = "/usr/bin/python3 " + quoted(RW_XLS_CHECK_SCRIPT) + " book " + quoted(xls) +
                                " " + quoted(out);
    if (std::system(command.c_str()) != 0)
        return false;
    std::istringstream lines(readAll(out));
    fs::remove(out);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "log") {
            std::string text;
            words >> text;
            view.log.push_back(unhex(text));
        } else if (kind == "sheets") {
            words >> view.sheets;
        } else if (kind == "sheet") {
            std::string name;
            words >> name >> view.rows >> view.cols;
            view.sheetName = unhex(name);
        } else if (kind == "cell") {
            int row, col;
            CellFacts cell;
            words >> row >> col >> cell.type >> cell.xf >> cell.value;
            view.cells[{row, col}] = cell;
        } else if (kind == "xf") {
            int index;
            XfFacts xf;
            std::string name, format;
            words >> index >> name >> xf.fontHeight >> xf.bold >> xf.weight >> xf.left >> xf.right >> xf.top >>
                xf.bottom >> xf.borderColour >> xf.pattern >> xf.fillColour >> xf.wrap >> xf.hAlign >> xf.vAlign >>
                format;
            xf.fontName = unhex(name);
            xf.numberFormat = unhex(format);
            view.xfs[index] = xf;
        } else if (kind == "merge") {
            int a, b, c, d;
            words >> a >> b >> c >> d;
            view.merges.insert({a, b, c, d});
        } else if (kind == "col") {
            int col, width;
            words >> col >> width;
            view.widths[col] = width;
        } else if (kind == "row") {
            int row, height, custom;
            words >> row >> height >> custom;
            view.heights[row] = {height, custom};
        }
    }
    return true;
}

// How a cell's text must read back: bare "\n" line breaks.
std::string expectedText(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::string hexColour(const Colour& c)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

constexpr int kXlText = 1, kXlNumber = 2, kXlDate = 3, kXlError = 5, kXlBlank = 6;

// Everything the model says, as xlrd must see it.
void expectSameAsModel(const Workbook& book, const XlrdView& view)
{
    EXPECT_TRUE(view.log.empty()) << "xlrd complained: " << view.log.front();
    EXPECT_EQ(view.sheets, 1);
    EXPECT_EQ(view.rows, book.rowCount());
    EXPECT_EQ(view.cols, book.columnCount());
    ASSERT_EQ(view.cells.size(), book.cells().size());

    int mismatches = 0;
    for (const auto& [at, cell] : book.cells()) {
        if (mismatches > 10)
            FAIL() << "too many mismatches";
        auto found = view.cells.find(at);
        ASSERT_NE(found, view.cells.end()) << "missing cell " << at.first << "," << at.second;
        const CellFacts& got = found->second;
        const std::string where = "cell " + std::to_string(at.first) + "," + std::to_string(at.second);
        if (cell.number && std::isfinite(*cell.number)) {
            EXPECT_TRUE(got.type == kXlNumber || got.type == kXlDate) << where;
            EXPECT_EQ(std::strtod(got.value.c_str(), nullptr), *cell.number) << where;
        } else if (cell.number) {
            EXPECT_EQ(got.type, kXlError) << where;
            EXPECT_EQ(got.value, "36") << where; // #NUM!
        } else if (cell.text.empty()) {
            EXPECT_EQ(got.type, kXlBlank) << where;
        } else {
            EXPECT_EQ(got.type, kXlText) << where;
            if (got.type == kXlText && unhex(got.value) != expectedText(cell.text)) {
                ++mismatches;
                ADD_FAILURE() << where << " reads back differently (" << unhex(got.value).size() << " bytes, expected "
                              << expectedText(cell.text).size() << ")";
            }
        }

        auto xf = view.xfs.find(got.xf);
        ASSERT_NE(xf, view.xfs.end()) << where;
        const Format& f = cell.format;
        const XfFacts& x = xf->second;
        const int borderStyle = f.border ? 1 : 0;
        const bool same =
            x.fontName == f.fontName && x.fontHeight == std::lround(f.fontSize * 20) && x.bold == (f.bold ? 1 : 0) &&
            x.weight == (f.bold ? 700 : 400) && x.left == borderStyle && x.right == borderStyle &&
            x.top == borderStyle && x.bottom == borderStyle && (!f.border || x.borderColour == "000000") &&
            x.pattern == (f.fill ? 1 : 0) && (!f.fill || x.fillColour == hexColour(*f.fill)) &&
            x.wrap == (f.wrap ? 1 : 0) && x.hAlign == int(f.hAlign) &&
            x.vAlign == (f.vAlign == VAlign::Top ? 0 : f.vAlign == VAlign::Centre ? 1 : 2) &&
            x.numberFormat == f.numberFormat;
        if (!same) {
            ++mismatches;
            ADD_FAILURE() << where << " has another format: font " << x.fontName << " " << x.fontHeight << " bold "
                          << x.bold << " borders " << x.left << x.right << x.top << x.bottom << " fill " << x.pattern
                          << " " << x.fillColour << " wrap " << x.wrap << " align " << x.hAlign << "/" << x.vAlign
                          << " format " << x.numberFormat;
        }
    }

    std::set<std::tuple<int, int, int, int>> merges;
    for (const Merge& m : book.merges())
        merges.insert({m.firstRow, m.lastRow + 1, m.firstCol, m.lastCol + 1});
    EXPECT_EQ(view.merges, merges);

    std::map<int, int> widths;
    for (const auto& [col, characters] : book.columnWidths())
        widths[col] = int(std::lround(characters * 256));
    EXPECT_EQ(view.widths, widths);

    for (const auto& [row, points] : book.rowHeights()) {
        auto found = view.heights.find(row);
        ASSERT_NE(found, view.heights.end()) << "row " << row;
        EXPECT_EQ(found->second.first, std::lround(points * 20)) << "row " << row;
        EXPECT_EQ(found->second.second, 1) << "row " << row << " lacks its custom height flag";
    }
}

// The contents through libfreexl.
void expectSameInFreexl(const Workbook& book, const std::string& path, const std::string& sheetName,
                        unsigned minFatSectors)
{
    const void* handle = nullptr;
    ASSERT_EQ(freexl_open(path.c_str(), &handle), FREEXL_OK);
    unsigned info = 0;
    EXPECT_EQ(freexl_get_info(handle, FREEXL_BIFF_VERSION, &info), FREEXL_OK);
    EXPECT_EQ(info, unsigned(FREEXL_BIFF_VER_8));
    EXPECT_EQ(freexl_get_info(handle, FREEXL_BIFF_CODEPAGE, &info), FREEXL_OK);
    EXPECT_EQ(info, unsigned(FREEXL_BIFF_UTF16LE));
    EXPECT_EQ(freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &info), FREEXL_OK);
    EXPECT_EQ(info, 1u);
    EXPECT_EQ(freexl_get_info(handle, FREEXL_CFBF_FAT_COUNT, &info), FREEXL_OK);
    EXPECT_GE(info, minFatSectors);
    const char* name = nullptr;
    EXPECT_EQ(freexl_get_worksheet_name(handle, 0, &name), FREEXL_OK);
    EXPECT_EQ(std::string(name ? name : ""), sheetName);
    ASSERT_EQ(freexl_select_active_worksheet(handle, 0), FREEXL_OK);
    unsigned rows = 0;
    unsigned short cols = 0;
    ASSERT_EQ(freexl_worksheet_dimensions(handle, &rows, &cols), FREEXL_OK);
    EXPECT_EQ(rows, unsigned(book.rowCount()));
    EXPECT_EQ(cols, book.columnCount());

    int mismatches = 0;
    for (const auto& [at, cell] : book.cells()) {
        if (mismatches > 10)
            break;
        FreeXL_CellValue value;
        ASSERT_EQ(freexl_get_cell_value(handle, unsigned(at.first), static_cast<unsigned short>(at.second), &value),
                  FREEXL_OK);
        bool same = true;
        if (cell.number && std::isfinite(*cell.number)) {
            same = (value.type == FREEXL_CELL_DOUBLE && value.value.double_value == *cell.number) ||
                   (value.type == FREEXL_CELL_INT && value.value.int_value == *cell.number) ||
                   value.type == FREEXL_CELL_DATE || value.type == FREEXL_CELL_DATETIME;
        } else if (!cell.number && !cell.text.empty()) {
            same = value.type == FREEXL_CELL_SST_TEXT && expectedText(cell.text) == value.value.text_value;
        } else if (!cell.number) {
            same = value.type == FREEXL_CELL_NULL;
        }
        if (!same) {
            ++mismatches;
            ADD_FAILURE() << "freexl reads cell " << at.first << "," << at.second << " differently (type "
                          << value.type << ")";
        }
    }
    freexl_close(handle);
}

// ---- the workbooks --------------------------------------------------------

std::string repeat(const std::string& piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

void texts(Workbook& book)
{
    book.setText(0, 0, "岗位名称");
    book.setText(0, 1, "第一行\r\n第二行\r\n第三行");
    book.setText(0, 2, "line one\nline two");
    book.setText(0, 3, "plain ASCII");
    book.setText(1, 0, "Größe, café, ½");         // Latin-1 only: stored one byte a character
    book.setText(1, 1, "emoji 😀 and 𠀀 outside the BMP");
    book.setText(1, 2, "");                        // formatted, no value
    book.setText(1, 3, "岗位名称");               // shared with A1
    book.setText(2, 5, "  leading and trailing blanks  ");
    book.setText(4, 0, "lone\rcarriage return");
}

void numbers(Workbook& book)
{
    const double values[] = {0, 1, -1, 42, 3.14159, -2.5e-7, 1e300, 123456789.125, 0.1, 65535, 65536};
    int i = 0;
    for (double value : values) {
        book.setNumber(i / 4, i % 4, value);
        ++i;
    }
    book.setNumber(5, 0, std::numeric_limits<double>::quiet_NaN());
    book.setNumber(5, 1, std::numeric_limits<double>::infinity());
    book.setText(6, 0, "text turned number");
    book.setNumber(6, 0, 7);
}

// Far more than one record of strings: CONTINUE records, strings split
// across two of them in both storage widths, surrogate pairs at the seams.
void sharedStrings(Workbook& book)
{
    for (int i = 0; i < 5000; ++i)
        book.setText(i, 0, (i % 2 ? "员工" : "staff ") + std::to_string(i));
    for (int i = 0; i < 5000; i += 7)
        book.setText(i, 1, (i % 2 ? "员工" : "staff ") + std::to_string(i)); // repeats
    book.setText(0, 2, repeat("评", 4000));
    book.setText(1, 2, repeat("abcdefghij", 800));
    for (int prefix = 0; prefix < 3; ++prefix)
        book.setText(2 + prefix, 2, repeat("中", prefix) + repeat("😀", 2000));
    book.setText(2500, 2, repeat("ü", 8000));
}

// Strings over several CONTINUE records each, up to the longest a cell holds.
void veryLongStrings(Workbook& book)
{
    book.setText(0, 0, repeat("评", 20000));
    book.setText(1, 0, repeat("abcdefghij", 2000));
    for (int prefix = 0; prefix < 3; ++prefix)
        book.setText(2 + prefix, 0, repeat("中", prefix) + repeat("😀", 6000));
    book.setText(5, 0, repeat("x", 32767));
    book.setText(6, 0, repeat("长", 32767));
    book.setText(7, 0, "after them");
}

void formats(Workbook& book)
{
    struct Style {
        const char* font;
        double size;
        bool bold;
        std::optional<Colour> fill;
        bool border;
        HAlign h;
        VAlign v;
        bool wrap;
        const char* numberFormat;
    };
    const Style styles[] = {
        {"宋体", 11, false, std::nullopt, false, HAlign::General, VAlign::Bottom, false, "General"},
        {"宋体", 14, true, Colour{0xDD, 0xEB, 0xF7}, true, HAlign::Centre, VAlign::Centre, true, "@"},
        {"黑体", 12, true, Colour{0x12, 0x34, 0x56}, true, HAlign::Left, VAlign::Top, false, "General"},
        {"Arial", 9, false, Colour{255, 0, 0}, false, HAlign::Right, VAlign::Centre, true, "0.00"},
        {"Times New Roman", 10.5, false, Colour{0, 0, 0}, true, HAlign::General, VAlign::Bottom, false, "#,##0.0"},
        {"宋体", 11, false, Colour{255, 255, 255}, true, HAlign::Centre, VAlign::Bottom, false, "yyyy-mm-dd"},
        {"微软雅黑", 20, true, Colour{0xC0, 0xC0, 0xC1}, false, HAlign::Centre, VAlign::Top, true, "0.0%"},
        {"宋体", 11, true, Colour{0xDD, 0xEB, 0xF7}, false, HAlign::General, VAlign::Bottom, false, "@"},
    };
    int row = 0;
    for (const Style& s : styles) {
        for (int col = 0; col < 3; ++col) {
            Format& f = book.format(row, col);
            f.fontName = s.font;
            f.fontSize = s.size;
            f.bold = s.bold;
            f.fill = s.fill;
            f.border = s.border;
            f.hAlign = s.h;
            f.vAlign = s.v;
            f.wrap = s.wrap;
            f.numberFormat = s.numberFormat;
        }
        book.setText(row, 0, std::string("样式 ") + s.font);
        book.setNumber(row, 1, 45000.5 + row);
        ++row;
    }
}

// More fill colours than the default palette has slots of its own.
void manyColours(Workbook& book)
{
    for (int i = 0; i < 54; ++i) {
        book.setNumber(i, 0, i);
        book.format(i, 0).fill = Colour{std::uint8_t(i * 4 + 1), std::uint8_t(255 - i), std::uint8_t(i * 3 + 7)};
    }
    book.format(54, 0).fill = Colour{0, 0, 0};
    book.format(55, 0).fill = Colour{255, 255, 255};
}

void layout(Workbook& book)
{
    book.setText(0, 0, "标题");
    book.merge(0, 0, 0, 5);
    book.formatRange(0, 0, 0, 5, [](Format& f) {
        f.border = true;
        f.fill = Colour{0xFF, 0xF2, 0xCC};
        f.hAlign = HAlign::Centre;
    });
    book.merge(1, 0, 3, 1);
    book.setText(1, 0, "纵向合并");
    book.setColumnWidth(0, 10);
    book.setColumnWidth(1, 10);
    book.setColumnWidth(3, 25.5);
    book.setColumnWidth(7, 4.25);
    book.setRowHeight(0, 30);
    book.setRowHeight(5, 12.75);
    book.setRowHeight(100, 45.5); // a row with a height and no cells
    // Enough merges for two MERGEDCELLS records.
    for (int i = 0; i < 1500; ++i) {
        book.setText(10 + i, 2, "m" + std::to_string(i));
        book.merge(10 + i, 2, 10 + i, 3);
    }
}

// Several FAT sectors.
void bigSheet(Workbook& book)
{
    for (int row = 0; row < 20000; ++row) {
        book.setNumber(row, 0, row);
        book.setText(row, 1, "员工" + std::to_string(row));
        book.setText(row, 2, row % 3 ? "合格" : "优秀");
        book.setNumber(row, 3, row * 0.25);
        book.setText(row, 4, "备注\n第 " + std::to_string(row) + " 行");
        book.setNumber(row, 5, -row);
        book.format(row, 4).wrap = true;
        book.format(row, 5).border = true;
    }
}

void corners(Workbook& book)
{
    book.setText(0, 0, "first");
    book.setText(65535, 255, "last");
}

struct Case {
    const char* name;
    std::function<void(Workbook&)> build;
    std::string sheetName = "Sheet1";
    std::string expectedSheetName = "Sheet1";
    unsigned minFatSectors = 1;
    // libfreexl 1.0.6 keeps only the first two pieces of a string split over
    // CONTINUE records and then misreads the rest of the file; xlrd reads
    // such files fine, as does Excel, which writes them the same way.
    bool freexlCanRead = true;
};

const Case kCases[] = {
    {"Empty", [](Workbook&) {}},
    {"Texts", texts, "职位评估", "职位评估"},
    {"Numbers", numbers},
    {"SharedStrings", sharedStrings, "strings", "strings", 2},
    {"VeryLongStrings", veryLongStrings, "Sheet1", "Sheet1", 1, false},
    {"Formats", formats},
    {"ManyColours", manyColours},
    {"Layout", layout},
    {"BigSheet", bigSheet, "Sheet1", "Sheet1", 8},
    {"Corners", corners},
    {"SheetNameCleaned", texts, "a/b:c*d?e[f]g\\h and more than thirty-one", "a_b_c_d_e_f_g_h and more than t"},
};

// Test names start with sheet_xls so that `ctest -R sheet_xls` picks them.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class XlsCase : public testing::TestWithParam<Case> {};

TEST_P(XlsCase, ReadsBackAsWritten)
{
    const Case& c = GetParam();
    Workbook book(c.sheetName);
    c.build(book);
    TempDir dir;
    const std::string path = dir.file("export.xls");
    std::string error;
    ASSERT_TRUE(saveXls(book, path, &error)) << error;
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    XlrdView view;
    ASSERT_TRUE(readWithXlrd(path, view));
    EXPECT_EQ(view.sheetName, c.expectedSheetName);
    expectSameAsModel(book, view);
    if (c.freexlCanRead)
        expectSameInFreexl(book, path, c.expectedSheetName, c.minFatSectors);
}

INSTANTIATE_TEST_SUITE_P(sheet_xls, XlsCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

// Beyond 54 colours of their own the nearest palette colour stands in, and the
// file stays sound.
TEST(sheet_xls_writer, TooManyColoursStillWrites)
{
    Workbook book;
    for (int i = 0; i < 80; ++i) {
        book.setNumber(i, 0, i);
        book.format(i, 0).fill = Colour{std::uint8_t(i * 3), 100, 200};
    }
    TempDir dir;
    const std::string path = dir.file("colours.xls");
    ASSERT_TRUE(saveXls(book, path));
    XlrdView view;
    ASSERT_TRUE(readWithXlrd(path, view));
    EXPECT_TRUE(view.log.empty());
    std::set<std::string> colours;
    for (const auto& [at, cell] : view.cells)
        colours.insert(view.xfs.at(cell.xf).fillColour);
    EXPECT_EQ(colours.size(), 54u);
}

TEST(sheet_xls_writer, ReplacesAnExistingFile)
{
    TempDir dir;
    const std::string path = dir.file("again.xls");
    Workbook first;
    first.setText(0, 0, "old");
    ASSERT_TRUE(saveXls(first, path));
    Workbook second;
    second.setText(0, 0, "new");
    ASSERT_TRUE(saveXls(second, path));
    XlrdView view;
    ASSERT_TRUE(readWithXlrd(path, view));
    ASSERT_EQ(view.cells.size(), 1u);
    EXPECT_EQ(unhex(view.cells.begin()->second.value), "new");
}

// ---- refusals ------------------------------------------------------------

struct Refusal {
    const char* name;
    std::function<void(Workbook&)> build;
    bool missingDirectory = false;
};

const Refusal kRefusals[] = {
    {"MissingDirectory", [](Workbook& b) { b.setText(0, 0, "x"); }, true},
    {"TooManyRows", [](Workbook& b) { b.setText(65536, 0, "x"); }},
    {"TooManyColumns", [](Workbook& b) { b.setNumber(0, 256, 1); }},
    {"NegativePosition", [](Workbook& b) { b.setNumber(-1, 0, 1); }},
    {"RowHeightBeyondRows", [](Workbook& b) { b.setRowHeight(70000, 20); }},
    {"ColumnWidthBeyondColumns", [](Workbook& b) { b.setColumnWidth(300, 20); }},
    {"MergeBeyondColumns", [](Workbook& b) { b.merge(0, 250, 1, 256); }},
    {"TextTooLong", [](Workbook& b) { b.setText(0, 0, std::string(32768, 'x')); }},
};

void PrintTo(const Refusal& r, std::ostream* out) { *out << r.name; }

class XlsRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(XlsRefusal, AnswersFalseAndLeavesNoFile)
{
    const Refusal& r = GetParam();
    Workbook book;
    r.build(book);
    TempDir dir;
    const std::string path = r.missingDirectory ? dir.file("no/such/dir/out.xls") : dir.file("out.xls");
    std::string error;
    EXPECT_FALSE(saveXls(book, path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    EXPECT_FALSE(saveXls(book, path)); // no error text wanted: still no crash
}

INSTANTIATE_TEST_SUITE_P(sheet_xls, XlsRefusal, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<Refusal>& param) { return std::string(param.param.name); });

TEST(sheet_xls_writer, FailureKeepsThePreviousFile)
{
    TempDir dir;
    const std::string path = dir.file("keep.xls");
    Workbook good;
    good.setText(0, 0, "kept");
    ASSERT_TRUE(saveXls(good, path));
    const std::string before = readAll(path);
    Workbook bad;
    bad.setText(70000, 0, "x");
    std::string error;
    EXPECT_FALSE(saveXls(bad, path, &error));
    EXPECT_NE(error.find("65536"), std::string::npos) << error;
    EXPECT_EQ(readAll(path), before);
}

TEST(sheet_xls_writer, UnwritableTargetAnswersFalse)
{
    TempDir dir;
    const std::string path = dir.file("taken");
    fs::create_directories(fs::path(path) / "inside"); // a non-empty directory where the file should go
    Workbook book;
    book.setText(0, 0, "x");
    std::string error;
    EXPECT_FALSE(saveXls(book, path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

// ---- the container alone ----------------------------------------------------

struct StreamCase {
    const char* name;
    std::size_t size;
};

// Sizes around the sector and 4096 boundaries, one FAT sector full, many FAT
// sectors, and past the 109 FAT sectors the header lists itself.
const StreamCase kStreams[] = {
    {"Empty", 0},
    {"Small", 100},
    {"ExactlyMinimum", 4096},
    {"JustOverMinimum", 4097},
    {"OneFatSectorFull", 125 * 512},
    {"TwoFatSectors", 127 * 512},
    {"ManyFatSectors", 700000},
    {"NeedsDifat", 110 * 128 * 512},
    {"NeedsTwoDifatSectors", 240 * 128 * 512 + 17},
};

void PrintTo(const StreamCase& c, std::ostream* out) { *out << c.name; }

class CompoundFile : public testing::TestWithParam<StreamCase> {};

TEST_P(CompoundFile, StreamReadsBack)
{
    std::vector<std::uint8_t> stream(GetParam().size);
    std::mt19937 random(42);
    for (auto& byte : stream)
        byte = std::uint8_t(random());
    std::string error;
    const auto file = buildCompoundFile(u"Workbook", stream, &error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->size() % 512, 0u);

    TempDir dir;
    const std::string path = dir.file("container.bin");
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file->data()), std::streamsize(file->size()));
    }
    const std::string out = dir.file("stream.bin");
    const std::string command = "/usr/bin/python3 " + quoted(RW_XLS_CHECK_SCRIPT) + " stream " + quoted(path) +
                                " Workbook " + quoted(out);
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string got = readAll(out);
    std::string expected(stream.begin(), stream.end());
    if (expected.size() < 4096)
        expected.resize(4096, '\0');
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected);
}

INSTANTIATE_TEST_SUITE_P(sheet_xls, CompoundFile, testing::ValuesIn(kStreams),
                         [](const testing::TestParamInfo<StreamCase>& param) { return std::string(param.param.name); });

TEST(sheet_xls_compound_file, RejectsBadNames)
{
    EXPECT_FALSE(buildCompoundFile(u"", {}));
    std::string error;
    EXPECT_FALSE(buildCompoundFile(std::u16string(32, u'a'), {}, &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
