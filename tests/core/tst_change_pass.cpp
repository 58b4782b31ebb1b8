// Password change: the two refusals, the change itself, and a sign-in form that no longer holds the
// user's current password.
#include "change_pass_u.h"
#include "forms.h"
#include "login_u.h"
#include "support/testenv.h"
#include "support/user_store.h"
#include <QtTest>

class TestChangePass : public QObject {
    Q_OBJECT

    // The sign-in form holding a user and password, and the password form shown in its place.
    static void openFor(const QString &us, const QString &ps)
    {
        forms::login->ui.us->setText(us);
        forms::login->ui.ps->setText(ps);
        forms::login->hide();
        forms::change_pass->show();
    }

    static void type(const QString &first, const QString &second)
    {
        forms::change_pass->ui.Edit1->setText(first);
        forms::change_pass->ui.Edit2->setText(second);
        forms::change_pass->BitBtn1Click();
    }

    static QString adminPassword(TestEnv &env)
    {
        return env.scalar(QStringLiteral("select ps from users where us='admin'")).toString();
    }

private Q_SLOTS:
    void initTestCase() { user_store::isolate(); }
    void cleanup() { user_store::clear(); }

    void refusals_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("message");
        QTest::newRow("both empty") << QString() << QString() << QStringLiteral("كلمه عبور صحيح نيست");
        QTest::newRow("one empty") << QStringLiteral("n") << QString() << QStringLiteral("كلمه عبور جديد همخواني ندارد");
        QTest::newRow("different") << QStringLiteral("n1") << QStringLiteral("n2") << QStringLiteral("كلمه عبور جديد همخواني ندارد");
    }
    void refusals()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, message);
        TestEnv env;
        openFor(QStringLiteral("admin"), QStringLiteral("1"));
        type(first, second);
        QCOMPARE(env.dialogs.messages(), QStringList{message});
        QCOMPARE(adminPassword(env), QStringLiteral("1"));
        QVERIFY(forms::change_pass->isVisible());
    }

    void changeThenSignInWithTheNewPassword()
    {
        TestEnv env;
        user_store::clear();
        user_store::storeLocalDatabase(env.dbPath());
        Tlogin::setProgramEnd([] {});
        openFor(QStringLiteral("admin"), QStringLiteral("1"));
        type(QStringLiteral("نو ۲"), QStringLiteral("نو ۲"));
        QCOMPARE(env.dialogs.messages(), QStringList{QStringLiteral("كلمه عبور تغيير يافت")});
        QCOMPARE(adminPassword(env), QStringLiteral("نو ۲")); // stored as typed
        QVERIFY(!forms::change_pass->isVisible());
        QVERIFY(forms::login->isVisible());
        // The sign-in form still holds the old password, which no longer signs in.
        forms::login->BitBtn1Click();
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("کلمه يا رمز عبور اشتباه است"));
        // The edits keep their texts for the next showing.
        QCOMPARE(forms::change_pass->ui.Edit1->text(), QStringLiteral("نو ۲"));
    }

    void aBlankIsAPassword()
    {
        TestEnv env;
        openFor(QStringLiteral("admin"), QStringLiteral("1"));
        type(QStringLiteral(" "), QStringLiteral(" "));
        QCOMPARE(adminPassword(env), QStringLiteral(" "));
    }

    void noRowChangedIsNotASuccess()
    {
        TestEnv env;
        openFor(QStringLiteral("admin"), QStringLiteral("changed meanwhile"));
        type(QStringLiteral("n"), QStringLiteral("n"));
        QCOMPARE(env.dialogs.messages(), QStringList{QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد")});
        QCOMPARE(adminPassword(env), QStringLiteral("1"));
        QVERIFY(forms::change_pass->isVisible());
    }

    void cancelShowsTheSignInFormAgain()
    {
        TestEnv env;
        openFor(QStringLiteral("admin"), QStringLiteral("1"));
        forms::change_pass->BitBtn2Click();
        QVERIFY(!forms::change_pass->isVisible());
        QVERIFY(forms::login->isVisible());
        QVERIFY(env.dialogs.shown.isEmpty());
        QCOMPARE(adminPassword(env), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestChangePass)
#include "tst_change_pass.moc"
