#include "register_rows.h"
#include "testenv.h"
#include <QStringList>

qint64 addRow(TestEnv &env, const QString &table, const QVariantMap &columns)
{
    const QStringList marks(columns.size(), QStringLiteral("?"));
    env.exec(QStringLiteral("insert into ") + table + QStringLiteral(" (") + columns.keys().join(u',')
                 + QStringLiteral(") values (") + marks.join(u',') + u')',
             columns.values());
    return env.scalar(QStringLiteral("select max(id) from ") + table).toLongLong();
}

int rowCount(TestEnv &env, const QString &table)
{
    return env.scalar(QStringLiteral("select count(*) from ") + table).toInt();
}
