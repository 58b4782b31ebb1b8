#include "purchase_rows.h"
#include "register_rows.h"
#include "testenv.h"

qint64 addPurchase(TestEnv &env, const QVariantMap &columns)
{
    return addRow(env, QStringLiteral("tavrelkol"), columns);
}

void addPurchaseAttachment(TestEnv &env, qint64 purchaseId, const QString &comment)
{
    env.exec(QStringLiteral("insert into tavrelkol_pic (tavrelkol_id, cmt, pictype) values (?, ?, ?)"),
             {purchaseId, comment, QStringLiteral("jpg")});
}
