// The audit row of the entry forms cut to its columns (the stamped columns are checked with the sign-in row).
#include "audit.h"
#include "support/testenv.h"
#include <QtTest>

class TestAudit : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longTextsAreCutToTheirColumns()
    {
        TestEnv env;
        const QString longName = QString(160, u'ن');
        env.signInAs(3, longName);
        const QString text = QString(150, u'a') + QString(100, u'ب');
        WriteAuditLog(text);
        QCOMPARE(env.scalar(QStringLiteral("select cmt from log")).toString(), text.left(200));
        QCOMPARE(env.scalar(QStringLiteral("select karbar from log")).toString(), longName.left(150));
        QVERIFY(!env.scalar(QStringLiteral("select saat_sys from log")).isNull()); // filled by the column default
    }
};

QTEST_MAIN(TestAudit)
#include "tst_audit.moc"
