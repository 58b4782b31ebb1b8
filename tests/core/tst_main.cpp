// The main window: the page rights every opener checks, the menu's order and the exit question.
#include "db/error.h"
#include "forms.h"
#include "main_u.h"
#include "page_rights.h"
#include "signed_in_user.h"
#include "support/testenv.h"
#include "ui_main_u.h"
#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

// A list page as the openers see it: a seven-item main menu and an insert button.
struct FakePage {
    QDialog form;
    QMenuBar *menu = new QMenuBar(&form);
    QPushButton *ins_btn = new QPushButton(&form);

    FakePage()
    {
        form.setObjectName(QStringLiteral("fake_src"));
        for (int i = 0; i < 7; ++i)
            menu->addAction(QStringLiteral("item%1").arg(i));
    }
    rights::PageCommands commands() const
    {
        return {{rights::menuItem(menu, 0), ins_btn}, {rights::menuItem(menu, 1)}, {rights::menuItem(menu, 2)},
                rights::menuItems(menu, 3, 5)};
    }
    // Enabled states of items 0..6, then of the button.
    QList<bool> states() const
    {
        QList<bool> result;
        for (QAction *item : menu->actions())
            result.append(item->isEnabled());
        result.append(ins_btn->isEnabled());
        return result;
    }
};

} // namespace

class TestMain : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    static Tmain *mainWindow() { return forms::main_; }
    static Ui::Tmain &ui() { return *forms::main_->ui; }

private Q_SLOTS:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // The rights read only the signed-in user's row of that page: no row of his for the page (only another
    // user's, or his for another page), nobody signed in, or a key that tries to widen the condition: denied, the
    // commands left as they were. Allowed: insert, edit and delete set their commands, the view commands follow
    // view, a command in no group is left. (The page kit's test proves the bits on every page.)
    void rightsReadOnlyTheUsersRowOfThePage()
    {
        FakePage page;
        const QList<bool> declared = page.states();
        env->signInAs(2, QStringLiteral("ali"));
        env->setRights(3, rights::key::tavrelkol, {true, true, true, true});
        env->setRights(2, rights::key::darkhast, {true, true, true, true});
        QVERIFY(!rights::CheckPageRights(rights::key::tavrelkol, page.commands()));
        QVERIFY(!rights::CheckPageRights(QStringLiteral("x' or '1'='1"), page.commands()));
        SignedInUser::instance().set(QStringLiteral("prs_id"), QStringLiteral("karbar"), QStringLiteral("level"));
        QVERIFY(!rights::CheckPageRights(rights::key::darkhast, page.commands()));
        QCOMPARE(env->dialogs.messages(), QStringList(3, rights::deniedText));
        QCOMPARE(page.states(), declared);

        env->signInAs(2, QStringLiteral("ali"));
        env->setRights(2, rights::key::tavrelkol, {false, true, false, true});
        rights::menuItem(page.menu, 6)->setEnabled(false); // as the page declares it: not the rights' business
        QVERIFY(rights::CheckPageRights(rights::key::tavrelkol, page.commands()));
        QCOMPARE(page.states(), (QList<bool>{false, true, false, true, true, true, false, false}));
    }

    // The about item sits last in the basic-data submenu and shows its message.
    void aboutItemInTheBasicDataMenu()
    {
        QCOMPARE(ui().N2->actions().last(), ui().N5);
        ui().N5->trigger();
        QCOMPARE(env->dialogs.messages().size(), 1);
    }

    // The exit question: No by the command keeps the program; Yes by the close box ends it, and ending it
    // closes the window again without a second question.
    void exitQuestion()
    {
        int exits = 0;
        mainWindow()->onExit = [&] { ++exits; mainWindow()->close(); };
        mainWindow()->show();
        env->dialogs.answers.enqueue(ui::Answer::No);
        ui().N6->trigger();
        QVERIFY(mainWindow()->isVisible());
        env->dialogs.answers.enqueue(ui::Answer::Yes);
        mainWindow()->close();
        QCOMPARE(env->dialogs.messages(), QStringList(2, QStringLiteral("آيا مي خواهيد از برنامه خارج شويد")));
        QCOMPARE(env->dialogs.shown.first().buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(env->dialogs.shown.first().icon, ui::Icon::Warning);
        QCOMPARE(exits, 1);
        QVERIFY(!mainWindow()->isVisible());
    }
};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
