// The main window: the page rights every opener checks, the menu's order and the exit question.
#include "forms.h"
#include "main_u.h"
#include "page_rights.h"
#include "signed_in_user.h"
#include "support/page_io.h"
#include "support/testenv.h"
#include "ui_main_u.h"
#include <QAction>
#include <QMenuBar>
#include <QPushButton>
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

    // Only the signed-in user's row of the page counts; a command in no group is left as the page set it.
    void rightsReadOnlyTheUsersRowOfThePage()
    {
        QMenuBar menu;
        QPushButton insert;
        for (int i = 0; i < 7; ++i)
            menu.addAction(u"item%1"_s.arg(i));
        const rights::PageCommands commands{{rights::menuItem(&menu, 0), &insert}, {rights::menuItem(&menu, 1)},
                                            {rights::menuItem(&menu, 2)}, rights::menuItems(&menu, 3, 5)};
        const auto states = [&] { return menuStates(&menu) << insert.isEnabled(); }; // items 0..6, the button

        env->signInAs(2, u"ali"_s);
        env->setRights(3, rights::key::tavrelkol, {true, true, true, true});
        env->setRights(2, rights::key::darkhast, {true, true, true, true});
        QVERIFY(!rights::CheckPageRights(rights::key::tavrelkol, commands));
        QVERIFY(!rights::CheckPageRights(u"x' or '1'='1"_s, commands));
        SignedInUser::instance().set(u"prs_id"_s, u"karbar"_s, u"level"_s);
        QVERIFY(!rights::CheckPageRights(rights::key::darkhast, commands));
        QCOMPARE(env->dialogs.messages(), QStringList(3, rights::deniedText));
        QCOMPARE(states(), QList<bool>(8, true));

        env->signInAs(2, u"ali"_s);
        env->setRights(2, rights::key::tavrelkol, {false, true, false, true});
        rights::menuItem(&menu, 6)->setEnabled(false); // as the page declares it: not the rights' business
        QVERIFY(rights::CheckPageRights(rights::key::tavrelkol, commands));
        QCOMPARE(states(), (QList<bool>{false, true, false, true, true, true, false, false}));
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
