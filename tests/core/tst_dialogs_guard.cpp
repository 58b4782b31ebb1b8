// The guard that keeps the program running after a handler's error. (The warning-box shorthand: the purchase
// entry test asks its repeat warnings through it, with every answer.)
#include "db/error.h"
#include "ui/guard.h"
#include "ui/scripted_dialogs.h"
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A form whose handler fails the way a page's handler does when the database refuses a statement.
class Form : public QWidget {
public:
    int started = 0;
    int finished = 0;
    bool failNext = true;

    void ins_btnClick()
    {
        ++started;
        if (failNext) {
            failNext = false;
            throw db::Error(QStringLiteral("جدول tavrelkol وجود ندارد"));
        }
        ++finished;
    }
};

} // namespace

class TestDialogsGuard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { scripted = &ui::ScriptedDialogs::install(); }

    // A handler that fails is reported and the rest of it skipped; the program goes on and the next click
    // works. Any exception is reported, not only the database's.
    void guardedHandlerOfARealButton()
    {
        Form form;
        auto *button = new QPushButton(&form);
        ui::connectGuarded(button, &QPushButton::clicked, &form, &Form::ins_btnClick);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(form.started, 1);
        QCOMPARE(form.finished, 0);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(form.started, 2);
        QCOMPARE(form.finished, 1);
        QVERIFY(!ui::guarded([] { throw std::runtime_error("خطای دیگر"); }));
        QCOMPARE(scripted->errors(), (QStringList{QStringLiteral("جدول tavrelkol وجود ندارد"), QStringLiteral("خطای دیگر")}));
        QVERIFY(scripted->messages().isEmpty());
    }

private:
    ui::ScriptedDialogs *scripted = nullptr;
};

QTEST_MAIN(TestDialogsGuard)
#include "tst_dialogs_guard.moc"
