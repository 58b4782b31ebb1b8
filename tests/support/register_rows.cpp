#include "register_rows.h"
#include "page_io.h"
#include "testenv.h"
#include <QCheckBox>
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

QString filterAlone(QWidget *page, const db::Query &list, const QList<qint64> &seeded, const QString &box,
                    const QStringList &controls, const QStringList &texts, const QStringList &shown)
{
    QStringList rows;
    for (const qint64 id : searchWithFilter(page, list, box, controls, texts))
        rows << QString::number(seeded.indexOf(id));
    const QString found = rows.join(u',') + (shown.isEmpty() ? QString() : u'|' + fieldTexts(page, shown));
    page->findChild<QCheckBox *>(box)->click();
    return found;
}
