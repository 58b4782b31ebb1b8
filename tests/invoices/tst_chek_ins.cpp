// The invoice entry form: the remarks warning and the duplicate refusal, the checks before anything is written,
// tax and levy, edit and delete, closing searches again, the Arabic kaf, the shop pick and the Enter key.
#include "Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "invoices/ins_u.h"
#include "invoices/src_chek_u.h"
#include "support/form_input.h"
#include "support/invoice_rows.h"
#include "support/testenv.h"
#include "ui/control_text.h"
#include "ui_ins_u.h"
#include "ui_src_chek_u.h"
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

Tchek_ins &entry() { return *forms::chek_ins; }
Ui::Tchek_ins &entryUi() { return *forms::chek_ins->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_chek; }

const QString remarksWarning = u"هشدار، توضيحات  تكراري است! آيا مي خواهيد ادامه دهيد؟"_s;
const QString duplicate = u"اين مشخصات تكراري است و قبلا ثبت شده است"_s;

int invoices(TestEnv &env)
{
    return env.scalar(u"select count(*) from chek"_s).toInt();
}

// The register's new command, then the fields typed over its defaults.
void newInvoice(const QHash<QString, QString> &typed)
{
    forms::chek_src->N3Click();
    for (auto it = typed.cbegin(); it != typed.cend(); ++it) {
        auto *field = entry().findChild<QWidget *>(it.key());
        QVERIFY2(field, qPrintable(it.key()));
        ui::setControlText(field, it.value());
    }
}

// The register searched with every row, this one made current, and the command (edit or delete).
void onRow(qint64 id, void (Tchek_src::*command)())
{
    Q_EMIT forms::chek_src->ui->Label18->clicked(); // the fiscal year filter off
    forms::chek_src->BitBtn1Click();
    QVERIFY(listQuery().locate(u"id"_s, id));
    (forms::chek_src->*command)();
}

} // namespace

class TestChekIns : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->signInAs();
    }
    void cleanup() { env.reset(); }

    void remarksWarningAndDuplicateRefusal()
    {
        const QHash<QString, QString> invoice = {{u"hesab_no"_s, u"111"_s}, {u"cmt"_s, u"فوري"_s},
                                                 {u"mablagh"_s, u"1,234"_s}, {u"mozo"_s, u"کاغذ"_s},
                                                 {u"foroshgah"_s, u"کتاب"_s}, {u"chek_dat"_s, u"1403/01/05"_s}};
        newInvoice(invoice);
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s});
        QCOMPARE(invoices(*env), 1);
        // Stored with the Arabic kaf, stamped with the user, and part of the register's list at once.
        QCOMPARE(env->scalar(u"select mozo || '|' || foroshgah || '|' || user_id || '|' || mablagh from chek"_s)
                     .toString(),
                 u"كاغذ|كتاب|1|1234"_s);
        QCOMPARE(listQuery().recordCount(), 1);

        // The same entry again, and one differing only in serial, tax or vendor: warned, then refused.
        for (QLineEdit *changed : {static_cast<QLineEdit *>(nullptr), entryUi().serial, entryUi().maliyat,
                                   entryUi().foroshandeh}) {
            if (changed)
                changed->setText(u"7"_s);
            env->dialogs.reset();
            env->dialogs.answers.enqueue(ui::Answer::Yes);
            entryUi().ins_btn->click();
            QCOMPARE(env->dialogs.messages(), (QStringList{remarksWarning, duplicate}));
        }
        QCOMPARE(invoices(*env), 1);

        // Another cheque number: only the warning, whose No or Cancel stores nothing.
        entryUi().chek_no->setText(u"C-9"_s);
        for (ui::Answer answer : {ui::Answer::No, ui::Answer::Cancel}) {
            env->dialogs.reset();
            env->dialogs.answers.enqueue(answer);
            entryUi().ins_btn->click();
            QCOMPARE(env->dialogs.messages(), (QStringList{remarksWarning, u"ثبت نشد"_s}));
        }
        env->dialogs.reset();
        env->dialogs.answers.enqueue(ui::Answer::Yes);
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"ثبت شد"_s);

        // Empty remarks: no warning; the duplicate test compares them with the empty text.
        entryUi().cmt->clear();
        env->dialogs.reset();
        entryUi().ins_btn->click();
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.messages(), (QStringList{u"ثبت شد"_s, duplicate}));
        QCOMPARE(invoices(*env), 3);
    }
    void numberFieldsCheckedBeforeAnythingIsWritten()
    {
        const QList<std::pair<QString, QString>> refused = {
            {u"variz"_s, QString()}, {u"mablagh"_s, QString()}, {u"maliyat"_s, u"74.04"_s}, {u"avarez"_s, u"3%"_s}};
        for (const auto &[field, text] : refused) {
            newInvoice({{u"mozo"_s, u"x"_s}, {field, text}});
            env->dialogs.reset();
            entryUi().ins_btn->click();
            QCOMPARE(env->dialogs.messages().size(), 1);
            const QString caption = entry().fields().find(field)->caption;
            QVERIFY2(env->dialogs.lastMessage().contains(caption), qPrintable(env->dialogs.lastMessage()));
            QCOMPARE(invoices(*env), 0);
        }
        // Tax and levy left empty are stored as null; petty cash and debit as 0.
        newInvoice({{u"mozo"_s, u"x"_s}, {u"tankhah"_s, QString()}});
        entryUi().ins_btn->click();
        QCOMPARE(env->scalar(u"select coalesce(maliyat, 'null') || '|' || tankhah || '|' || bedehkari from chek"_s)
                     .toString(),
                 u"null|0|0"_s);
    }
    void taxAndLevyInWholeRialsFromAChangedAmount()
    {
        newInvoice({});
        const QList<std::tuple<QString, QString, QString>> cases = {
            {u"1234"_s, u"74"_s, u"37"_s}, // 74.04 and 37.02
            {u"25"_s, u"2"_s, u"1"_s},     // 1.5 and 0.75: halves and more round up
            {u"16"_s, u"1"_s, u"0"_s},     // 0.96 and 0.48
        };
        for (const auto &[amount, tax, levy] : cases) {
            entryUi().mablagh->setText(amount);
            entry().mablaghExit();
            QCOMPARE(entryUi().maliyat->text(), tax);
            QCOMPARE(entryUi().avarez->text(), levy);
            QCOMPARE(entryUi().mablagh2->text(), amount);
        }
        entryUi().mablagh->setText(u"1,000,000,000,000"_s);
        entry().mablaghExit();
        QCOMPARE(entryUi().maliyat->text(), u"60000000000"_s);

        // An edit passing through an unchanged amount keeps a tax typed by hand.
        const qint64 id = addInvoice(*env, {{u"mablagh"_s, 1000}, {u"maliyat"_s, 55}, {u"avarez"_s, 30}});
        onRow(id, &Tchek_src::N4Click);
        QCOMPARE(entryUi().maliyat->text(), u"55"_s);
        entry().mablaghExit();
        QCOMPARE(entryUi().maliyat->text(), u"55"_s);
        entryUi().mablagh->setText(u"2000"_s);
        entry().mablaghExit();
        QCOMPARE(entryUi().maliyat->text(), u"120"_s);
    }
    void editKeepsTheUserAndTheAccount()
    {
        env->exec(u"insert into setting (component, cmt, user_id) values (?, '111', 1)"_s, {u"شماره حساب"_s});
        const qint64 id = addInvoice(*env, {{u"hesab_no"_s, u"999"_s}, {u"mozo"_s, u"old"_s}, {u"mablagh"_s, 5},
                                            {u"variz"_s, 6}, {u"user_id"_s, 2}, {u"salemali"_s, fiscalYear()}});
        onRow(id, &Tchek_src::N4Click);
        QCOMPARE(entryUi().hesab_no->currentText(), u"999"_s);
        entryUi().mozo->setText(u"new"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"ويرايش شد"_s);
        QCOMPARE(env->scalar(u"select hesab_no || '|' || mozo || '|' || user_id || '|' || variz from chek"_s)
                     .toString(),
                 u"999|new|2|6"_s);
        entry().hide();

        newInvoice({}); // a new row gets the user's only account
        QCOMPARE(entryUi().hesab_no->currentText(), u"111"_s);
    }
    void deleteClosesTheFormAndSearches()
    {
        const qint64 gone = addInvoice(*env, {{u"mozo"_s, u"gone"_s}, {u"mablagh"_s, 40}});
        const qint64 kept = addInvoice(*env, {{u"mozo"_s, u"kept"_s}, {u"mablagh"_s, 7}});
        onRow(gone, &Tchek_src::N5Click);
        QVERIFY(entry().isVisible());
        entryUi().del_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"حذف شد"_s);
        QVERIFY(!entry().isVisible());
        QCOMPARE(env->scalar(u"select group_concat(id) from chek"_s).toLongLong(), kept);
        // The register searched again when the form closed.
        QCOMPARE(forms::chek_src->ui->cnt->text(), u"1"_s);
        QCOMPARE(forms::chek_src->ui->mablagh_sum->text(), u"7"_s);
    }
    void arabicKafInTheFormAndInEveryRow()
    {
        newInvoice({{u"cmt"_s, u"کم"_s}, {u"foroshgah"_s, u"کتاب"_s}});
        entry().cmtExit();
        entry().avarezExit(); // the levy's exit handles the shop box
        QCOMPARE(entryUi().cmt->text(), u"كم"_s);
        QCOMPARE(entryUi().foroshgah->currentText(), u"كتاب"_s);

        addInvoice(*env, {{u"cmt"_s, u"کک"_s}, {u"mozo"_s, u"کار"_s}, {u"foroshgah"_s, u"پاک"_s}, {u"user_id"_s, 5}});
        addInvoice(*env, {{u"mozo"_s, u"ک"_s}}); // remarks null
        entry().Label10Click();
        QCOMPARE(env->scalar(u"select group_concat(cmt, '|') from chek"_s).toString(), u"كك|"_s);
        QCOMPARE(env->scalar(u"select count(*) from chek where mozo like '%ک%'"_s).toInt(), 2);
        entry().Label8Click();
        entry().Label12Click();
        QCOMPARE(env->scalar(u"select group_concat(mozo || foroshgah, '|') from chek where id=1"_s).toString(),
                 u"كارپاك"_s);
    }
    void shopPickCopiesTheNewestDetails()
    {
        addInvoice(*env, {{u"foroshgah"_s, u"نور"_s}, {u"phone"_s, u"111"_s}, {u"adr"_s, u"old"_s}});
        addInvoice(*env, {{u"foroshgah"_s, u"نور"_s}, {u"phone"_s, u"222"_s}, {u"adr"_s, u"new"_s},
                          {u"melino"_s, u"42"_s}});
        addInvoice(*env, {{u"foroshgah"_s, u"نورا"_s}, {u"phone"_s, u"333"_s}});
        newInvoice({});
        QCOMPARE(comboItems(entryUi().foroshgah), (QStringList{u"نور"_s, u"نورا"_s}));
        entryUi().phone->setText(u"typed"_s);
        typeText(entryUi().foroshgah->lineEdit(), u"نو"_s);
        QCOMPARE(entryUi().phone->text(), QString()); // no shop of that name yet
        typeText(entryUi().foroshgah->lineEdit(), u"ر"_s);
        QCOMPARE(entryUi().phone->text(), u"222"_s);
        QCOMPARE(entryUi().adr->text(), u"new"_s);
        QCOMPARE(entryUi().melino->text(), u"42"_s);
    }
    void enterInTheYearSavesAndClosingSearches()
    {
        newInvoice({{u"mozo"_s, u"x"_s}, {u"mablagh"_s, u"9"_s}});
        QTest::keyClick(entryUi().salemali, Qt::Key_Return);
        QCOMPARE(env->dialogs.lastMessage(), u"ثبت شد"_s);
        QCOMPARE(invoices(*env), 1);
        entry().close();
        QCOMPARE(forms::chek_src->ui->cnt->text(), u"1"_s);
        QCOMPARE(forms::chek_src->ui->mablagh_sum->text(), u"9"_s);
    }
};

QTEST_MAIN(TestChekIns)
#include "tst_chek_ins.moc"
