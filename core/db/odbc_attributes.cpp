// Attributes of ODBC handles that Qt's ODBC driver does not reach: a statement's query timeout, its cancel, and
// whether a connection's link is broken. They go to the handles through the driver manager that the driver plugin has
// loaded. The manager is reached at run time: the program needs no ODBC headers or library to build, and runs
// on a machine without ODBC as long as no server connection is made.
#include "db/statement.h"
#include <QSqlDriver>
#include <QSqlResult>
#include <dlfcn.h>

namespace db::detail {

namespace {

// SQLSetStmtAttr(SQLHSTMT, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length) -> SQLRETURN
using SetStatementAttribute = short (*)(void *, int, void *, int);
// SQLCancel(SQLHSTMT) -> SQLRETURN
using CancelStatement = short (*)(void *);
// SQLGetConnectAttr(SQLHDBC, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length, SQLINTEGER *written)
using GetConnectionAttribute = short (*)(void *, int, void *, int, int *);
constexpr int queryTimeoutAttribute = 0;       // SQL_ATTR_QUERY_TIMEOUT
constexpr int connectionDeadAttribute = 1209;  // SQL_ATTR_CONNECTION_DEAD
constexpr int unsignedIntegerLength = -5;      // SQL_IS_UINTEGER
constexpr unsigned connectionDead = 1;         // SQL_CD_TRUE

// A function of the driver manager, when one is already loaded (by the driver plugin).
template <typename Function>
Function managerFunction(const char *name)
{
    void *manager = dlopen("libodbc.so.2", RTLD_LAZY | RTLD_NOLOAD);
    return manager ? reinterpret_cast<Function>(dlsym(manager, name)) : nullptr;
}

bool succeeded(short result)
{
    return result == 0 || result == 1; // SQL_SUCCESS, SQL_SUCCESS_WITH_INFO
}

// The ODBC handle a Qt handle variant carries; nullptr when it carries none.
void *odbcHandle(const QVariant &handle)
{
    return handle.isValid() && handle.constData() ? *static_cast<void *const *>(handle.constData()) : nullptr;
}

} // namespace

void *odbcStatement(const QSqlQuery &query)
{
    return odbcHandle(query.result() ? query.result()->handle() : QVariant());
}

bool cancelOdbcStatement(void *statement)
{
    static const auto cancel = managerFunction<CancelStatement>("SQLCancel");
    return statement && cancel && succeeded(cancel(statement));
}

bool setOdbcQueryTimeout(const QSqlQuery &query, int seconds)
{
    static const auto set = managerFunction<SetStatementAttribute>("SQLSetStmtAttr");
    void *statement = odbcStatement(query);
    if (!statement || !set)
        return false;
    const auto value = reinterpret_cast<void *>(quintptr(seconds > 0 ? seconds : 0));
    return succeeded(set(statement, queryTimeoutAttribute, value, unsignedIntegerLength));
}

bool odbcLinkBroken(const QSqlDatabase &database)
{
    static const auto get = managerFunction<GetConnectionAttribute>("SQLGetConnectAttr");
    void *connection = odbcHandle(database.driver() ? database.driver()->handle() : QVariant());
    unsigned dead = 0;
    return connection && get
           && succeeded(get(connection, connectionDeadAttribute, &dead, unsignedIntegerLength, nullptr))
           && dead == connectionDead;
}

} // namespace db::detail
