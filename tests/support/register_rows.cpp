#include "register_rows.h"
#include "page_io.h"
#include "testenv.h"
#include "ui/control_text.h"
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

QString filterAlone(QWidget *page, db::Query &list, const QList<qint64> &seeded, const QString &box,
                    const QStringList &controls, const QStringList &texts, const QStringList &shown)
{
    QStringList rows;
    for (const qint64 id : searchWithFilter(page, list, box, controls, texts))
        rows << QString::number(seeded.indexOf(id));
    QStringList found{rows.join(u',')};
    for (const QString &name : shown)
        found << ui::controlText(page->findChild<QWidget *>(name));
    page->findChild<QCheckBox *>(box)->click();
    return found.join(u'|');
}
