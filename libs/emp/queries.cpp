#include "queries.h"

#include "util/text.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <optional>

namespace rw::emp {

namespace {

using db::Connection;

void appendRows(db::Statement& query, std::initializer_list<const char*> columns, FlatList& out)
{
    while (query.step())
        for (const char* column : columns)
            out.push_back(query.text(column));
}

FlatList listOf(Connection& db, const char* sql, std::initializer_list<const char*> columns)
{
    FlatList out;
    auto query = db.prepare(sql);
    appendRows(*query, columns, out);
    return out;
}

FlatList listWhere(Connection& db, const char* sql, const std::string& id,
                   std::initializer_list<const char*> columns)
{
    const auto number = parseInteger(id);
    if (!number)
        return {};
    FlatList out;
    auto query = db.prepare(sql);
    query->bindAll(*number);
    appendRows(*query, columns, out);
    return out;
}

bool filters(const std::string& id)
{
    const std::string value = trimmed(id);
    return !value.empty() && value != "0";
}

bool startsWithSelect(const std::string& sql)
{
    std::string head = trimmed(sql).substr(0, 6);
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return head == "select";
}

} // namespace

FlatList departments(Connection& db)
{
    return listOf(db, "SELECT id, bmname FROM bumen ORDER BY px, id", {"id", "bmname"});
}

FlatList postsOfDepartment(Connection& db, const std::string& departmentId)
{
    return listWhere(db, "SELECT id, gwname FROM gangwei WHERE bmid = ? ORDER BY px, id", departmentId,
                     {"id", "gwname"});
}

FlatList employeesOfPost(Connection& db, const std::string& postId)
{
    return listWhere(db, "SELECT id, empname FROM yuangong WHERE gwid = ? ORDER BY px, id", postId,
                     {"id", "empname"});
}

FlatList allPosts(Connection& db)
{
    return listOf(db, "SELECT id, gwname, bmid FROM gangwei ORDER BY px, id", {"id", "gwname", "bmid"});
}

FlatList allEmployees(Connection& db)
{
    return listOf(db, "SELECT id, empname, gwid FROM yuangong ORDER BY px, id", {"id", "empname", "gwid"});
}

FlatList registerRows(Connection& db, const std::string& departmentId, const std::string& secondId,
                      const std::string& kind)
{
    const std::string which = trimmed(kind);
    if (which != "1" && which != "2")
        return {};
    const bool posts = which == "1";

    // The filters are fixed fragments; their values are bound.
    std::string sql = posts
        ? "SELECT a.id, b.bmname, a.gwname, c.lbname, a.mx, a.bmid, a.lbid"
          " FROM gangwei a INNER JOIN bumen b ON a.bmid = b.id INNER JOIN leibie c ON a.lbid = c.id WHERE 1 = 1"
        : "SELECT a.id, a.empname, a.userid, a.userpwd, a.beizhu, b.bmname, c.gwname, a.bmid, a.gwid"
          " FROM yuangong a INNER JOIN bumen b ON a.bmid = b.id INNER JOIN gangwei c ON a.gwid = c.id"
          " WHERE 1 = 1";
    std::vector<std::int64_t> values;
    for (const auto& [id, fragment] : {std::pair{&departmentId, " AND a.bmid = ?"},
                                       std::pair{&secondId, posts ? " AND a.lbid = ?" : " AND a.gwid = ?"}}) {
        if (!filters(*id))
            continue;
        const auto number = parseInteger(*id);
        if (!number)
            return {}; // an id that is no number names no record
        sql += fragment;
        values.push_back(*number);
    }
    sql += posts ? " ORDER BY a.bmid, a.lbid, a.px, a.id" : " ORDER BY a.bmid, a.gwid, a.px, a.id";

    auto query = db.prepare(sql);
    for (size_t i = 0; i < values.size(); ++i)
        query->bind(static_cast<int>(i + 1), values[i]);
    FlatList out;
    if (posts)
        appendRows(*query, {"id", "bmname", "gwname", "lbname", "mx", "bmid", "lbid"}, out);
    else
        appendRows(*query, {"id", "userid", "bmname", "gwname", "empname", "beizhu", "userpwd", "bmid", "gwid"},
                   out);
    return out;
}

std::vector<std::pair<std::string, std::string>> comboRows(Connection& db, const std::string& sql)
{
    if (!startsWithSelect(sql))
        throw db::Error("only a select statement fills a list");
    auto query = db.prepare(sql);
    if (!query->isReadOnly())
        throw db::Error("only a read-only statement fills a list");
    std::vector<std::pair<std::string, std::string>> rows;
    while (query->step())
        rows.emplace_back(query->text("sname"), query->text("id"));
    return rows;
}

} // namespace rw::emp
