#include "audit.h"
#include "persian/Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "platform/platform.h"
#include "signed_in_user.h"
#include <QTime>

namespace {

// Column sizes of `log`.
constexpr int karbarSize = 150;
constexpr int ipSize = 20;
constexpr int computerNameSize = 50;
constexpr int saatSize = 30;
constexpr int tarikhSize = 10;
constexpr int cmtSize = 200;

// The statement names its columns: `saat_sys` takes the server's time from the column default.
void insertRow(db::Query &query, const AuditRow &row)
{
    const QString statement = query.connection().dialect().insertWithDefaults(
        QStringLiteral("log"),
        {QStringLiteral("karbar"), QStringLiteral("ip"), QStringLiteral("computer_name"), QStringLiteral("saat"),
         QStringLiteral("tarikh"), QStringLiteral("cmt"), QStringLiteral("saat_sys")},
        {false, false, false, false, false, false, true});
    query.clear();
    query.add(statement, row.karbar, row.ip, row.computerName, row.saat, row.tarikh, row.cmt);
    query.execSql();
}

} // namespace

AuditRow AuditRow::stamped(const QString &karbar, const QString &actionText)
{
    AuditRow row;
    row.karbar = karbar.left(karbarSize);
    const QString ip = platform::localIp();
    row.ip = ip.left(ipSize);
    // The address is this workstation's own: when the resolver has no name for it, the machine's own name.
    QString computerName = platform::hostNameOf(ip);
    if (computerName.isEmpty())
        computerName = platform::ownHostName();
    row.computerName = computerName.left(computerNameSize);
    row.saat = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).left(saatSize);
    row.tarikh = shamsiToday().left(tarikhSize);
    row.cmt = actionText.left(cmtSize);
    return row;
}

void WriteAuditLog(const QString &actionText)
{
    insertRow(*forms::dm->ADOQuery1, AuditRow::stamped(SignedInUser::instance().karbar(), actionText));
}

void WriteRefusedSignInAuditRow(const QString &typedUser, const QString &actionText)
{
    insertRow(*forms::dm->ADOQuery2, AuditRow::stamped(typedUser, actionText));
}

void WriteSignInAuditRow(const QString &typedUser, const QString &actionText)
{
    const AuditRow row = AuditRow::stamped(typedUser, actionText);
    db::Query &query = *forms::dm->ADOQuery1;
    // A select that finds no row, opened only to append to.
    query.clear();
    query.add(QStringLiteral("select * from log where karbar=?"), QStringLiteral("*"));
    query.open();
    db::writeRow(query, db::Query::State::Insert, [&row](db::Query &q) {
        q[QStringLiteral("karbar")].setValue(row.karbar);
        q[QStringLiteral("ip")].setValue(row.ip);
        q[QStringLiteral("computer_name")].setValue(row.computerName);
        q[QStringLiteral("saat")].setValue(row.saat);
        q[QStringLiteral("tarikh")].setValue(row.tarikh);
        q[QStringLiteral("cmt")].setValue(row.cmt);
    });
}
