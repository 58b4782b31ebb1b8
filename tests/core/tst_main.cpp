// The main window: the page rights every opener checks and the exit question.
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

Q_DECLARE_METATYPE(ui::Answer)

namespace {

const QString denied = QStringLiteral("شما دسترسي به اين صفحه را نداريد");

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

    void rightsSetTheCommands_data()
    {
        QTest::addColumn<QList<bool>>("bits"); // darj, virayesh, hazf, namayesh
        QTest::addColumn<bool>("shown");
        QTest::newRow("all clear") << QList<bool>{false, false, false, false} << false;
        QTest::newRow("insert edit delete, no view") << QList<bool>{true, true, true, false} << false;
        QTest::newRow("view only") << QList<bool>{false, false, false, true} << true;
        QTest::newRow("edit and view") << QList<bool>{false, true, false, true} << true;
    }
    void rightsSetTheCommands()
    {
        QFETCH(QList<bool>, bits);
        QFETCH(bool, shown);
        env->signInAs(2, QStringLiteral("ali"));
        env->setRights(2, rights::key::tavrelkol, bits);
        // Rows of another user and of another page must not count.
        env->setRights(3, rights::key::tavrelkol, {true, true, true, true});
        env->setRights(2, rights::key::darkhast, {true, true, true, true});

        FakePage page;
        rights::menuItem(page.menu, 6)->setEnabled(false); // as the page declares it: not the rights' business
        QCOMPARE(rights::CheckPageRights(rights::key::tavrelkol, page.commands()), shown);
        QCOMPARE(env->dialogs.messages(), shown ? QStringList() : QStringList{denied});
        const bool view = bits[3];
        QCOMPARE(page.states(), (QList<bool>{bits[0], bits[1], bits[2], view, view, view, false, bits[0]}));
    }

    void missingRowDeniesAndLeavesCommands()
    {
        FakePage page;
        const QList<bool> declared = page.states();
        env->signInAs(2, QStringLiteral("ali"));
        QVERIFY(!rights::CheckPageRights(rights::key::kala, page.commands()));
        // Nobody signed in, and a key that tries to widen the condition, find no row either.
        SignedInUser::instance().set(QStringLiteral("prs_id"), QStringLiteral("karbar"), QStringLiteral("level"));
        QVERIFY(!rights::CheckPageRights(rights::key::karbaran, page.commands()));
        env->signInAs(1);
        QVERIFY(!rights::CheckPageRights(QStringLiteral("x' or '1'='1"), page.commands()));
        QCOMPARE(env->dialogs.messages(), QStringList(3, denied));
        QCOMPARE(env->dialogs.shown.first().kind, QStringLiteral("message"));
        QCOMPARE(page.states(), declared);
        // The administrator's seeded row opens the users page with every command.
        rights::setCommandsEnabled(page.commands().insert, false);
        QVERIFY(rights::CheckPageRights(rights::key::karbaran, page.commands()));
        QCOMPARE(page.states(), QList<bool>(8, true));
    }

    // The menu in display order; the about item sits in the basic-data submenu, the messages item eighth.
    void menuTable()
    {
        const auto names = [](const QList<QAction *> &items) {
            QStringList result;
            for (const QAction *item : items)
                result << item->objectName();
            return result;
        };
        QCOMPARE(names(ui().MainMenu1->actions()).join(u' '), QStringLiteral("N12 N1 N7 N11 N13 N14 N16 N17 N2 N6"));
        QCOMPARE(ui().N2->title(), QStringLiteral("اطلاعات پايه"));
        QCOMPARE(names(ui().N2->actions()).join(u' '), QStringLiteral("N10 N9 N8 N4 N15 N18 N3 N5"));
        ui().N5->trigger();
        QCOMPARE(env->dialogs.messages().size(), 1);
    }

    void exitQuestion_data()
    {
        QTest::addColumn<ui::Answer>("answer");
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("yes, exit command") << ui::Answer::Yes << false;
        QTest::newRow("yes, close box") << ui::Answer::Yes << true;
        QTest::newRow("no, exit command") << ui::Answer::No << false;
        QTest::newRow("cancel, close box") << ui::Answer::Cancel << true;
    }
    void exitQuestion()
    {
        QFETCH(ui::Answer, answer);
        QFETCH(bool, byCloseBox);
        int exits = 0;
        // Ending the program closes every window again: that must not ask a second time.
        mainWindow()->onExit = [&] { ++exits; mainWindow()->close(); };
        mainWindow()->show();
        env->dialogs.answers.enqueue(answer);
        if (byCloseBox)
            mainWindow()->close();
        else
            ui().N6->trigger();
        QCOMPARE(env->dialogs.messages(), QStringList{QStringLiteral("آيا مي خواهيد از برنامه خارج شويد")});
        QCOMPARE(env->dialogs.shown.first().buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(env->dialogs.shown.first().icon, ui::Icon::Warning);
        const bool yes = answer == ui::Answer::Yes;
        QCOMPARE(exits, yes ? 1 : 0);
        QCOMPARE(mainWindow()->isVisible(), !yes);
    }

};

QTEST_MAIN(TestMain)
#include "tst_main.moc"
