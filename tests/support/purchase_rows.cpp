#include "purchase_rows.h"
#include "testenv.h"
#include <QStringList>

qint64 addPurchase(TestEnv &env, const QVariantMap &columns)
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    env.exec(QStringLiteral("insert into tavrelkol (") + columns.keys().join(u',') + QStringLiteral(") values (")
                 + marks.join(u',') + u')',
             columns.values());
    return env.scalar(QStringLiteral("select max(id) from tavrelkol")).toLongLong();
}

void addPurchaseAttachment(TestEnv &env, qint64 purchaseId, const QString &comment)
{
    env.exec(QStringLiteral("insert into tavrelkol_pic (tavrelkol_id, cmt, pictype) values (?, ?, ?)"),
             {purchaseId, comment, QStringLiteral("jpg")});
}
