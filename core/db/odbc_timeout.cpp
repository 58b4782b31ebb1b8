// The query timeout of an ODBC statement. Qt's ODBC driver sets no statement attribute of its own, so the
// limit goes to the statement's handle through the driver manager that the driver plugin has loaded. The
// manager is reached at run time: the program needs no ODBC headers or library to build, and runs on a
// machine without ODBC as long as no server connection is made.
#include "db/statement.h"
#include <QSqlResult>
#include <dlfcn.h>

namespace db::detail {

namespace {

// SQLSetStmtAttr(SQLHSTMT, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER length) -> SQLRETURN
using SetStatementAttribute = short (*)(void *, int, void *, int);
constexpr int queryTimeoutAttribute = 0;  // SQL_ATTR_QUERY_TIMEOUT
constexpr int unsignedIntegerLength = -5; // SQL_IS_UINTEGER

SetStatementAttribute setStatementAttribute()
{
    static SetStatementAttribute function = nullptr;
    if (!function) {
        // Only a manager that is already loaded (by the driver plugin) is used.
        if (void *manager = dlopen("libodbc.so.2", RTLD_LAZY | RTLD_NOLOAD))
            function = reinterpret_cast<SetStatementAttribute>(dlsym(manager, "SQLSetStmtAttr"));
    }
    return function;
}

} // namespace

bool setOdbcQueryTimeout(const QSqlQuery &query, int seconds)
{
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    if (!handle.isValid() || !handle.constData())
        return false;
    void *statement = *static_cast<void *const *>(handle.constData());
    const SetStatementAttribute set = setStatementAttribute();
    if (!statement || !set)
        return false;
    const auto value = reinterpret_cast<void *>(quintptr(seconds > 0 ? seconds : 0));
    const short result = set(statement, queryTimeoutAttribute, value, unsignedIntegerLength);
    return result == 0 || result == 1; // SQL_SUCCESS, SQL_SUCCESS_WITH_INFO
}

} // namespace db::detail
