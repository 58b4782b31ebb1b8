#include "schema/schema_seeds.h"
#include "dm_u.h"

namespace schema::seeds {

namespace {

const QString admin = QStringLiteral("admin");
const QString ostan = QStringLiteral("ostan");

void set(db::Query &q, const char *field, const QVariant &value)
{
    q.fieldByName(QString::fromLatin1(field)).setValue(value);
}

} // namespace

void administrator(Tdm &dm)
{
    db::Query &q = *dm.ADOQuery1;
    q.clear();
    q.add(QStringLiteral("Select * from users "));
    q.open();
    db::writeRow(q, db::Query::State::Insert, [](db::Query &row) {
        set(row, "us", admin);
        set(row, "ps", QStringLiteral("1"));  // the password of the first sign-in; the administrator changes it
        set(row, "ver", QStringLiteral("1"));
        set(row, "lev", ostan);
    });
}

void administratorLevel(Tdm &dm)
{
    db::Query &q = *dm.ADOQuery1;
    q.clear();
    q.add(QStringLiteral("Select * from users where us=?"), admin);
    q.open();
    if (q.isEmpty())  // editing an empty result would add a row holding only the level
        return;
    db::writeRow(q, db::Query::State::Edit, [](db::Query &row) { set(row, "lev", ostan); });
}

void administratorRights(Tdm &dm)
{
    db::Query &q = *dm.ADOQuery1;
    q.clear();
    q.add(QStringLiteral("select * from dastrasi "));
    q.open();
    db::writeRow(q, db::Query::State::Insert, [](db::Query &row) {
        set(row, "prs_id", 1);
        set(row, "page_name", QStringLiteral("karbaran"));
        for (const char *right : {"darj", "virayesh", "hazf", "namayesh"})
            set(row, right, true);
    });
}

void activateAdministrator(Tdm &dm)
{
    db::Query &q = *dm.ADOQuery1;
    q.clear();
    q.add(QStringLiteral("update users set status=? where us=?"), QStringLiteral("فعال"), admin);
    q.execSql();
}

} // namespace schema::seeds
