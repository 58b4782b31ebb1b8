// The main window's purchases command: rights, the filters it resets, the page's size, the search, and the
// pick lists filled once per run into the page and the entry form.
#include "Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/form_input.h"
#include "support/purchase_rows.h"
#include "support/testenv.h"
#include "ui_main_u.h"
#include "ui_tavrelkol_ins_u.h"
#include "ui_tavrelkol_src_u.h"
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString denied = u"شما دسترسي به اين صفحه را نداريد"_s;

Ui::Ttavrelkol_src &pageUi() { return *forms::tavrelkol_src->ui; }

QList<bool> menuStates()
{
    QList<bool> states;
    for (QAction *item : pageUi().MainMenu1->actions())
        states << item->isEnabled();
    return states;
}

} // namespace

class TestTavrelkolOpen : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->signInAs(3, u"sara"_s);
    }
    void cleanup() { env.reset(); }

    void rightsDecideTheCommands()
    {
        QVERIFY(forms::main_->ui->N1->isEnabled());
        addPurchase(*env, {{u"mozo"_s, u"m"_s}});
        forms::tavrelkol_src->src_btnClick(); // rows, so that only the rights decide the commands
        forms::main_->N1Click(); // no rights row
        QCOMPARE(env->dialogs.messages(), QStringList{denied});

        // No view right: refused, the commands already set.
        env->setRights(3, u"tavrelkol"_s, {true, true, true, false});
        env->dialogs.reset();
        forms::main_->N1Click();
        QCOMPARE(env->dialogs.messages(), QStringList{denied});
        QCOMPARE(menuStates(), (QList<bool>{true, true, true, false, false, false, true}));

        env->setRights(3, u"tavrelkol"_s, {false, false, false, true}); // view only
        env->dialogs.reset();
        forms::main_->N1Click();
        QCOMPARE(env->dialogs.shown.size(), 1);
        QCOMPARE(env->dialogs.shown.first().kind, u"modal"_s);
        QCOMPARE(env->dialogs.shown.first().text, forms::tavrelkol_src->objectName());
        QCOMPARE(menuStates(), (QList<bool>{false, false, false, true, true, true, true}));
    }
    void openingResetsSizesSearchesAndShows()
    {
        env->setRights(3, u"tavrelkol"_s, {true, true, true, true});
        addPurchase(*env, {{u"mozo"_s, u"a"_s}, {u"mablagh_kol"_s, 1500}, {u"pardakht_dat"_s, shamsiToday()}});
        addPurchase(*env, {{u"mozo"_s, u"b"_s}, {u"mablagh_kol"_s, 2000}, {u"pardakht_dat"_s, u"1390/01/01"_s}});

        pageUi().CheckBox2->click(); // a box switched on stays on; its text is emptied
        pageUi().mozo->setEditText(u"old"_s);
        pageUi().cmt->setText(u"old"_s);
        pageUi().CheckBox10->click();
        pageUi().pardakht_dat1->setStoredText(u"1390/01/01"_s);
        pageUi().user->setText(u"9"_s);
        forms::main_->resize(1000, 700);
        forms::main_->N1Click();

        QVERIFY(pageUi().CheckBox2->isChecked());
        QCOMPARE(pageUi().mozo->currentText(), QString());
        QCOMPARE(pageUi().cmt->text(), QString());
        QCOMPARE(pageUi().pardakht_dat1->storedText(), shamsiToday());
        QCOMPARE(pageUi().pardakht_dat2->storedText(), shamsiToday());
        QCOMPARE(pageUi().user->text(), u"-1"_s);
        QCOMPARE(forms::tavrelkol_src->size(), QSize(forms::main_->width() - 30, forms::main_->height() - 50));
        // The search ran with today's receipts and an empty subject.
        QCOMPARE(pageUi().cnt->text(), u"1"_s);
        QCOMPARE(pageUi().mablagh_kol_sum->text(), u"1,500"_s);
        QCOMPARE(env->dialogs.shown.last().kind, u"modal"_s);

        // The subjects fill the page's and the entry form's lists once per run of the program.
        const auto subjects = [](QComboBox *combo) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            items.sort();
            return items;
        };
        QCOMPARE(subjects(pageUi().mozo), (QStringList{u"a"_s, u"b"_s}));
        QCOMPARE(subjects(forms::tavrelkol_ins->ui->mozo), (QStringList{u"a"_s, u"b"_s}));
        addPurchase(*env, {{u"mozo"_s, u"c"_s}});
        forms::main_->N1Click();
        QCOMPARE(subjects(pageUi().mozo), (QStringList{u"a"_s, u"b"_s}));
        QCOMPARE(subjects(forms::tavrelkol_ins->ui->mozo), (QStringList{u"a"_s, u"b"_s}));
    }
};

QTEST_MAIN(TestTavrelkolOpen)
#include "tst_tavrelkol_open.moc"
