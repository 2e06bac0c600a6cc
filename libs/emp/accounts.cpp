#include "accounts.h"

#include "util/text.h"

namespace rw::emp {

bool Check_user(db::Connection& db, const std::string& account, const std::string& password)
{
    const auto number = parseInteger(account);
    if (!number)
        return false;
    auto query = db.prepare("SELECT id FROM yuangong WHERE userid = ? AND userpwd = ? LIMIT 1");
    query->bindAll(*number, password);
    return query->step();
}

std::vector<std::string> loginRecord(db::Connection& db, const std::string& account)
{
    const auto number = parseInteger(account);
    if (!number)
        return {""};
    auto query = db.prepare(
        "SELECT id, empname,"
        " (SELECT gwname FROM gangwei WHERE gangwei.id = yuangong.gwid) AS gwname,"
        " (SELECT bmname FROM bumen WHERE bumen.id = yuangong.bmid) AS bmname"
        " FROM yuangong WHERE userid = ? LIMIT 1");
    query->bindAll(*number);
    if (!query->step())
        return {""};
    return {query->text("id"), query->text("empname"), query->text("gwname"), query->text("bmname"), account};
}

void updatePassword(db::Connection& db, const std::string& password, const std::string& account)
{
    const auto number = parseInteger(account);
    if (!number)
        return; // no such account: nothing to change
    db.prepare("UPDATE yuangong SET userpwd = ? WHERE userid = ?")->bindAll(password, *number).execute();
}

std::int64_t nextAccount(db::Connection& db)
{
    auto query = db.prepare("SELECT MAX(userid) AS pid FROM yuangong");
    if (!query->step() || query->isNull("pid"))
        return kFirstAccount;
    return query->integer("pid") + 1;
}

} // namespace rw::emp
