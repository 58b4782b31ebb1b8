// The invoice entry form: the remarks warning, the duplicate, the field checks, tax and levy, edit, delete, the kaf.
#include "invoices/ins_u.h"
#include "invoices/src_chek_u.h"
#include "support/form_input.h"
#include "support/page_test.h"
#include "ui_ins_u.h"
#include "ui_src_chek_u.h"

using namespace Qt::StringLiterals;

namespace {

Tchek_ins &entry() { return *forms::chek_ins; }
Ui::Tchek_ins &entryUi() { return *forms::chek_ins->ui; }

const QString remarksWarning = u"هشدار، توضيحات  تكراري است! آيا مي خواهيد ادامه دهيد؟"_s;
const QString duplicate = u"اين مشخصات تكراري است و قبلا ثبت شده است"_s;

QString stored(TestEnv &env, const QString &expression)
{
    return env.scalar(u"select group_concat("_s + expression + u", ' ') from chek"_s).toString();
}

qint64 addInvoice(TestEnv &env, const QVariantMap &columns) { return addRow(env, u"chek"_s, columns); }

// The register's new command, then the fields typed over its defaults.
void newInvoice(const QHash<QString, QString> &typed)
{
    forms::chek_src->N3Click();
    setFieldTexts(&entry(), typed);
}

// The register searched over every year, this row made current, and its command (edit or delete).
void onRow(qint64 id, void (Tchek_src::*command)())
{
    if (forms::chek_src->ui->salemali->isEnabled())
        Q_EMIT forms::chek_src->ui->Label18->clicked();
    forms::chek_src->BitBtn1Click();
    QVERIFY(forms::dm->ADOQ_chek->locate(u"id"_s, id));
    (forms::chek_src->*command)();
}

} // namespace

class TestChekIns : public PageTest {
    Q_OBJECT

private slots:
    // Stored as typed (kafs included) with the user; repeated remarks warned, only Yes going on; the duplicate refused.
    void remarksWarningAndDuplicateRefusal()
    {
        newInvoice({{u"cmt"_s, u"کار فوري"_s}, {u"mablagh"_s, u"1,234"_s}, {u"mozo"_s, u"کاغذ"_s},
                    {u"foroshgah"_s, u"کتاب"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s});
        QCOMPARE(stored(*env, u"cmt || mozo || foroshgah || user_id || '|' || mablagh"_s), u"کار فوريکاغذکتاب1|1234"_s);
        QCOMPARE(forms::dm->ADOQ_chek->recordCount(), 1);

        // Remarks, subject and shop with the other kaf, or serial, tax or vendor apart: still warned and a duplicate;
        // another cheque number only warned; empty remarks unwarned.
        setFieldTexts(&entry(), {{u"cmt"_s, u"كار فوري"_s}, {u"mozo"_s, u"كاغذ"_s}, {u"foroshgah"_s, u"كتاب"_s}});
        for (QLineEdit *changed : {static_cast<QLineEdit *>(nullptr), entryUi().serial,
                                   static_cast<QLineEdit *>(entryUi().maliyat), entryUi().foroshandeh}) {
            if (changed)
                changed->setText(u"7"_s);
            env->dialogs.answers.enqueue(ui::Answer::Yes);
            entryUi().ins_btn->click();
        }
        entryUi().chek_no->setText(u"C-9"_s);
        env->dialogs.answers << ui::Answer::No << ui::Answer::Yes;
        entryUi().ins_btn->click();
        entryUi().ins_btn->click();
        entryUi().cmt->clear();
        entryUi().ins_btn->click();
        entryUi().ins_btn->click();
        const QStringList refused{remarksWarning, duplicate};
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s} + refused + refused + refused + refused
                                              + (QStringList{remarksWarning, u"ثبت نشد"_s, remarksWarning})
                                              + (QStringList{u"ثبت شد"_s, u"ثبت شد"_s, duplicate}));
        QCOMPARE(env->scalar(u"select count(*) from chek"_s).toInt(), 3);
    }
    // Each number field checked before anything is written, the refusal naming it; empty tax and levy null; tax and
    // levy in whole rials, rounded half up, recomputed only when the amount changed.
    void numberFieldsTaxAndLevy()
    {
        const QList<std::pair<QString, QString>> refused = {
            {u"variz"_s, QString()}, {u"mablagh"_s, QString()}, {u"maliyat"_s, u"74.04"_s}, {u"avarez"_s, u"-3"_s}};
        for (const auto &[field, text] : refused) {
            newInvoice({{field, text}});
            env->dialogs.reset();
            entryUi().ins_btn->click();
            QCOMPARE(env->dialogs.messages(),
                     QStringList{u"مقدار «"_s + entry().fields().find(field)->caption + u"» درست نيست"_s});
        }
        QCOMPARE(env->scalar(u"select count(*) from chek"_s).toInt(), 0);
        // Tax left empty is stored as null, petty cash and debit as 0; the levy is a money edit, its separators read.
        newInvoice({{u"tankhah"_s, QString()}, {u"avarez"_s, u"۱٬۲۳۴"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(stored(*env, u"coalesce(maliyat, 'null') || tankhah || bedehkari || '|' || avarez"_s), u"null00|1234"_s);

        newInvoice({});
        // 74.04 and 37.02; 1.5 and 0.75 round up; a levy of 4.5 rounds up too, not to the even 4; 0.96 and 0.48.
        const QList<QStringList> cases = {{u"1234"_s, u"74"_s, u"37"_s}, {u"25"_s, u"2"_s, u"1"_s},
                                          {u"150"_s, u"9"_s, u"5"_s}, {u"16"_s, u"1"_s, u"0"_s}};
        for (const QStringList &amounts : cases) {
            entryUi().mablagh->setText(amounts[0]);
            entry().mablaghExit();
            QCOMPARE((QStringList{entryUi().mablagh2->text(), entryUi().maliyat->text(), entryUi().avarez->text()}),
                     amounts);
        }
        // An edit passing through an unchanged amount keeps a tax typed by hand.
        const qint64 id = addInvoice(*env, {{u"mablagh"_s, 1000}, {u"maliyat"_s, 55}, {u"avarez"_s, 30}});
        onRow(id, &Tchek_src::N4Click);
        entry().mablaghExit();
        QCOMPARE(entryUi().maliyat->text(), u"55"_s);
        entryUi().mablagh->setText(u"2000"_s);
        entry().mablaghExit();
        QCOMPARE(entryUi().maliyat->text(), u"120"_s);
    }
    // Edit keeps the user, the account and amounts left unchanged; a new row gets the only account; delete closes the
    // form, which searches.
    void editKeepsUserAndAccountDeleteClosesAndSearches()
    {
        addSetting(*env, u"شماره حساب"_s, u"111"_s);
        const qint64 id = addInvoice(*env, {{u"hesab_no"_s, u"999"_s}, {u"mablagh"_s, 1250000.4}, {u"variz"_s, -3.5},
                                            {u"user_id"_s, 2}, {u"salemali"_s, u"1403"_s}});
        addInvoice(*env, {{u"mablagh"_s, 7}});
        onRow(id, &Tchek_src::N4Click);
        QCOMPARE(entryUi().hesab_no->currentText(), u"999"_s); // not the user's only account
        // Amounts an older program stored negative or with a fraction show in whole rials, and stay as stored.
        QCOMPARE(entryUi().variz->text() + u'|' + entryUi().mablagh->text(), u"-4|1,250,000"_s);
        entryUi().mozo->setText(u"new"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"ويرايش شد"_s);
        QCOMPARE(stored(*env, u"hesab_no || mozo || user_id || variz || '|' || mablagh"_s), u"999new2-3.5|1250000.4"_s);
        entry().hide();
        newInvoice({}); // a new row gets the user's only account
        QCOMPARE(entryUi().hesab_no->currentText(), u"111"_s);
        entry().hide();

        onRow(id, &Tchek_src::N5Click);
        entryUi().del_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"حذف شد"_s);
        QVERIFY(!entry().isVisible());
        QCOMPARE(stored(*env, u"mablagh"_s), u"7"_s);
        QCOMPARE(forms::chek_src->ui->mablagh_sum->text(), u"7"_s); // the register searched when the form closed
    }
    // The Arabic kaf in the form's fields and, by a caption click, in every stored row.
    void arabicKafInTheFormAndInEveryRow()
    {
        newInvoice({{u"cmt"_s, u"کم"_s}, {u"foroshgah"_s, u"کتاب"_s}});
        entry().cmtExit();
        entry().avarezExit(); // the levy's exit handles the shop box
        QCOMPARE(entryUi().cmt->text() + entryUi().foroshgah->currentText(), u"كمكتاب"_s);

        addInvoice(*env, {{u"cmt"_s, u"کک"_s}, {u"mozo"_s, u"کار"_s}, {u"foroshgah"_s, u"پاک"_s}});
        addInvoice(*env, {{u"mozo"_s, u"ک"_s}}); // remarks null: left with the empty text
        entry().Label10Click();
        QCOMPARE(stored(*env, u"'[' || cmt || ']'"_s), u"[كك] []"_s);
        QCOMPARE(stored(*env, u"mozo"_s), u"کار ک"_s);
        entry().Label8Click();
        entry().Label12Click();
        QCOMPARE(stored(*env, u"mozo || foroshgah"_s), u"كارپاك ك"_s);
    }
    // A shop typed in full copies its newest invoice's details, whichever kaf its name was stored with.
    void shopPickCopiesTheNewestDetails()
    {
        addInvoice(*env, {{u"foroshgah"_s, u"پاک"_s}, {u"phone"_s, u"000"_s}});
        newInvoice({});
        typeText(entryUi().foroshgah->lineEdit(), u"پاک"_s);
        QCOMPARE(entryUi().phone->text(), u"000"_s);
        entry().hide();
        addInvoice(*env, {{u"foroshgah"_s, u"نور"_s}, {u"phone"_s, u"111"_s}});
        addInvoice(*env, {{u"foroshgah"_s, u"نور"_s}, {u"phone"_s, u"222"_s}, {u"adr"_s, u"new"_s}});
        addInvoice(*env, {{u"foroshgah"_s, u"نورا"_s}, {u"phone"_s, u"333"_s}});
        newInvoice({{u"phone"_s, u"typed"_s}});
        QCOMPARE(comboItems(entryUi().foroshgah), (QStringList{u"پاک"_s, u"نور"_s, u"نورا"_s}));
        typeText(entryUi().foroshgah->lineEdit(), u"نو"_s);
        QCOMPARE(entryUi().phone->text(), QString()); // no shop of that name yet
        typeText(entryUi().foroshgah->lineEdit(), u"ر"_s);
        QCOMPARE(entryUi().phone->text() + entryUi().adr->text(), u"222new"_s);
    }
};

QTEST_MAIN(TestChekIns)
#include "tst_chek_ins.moc"
