// The guard that keeps the program running after a handler's error. (The warning-box shorthand: the purchase
// entry test asks its repeat warnings through it, with every answer.)
#include "db/error.h"
#include "ui/guard.h"
#include "ui/scripted_dialogs.h"
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestDialogsGuard : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        QCOMPARE(started - finished, 1);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(finished, 1);
        QVERIFY(!ui::guarded([] { throw std::runtime_error("خطای دیگر"); }));
        QCOMPARE(scripted.errors(), (QStringList{u"جدول tavrelkol وجود ندارد"_s, u"خطای دیگر"_s}));
        QVERIFY(scripted.messages().isEmpty());
    }
};

QTEST_MAIN(TestDialogsGuard)
#include "tst_dialogs_guard.moc"
