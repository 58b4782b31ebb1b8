// The audit rows of `log`: the entry forms' writer and the sign-in's refused variant, stamped with the
// user, the workstation and the dates, on a database that fills saat_sys itself.
#include "Dates.h"
#include "audit.h"
#include "dm_u.h"
#include "forms.h"
#include "login_u.h"
#include "support/testenv.h"
#include <QSqlQuery>
#include <QtTest>

class TestAudit : public QObject {
    Q_OBJECT

    static QVariantList lastRow()
    {
        QSqlQuery row(forms::dm->ADOConnection1.database());
        row.exec(QStringLiteral("select karbar, ip, computer_name, saat, tarikh, cmt, saat_sys, id from log order by id desc"));
        QVariantList values;
        if (row.next())
            for (int i = 0; i < 8; ++i)
                values.append(row.value(i));
        return values;
    }

private Q_SLOTS:
    void entryFormRow()
    {
        TestEnv env;
        env.signInAs(3, QStringLiteral("sara"));
        WriteAuditLog(QStringLiteral(" ثبت کالا جديد  ") + QStringLiteral("روغن 'موتور'") + u' ' + QStringLiteral("sara"));
        const QVariantList row = lastRow();
        QVERIFY(!row.isEmpty());
        QCOMPARE(row[0].toString(), QStringLiteral("sara"));
        QCOMPARE(row[1].toString(), Tlogin::LocalIP());
        QCOMPARE(row[2].toString(), Tlogin::IPAddrToName(Tlogin::LocalIP()));
        QVERIFY(QTime::fromString(row[3].toString(), QStringLiteral("HH:mm:ss")).isValid());
        QCOMPARE(row[4].toString(), shamsiToday());
        QCOMPARE(row[5].toString(), QStringLiteral(" ثبت کالا جديد  روغن 'موتور' sara")); // quote kept
        QVERIFY(!row[6].isNull());  // the server's time, from the column default
        QVERIFY(row[7].toInt() > 0);
    }

    void longTextsAreCutToTheirColumns()
    {
        TestEnv env;
        const QString longName = QString(160, u'ن');
        env.signInAs(3, longName);
        const QString text = QString(150, u'a') + QString(100, u'ب');
        WriteAuditLog(text);
        const QVariantList row = lastRow();
        QVERIFY(!row.isEmpty());
        QCOMPARE(row[5].toString(), text.left(200));
        QCOMPARE(row[0].toString(), longName.left(150));
    }

    void refusedSignInRow()
    {
        TestEnv env;
        env.signInAs(1, QStringLiteral("admin"));
        WriteRefusedSignInAuditRow(QStringLiteral("ali"), QStringLiteral("refused"));
        QCOMPARE(env.scalar(QStringLiteral("select karbar from log where cmt='refused'")).toString(), QStringLiteral("ali"));
        QCOMPARE(env.scalar(QStringLiteral("select count(*) from log where saat_sys is null")).toInt(), 0);
    }
};

QTEST_MAIN(TestAudit)
#include "tst_audit.moc"
