// saveXls: the workbook as a BIFF8 record stream ("Workbook") inside a
// compound file, the format Excel 97-2003 reads and writes.
#include "sheet/compound_file.h"
#include "sheet/workbook.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string_view>
#include <tuple>
#include <utility>

namespace rw::sheet {

namespace {

constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 256;
constexpr std::size_t kMaxRecordData = 8224;
constexpr std::size_t kMaxTextUnits = 32767; // what a cell can show
constexpr int kStyleXfs = 15;
constexpr int kDefaultCellXf = 15;
constexpr int kFirstCellXf = 16;
constexpr int kMaxXfs = 4050;
constexpr int kDefaultFonts = 4;
constexpr int kMaxFonts = 500;
constexpr int kFirstCustomFormat = 164;
constexpr std::uint16_t kBlack = 8;
constexpr std::uint16_t kWhite = 9;
constexpr std::uint16_t kSystemWindow = 64;   // "automatic" pattern colour
constexpr std::uint16_t kSystemWindowBg = 65; // "automatic" background colour
constexpr std::uint16_t kAutoFontColour = 0x7FFF;

namespace rec {
constexpr std::uint16_t Bof = 0x0809, Eof = 0x000A, Codepage = 0x0042, Window1 = 0x003D,
                        DateMode = 0x0022, Font = 0x0031, Format = 0x041E, Xf = 0x00E0,
                        Style = 0x0293, Palette = 0x0092, BoundSheet = 0x0085, Sst = 0x00FC,
                        Continue = 0x003C, ExtSst = 0x00FF, DefColWidth = 0x0055,
                        ColInfo = 0x007D, Dimensions = 0x0200, Row = 0x0208, LabelSst = 0x00FD,
                        Number = 0x0203, Blank = 0x0201, BoolErr = 0x0205, Window2 = 0x023E,
                        MergedCells = 0x00E5;
}

// Indexes 8..63 of the palette Excel starts from.
constexpr std::array<Colour, 56> kDefaultPalette = {{
    {0, 0, 0},       {255, 255, 255}, {255, 0, 0},     {0, 255, 0},     {0, 0, 255},
    {255, 255, 0},   {255, 0, 255},   {0, 255, 255},   {128, 0, 0},     {0, 128, 0},
    {0, 0, 128},     {128, 128, 0},   {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
    {128, 128, 128}, {153, 153, 255}, {153, 51, 102},  {255, 255, 204}, {204, 255, 255},
    {102, 0, 102},   {255, 128, 128}, {0, 102, 204},   {204, 204, 255}, {0, 0, 128},
    {255, 0, 255},   {255, 255, 0},   {0, 255, 255},   {128, 0, 128},   {128, 0, 0},
    {0, 128, 128},   {0, 0, 255},     {0, 204, 255},   {204, 255, 255}, {204, 255, 204},
    {255, 255, 153}, {153, 204, 255}, {255, 153, 204}, {204, 153, 255}, {255, 204, 153},
    {51, 102, 255},  {51, 204, 204},  {153, 204, 0},   {255, 204, 0},   {255, 153, 0},
    {255, 102, 0},   {102, 102, 153}, {150, 150, 150}, {0, 51, 102},    {51, 153, 102},
    {0, 51, 0},      {51, 51, 0},     {153, 51, 0},    {153, 51, 102},  {51, 51, 153},
    {51, 51, 51},
}};

// Number formats every reader knows by index ("??/" is split so that it
// cannot read as a trigraph).
constexpr std::pair<std::string_view, int> kBuiltInFormats[] = {
    {"General", 0}, {"0", 1},     {"0.00", 2},        {"#,##0", 3},    {"#,##0.00", 4}, {"0%", 9},
    {"0.00%", 10},  {"0.00E+00", 11}, {"# ?/?", 12}, {"# ?" "?/??", 13}, {"@", 49},
};

struct Failure {
    std::string reason;
};

// Invalid UTF-8 becomes U+FFFD rather than failing a whole export.
std::u16string toUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= smallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(char16_t(0xD800 + (code >> 10)));
            out.push_back(char16_t(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(char16_t(code));
        }
        i += length;
    }
    return out;
}

// Cells keep bare "\n" as their line break.
std::u16string cellText(const std::string& text)
{
    std::u16string out;
    const std::u16string in = toUtf16(text);
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == u'\r') {
            out.push_back(u'\n');
            if (i + 1 < in.size() && in[i + 1] == u'\n')
                ++i;
        } else {
            out.push_back(in[i]);
        }
    }
    return out;
}

// At most `units` UTF-16 units, never ending inside a surrogate pair.
std::u16string truncated(std::u16string text, std::size_t units)
{
    if (text.size() > units) {
        text.resize(units);
        if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF)
            text.pop_back();
    }
    return text;
}

bool fitsOneByte(const std::u16string& text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; });
}

class Bytes {
public:
    void u8(unsigned value) { m_data.push_back(std::uint8_t(value)); }
    void u16(unsigned value)
    {
        u8(value & 0xFF);
        u8((value >> 8) & 0xFF);
    }
    void u32(std::uint32_t value)
    {
        u16(value & 0xFFFF);
        u16(value >> 16);
    }
    void f64(double value)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        u32(std::uint32_t(bits));
        u32(std::uint32_t(bits >> 32));
    }
    // Characters only: one byte each when all fit, else UTF-16LE.
    void chars(const std::u16string& text, bool oneByte)
    {
        for (char16_t c : text) {
            if (oneByte)
                u8(c);
            else
                u16(c);
        }
    }
    // Length byte, flags byte, characters (font and sheet names).
    void shortString(const std::u16string& text)
    {
        const bool oneByte = fitsOneByte(text);
        u8(unsigned(text.size()));
        u8(oneByte ? 0 : 1);
        chars(text, oneByte);
    }
    // Length word, flags byte, characters (format codes).
    void string(const std::u16string& text)
    {
        const bool oneByte = fitsOneByte(text);
        u16(unsigned(text.size()));
        u8(oneByte ? 0 : 1);
        chars(text, oneByte);
    }
    void patch32(std::size_t at, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            m_data[at + i] = std::uint8_t(value >> (8 * i));
    }
    std::size_t size() const { return m_data.size(); }
    const std::vector<std::uint8_t>& data() const { return m_data; }
    std::vector<std::uint8_t>& data() { return m_data; }

private:
    std::vector<std::uint8_t> m_data;
};

class RecordStream {
public:
    void record(std::uint16_t type, const Bytes& body) { record(type, body.data()); }
    void record(std::uint16_t type, const std::vector<std::uint8_t>& body)
    {
        // Longer records are split by their writers; a failure here is our bug.
        if (body.size() > kMaxRecordData)
            throw Failure{"internal error: record too long"};
        m_out.u16(type);
        m_out.u16(unsigned(body.size()));
        m_out.data().insert(m_out.data().end(), body.begin(), body.end());
    }
    std::size_t size() const { return m_out.size(); }
    void patch32(std::size_t at, std::uint32_t value) { m_out.patch32(at, value); }
    std::vector<std::uint8_t> take() { return std::move(m_out.data()); }

private:
    Bytes m_out;
};

// ---- what the cells use ---------------------------------------------------

struct FontKey {
    std::u16string name;
    int twips;
    bool bold;
    auto operator<=>(const FontKey&) const = default;
};

FontKey fontKey(const Format& format)
{
    std::u16string name = truncated(toUtf16(format.fontName), 31);
    if (name.empty())
        name = toUtf16(Format().fontName);
    double points = std::isfinite(format.fontSize) ? format.fontSize : Format().fontSize;
    points = std::clamp(points, 1.0, 409.0);
    return {std::move(name), int(std::lround(points * 20)), format.bold};
}

using FormatKey = std::tuple<std::string, double, bool, std::optional<Colour>, bool, int, int, bool, std::string>;

FormatKey formatKey(const Format& f)
{
    return {f.fontName, f.fontSize, f.bold, f.fill, f.border, int(f.hAlign), int(f.vAlign), f.wrap, f.numberFormat};
}

struct Styles {
    std::vector<FontKey> fonts;                // ours, after the default ones
    std::map<FontKey, int> fontIndex;          // into the FONT records as referenced
    std::vector<std::string> customFormats;    // from index 164 on
    std::map<std::string, int> formatIndex;
    struct CellXf {
        Format format;
        int font, numberFormat;
    };
    std::vector<CellXf> xfs;                   // cell XFs from index 16 on
    std::map<FormatKey, int> xfIndex;
    std::array<Colour, 56> palette = kDefaultPalette;
    std::map<Colour, int> colourIndex;

    int fontFor(const Format& format)
    {
        FontKey key = fontKey(format);
        if (auto found = fontIndex.find(key); found != fontIndex.end())
            return found->second;
        const int records = kDefaultFonts + int(fonts.size());
        const int index = records >= 4 ? records + 1 : records; // index 4 does not exist
        fonts.push_back(key);
        fontIndex.emplace(std::move(key), index);
        return index;
    }

    int numberFormatFor(const std::string& code)
    {
        for (const auto& [builtIn, index] : kBuiltInFormats)
            if (code == builtIn)
                return index;
        if (code.empty())
            return 0;
        if (auto found = formatIndex.find(code); found != formatIndex.end())
            return found->second;
        const int index = kFirstCustomFormat + int(customFormats.size());
        customFormats.push_back(code);
        formatIndex.emplace(code, index);
        return index;
    }

    int xfFor(const Format& format)
    {
        FormatKey key = formatKey(format);
        if (auto found = xfIndex.find(key); found != xfIndex.end())
            return found->second;
        const int index = kFirstCellXf + int(xfs.size());
        if (index >= kMaxXfs)
            throw Failure{"too many different cell formats for an .xls file (at most " +
                          std::to_string(kMaxXfs - kFirstCellXf) + ")"};
        xfs.push_back({format, fontFor(format), numberFormatFor(format.numberFormat)});
        xfIndex.emplace(std::move(key), index);
        if (fonts.size() > std::size_t(kMaxFonts))
            throw Failure{"too many different fonts for an .xls file"};
        if (format.fill)
            colourIndex.emplace(*format.fill, -1);
        return index;
    }

    // Fill colours must come out exact, so each gets a palette slot of its
    // own: one already holding it, else an overwritten default slot.
    // Black and white stay at 8 and 9 for borders and the like.
    void assignColours()
    {
        std::set<int> taken = {kBlack, kWhite};
        colourIndex[Colour{0, 0, 0}] = kBlack;
        colourIndex[Colour{255, 255, 255}] = kWhite;
        for (auto& [colour, index] : colourIndex) {
            if (index >= 0)
                continue;
            for (int slot = 10; slot < 64; ++slot) {
                if (!taken.count(slot) && palette[slot - 8] == colour) {
                    index = slot;
                    taken.insert(slot);
                    break;
                }
            }
        }
        int next = 10;
        std::vector<Colour> homeless;
        for (auto& [colour, index] : colourIndex) {
            if (index >= 0)
                continue;
            while (next < 64 && taken.count(next))
                ++next;
            if (next == 64) {
                homeless.push_back(colour);
                continue;
            }
            index = next;
            taken.insert(next);
            palette[next - 8] = colour;
        }
        // A palette has 56 slots; beyond that the nearest colour has to do.
        for (const Colour& colour : homeless) {
            int best = kBlack;
            long bestDistance = -1;
            for (int slot = 8; slot < 64; ++slot) {
                const Colour& p = palette[slot - 8];
                const long dr = long(p.r) - colour.r, dg = long(p.g) - colour.g, db = long(p.b) - colour.b;
                const long distance = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || distance < bestDistance) {
                    bestDistance = distance;
                    best = slot;
                }
            }
            colourIndex[colour] = best;
        }
    }
};

// ---- globals ----------------------------------------------------------------

Bytes bof(unsigned kind)
{
    Bytes b;
    b.u16(0x0600); // BIFF8
    b.u16(kind);   // 0x0005 workbook globals, 0x0010 worksheet
    b.u16(0x0DBB); // build
    b.u16(0x07CC); // year
    b.u32(0);      // file history
    b.u32(0x06);   // lowest version that can read it: Excel 97
    return b;
}

Bytes font(const FontKey& key)
{
    Bytes b;
    b.u16(unsigned(key.twips));
    b.u16(key.bold ? 1 : 0); // old readers take bold from here, newer ones from the weight
    b.u16(kAutoFontColour);
    b.u16(key.bold ? 700 : 400);
    b.u16(0); // no super- or subscript
    b.u8(0);  // no underline
    b.u8(0);  // family: don't care
    const bool cjk = std::any_of(key.name.begin(), key.name.end(), [](char16_t c) { return c >= 0x2E80; });
    b.u8(cjk ? 134 : 1); // GB2312, else the default character set
    b.u8(0);
    b.shortString(key.name);
    return b;
}

Bytes styleXf(int fontIndex, bool normal)
{
    Bytes b;
    b.u16(unsigned(fontIndex));
    b.u16(0);
    b.u16(0xFFF5);          // locked, a style, no parent
    b.u8(0x20);             // bottom aligned
    b.u8(0);
    b.u8(0);
    b.u8(normal ? 0 : 0xF4); // the other styles leave everything to Normal
    b.u32(0);
    b.u32(0);
    b.u16(kSystemWindow | (kSystemWindowBg << 7));
    return b;
}

Bytes cellXf(int fontIndex, int formatIndex, const Format* format, std::uint16_t fillColour)
{
    Bytes b;
    b.u16(unsigned(fontIndex));
    b.u16(unsigned(formatIndex));
    b.u16(0x0001); // locked, parent style Normal (XF 0)
    if (!format) {
        b.u8(0x20);
        b.u8(0);
        b.u8(0);
        b.u8(0);
        b.u32(0);
        b.u32(0);
        b.u16(kSystemWindow | (kSystemWindowBg << 7));
        return b;
    }
    const unsigned horizontal = format->hAlign == HAlign::Left     ? 1
                                : format->hAlign == HAlign::Centre ? 2
                                : format->hAlign == HAlign::Right  ? 3
                                                                   : 0;
    const unsigned vertical = format->vAlign == VAlign::Top ? 0 : format->vAlign == VAlign::Centre ? 1 : 2;
    b.u8(horizontal | (format->wrap ? 0x08 : 0) | (vertical << 4));
    b.u8(0); // no rotation
    b.u8(0); // no indent, no shrinking, reading order by context
    b.u8(0xFC); // number format, font, alignment, borders, fill, protection all our own
    const std::uint32_t line = format->border ? 1 : 0; // thin
    const std::uint32_t colour = format->border ? kBlack : 0;
    b.u32(line | (line << 4) | (line << 8) | (line << 12) | (colour << 16) | (colour << 23));
    const std::uint32_t pattern = format->fill ? 1 : 0; // solid
    b.u32(colour | (colour << 7) | (pattern << 26));
    b.u16(format->fill ? (fillColour | (kSystemWindowBg << 7)) : (kSystemWindow | (kSystemWindowBg << 7)));
    return b;
}

// The shared strings, split into CONTINUE records where needed, and the
// index Excel uses to find them quickly.
void writeSst(RecordStream& out, const std::vector<std::u16string>& strings, std::uint32_t references)
{
    const std::size_t perBucket = std::max<std::size_t>(8, (strings.size() + 127) / 128);
    struct Bucket {
        std::uint32_t position;
        std::uint16_t offset;
    };
    std::vector<Bucket> buckets;

    std::vector<std::uint8_t> body;
    std::uint16_t type = rec::Sst;
    auto flush = [&] {
        out.record(type, body);
        body.clear();
        type = rec::Continue;
    };
    auto put8 = [&](unsigned v) { body.push_back(std::uint8_t(v)); };
    auto put16 = [&](unsigned v) {
        put8(v & 0xFF);
        put8((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put32(references);
    put32(std::uint32_t(strings.size()));

    for (std::size_t s = 0; s < strings.size(); ++s) {
        const std::u16string& text = strings[s];
        const bool oneByte = fitsOneByte(text);
        const std::size_t unit = oneByte ? 1 : 2;
        // The length and flags stay together with at least one character.
        if (body.size() + 3 + (text.empty() ? 0 : unit) > kMaxRecordData)
            flush();
        if (s % perBucket == 0)
            buckets.push_back({std::uint32_t(out.size() + 4 + body.size()), std::uint16_t(4 + body.size())});
        put16(unsigned(text.size()));
        put8(oneByte ? 0 : 1);
        std::size_t done = 0;
        while (done < text.size()) {
            std::size_t room = (kMaxRecordData - body.size()) / unit;
            std::size_t count = std::min(room, text.size() - done);
            // Never part a surrogate pair between two records.
            if (count > 0 && done + count < text.size() && text[done + count - 1] >= 0xD800 &&
                text[done + count - 1] <= 0xDBFF)
                --count;
            if (count == 0) {
                flush();
                put8(oneByte ? 0 : 1); // a continued string repeats its flags
                continue;
            }
            for (std::size_t i = done; i < done + count; ++i) {
                if (oneByte)
                    put8(text[i]);
                else
                    put16(text[i]);
            }
            done += count;
        }
    }
    flush();

    Bytes ext;
    ext.u16(unsigned(perBucket));
    for (const Bucket& bucket : buckets) {
        ext.u32(bucket.position);
        ext.u16(bucket.offset);
        ext.u16(0);
    }
    out.record(rec::ExtSst, ext);
}

std::u16string sheetName(const std::string& name)
{
    // Excel refuses these characters and names over 31 characters.
    std::u16string out;
    for (char16_t c : toUtf16(name))
        out.push_back(std::u16string_view(u"[]:*?/\\").find(c) == std::u16string_view::npos && c >= 0x20 ? c : u'_');
    out = truncated(std::move(out), 31);
    if (!out.empty() && out.front() == u'\'')
        out.front() = u'_';
    if (!out.empty() && out.back() == u'\'')
        out.back() = u'_';
    return out.empty() ? u"Sheet1" : out;
}

// ---- the sheet --------------------------------------------------------------

void check(const Workbook& book)
{
    auto where = [](int row, int col) {
        return "row " + std::to_string(row + 1) + ", column " + std::to_string(col + 1);
    };
    for (const auto& [at, cell] : book.cells()) {
        const auto [row, col] = at;
        if (row < 0 || col < 0)
            throw Failure{"a cell has a negative position"};
        if (row >= kMaxRows)
            throw Failure{"an .xls sheet has at most " + std::to_string(kMaxRows) + " rows, " + where(row, col) +
                          " is beyond"};
        if (col >= kMaxColumns)
            throw Failure{"an .xls sheet has at most " + std::to_string(kMaxColumns) + " columns, " +
                          where(row, col) + " is beyond"};
    }
    for (const auto& [row, height] : book.rowHeights())
        if (row < 0 || row >= kMaxRows)
            throw Failure{"row " + std::to_string(row + 1) + " is outside the rows of an .xls sheet"};
    for (const auto& [col, width] : book.columnWidths())
        if (col < 0 || col >= kMaxColumns)
            throw Failure{"column " + std::to_string(col + 1) + " is outside the columns of an .xls sheet"};
    for (const Merge& m : book.merges())
        if (m.firstRow < 0 || m.firstCol < 0 || m.firstRow > m.lastRow || m.firstCol > m.lastCol ||
            m.lastRow >= kMaxRows || m.lastCol >= kMaxColumns)
            throw Failure{"the merged range at " + where(m.firstRow, m.firstCol) + " is not valid in an .xls sheet"};
}

struct Content {
    std::vector<std::u16string> strings;
    std::map<std::u16string, std::uint32_t> stringIndex;
    std::uint32_t references = 0;
    std::map<std::pair<int, int>, int> xfOf; // cell -> XF index
    std::map<std::pair<int, int>, std::uint32_t> sstOf;
};

Content collect(const Workbook& book, Styles& styles)
{
    Content content;
    for (const auto& [at, cell] : book.cells()) {
        content.xfOf[at] = styles.xfFor(cell.format);
        if (cell.number || cell.text.empty())
            continue;
        std::u16string text = cellText(cell.text);
        if (text.size() > kMaxTextUnits)
            throw Failure{"the text at row " + std::to_string(at.first + 1) + ", column " +
                          std::to_string(at.second + 1) + " is longer than an .xls cell holds (" +
                          std::to_string(kMaxTextUnits) + " characters)"};
        auto [found, added] = content.stringIndex.emplace(std::move(text), std::uint32_t(content.strings.size()));
        if (added)
            content.strings.push_back(found->first);
        content.sstOf[at] = found->second;
        ++content.references;
    }
    styles.assignColours();
    return content;
}

void writeGlobals(RecordStream& out, const Workbook& book, const Styles& styles, const Content& content,
                  std::size_t& sheetOffsetAt)
{
    out.record(rec::Bof, bof(0x0005));
    {
        Bytes b;
        b.u16(1200); // UTF-16
        out.record(rec::Codepage, b);
    }
    {
        Bytes b;
        b.u16(0);      // window position and size, in twips
        b.u16(0);
        b.u16(0x4000);
        b.u16(0x2000);
        b.u16(0x0038); // horizontal and vertical scroll bars, sheet tabs
        b.u16(0);      // active sheet
        b.u16(0);      // first visible tab
        b.u16(1);      // selected sheets
        b.u16(600);    // tab bar width, per mille
        out.record(rec::Window1, b);
    }
    {
        Bytes b;
        b.u16(0); // dates count from 1900
        out.record(rec::DateMode, b);
    }

    const FontKey normal = fontKey(Format());
    for (int i = 0; i < kDefaultFonts; ++i)
        out.record(rec::Font, font(normal));
    for (const FontKey& key : styles.fonts)
        out.record(rec::Font, font(key));

    for (std::size_t i = 0; i < styles.customFormats.size(); ++i) {
        Bytes b;
        b.u16(unsigned(kFirstCustomFormat + i));
        b.string(truncated(toUtf16(styles.customFormats[i]), 255));
        out.record(rec::Format, b);
    }

    // The fifteen style XFs every workbook has, then the default cell XF.
    for (int i = 0; i < kStyleXfs; ++i)
        out.record(rec::Xf, styleXf(i == 1 || i == 2 ? 1 : i == 3 || i == 4 ? 2 : 0, i == 0));
    out.record(rec::Xf, cellXf(0, 0, nullptr, 0));
    static_assert(kDefaultCellXf == kStyleXfs && kFirstCellXf == kDefaultCellXf + 1);
    for (const Styles::CellXf& xf : styles.xfs) {
        const std::uint16_t fill = xf.format.fill ? std::uint16_t(styles.colourIndex.at(*xf.format.fill)) : 0;
        out.record(rec::Xf, cellXf(xf.font, xf.numberFormat, &xf.format, fill));
    }

    {
        Bytes b;
        b.u16(0x8000); // built-in style on XF 0
        b.u8(0);       // Normal
        b.u8(0xFF);
        out.record(rec::Style, b);
    }
    {
        Bytes b;
        b.u16(unsigned(styles.palette.size()));
        for (const Colour& c : styles.palette) {
            b.u8(c.r);
            b.u8(c.g);
            b.u8(c.b);
            b.u8(0);
        }
        out.record(rec::Palette, b);
    }
    {
        Bytes b;
        sheetOffsetAt = out.size() + 4; // patched once the sheet's place is known
        b.u32(0);
        b.u8(0); // visible
        b.u8(0); // worksheet
        b.shortString(sheetName(book.sheetName()));
        out.record(rec::BoundSheet, b);
    }
    writeSst(out, content.strings, content.references);
    out.record(rec::Eof, Bytes());
}

void writeSheet(RecordStream& out, const Workbook& book, const Content& content)
{
    out.record(rec::Bof, bof(0x0010));
    {
        Bytes b;
        b.u16(8);
        out.record(rec::DefColWidth, b);
    }

    // Neighbouring columns of one width share a record.
    std::vector<std::pair<int, int>> widths; // column, width in 1/256 characters
    for (const auto& [col, characters] : book.columnWidths()) {
        if (!std::isfinite(characters))
            continue;
        widths.emplace_back(col, int(std::lround(std::clamp(characters, 0.0, 255.0) * 256)));
    }
    for (std::size_t i = 0; i < widths.size();) {
        std::size_t j = i;
        while (j + 1 < widths.size() && widths[j + 1].first == widths[j].first + 1 &&
               widths[j + 1].second == widths[i].second)
            ++j;
        Bytes b;
        b.u16(unsigned(widths[i].first));
        b.u16(unsigned(widths[j].first));
        b.u16(unsigned(widths[i].second));
        b.u16(kDefaultCellXf);
        b.u16(0); // not hidden
        b.u16(0);
        out.record(rec::ColInfo, b);
        i = j + 1;
    }

    // Rows: their used columns, and their heights where set.
    struct RowInfo {
        int firstCol = -1, lastCol = -1;
        std::optional<int> twips;
    };
    std::map<int, RowInfo> rows;
    int firstCol = kMaxColumns, lastCol = -1;
    for (const auto& [at, cell] : book.cells()) {
        RowInfo& row = rows[at.first];
        if (row.firstCol < 0)
            row.firstCol = at.second;
        row.lastCol = std::max(row.lastCol, at.second);
        firstCol = std::min(firstCol, at.second);
        lastCol = std::max(lastCol, at.second);
    }
    for (const auto& [index, points] : book.rowHeights())
        if (std::isfinite(points))
            rows[index].twips = int(std::lround(std::clamp(points, 0.0, 409.5) * 20));

    {
        Bytes b;
        const bool empty = book.cells().empty();
        b.u32(empty ? 0 : std::uint32_t(book.cells().begin()->first.first));
        b.u32(empty ? 0 : std::uint32_t(book.rowCount()));
        b.u16(empty ? 0 : unsigned(firstCol));
        b.u16(empty ? 0 : unsigned(lastCol + 1));
        b.u16(0);
        out.record(rec::Dimensions, b);
    }

    // Excel's own layout: blocks of up to 32 ROW records, each followed by
    // the cells of those rows.
    auto cell = book.cells().begin();
    for (auto row = rows.begin(); row != rows.end();) {
        auto blockEnd = row;
        for (int n = 0; n < 32 && blockEnd != rows.end(); ++n)
            ++blockEnd;
        int lastRow = 0;
        for (auto r = row; r != blockEnd; ++r) {
            Bytes b;
            b.u16(unsigned(r->first));
            b.u16(r->second.firstCol < 0 ? 0 : unsigned(r->second.firstCol));
            b.u16(r->second.firstCol < 0 ? 0 : unsigned(r->second.lastCol + 1));
            b.u16(r->second.twips ? unsigned(*r->second.twips) : 0x00FF);
            b.u16(0);
            b.u16(0);
            // Always-set bit 8, the default XF, and "custom height" when set.
            b.u32(0x0100 | (std::uint32_t(kDefaultCellXf) << 16) | (r->second.twips ? 0x40 : 0));
            out.record(rec::Row, b);
            lastRow = r->first;
        }
        for (; cell != book.cells().end() && cell->first.first <= lastRow; ++cell) {
            const auto [rowIndex, colIndex] = cell->first;
            Bytes b;
            b.u16(unsigned(rowIndex));
            b.u16(unsigned(colIndex));
            b.u16(unsigned(content.xfOf.at(cell->first)));
            if (cell->second.number && std::isfinite(*cell->second.number)) {
                b.f64(*cell->second.number);
                out.record(rec::Number, b);
            } else if (cell->second.number) {
                b.u8(0x24); // #NUM!: no file format holds NaN or infinity
                b.u8(1);
                out.record(rec::BoolErr, b);
            } else if (auto sst = content.sstOf.find(cell->first); sst != content.sstOf.end()) {
                b.u32(sst->second);
                out.record(rec::LabelSst, b);
            } else {
                out.record(rec::Blank, b);
            }
        }
        row = blockEnd;
    }

    {
        Bytes b;
        b.u16(0x06B6); // grid, headers, zeros, outline symbols; selected and shown
        b.u16(0);      // top row
        b.u16(0);      // left column
        b.u16(kSystemWindow);
        b.u16(0);
        b.u16(0);
        b.u16(0);
        b.u32(0);
        out.record(rec::Window2, b);
    }

    std::vector<Merge> merges;
    for (const Merge& m : book.merges())
        if (m.firstRow != m.lastRow || m.firstCol != m.lastCol)
            merges.push_back(m);
    constexpr std::size_t kMergesPerRecord = 1026;
    for (std::size_t i = 0; i < merges.size(); i += kMergesPerRecord) {
        const std::size_t count = std::min(kMergesPerRecord, merges.size() - i);
        Bytes b;
        b.u16(unsigned(count));
        for (std::size_t k = i; k < i + count; ++k) {
            b.u16(unsigned(merges[k].firstRow));
            b.u16(unsigned(merges[k].lastRow));
            b.u16(unsigned(merges[k].firstCol));
            b.u16(unsigned(merges[k].lastCol));
        }
        out.record(rec::MergedCells, b);
    }
    out.record(rec::Eof, Bytes());
}

std::filesystem::path fsPath(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The new file replaces `path` only once complete.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const std::filesystem::path target = fsPath(path);
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    std::error_code ignored;
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
            throw Failure{"cannot create " + path};
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        file.close();
        if (!file) {
            std::filesystem::remove(temporary, ignored);
            throw Failure{"cannot write " + path};
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, ignored);
        throw Failure{"cannot replace " + path + ": " + error.message()};
    }
}

} // namespace

bool saveXls(const Workbook& book, const std::string& path, std::string* error)
{
    try {
        check(book);
        Styles styles;
        const Content content = collect(book, styles);
        RecordStream out;
        std::size_t sheetOffsetAt = 0;
        writeGlobals(out, book, styles, content, sheetOffsetAt);
        out.patch32(sheetOffsetAt, std::uint32_t(out.size()));
        writeSheet(out, book, content);
        std::string reason;
        auto file = buildCompoundFile(u"Workbook", out.take(), &reason);
        if (!file)
            throw Failure{reason};
        writeFile(path, *file);
        return true;
    } catch (const Failure& failure) {
        if (error)
            *error = failure.reason;
    } catch (const std::bad_alloc&) {
        if (error)
            *error = "not enough memory to write " + path;
    } catch (const std::exception& e) {
        if (error)
            *error = e.what();
    }
    return false;
}

} // namespace rw::sheet
