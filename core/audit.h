#pragma once
// The audit rows of table `log`: one for every sign-in, every sign-in refused for an outdated program, and
// every record saved by the entry forms. Nothing reads them back.
#include <QString>

struct AuditRow {
    QString karbar;        // the user name
    QString ip;            // this workstation's IPv4 address
    QString computerName;  // the host name found for that address, else this machine's own name
    QString saat;          // the workstation's time, hours, minutes and seconds
    QString tarikh;        // today's solar date
    QString cmt;           // the action text

    // The row of an action done now, each text cut to its column so that the row is always written.
    static AuditRow stamped(const QString &karbar, const QString &actionText);
};

// Writes the row of an action by the signed-in user, on the data module's general query ADOQuery1. Entry
// forms call it after their own record is stored; a database error reaches the general error report.
void WriteAuditLog(const QString &actionText);

// The sign-in's two rows, under the user name as typed: a successful sign-in appends its row on
// ADOQuery1; a sign-in refused for an outdated program inserts it on ADOQuery2.
void WriteSignInAuditRow(const QString &typedUser, const QString &actionText);
void WriteRefusedSignInAuditRow(const QString &typedUser, const QString &actionText);
