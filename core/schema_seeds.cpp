#include "schema_seeds.h"
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
    db::Query &q = *dm.adoq_user;
    q.clear();
    q.add(QStringLiteral("Select * from users "));
    q.open();
    q.append();
    set(q, "us", admin);
    set(q, "ps", QStringLiteral("1"));  // the password of the first sign-in; the administrator changes it
    set(q, "ver", QStringLiteral("1"));
    set(q, "lev", ostan);
    q.post();
}

void administratorLevel(Tdm &dm)
{
    db::Query &q = *dm.adoq_user;
    q.clear();
    q.add(QStringLiteral("Select * from users where us=?"), admin);
    q.open();
    if (q.isEmpty())  // editing an empty result would add a row holding only the level
        return;
    q.edit();
    set(q, "lev", ostan);
    q.post();
}

void administratorRights(Tdm &dm)
{
    db::Query &q = *dm.ADOQuery1;
    q.clear();
    q.add(QStringLiteral("select * from dastrasi "));
    q.open();
    q.append();
    set(q, "prs_id", 1);
    set(q, "page_name", QStringLiteral("karbaran"));
    for (const char *right : {"darj", "virayesh", "hazf", "namayesh"})
        set(q, right, true);
    q.post();
}

void activateAdministrator(Tdm &dm)
{
    db::Query &q = *dm.ADOQuery1;
    q.clear();
    q.add(QStringLiteral("update users set status=? where us=?"), QStringLiteral("فعال"), admin);
    q.execSql();
}

} // namespace schema::seeds
