#include "purchase_rows.h"
#include "register_rows.h"
#include "testenv.h"

qint64 addPurchase(TestEnv &env, const QVariantMap &columns)
{
    return addRow(env, QStringLiteral("tavrelkol"), columns);
}
