// Start-up: every form is created hidden without touching a database, the sign-in form is the main form,
// Escape closes no form but the sign-in, and the data module's invoice query fills its calculated amount
// fields for every row.
#include "persian/amount.h"
#include "db/query.h"
#include "dm_u.h"
#include "forms.h"
#include "login_u.h"
#include "main_u.h"
#include "change_pass_u.h"
#include "pagekit/page.h"
#include "server_u.h"
#include "support/testenv.h"
#include "support/user_store.h"
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { user_store::isolate(); }

    void formsAreCreatedHiddenWithoutAConnection()
    {
        forms::createAll();
        // No database is reachable before sign-in: nothing is open and nothing was tried.
        QVERIFY(!forms::dm->ADOConnection1.connected());
        QVERIFY(forms::dm->ADOConnection1.connectionString().isEmpty());
        QVERIFY(!forms::dm->ADOQuery1->active());

        const QWidgetList before = QApplication::topLevelWidgets();
        for (QWidget *widget : before)
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));

        // The message loop shows the sign-in form only.
        QVERIFY(forms::showMainForm());
        QVERIFY(forms::login->isVisible());
        QVERIFY(!forms::main_->isVisible());

        // Closing the main form ends the program.
        bool ended = false;
        Tlogin::setProgramEnd([&] { ended = true; });
        forms::closeMainForm();
        QVERIFY(ended);
        Tlogin::setProgramEnd(nullptr);
        forms::destroyAll();
        QVERIFY(!forms::dm && !forms::login);
    }

    // The forms have no cancel key: Escape in a field, passed on to its form, throws nothing typed away.
    // The sign-in form's Escape ends the program.
    void escapeClosesNoFormButTheSignIn()
    {
        forms::createAll();
        bool ended = false;
        Tlogin::setProgramEnd([&] { ended = true; });
        int checked = 0;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            // The layout forms are never shown.
            auto *form = qobject_cast<QDialog *>(window);
            if (!qobject_cast<pagekit::Page *>(form) && form != forms::server && form != forms::change_pass)
                continue;
            QSignalSpy closed(form, &QDialog::rejected);
            QLineEdit *field = form->findChild<QLineEdit *>();
            QTest::keyClick(field ? static_cast<QWidget *>(field) : form, Qt::Key_Escape);
            QVERIFY2(closed.isEmpty() && !ended, qPrintable(form->objectName()));
            ++checked;
        }
        QVERIFY(checked >= 30); // every page and entry form, the connection settings and the password change
        QTest::keyClick(forms::login->findChild<QLineEdit *>(), Qt::Key_Escape);
        QVERIFY(ended);
        Tlogin::setProgramEnd(nullptr);
        forms::destroyAll();
    }

    // A null amount is zero; a driver's decimal text ('2345678.0000') is read as its whole rials; a stored text
    // that is no amount leaves its row's calculated fields empty, and the list still opens.
    void invoiceAmountsInWordsAndDigits()
    {
        TestEnv env;
        env.exec(u"insert into chek (mablagh, mozo) values (null, 'a'), ('2345678.0000', 'b'), "
                 "(987654321012345, 'c'), ('12x', 'd')"_s);
        db::Query &chek = *forms::dm->ADOQ_chek;
        chek.clear();
        chek.add(u"select * from chek order by mozo"_s);
        chek.open();
        QStringList digits, words;
        for (chek.first(); !chek.eof(); chek.next()) {
            digits << chek[u"MablaghDigit"_s].asString();
            words << chek[u"MablaghText"_s].asString();
        }
        QCOMPARE(digits, (QStringList{u"0"_s, u"2,345,678"_s, u"987,654,321,012,345"_s, QString()}));
        QCOMPARE(words,
                 (QStringList{u"صفر ريال"_s, amount::GetNum(2345678), amount::GetNum(987654321012345), QString()}));
        QCOMPARE(chek[u"mablagh"_s].asString(), u"12x"_s); // shown as stored
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
