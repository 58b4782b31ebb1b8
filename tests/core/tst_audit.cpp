// The audit row of the entry forms: stamped with the signed-in user, the workstation and the dates, cut to
// its columns, on a database that fills saat_sys itself.
#include "Dates.h"
#include "audit.h"
#include "login_u.h"
#include "support/testenv.h"
#include <QtTest>

class TestAudit : public QObject {
    Q_OBJECT

    static QString lastValue(TestEnv &env, const QString &column)
    {
        return env.scalar(u"select " + column + u" from log order by id desc").toString();
    }

private Q_SLOTS:
    void entryFormRow()
    {
        TestEnv env;
        env.signInAs(3, QStringLiteral("sara"));
        WriteAuditLog(QStringLiteral(" ثبت کالا جديد  روغن 'موتور' sara"));
        QCOMPARE(lastValue(env, QStringLiteral("karbar")), QStringLiteral("sara"));
        QCOMPARE(lastValue(env, QStringLiteral("ip")), Tlogin::LocalIP());
        QCOMPARE(lastValue(env, QStringLiteral("computer_name")), Tlogin::IPAddrToName(Tlogin::LocalIP()));
        QVERIFY(QTime::fromString(lastValue(env, QStringLiteral("saat")), QStringLiteral("HH:mm:ss")).isValid());
        QCOMPARE(lastValue(env, QStringLiteral("tarikh")), shamsiToday());
        QCOMPARE(lastValue(env, QStringLiteral("cmt")), QStringLiteral(" ثبت کالا جديد  روغن 'موتور' sara"));
        QVERIFY(!lastValue(env, QStringLiteral("saat_sys")).isEmpty()); // the server's time, by the column default
    }

    void longTextsAreCutToTheirColumns()
    {
        TestEnv env;
        const QString longName = QString(160, u'ن');
        env.signInAs(3, longName);
        const QString text = QString(150, u'a') + QString(100, u'ب');
        WriteAuditLog(text);
        QCOMPARE(lastValue(env, QStringLiteral("cmt")), text.left(200));
        QCOMPARE(lastValue(env, QStringLiteral("karbar")), longName.left(150));
    }
};

QTEST_MAIN(TestAudit)
#include "tst_audit.moc"
