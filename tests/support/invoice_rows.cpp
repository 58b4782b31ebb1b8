#include "invoice_rows.h"
#include "testenv.h"
#include <QStringList>

qint64 addInvoice(TestEnv &env, const QVariantMap &columns)
{
    const QStringList marks(columns.size(), QStringLiteral("?"));
    env.exec(QStringLiteral("insert into chek (") + columns.keys().join(u',') + QStringLiteral(") values (")
                 + marks.join(u',') + u')',
             columns.values());
    return env.scalar(QStringLiteral("select max(id) from chek")).toLongLong();
}
