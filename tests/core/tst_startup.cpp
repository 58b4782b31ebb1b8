// Start-up: forms created hidden, no database touched, Escape ending only the sign-in; the invoice query's amounts.
#include "persian/amount.h"
#include "db/query.h"
#include "dm_u.h"
#include "forms.h"
#include "login_u.h"
#include "main_u.h"
#include "change_pass_u.h"
#include "pagekit/page.h"
#include "server_u.h"
#include "support/page_io.h"
#include "support/testenv.h"
#include "support/user_store.h"
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { user_store::isolate(); }

    // The sign-in form alone is shown and ends the program, closed or by Escape; no other form closes on Escape.
    void formsCreatedHiddenAndOnlyTheSignInEndsOnEscape()
    {
        forms::createAll();
        QVERIFY(!forms::dm->ADOConnection1.connected());
        QVERIFY(forms::dm->ADOConnection1.connectionString().isEmpty());
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
        QVERIFY(!forms::dm && !forms::login);
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

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
