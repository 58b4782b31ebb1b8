// Password change: the two refusals, the change itself, and a sign-in form that no longer holds the
// user's current password.
#include "change_pass_u.h"
#include "forms.h"
#include "login_u.h"
#include "support/testenv.h"
#include "support/user_store.h"
#include <QtTest>

using namespace Qt::StringLiterals;

class TestChangePass : public QObject {
    Q_OBJECT

    // The sign-in form holding a user and password, the password form shown in its place, two texts typed.
    static void change(const QString &signInPassword, const QString &first, const QString &second)
    {
        forms::login->ui.us->setText(QStringLiteral("admin"));
        forms::login->ui.ps->setText(signInPassword);
        forms::login->hide();
        forms::change_pass->show();
        forms::change_pass->ui.Edit1->setText(first);
        forms::change_pass->ui.Edit2->setText(second);
        forms::change_pass->BitBtn1Click();
    }

    static QString adminPassword(TestEnv &env)
    {
        return env.scalar(QStringLiteral("select ps from users where us='admin'")).toString();
    }

private Q_SLOTS:
    // Both boxes empty, two different texts, and a sign-in form that no longer holds the current password (no
    // row changes, which is no success): refused, the password kept, the form left open.
    void refusals()
    {
        TestEnv env;
        const QList<QStringList> cases{
            {u"1"_s, QString(), QString(), u"كلمه عبور صحيح نيست"_s},
            {u"1"_s, u"n"_s, QString(), u"كلمه عبور جديد همخواني ندارد"_s},
            {u"changed meanwhile"_s, u"n"_s, u"n"_s, u"كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد"_s}};
        for (const QStringList &c : cases) {
            env.dialogs.reset();
            change(c[0], c[1], c[2]);
            QCOMPARE(env.dialogs.messages(), QStringList{c[3]});
            QCOMPARE(adminPassword(env), u"1"_s);
            QVERIFY(forms::change_pass->isVisible() && !forms::login->isVisible());
        }
    }

    void changeThenSignInWithTheOldPassword()
    {
        TestEnv env;
        user_store::storeLocalDatabase(env.dbPath());
        change(QStringLiteral("1"), QStringLiteral("نو ۲ "), QStringLiteral("نو ۲ "));
        QCOMPARE(env.dialogs.messages(), QStringList{QStringLiteral("كلمه عبور تغيير يافت")});
        QCOMPARE(adminPassword(env), QStringLiteral("نو ۲ ")); // stored as typed, blank and all
        QVERIFY(!forms::change_pass->isVisible());
        QVERIFY(forms::login->isVisible());
        // The sign-in form still holds the old password, which no longer signs in.
        forms::login->BitBtn1Click();
        QCOMPARE(env.dialogs.lastMessage(), QStringLiteral("کلمه يا رمز عبور اشتباه است"));
        QCOMPARE(forms::change_pass->ui.Edit1->text(), QStringLiteral("نو ۲ ")); // kept for the next showing
        // The boxes take no more than the 25 characters users.ps holds.
        for (QLineEdit *box : {forms::change_pass->ui.Edit1, forms::change_pass->ui.Edit2}) {
            box->clear();
            QTest::keyClicks(box, QString(30, u'x'));
            QCOMPARE(box->text(), QString(25, u'x'));
        }
    }
};

QTEST_MAIN(TestChangePass)
#include "tst_change_pass.moc"
