// The main window: the page rights every opener checks, the menu's order and the exit question.
#include "forms.h"
#include "main_u.h"
#include "page_rights.h"
#include "signed_in_user.h"
#include "support/page_io.h"
#include "support/testenv.h"
#include "ui_main_u.h"
#include <QAction>
#include <QTest>

using namespace Qt::StringLiterals;

class TestMain : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    static Tmain *mainWindow() { return forms::main_; }
    static Ui::Tmain &ui() { return *forms::main_->ui; }

private Q_SLOTS:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // Only the signed-in user's row of the page counts: another user's row, another page's, a key that would match
    // every row if pasted into the statement, and nobody signed in all give no rights and the refusal.
    void rightsReadOnlyTheUsersRowOfThePage()
    {
        QList<bool> applied;
        const auto check = [&](const QString &key) {
            applied.clear();
            const bool shown = rights::CheckPageRights(key, [&](const rights::Granted &granted) {
                applied = {granted.insert, granted.edit, granted.remove, granted.view};
            });
            return std::pair{shown, applied};
        };
        const std::pair refused{false, QList<bool>(4, false)};
        env->signInAs(2, u"ali"_s);
        env->setRights(3, rights::key::tavrelkol, {true, true, true, true});
        env->setRights(2, rights::key::darkhast, {true, true, true, true});
        QCOMPARE(check(rights::key::tavrelkol), refused);
        QCOMPARE(check(u"x' or '1'='1"_s), refused);
        SignedInUser::instance().set(u"prs_id"_s, u"karbar"_s, u"level"_s);
        QCOMPARE(check(rights::key::darkhast), refused);
        QCOMPARE(env->dialogs.messages(), QStringList(3, rights::deniedText));

        env->signInAs(2, u"ali"_s);
        env->setRights(2, rights::key::tavrelkol, {false, true, false, true});
        QCOMPARE(check(rights::key::tavrelkol), std::pair(true, QList<bool>{false, true, false, true}));
        env->setRights(2, rights::key::tavrelkol, {true, false, true, false}); // no view: refused, bits applied
        QCOMPARE(check(rights::key::tavrelkol), std::pair(false, QList<bool>{true, false, true, false}));
    }

    void aboutItemInTheBasicDataMenu()
    {
        QCOMPARE(ui().N2->actions().last(), ui().N5);
        ui().N5->trigger();
        QCOMPARE(env->dialogs.messages().size(), 1);
    }

    // No keeps the program; Yes by the close box ends it, without a second question.
    void exitQuestion()
    {
        int exits = 0;
        mainWindow()->onExit = [&] {
            ++exits;
            mainWindow()->close();
        };
        mainWindow()->show();
        env->dialogs.answers.enqueue(ui::Answer::No);
        ui().N6->trigger();
        QVERIFY(mainWindow()->isVisible());
        env->dialogs.answers.enqueue(ui::Answer::Yes);
        mainWindow()->close();
        QCOMPARE(env->dialogs.messages(), QStringList(2, u"آيا مي خواهيد از برنامه خارج شويد"_s));
        QCOMPARE(env->dialogs.shown.first().buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(env->dialogs.shown.first().icon, ui::Icon::Warning);
        QCOMPARE(exits, 1);
        QVERIFY(!mainWindow()->isVisible());
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
