// The scripted dialog service the form tests rely on, the warning-box shorthands, and the guard that keeps
// the program running after a handler's database error.
#include "db/error.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/scripted_dialogs.h"
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

namespace {

// A form whose handler fails the way a page's handler does when the database refuses a statement.
class Form : public QWidget {
public:
    int started = 0;
    int finished = 0;
    bool failNext = true;
    QString typed;

    void ins_btnClick()
    {
        ++started;
        if (failNext) {
            failNext = false;
            throw db::Error(QStringLiteral("جدول tavrelkol وجود ندارد"));
        }
        ++finished;
    }
    void textEdited(const QString &text) { typed = text; }
};

} // namespace

class TestDialogsGuard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { scripted = &ui::ScriptedDialogs::install(); }

    void recordsEverythingInOrder()
    {
        ui::showMessage(QStringLiteral("ثبت شد"));
        scripted->answers.enqueue(Answer::No);
        QCOMPARE(ui::dialogs().ask(QStringLiteral("آيا؟"), QStringLiteral("سوال"), Buttons::YesNoCancel, Icon::Question), Answer::No);
        scripted->inputs.enqueue(QStringLiteral("123"));
        QCOMPARE(ui::dialogs().input(QStringLiteral("رمز"), QStringLiteral("کد حذف"), QString()).value_or(QString()),
                 QStringLiteral("123"));
        scripted->files.enqueue(QStringLiteral("/tmp/a.jpg"));
        QCOMPARE(ui::dialogs().openFile(QStringLiteral("باز"), QStringLiteral("JPEG (*.jpg)")), QStringLiteral("/tmp/a.jpg"));
        QCOMPARE(ui::dialogs().saveFile(QStringLiteral("ذخيره"), QString(), QStringLiteral("tavrel1403_01_05")), QString());
        QCOMPARE(ui::dialogs().pickFolder(QStringLiteral("پوشه"), QStringLiteral("/tmp")), QString());
        ui::dialogs().errorReport(QStringLiteral("خطا"));

        const QStringList kinds = [this] {
            QStringList k;
            for (const auto &s : scripted->shown)
                k.append(s.kind);
            return k;
        }();
        QCOMPARE(kinds, (QStringList{u"message"_s, u"ask"_s, u"input"_s, u"openFile"_s, u"saveFile"_s,
                                     u"pickFolder"_s, u"error"_s}));
        QCOMPARE(scripted->shown.at(1).caption, QStringLiteral("سوال"));
        QCOMPARE(scripted->shown.at(1).buttons, Buttons::YesNoCancel);
        QCOMPARE(scripted->shown.at(1).icon, Icon::Question);
        QCOMPARE(scripted->shown.at(2).text, QStringLiteral("کد حذف"));
        QCOMPARE(scripted->shown.at(3).caption, QStringLiteral("JPEG (*.jpg)"));
        QCOMPARE(scripted->shown.at(4).detail, QStringLiteral("tavrel1403_01_05"));
        QCOMPARE(scripted->shown.at(5).detail, QStringLiteral("/tmp"));
        // Boxes count as messages; the error report does not.
        QCOMPARE(scripted->messages(), (QStringList{QStringLiteral("ثبت شد"), QStringLiteral("آيا؟")}));
        QCOMPARE(scripted->lastMessage(), QStringLiteral("آيا؟"));
        QCOMPARE(scripted->errors(), QStringList{QStringLiteral("خطا")});

        scripted->answers.enqueue(Answer::Yes);
        scripted->reset();
        QVERIFY(scripted->shown.isEmpty());
        QVERIFY(scripted->answers.isEmpty());
        QCOMPARE(scripted->lastMessage(), QString());
    }

    void emptyQueueGivesWhatClosingTheBoxGives_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<Answer>("expected");
        QTest::newRow("Ok") << Buttons::Ok << Answer::Ok;
        QTest::newRow("Yes") << Buttons::Yes << Answer::Yes;
        QTest::newRow("YesNo") << Buttons::YesNo << Answer::No;
        QTest::newRow("YesNoCancel") << Buttons::YesNoCancel << Answer::Cancel;
        QTest::newRow("OkCancel") << Buttons::OkCancel << Answer::Cancel;
    }
    void emptyQueueGivesWhatClosingTheBoxGives()
    {
        QFETCH(Buttons, buttons);
        QFETCH(Answer, expected);
        QCOMPARE(ui::dialogs().ask(QStringLiteral("?"), QString(), buttons, Icon::Question), expected);
    }

    void queuedAnswersGoToBoxesWithAChoice()
    {
        scripted->answers << Answer::Yes << Answer::No;
        ui::warningYes(QStringLiteral("لطفا ابتدا تنظيمات"));  // one button: nothing to take from the queue
        QCOMPARE(scripted->answers.size(), 2);
        QVERIFY(ui::confirmWarning(QStringLiteral("حذف شود؟")));
        QVERIFY(!ui::confirmWarning(QStringLiteral("حذف شود؟")));
        QVERIFY(!ui::confirmWarning(QStringLiteral("حذف شود؟")));  // empty queue: Cancel
        QCOMPARE(scripted->shown.first().buttons, Buttons::Yes);
        QCOMPARE(scripted->shown.first().icon, Icon::Warning);
    }

    void inputsAndFilesFromTheirQueues()
    {
        scripted->inputs << std::nullopt << QString();
        const auto ask = [] { return ui::dialogs().input(QString(), QString(), QStringLiteral("پيش")); };
        QVERIFY(!ask().has_value());
        const auto emptied = ask();
        QVERIFY(emptied.has_value() && emptied->isEmpty());
        QCOMPARE(ask().value_or(QString()), QStringLiteral("پيش"));

        scripted->files << QStringLiteral("/tmp/x.xlsx") << QStringLiteral("/tmp/folder");
        QCOMPARE(ui::dialogs().saveFile(QString(), QString(), QString()), QStringLiteral("/tmp/x.xlsx"));
        QCOMPARE(ui::dialogs().pickFolder(QString(), QString()), QStringLiteral("/tmp/folder"));
        QCOMPARE(ui::dialogs().openFile(QString(), QString()), QString());
    }

    void confirmWarningGoesOnOnlyOnYes_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("Yes") << Answer::Yes << true;
        QTest::newRow("No") << Answer::No << false;
        QTest::newRow("Cancel") << Answer::Cancel << false;
    }
    void confirmWarningGoesOnOnlyOnYes()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, goesOn);
        scripted->answers.enqueue(answer);
        QCOMPARE(ui::confirmWarning(QStringLiteral("اين مورد تکراري است. ادامه مي دهيد؟"), QStringLiteral("هشدار")), goesOn);
        QCOMPARE(scripted->shown.size(), 1);
        QCOMPARE(scripted->shown.first().buttons, Buttons::YesNoCancel);
        QCOMPARE(scripted->shown.first().icon, Icon::Warning);
        QCOMPARE(scripted->shown.first().caption, QStringLiteral("هشدار"));
    }

    void showModalReturnsAtOnceWithTheFormShown()
    {
        QDialog form;
        form.setObjectName(QStringLiteral("tavrelkol_ins"));
        ui::dialogs().showModal(&form);
        QVERIFY(form.isVisible());
        QCOMPARE(scripted->shown.size(), 1);
        QCOMPARE(scripted->shown.first().kind, QStringLiteral("modal"));
        QCOMPARE(scripted->shown.first().text, QStringLiteral("tavrelkol_ins"));
    }

    void guardReportsAndStopsTheAction()
    {
        bool after = false;
        QVERIFY(ui::guarded([] {}));
        QVERIFY(!ui::guarded([&] {
            throw db::Error(QStringLiteral("ستون ناشناخته"));
            after = true;
        }));
        QVERIFY(!after);
        QVERIFY(!ui::guarded([] { throw std::runtime_error("خطای دیگر"); }));
        QCOMPARE(scripted->errors(), (QStringList{QStringLiteral("ستون ناشناخته"), QStringLiteral("خطای دیگر")}));
        QVERIFY(scripted->messages().isEmpty());
    }

    void guardedHandlerOfARealButton()
    {
        Form form;
        auto *button = new QPushButton(&form);
        ui::connectGuarded(button, &QPushButton::clicked, &form, &Form::ins_btnClick);

        QTest::mouseClick(button, Qt::LeftButton);  // fails: reported, the rest of the handler skipped
        QCOMPARE(form.started, 1);
        QCOMPARE(form.finished, 0);
        QCOMPARE(scripted->errors(), QStringList{QStringLiteral("جدول tavrelkol وجود ندارد")});

        QTest::mouseClick(button, Qt::LeftButton);  // the program went on: the next click works
        QCOMPARE(form.started, 2);
        QCOMPARE(form.finished, 1);
        QCOMPARE(scripted->errors().size(), 1);
    }

    void connectGuardedTakesArgumentsOrNone()
    {
        Form form;
        auto *button = new QPushButton(&form);
        button->setCheckable(true);
        auto *edit = new QLineEdit(&form);
        QList<bool> checked;
        int bare = 0;
        ui::connectGuarded(button, &QPushButton::clicked, &form, [&](bool on) { checked.append(on); });
        ui::connectGuarded(button, &QPushButton::clicked, &form, [&] { ++bare; });
        ui::connectGuarded(edit, &QLineEdit::textEdited, &form, &Form::textEdited);
        ui::connectGuarded(edit, &QLineEdit::textEdited, &form,
                           [](const QString &text) { throw db::Error(u"رد شد: "_s + text); });

        button->click();
        button->click();
        QCOMPARE(checked, (QList<bool>{true, false}));
        QCOMPARE(bare, 2);
        QTest::keyClicks(edit, QStringLiteral("ab"));
        QCOMPARE(form.typed, QStringLiteral("ab"));
        QCOMPARE(scripted->errors(), (QStringList{QStringLiteral("رد شد: a"), QStringLiteral("رد شد: ab")}));
    }

    void qtServiceStandsInUntilOneIsInstalled()
    {
        ui::setDialogs(nullptr);
        QVERIFY(!dynamic_cast<ui::ScriptedDialogs *>(&ui::dialogs()));
        QCOMPARE(&ui::dialogs(), &ui::dialogs());
        auto &next = ui::ScriptedDialogs::install();
        QCOMPARE(&ui::dialogs(), static_cast<ui::Dialogs *>(&next));
    }

private:
    ui::ScriptedDialogs *scripted = nullptr;
};

QTEST_MAIN(TestDialogsGuard)
#include "tst_dialogs_guard.moc"
