#include "db/schema.h"

#include "db/transaction.h"

#include <string>
#include <vector>

namespace rw::db {

namespace {

// One step per schema version; later steps add the tables of later modules.
// "{ID}" stands for the driver's column type of database-numbered ids.
struct Migration {
    int version;
    std::vector<const char*> statements;
};

const std::vector<Migration>& migrations()
{
    static const std::vector<Migration> steps = {
        {1,
         {
             // Organisation: departments, post categories, posts, employees.
             "CREATE TABLE bumen (id {ID}, bmname TEXT NOT NULL, px INTEGER NOT NULL DEFAULT 0)",
             "CREATE INDEX bumen_by_name ON bumen (bmname)",
             "CREATE TABLE leibie (id {ID}, lbname TEXT NOT NULL, px INTEGER NOT NULL DEFAULT 0)",
             "CREATE INDEX leibie_by_name ON leibie (lbname)",
             "CREATE TABLE gangwei (id {ID}, bmid INTEGER NOT NULL, lbid INTEGER NOT NULL,"
             " gwname TEXT NOT NULL, mx TEXT, px INTEGER NOT NULL DEFAULT 0)",
             "CREATE INDEX gangwei_by_department ON gangwei (bmid, gwname)",
             "CREATE INDEX gangwei_by_category ON gangwei (lbid)",
             "CREATE TABLE yuangong (id {ID}, bmid INTEGER NOT NULL, gwid INTEGER NOT NULL,"
             " empname TEXT NOT NULL, userid INTEGER NOT NULL, userpwd TEXT, beizhu TEXT,"
             " px INTEGER NOT NULL DEFAULT 0)",
             "CREATE UNIQUE INDEX yuangong_by_account ON yuangong (userid)",
             "CREATE INDEX yuangong_by_post ON yuangong (gwid, empname)",
             "CREATE INDEX yuangong_by_department ON yuangong (bmid)",
         }},
    };
    return steps;
}

std::string withIdType(const char* statement, const std::string& idType)
{
    std::string text(statement);
    for (size_t at = text.find("{ID}"); at != std::string::npos; at = text.find("{ID}", at))
        text.replace(at, 4, idType);
    return text;
}

int readVersion(Connection& connection)
{
    auto query = connection.prepare("SELECT MAX(version) AS version FROM rw_schema");
    return query->step() ? static_cast<int>(query->integer("version")) : 0;
}

} // namespace

int currentSchemaVersion()
{
    return migrations().back().version;
}

int schemaVersion(Connection& connection)
{
    connection.execute("CREATE TABLE IF NOT EXISTS rw_schema (version INTEGER NOT NULL)");
    return readVersion(connection);
}

void ensureSchema(Connection& connection)
{
    Transaction transaction(connection);
    const int found = schemaVersion(connection);
    if (found >= currentSchemaVersion())
        return;
    const std::string idType = connection.autoIdColumn();
    for (const Migration& step : migrations()) {
        if (step.version <= found)
            continue;
        for (const char* statement : step.statements)
            connection.execute(withIdType(statement, idType));
    }
    connection.execute("DELETE FROM rw_schema");
    connection.prepare("INSERT INTO rw_schema (version) VALUES (?)")->bind(1, std::int64_t(currentSchemaVersion())).execute();
    transaction.commit();
}

} // namespace rw::db
