// The program's frame: start-up, the page rights every opener checks, the main window's exit question, the guard
// that keeps the program running after a handler's error, and the invoice query's amounts.
#include "persian/amount.h"
#include "change_pass_u.h"
#include "db/error.h"
#include "dm_u.h"
#include "forms.h"
#include "login_u.h"
#include "main_u.h"
#include "page_rights.h"
#include "pagekit/page.h"
#include "server_u.h"
#include "signed_in_user.h"
#include "support/page_io.h"
#include "support/testenv.h"
#include "support/user_store.h"
#include "ui/guard.h"
#include "ui_main_u.h"
#include <QApplication>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestMain : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { user_store::isolate(); }

    // The sign-in form alone is shown and ends the program, closed or by Escape; no other form closes on Escape.
    void formsCreatedHiddenAndOnlyTheSignInEndsOnEscape()
    {
        forms::createAll();
        QVERIFY(!forms::dm->ADOConnection1.connected() && forms::dm->ADOConnection1.connectionString().isEmpty());
        for (QWidget *widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
        QVERIFY(forms::showMainForm());
        QVERIFY(forms::login->isVisible() && !forms::main_->isVisible());
        int ends = 0;
        Tlogin::setProgramEnd([&] { ++ends; });
        forms::closeMainForm();
        QCOMPARE(ends, 1);

        int checked = 0;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *form = qobject_cast<QDialog *>(window); // the layout forms are never shown
            if (!qobject_cast<pagekit::Page *>(form) && form != forms::server && form != forms::change_pass)
                continue;
            QSignalSpy closed(form, &QDialog::rejected);
            QLineEdit *field = form->findChild<QLineEdit *>();
            QTest::keyClick(field ? static_cast<QWidget *>(field) : form, Qt::Key_Escape);
            QVERIFY2(closed.isEmpty() && ends == 1, qPrintable(form->objectName()));
            ++checked;
        }
        QVERIFY(checked >= 30); // every page and entry form, the connection settings and the password change
        forms::login->show();
        QTest::keyClick(forms::login->findChild<QLineEdit *>(), Qt::Key_Escape);
        QCOMPARE(ends, 2);
        Tlogin::setProgramEnd(nullptr);
        forms::destroyAll();
    }

    // Only the signed-in user's row of the page counts: another user's row, another page's, a key that would match
    // every row if pasted into the statement, and nobody signed in all give no rights and the refusal. (What the
    // bits switch: the page kit's test.)
    void rightsReadOnlyTheUsersRowOfThePage()
    {
        TestEnv env;
        const auto check = [](const QString &key) {
            QList<bool> applied;
            const bool shown = rights::CheckPageRights(
                key, [&](const rights::Granted &g) { applied = {g.insert, g.edit, g.remove, g.view}; });
            return std::pair{shown, applied};
        };
        const std::pair refused{false, QList<bool>(4, false)};
        env.signInAs(2, u"ali"_s);
        env.setRights(3, rights::key::tavrelkol, {true, true, true, true});
        env.setRights(2, rights::key::darkhast, {true, true, true, true});
        QCOMPARE(check(rights::key::tavrelkol), refused);
        QCOMPARE(check(u"x' or '1'='1"_s), refused);
        SignedInUser::instance().set(u"prs_id"_s, u"karbar"_s, u"level"_s);
        QCOMPARE(check(rights::key::darkhast), refused);
        QCOMPARE(env.dialogs.messages(), QStringList(3, rights::deniedText));
        env.signInAs(2, u"ali"_s);
        QCOMPARE(check(rights::key::darkhast), std::pair(true, QList<bool>(4, true)));
    }

    // The about item answers; exit: No keeps the program, Yes by the close box ends it, without a second question.
    void aboutAndExitQuestion()
    {
        TestEnv env;
        Tmain &window = *forms::main_;
        window.ui->N5->trigger();
        int exits = 0;
        window.onExit = [&] {
            ++exits;
            window.close();
        };
        window.show();
        env.dialogs.answers << ui::Answer::No << ui::Answer::Yes;
        window.ui->N6->trigger();
        QVERIFY(window.isVisible());
        window.close();
        // The about box, then the question twice.
        QCOMPARE(env.dialogs.messages().mid(1), QStringList(2, u"آيا مي خواهيد از برنامه خارج شويد"_s));
        QCOMPARE(exits, 1);
        QVERIFY(!window.isVisible());
    }

    // A handler that fails the way a page's handler does when the database refuses a statement is reported and
    // the rest of it skipped; the program goes on and the next click works. Any exception is reported, not only
    // the database's.
    void guardedHandlerOfARealButton()
    {
        ui::ScriptedDialogs &scripted = ui::ScriptedDialogs::install();
        QPushButton button;
        int started = 0, finished = 0;
        ui::connectGuarded(&button, &QPushButton::clicked, &button, [&] {
            if (++started == 1)
                throw db::Error(u"جدول tavrelkol وجود ندارد"_s);
            ++finished;
        });
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE((QList<int>{started, finished}), (QList<int>{2, 1}));
        QVERIFY(!ui::guarded([] { throw std::runtime_error("خطای دیگر"); }));
        QCOMPARE(scripted.errors() + scripted.messages(), (QStringList{u"جدول tavrelkol وجود ندارد"_s, u"خطای دیگر"_s}));
    }

    // A null amount is zero, a driver's decimal text whole rials; a text that is no amount leaves them empty.
    void invoiceAmountsInWordsAndDigits()
    {
        TestEnv env;
        env.exec(u"insert into chek (mablagh, mozo) values (null, 'a'), ('2345678.0000', 'b'), "
                 "(987654321012345, 'c'), ('12x', 'd')"_s);
        db::Query &chek = *forms::dm->ADOQ_chek;
        chek.clear();
        chek.add(u"select * from chek order by mozo"_s);
        chek.open();
        QCOMPARE(textsOf(chek, u"MablaghDigit"_s),
                 (QStringList{u"0"_s, u"2,345,678"_s, u"987,654,321,012,345"_s, QString()}));
        QCOMPARE(textsOf(chek, u"MablaghText"_s),
                 (QStringList{u"صفر ريال"_s, amount::GetNum(2345678), amount::GetNum(987654321012345), QString()}));
        QCOMPARE(textsOf(chek, u"mablagh"_s).last(), u"12x"_s); // shown as stored
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
