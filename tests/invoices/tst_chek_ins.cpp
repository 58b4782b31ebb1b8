// The invoice entry form: the remarks warning, the duplicate, the field checks, tax and levy, new, edit and delete,
// the kaf and the shop's details.
#include "persian/Dates.h"
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

QString stored(const QString &expression) { return rowTexts(u"select "_s + expression + u" from chek"_s).join(u' '); }

qint64 addInvoice(TestEnv &env, const QVariantMap &columns) { return addRow(env, u"chek"_s, columns); }

// The register's new command, then the fields typed over its defaults.
void newInvoice(const QHash<QString, QString> &typed)
{
    forms::chek_src->N3Click();
    setFieldTexts(&entry(), typed);
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
        QCOMPARE(stored(u"cmt || mozo || foroshgah || user_id || '|' || mablagh"_s), u"کار فوريکاغذکتاب1|1234"_s);
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
        const QString warned = u"هشدار، توضيحات  تكراري است! آيا مي خواهيد ادامه دهيد؟"_s;
        const QStringList refused{warned, u"اين مشخصات تكراري است و قبلا ثبت شده است"_s};
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s} + refused + refused + refused + refused
                                              + (QStringList{warned, u"ثبت نشد"_s, warned, u"ثبت شد"_s, u"ثبت شد"_s})
                                              + refused.mid(1));
        QCOMPARE(env->scalar(u"select count(*) from chek"_s).toInt(), 3);
    }
    // Each number field checked before anything is written, the refusal naming it; empty tax and levy null; tax and
    // levy in whole rials, rounded half up.
    void numberFieldsTaxAndLevy()
    {
        for (const auto &[field, text] : {std::pair{u"variz"_s, QString()}, {u"mablagh"_s, QString()},
                                          {u"maliyat"_s, u"74.04"_s}, {u"avarez"_s, u"-3"_s}}) {
            newInvoice({{field, text}});
            env->dialogs.reset();
            entryUi().ins_btn->click();
            QCOMPARE(env->dialogs.messages(),
                     QStringList{u"مقدار «"_s + entry().fields().find(field)->caption + u"» درست نيست"_s});
        }
        QCOMPARE(env->scalar(u"select count(*) from chek"_s).toInt(), 0);
        // Tax left empty is stored as null, petty cash and debit as 0; the levy is a money edit, its separators read.
        newInvoice({{u"tankhah"_s, QString()}, {u"bedehkari"_s, QString()}, {u"avarez"_s, u"۱٬۲۳۴"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(stored(u"ifnull(maliyat, 'null') || tankhah || bedehkari || '|' || avarez"_s), u"null00|1234"_s);

        newInvoice({});
        // 74.04 and 37.02; 1.5 and 0.75 round up; a levy of 4.5 rounds up too, not to the even 4; 0.96 and 0.48.
        for (const QString &amounts : {u"1234|74|37"_s, u"25|2|1"_s, u"150|9|5"_s, u"16|1|0"_s}) {
            entryUi().mablagh->setText(amounts.section(u'|', 0, 0));
            entry().mablaghExit();
            QCOMPARE(fieldTexts(&entry(), {u"mablagh2"_s, u"maliyat"_s, u"avarez"_s}), amounts);
        }
    }
    // The form for new, edit, delete ("account|remarks|shop|deposit|digits|amount|digits|year|read-only, buttons"):
    // a new row gets the only account and defaults; an edit keeps the account, the user, amounts stored negative or
    // with a fraction (shown in whole rials) and a tax typed by hand while the amount stays. Delete closes the form.
    void newEditAndDelete()
    {
        const auto form = []() -> QString {
            const Ui::Tchek_ins &f = entryUi();
            return fieldTexts(&entry(), {u"hesab_no"_s, u"cmt"_s, u"foroshgah"_s, u"variz"_s, u"variz2"_s, u"mablagh"_s,
                                         u"mablagh2"_s, u"salemali"_s})
                   + u'|' + QString::number(f.variz->isReadOnly()) + QString::number(!f.ins_btn->isHidden())
                   + QString::number(!f.edit_btn->isHidden()) + QString::number(!f.del_btn->isHidden());
        };
        addSetting(*env, u"شماره حساب"_s, u"111"_s);
        const qint64 id = addInvoice(*env, {{u"hesab_no"_s, u"999"_s}, {u"mablagh"_s, 1250000.4}, {u"variz"_s, -3.5},
                                            {u"user_id"_s, 2}, {u"salemali"_s, u"1403"_s}, {u"cmt"_s, u"کم"_s},
                                            {u"foroshgah"_s, u"کتاب"_s}, {u"maliyat"_s, 55}});
        addInvoice(*env, {{u"mablagh"_s, 7}});
        Q_EMIT forms::chek_src->ui->Label18->clicked(); // the register searches every year
        entryUi().cmt->setText(u"left over"_s);
        newInvoice({});
        QCOMPARE(form(), u"111|||0|0|0|0|"_s + fiscalYear() + u"|0100"_s);
        entry().hide();
        onRow(forms::chek_src, u"BitBtn1"_s, *forms::dm->ADOQ_chek, id, u"N4"_s);
        QCOMPARE(form(), u"999|کم|کتاب|-4|-4|1,250,000|1250000|1403|1010"_s);
        entry().mablaghExit();
        QCOMPARE(entryUi().maliyat->text(), u"55"_s);
        entryUi().mozo->setText(u"new"_s);
        entryUi().edit_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"ويرايش شد"_s);
        QCOMPARE(stored(u"hesab_no || mozo || user_id || variz || '|' || mablagh"_s),
                 u"999new2-3.5|1250000.4 null"_s); // the other invoice has no account
        entry().hide();

        entryUi().variz2->setText(u"kept"_s);
        onRow(forms::chek_src, u"BitBtn1"_s, *forms::dm->ADOQ_chek, id, u"N5"_s);
        QCOMPARE(form(), u"999|کم|کتاب|-4|kept|1,250,000|1250000|1403|1001"_s);
        entryUi().del_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"حذف شد"_s);
        QVERIFY(!entry().isVisible());
        QCOMPARE(stored(u"mablagh"_s), u"7"_s);
        QCOMPARE(forms::chek_src->ui->mablagh_sum->text(), u"7"_s); // the register searched when the form closed
    }
    // The Arabic kaf in the form's fields and, by a caption click, in every stored row. A shop typed in full copies
    // its newest invoice's details, whichever kaf its name was stored or typed with.
    void arabicKafAndTheShopsDetails()
    {
        newInvoice({{u"cmt"_s, u"کم"_s}, {u"foroshgah"_s, u"کتاب"_s}});
        entry().cmtExit();
        entry().avarezExit(); // the levy's exit handles the shop box
        QCOMPARE(entryUi().cmt->text() + entryUi().foroshgah->currentText(), u"كمكتاب"_s);
        entry().hide();

        addInvoice(*env,
                   {{u"cmt"_s, u"کک"_s}, {u"mozo"_s, u"کار"_s}, {u"foroshgah"_s, u"پاک"_s}, {u"phone"_s, u"0"_s}});
        addInvoice(*env, {{u"mozo"_s, u"ک"_s}}); // remarks null: left with the empty text
        entry().Label10Click();
        QCOMPARE(stored(u"'[' || cmt || ']'"_s), u"[كك] []"_s);
        QCOMPARE(stored(u"mozo"_s), u"کار ک"_s);
        entry().Label8Click();
        entry().Label12Click();
        QCOMPARE(stored(u"mozo || foroshgah"_s), u"كارپاك ك"_s);

        addInvoice(*env, {{u"foroshgah"_s, u"نور"_s}, {u"phone"_s, u"111"_s}});
        addInvoice(*env, {{u"foroshgah"_s, u"نور"_s}, {u"phone"_s, u"222"_s}, {u"adr"_s, u"new"_s}});
        addInvoice(*env, {{u"foroshgah"_s, u"نورا"_s}, {u"phone"_s, u"333"_s}});
        newInvoice({{u"phone"_s, u"typed"_s}});
        QCOMPARE(comboItems(entryUi().foroshgah), (QStringList{u"پاك"_s, u"نور"_s, u"نورا"_s}));
        typeText(entryUi().foroshgah->lineEdit(), u"پاک"_s);
        QCOMPARE(entryUi().phone->text(), u"0"_s);
        entryUi().foroshgah->lineEdit()->clear();
        typeText(entryUi().foroshgah->lineEdit(), u"نو"_s);
        QCOMPARE(entryUi().phone->text(), QString()); // no shop of that name yet
        typeText(entryUi().foroshgah->lineEdit(), u"ر"_s);
        QCOMPARE(entryUi().phone->text() + entryUi().adr->text(), u"222new"_s);
    }
};

QTEST_MAIN(TestChekIns)
#include "tst_chek_ins.moc"
