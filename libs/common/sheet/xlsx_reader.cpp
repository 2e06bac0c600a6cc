// .xlsx: a zip of XML parts, read with libzip and expat.  Only what the
// first sheet's cell texts need: the workbook's sheet list and relations,
// the shared strings and the sheet itself.
#include "sheet/reader_formats.h"

#include <expat.h>
#include <zip.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace rw::sheet::detail {

namespace {

constexpr zip_uint64_t kMaxPartSize = 512ull * 1024 * 1024;

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using Zip = std::unique_ptr<zip_t, ZipCloser>;

std::optional<std::string> readPart(zip_t* archive, const std::string& name)
{
    zip_file_t* file = zip_fopen(archive, name.c_str(), 0);
    if (!file)
        return std::nullopt;
    std::string data;
    char buffer[65536];
    zip_int64_t got;
    bool tooLarge = false;
    while ((got = zip_fread(file, buffer, sizeof buffer)) > 0) {
        if (data.size() + static_cast<size_t>(got) > kMaxPartSize) {
            tooLarge = true;
            break;
        }
        data.append(buffer, static_cast<size_t>(got));
    }
    zip_fclose(file);
    if (got < 0 || tooLarge)
        return std::nullopt;
    return data;
}

std::string localName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

const char* attribute(const char** attrs, const char* wanted)
{
    for (int i = 0; attrs[i]; i += 2)
        if (localName(attrs[i]) == wanted)
            return attrs[i + 1];
    return nullptr;
}

// Runs expat over a part with element callbacks; false on malformed XML.
struct Handlers {
    std::function<void(const std::string&, const char**)> start;
    std::function<void(const std::string&)> end;
    std::function<void(const char*, int)> text;
};

bool parse(const std::string& xml, Handlers& handlers)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser)
        return false;
    XML_SetUserData(parser, &handlers);
    XML_SetElementHandler(
        parser,
        [](void* data, const char* name, const char** attrs) {
            auto* h = static_cast<Handlers*>(data);
            if (h->start)
                h->start(localName(name), attrs);
        },
        [](void* data, const char* name) {
            auto* h = static_cast<Handlers*>(data);
            if (h->end)
                h->end(localName(name));
        });
    XML_SetCharacterDataHandler(parser, [](void* data, const char* s, int len) {
        auto* h = static_cast<Handlers*>(data);
        if (h->text)
            h->text(s, len);
    });
    const bool ok = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

// "xl/worksheets/sheet1.xml" for the first sheet listed by the workbook.
std::optional<std::string> firstSheetPart(zip_t* archive)
{
    const auto workbook = readPart(archive, "xl/workbook.xml");
    if (!workbook)
        return std::nullopt;
    std::string relationId;
    Handlers onWorkbook;
    onWorkbook.start = [&](const std::string& name, const char** attrs) {
        if (name == "sheet" && relationId.empty())
            if (const char* id = attribute(attrs, "id"))
                relationId = id;
    };
    if (!parse(*workbook, onWorkbook))
        return std::nullopt;

    std::string target;
    if (const auto rels = readPart(archive, "xl/_rels/workbook.xml.rels")) {
        Handlers onRels;
        onRels.start = [&](const std::string& name, const char** attrs) {
            const char* id = attribute(attrs, "Id");
            const char* to = attribute(attrs, "Target");
            if (name == "Relationship" && id && to && relationId == id)
                target = to;
        };
        parse(*rels, onRels);
    }
    if (target.empty())
        return std::string("xl/worksheets/sheet1.xml");
    if (target.front() == '/')
        return target.substr(1);
    return "xl/" + target;
}

std::vector<std::string> sharedStrings(zip_t* archive, bool& ok)
{
    std::vector<std::string> strings;
    const auto part = readPart(archive, "xl/sharedStrings.xml");
    ok = true;
    if (!part)
        return strings;
    int phonetic = 0;
    bool inText = false;
    Handlers h;
    h.start = [&](const std::string& name, const char**) {
        if (name == "si")
            strings.emplace_back();
        else if (name == "rPh")
            ++phonetic;
        else if (name == "t")
            inText = true;
    };
    h.end = [&](const std::string& name) {
        if (name == "rPh")
            --phonetic;
        else if (name == "t")
            inText = false;
    };
    h.text = [&](const char* s, int len) {
        if (inText && phonetic == 0 && !strings.empty())
            strings.back().append(s, static_cast<size_t>(len));
    };
    ok = parse(*part, h);
    return strings;
}

// "BC12" -> column 54 (0-based) and row 11; false when malformed.
bool cellReference(const char* ref, size_t& row, size_t& col)
{
    size_t c = 0, r = 0;
    const char* p = ref;
    int letters = 0;
    for (; *p >= 'A' && *p <= 'Z'; ++p, ++letters) {
        c = c * 26 + static_cast<size_t>(*p - 'A' + 1);
        if (letters > 3)
            return false;
    }
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p, ++digits) {
        r = r * 10 + static_cast<size_t>(*p - '0');
        if (digits > 7)
            return false;
    }
    if (*p || letters == 0 || digits == 0 || r == 0)
        return false;
    row = r - 1;
    col = c - 1;
    return true;
}

} // namespace

bool readXlsx(const std::string& path, Table& table, std::string& error)
{
    int code = 0;
    Zip archive(zip_open(path.c_str(), ZIP_RDONLY, &code));
    if (!archive) {
        error = "not a readable .xlsx workbook";
        return false;
    }
    const auto sheetName = firstSheetPart(archive.get());
    if (!sheetName) {
        error = "the workbook lists no sheet";
        return false;
    }
    bool stringsOk = true;
    const std::vector<std::string> strings = sharedStrings(archive.get(), stringsOk);
    const auto sheet = readPart(archive.get(), *sheetName);
    if (!stringsOk || !sheet) {
        error = "the workbook is damaged";
        return false;
    }

    size_t cells = 0;
    size_t row = 0, nextCol = 0;
    bool rowSeen = false;
    struct Current {
        bool open = false;
        size_t row = 0, col = 0;
        std::string type, value, inlineText;
        bool inValue = false, inInline = false;
    } cell;
    bool tooLarge = false;

    auto store = [&](size_t r, size_t c, std::string text) {
        if (r >= kMaxRows || c >= kMaxColumns || ++cells > kMaxCells) {
            tooLarge = true;
            return;
        }
        if (table.rows.size() <= r)
            table.rows.resize(r + 1);
        auto& line = table.rows[r];
        if (line.size() <= c)
            line.resize(c + 1);
        line[c] = std::move(text);
    };

    Handlers h;
    h.start = [&](const std::string& name, const char** attrs) {
        if (name == "row") {
            const char* r = attribute(attrs, "r");
            row = r ? static_cast<size_t>(std::strtoul(r, nullptr, 10)) - 1 : (rowSeen ? row + 1 : 0);
            rowSeen = true;
            nextCol = 0;
        } else if (name == "c") {
            cell = Current{};
            cell.open = true;
            cell.row = row;
            cell.col = nextCol;
            if (const char* ref = attribute(attrs, "r")) {
                size_t r = 0, c = 0;
                if (cellReference(ref, r, c)) {
                    cell.row = r;
                    cell.col = c;
                }
            }
            if (const char* type = attribute(attrs, "t"))
                cell.type = type;
        } else if (cell.open && name == "v") {
            cell.inValue = true;
        } else if (cell.open && name == "is") {
            cell.inInline = true;
        }
    };
    h.text = [&](const char* s, int len) {
        if (cell.inValue)
            cell.value.append(s, static_cast<size_t>(len));
        else if (cell.inInline)
            cell.inlineText.append(s, static_cast<size_t>(len));
    };
    h.end = [&](const std::string& name) {
        if (name == "v") {
            cell.inValue = false;
        } else if (name == "is") {
            cell.inInline = false;
        } else if (name == "c" && cell.open) {
            std::string text;
            if (cell.type == "s") {
                char* end = nullptr;
                const unsigned long index = std::strtoul(cell.value.c_str(), &end, 10);
                if (end != cell.value.c_str() && index < strings.size())
                    text = strings[index];
            } else if (cell.type == "inlineStr") {
                text = cell.inlineText;
            } else if (cell.type == "str" || cell.type == "e") {
                text = cell.value;
            } else if (cell.type == "b") {
                text = cell.value == "1" ? "TRUE" : "FALSE";
            } else if (!cell.value.empty()) {
                char* end = nullptr;
                const double number = std::strtod(cell.value.c_str(), &end);
                text = end && *end == '\0' ? numberText(number) : cell.value;
            }
            if (!text.empty())
                store(cell.row, cell.col, std::move(text));
            nextCol = cell.col + 1;
            cell.open = false;
        }
    };
    if (!parse(*sheet, h)) {
        error = "the workbook is damaged";
        return false;
    }
    if (tooLarge) {
        error = "the sheet is too large";
        return false;
    }
    return true;
}

} // namespace rw::sheet::detail
