// The audit row of the entry forms cut to its columns, and the workstation's name it carries (the other
// stamped columns are checked with the sign-in row).
#include "audit.h"
#include "platform/platform.h"
#include "support/testenv.h"
#include <QHostInfo>
#include <QtTest>

class TestAudit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowCutToItsColumnsWithTheWorkstationsName()
    {
        TestEnv env;
        const QString longName = QString(160, u'ن');
        env.signInAs(3, longName);
        const QString text = QString(150, u'a') + QString(100, u'ب');
        WriteAuditLog(text);
        QCOMPARE(env.scalar(QStringLiteral("select cmt from log")).toString(), text.left(200));
        QCOMPARE(env.scalar(QStringLiteral("select karbar from log")).toString(), longName.left(150));
        QVERIFY(!env.scalar(QStringLiteral("select saat_sys from log")).isNull()); // filled by the column default

        // An address the resolver knows no name for is this machine's own: its own host name is recorded.
        const QString resolved = platform::hostNameOf(platform::localIp());
        const QString computerName = env.scalar(QStringLiteral("select computer_name from log")).toString();
        QCOMPARE(computerName, (resolved.isEmpty() ? QHostInfo::localHostName() : resolved).left(50));
        QVERIFY(!computerName.isEmpty());
    }
};

QTEST_MAIN(TestAudit)
#include "tst_audit.moc"
