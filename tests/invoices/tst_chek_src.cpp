// The invoice register: its filters, totals and balance, the opener, year repair, the exports and the expense
// statement its print commands preview.
#include "persian/Dates.h"
#include "persian/amount.h"
#include "invoices/rizhazine_rep_u.h"
#include "invoices/src_chek_u.h"
#include "main_u.h"
#include "support/attachment_files.h"
#include "support/page_test.h"
#include "support/pdf_text.h"
#include "support/xlsx_reader.h"
#include "ui/control_text.h"
#include "ui_src_chek_u.h"
#include <QDir>

using namespace Qt::StringLiterals;

namespace {

Tchek_src &page() { return *forms::chek_src; }
Ui::Tchek_src &pageUi() { return *forms::chek_src->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_chek; }

void click(const QString &caption) { Q_EMIT page().findChild<ClickLabel *>(caption)->clicked(); }

// The register searched: "the ids listed, in the list's order|the count".
QString search()
{
    page().BitBtn1Click();
    waitForTotals(listQuery());
    QStringList ids;
    for (const qint64 id : idsOf(listQuery()))
        ids << QString::number(id);
    return ids.join(u',') + u'|' + pageUi().cnt->text();
}

// The register searched over every year, the list then standing on its second row.
void searchEveryYear()
{
    click(u"Label18"_s);
    page().BitBtn1Click();
    listQuery().setRecNo(2);
}

// The texts the expense statement's named control prints, on every page.
QStringList printed(const QString &name)
{
    QStringList found;
    const report::Document document = forms::rizhazine_rep->QuickRep1.layOut();
    for (int page = 0; page < document.pages.size(); ++page)
        for (const report::Item *item : document.find(page, name))
            found << item->text;
    return found;
}

QStringList htmlLines(const QString &path)
{
    const QByteArray bytes = readFile(path);
    return bytes.startsWith("\xEF\xBB\xBF") ? QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s)
                                           : QStringList{u"no byte-order mark"_s};
}

} // namespace

class TestChekSrc : public PageTest {
    Q_OBJECT

    QString previewed() const { return pdftext::pages(env->dialogs.lastPreview()).value(0); }

private slots:
    // Four invoices the filters tell apart, texts with either kaf; newest date first they list 4, 3, 2, 1. The last
    // holds what an older program or a driver left: an amount negative with a fraction, a deposit as decimal text.
    void init()
    {
        PageTest::init();
        env->exec(u"insert into users (us) values ('ali')"_s); // id 2
        env->exec(u"insert into chek (hesab_no, daste_chek_no, foroshgah, mozo, chek_no, cmt, mablagh, variz, "
                  u"bedehkari, rizhazine, salemali, chek_dat, user_id) values "
                  u"('111', 'D-1', 'فروشگاه كتاب', 'خريد كاغذ', 'C-100', '<b> & \"x\"', 1000, 5000, 500, '12', '1402', "
                  u"'1402/05/10', 1), ('222', 'D-2', 'شركت نور', 'تعمير', 'C-200', 'it''s', 2500, 0, 1500, '15', "
                  u"'1403', '1403/01/01', 2), ('111', null, 'فروشگاه کتاب', 'ميز کاغذي', null, 'کم', 400, 1000, 1000, "
                  u"'12', '1403', '1403/02/01', 2), ('333', null, null, null, null, null, -3.5, "
                  u"cast('1250000.0000' as blob), 1250000.4, '20', '1404', '1404/01/01', 1)"_s);
    }

    // The year filter (on from the start) off: every row, the totals in whole rials; each filter alone; the statement
    // value list (an empty list finds nothing); the debit operator; a negative balance; the amount in digits.
    void filtersTotalsAndBalance()
    {
        click(u"Label18"_s);
        QCOMPARE(search(), u"4,3,2,1|4"_s);
        QCOMPARE(fieldTexts(&page(), {u"variz_sum"_s, u"bedehkari_sum"_s, u"mablagh_sum"_s, u"mablagh_sum2"_s,
                                      u"tankhah_mande"_s}),
                 u"1,256,000|1,253,000|3,896|3896|1,252,104"_s);
        // "caption control text listed": a text filter finds a row whichever kaf the row or the filter holds; the
        // year is searched without the mask's blanks; an unknown user finds nothing.
        for (const QString &row :
             {u"Label1 us ali 3,2|2"_s, u"Label1 us nobody |0"_s, u"Label15 daste_chek_no D- 2,1|2"_s,
              u"Label14 foroshgah کتاب 3,1|2"_s, u"Label11 mozo كاغذ 3,1|2"_s, u"Label9 chek_no C-2 2|1"_s,
              u"Label13 cmt it 2|1"_s, u"Label13 cmt كم 3|1"_s, u"Label10 mablagh 2500 2|1"_s,
              u"Label5 hesab_no 111 3,1|2"_s, u"Label18 salemali 03 3,2|2"_s}) {
            const QStringList filter = row.split(u' ');
            click(filter[0]);
            ui::setControlText(page().findChild<QWidget *>(filter[1]), filter[2]);
            QCOMPARE(search(), filter[3]);
            click(filter[0]); // off again
        }

        click(u"Label12"_s);
        pageUi().rizhazine->setEditText(u"12"_s); // the box's own text is not searched
        QCOMPARE(search(), u"|0"_s);
        QCOMPARE(pageUi().tankhah_mande->text(), u"0"_s);
        pageUi().add_hamkari->click();
        pageUi().rizhazine->setEditText(u"15"_s);
        pageUi().add_hamkari->click();
        QCOMPARE(search(), u"3,2,1|3"_s);
        click(u"Label12"_s);
        click(u"Label8"_s);
        pageUi().bedehkari->setText(u"1000"_s);
        QCOMPARE(search(), u"4,3,2,1|4"_s); // the operator box as the page leaves it: no operator, no condition
        // The sign stands between the value (left) and the caption (right): "<" finds debits above the value.
        for (const auto &[chosen, listed] :
             {std::pair{0, u"3|1"_s}, {1, u"4,2|2"_s}, {2, u"1|1"_s}, {3, u"4,2,1|3"_s}}) {
            pageUi().Combo_bedehkari->setCurrentIndex(chosen);
            QCOMPARE(search(), listed);
        }
        click(u"Label8"_s);

        env->exec(u"update chek set variz=case id when 1 then 250000 else 0 end, mablagh=case id when 1 then 400000 "
                  "else 0 end"_s);
        search();
        QCOMPARE(pageUi().tankhah_mande->text() + u'|' + textsOf(listQuery(), u"MablaghDigit"_s).value(3),
                 u"-150,000|400,000"_s);
    }
    // The opener: filter texts reset (a switched-on filter stays on), the page shown and nothing else, no search.
    void openerResetsAndShowsWithoutSearching()
    {
        env->setRights(1, u"faktor"_s, {false, false, false, true});
        click(u"Label11"_s);
        setFieldTexts(&page(), {{u"mozo"_s, u"old"_s}, {u"user"_s, u"9"_s}, {u"salemali"_s, u"1390"_s}});
        forms::main_->N12Click();
        QVERIFY(env->dialogs.shown.size() == 1 && pageUi().mozo->isEnabled() && !listQuery().active());
        QCOMPARE(fieldTexts(&page(), {u"mozo"_s, u"mablagh"_s, u"user"_s, u"salemali"_s}), u"|0|-1|"_s + fiscalYear());
    }
    // Year repair: Cancel writes nothing; asked until two digits; only dates of the form dd/dd/dd; searched again.
    void yearRepair()
    {
        env->exec(u"update chek set chek_dat=case id when 1 then '93/05/01' when 2 then '1393/5/1' "
                  u"else '9a/05/01' end, salemali='1393'"_s);
        pageUi().salemali->setStoredText(u"1393"_s);
        env->dialogs.inputs << std::nullopt << u"1"_s << u"139"_s << u"۱۳"_s;
        page().N8Click();
        QVERIFY(!listQuery().active());
        page().N8Click();
        QCOMPARE(env->dialogs.shown.size(), 4);
        waitForTotals(listQuery());
        QCOMPARE(rowTexts(u"select chek_dat from chek"_s).join(u' ') + u'|' + pageUi().cnt->text(),
                 u"1393/05/01 1393/5/1 9a/05/01 9a/05/01|4"_s);
    }
    // The HTML report: exact lines, texts escaped, UTF-8 with its mark, the browser's copy; the list's workbook and
    // the second one: names, headers, rows, numbers as numbers, no part file left; the current row kept by each.
    void htmlReportAndWorkbooks()
    {
        searchEveryYear();
        page().N10Click(); // cancelled: nothing
        QCOMPARE(env->dialogs.shown.last().detail, u"report.xls"_s);
        const QString path = env->folder() + u"/report.xls"_s;
        writeFile(path, "older");
        env->dialogs.files.enqueue(path);
        page().N10Click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"فايل گزارش تهيه شد"_s});
        QCOMPARE(listQuery().recNo(), 2);

        const QStringList lines = htmlLines(path);
        const int fields = 26, body = 7 + fields + 2, row2 = body + 1 + fields + 3;
        QCOMPARE(lines.size(), body + 1 + 4 * (fields + 3) + 4 + 1);
        QCOMPARE(lines.mid(0, 8).join(QString()),
                 u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><title>"
                 u"امور خريد و فاکتور</title></head><body><table dir=\"rtl\" border=\"1\" align=\"center\" "
                 u"width=\"95%\"><thead><tr bgcolor=\"#22ddff\" valign=\"middle\"><th>رديف</th><th>شماره حساب</th>"_s);
        // The deposit a driver's decimal text, the amount negative with a fraction: whole rials.
        QCOMPARE(lines.mid(body, 9).join(QString()),
                 u"<tbody><tr><td>1</td><td dir=\"ltr\">333</td><td></td><td></td><td>1250000</td><td></td>"
                 u"<td>-4</td>"_s);
        const int last = body + 1 + 3 * (fields + 3) + 1; // invoice 1, the oldest
        QCOMPARE(lines.at(last) + lines.at(last + 1) + lines.at(last + 7) + lines.at(last + 10) + lines.at(row2 + 25),
                 u"<td>4</td><td dir=\"ltr\">111</td><td dir=\"ltr\">1402/05/10</td>"
                 u"<td>&lt;b&gt; &amp; &quot;x&quot;</td><td>400</td>"_s);
        QCOMPARE(lines.mid(lines.size() - 5).join(u'|'), u"</tbody>|</table>|</body>|</html>|"_s);

        page().N11Click(); // the same report, opened in the browser without a question
        QVERIFY(env->openedFiles.value(0).endsWith(u"/Velmaroshtikandaz.htm"_s));
        QCOMPARE(htmlLines(env->openedFiles.value(0)), lines);

        env->openedFiles.clear();
        page().N31Click(); // the list, headed by the field names
        const XlsxSheet list(env->openedFiles.value(0));
        QCOMPARE(list.cell(u"A1"_s).text + list.cell(u"Z1"_s).text + QString::number(list.lastRow), u"hesab_noid5"_s);

        env->dialogs.files.enqueue(env->folder() + u"/accounts"_s); // ".xlsx" is added
        page().N21Click();
        QCOMPARE(env->dialogs.shown.last().detail, u"Report.xlsx"_s);
        QCOMPARE(listQuery().recNo(), 2);
        const XlsxSheet second(env->folder() + u"/accounts.xlsx"_s); // from the first row, no header
        QCOMPARE(second.name + u'|' + QString::number(second.lastRow) + u'|' + second.cell(u"A1"_s).text + u'|'
                     + second.cell(u"F4"_s).type + second.cell(u"F4"_s).text + u'|' + second.cell(u"X4"_s).text,
                 u"List of Accounts|4|333|n1000|1,000"_s);
        QCOMPARE(QDir(env->folder()).entryList({u"*accounts*"_s}, QDir::Files | QDir::Hidden),
                 QStringList{u"accounts.xlsx"_s}); // no part file left beside it
        // Each report proposes the file it last wrote, never the other's.
        page().N10Click();
        QCOMPARE(env->dialogs.shown.last().detail, path);
        page().N21Click();
        QCOMPARE(env->dialogs.shown.last().detail, env->folder() + u"/accounts.xlsx"_s);

        // The name typed again: the dialog asked about "accounts", so replacing "accounts.xlsx" is asked here.
        writeFile(env->folder() + u"/accounts.xlsx"_s, "kept");
        for (const ui::Answer answer : {ui::Answer::No, ui::Answer::Yes}) {
            env->dialogs.files.enqueue(env->folder() + u"/accounts"_s);
            env->dialogs.answers.enqueue(answer);
            page().N21Click();
            QVERIFY(env->dialogs.lastMessage().contains(u"«accounts.xlsx»"_s));
            QCOMPARE(XlsxSheet(env->folder() + u"/accounts.xlsx"_s).ok(), answer == ui::Answer::Yes);
        }
    }
    // Own rows: the province level sees all, others their own; statement totals ignore the user filter, "admin" exempt.
    void ownRowsAndStatementTotals()
    {
        addSetting(*env, u"هر کاربر اطلاعات خودش را ببيند-بلي/خير"_s, u"بلي"_s, 2);
        click(u"Label18"_s);
        QCOMPARE(search(), u"4,3,2,1|4"_s); // "admin" is of level "ostan"
        env->signInAs(2, u"ali"_s, u"shahrestan"_s);
        QCOMPARE(search(), u"3,2|2"_s);
        env->signInAs(1, u"admin"_s, u"ostan"_s);
        click(u"Label1"_s); // the user filter is not applied to the totals
        pageUi().us->setEditText(u"ali"_s);
        const auto totals = []() -> QString { // what the workbook is written from: "numbers=totals"
            page().N13Click();
            const db::Query &rows = *forms::dm->ADOQuery1;
            return textsOf(rows, u"rizhazine"_s).join(u' ') + u'=' + textsOf(rows, u"mablagh"_s).join(u' ');
        };
        QCOMPARE(totals(), u"12 15 20=1400 2500 -4"_s);
        env->signInAs(1, u"Admin"_s, u"ostan"_s); // the exemption goes by the exact sign-in name
        QCOMPARE(totals(), u"12 20=1000 -4"_s);
    }
    // The expense statement: the lines in the grid's order under the current row's number, this user's settings,
    // today, the total in figures and words; each command its variant, which sets every caption, image and pen it uses.
    void expenseStatementLinesSettingsAndVariants()
    {
        addSetting(*env, u"نام کارگاه"_s, u"کارگاه مرکزي"_s);
        addSetting(*env, u"نام کارگاه"_s, u"کارگاه ديگر"_s, 2);
        addSetting(*env, u"عنوان صورت ريزهزينه"_s, u"هزينه هاي جاري"_s);
        searchEveryYear();
        listQuery().setSort(u"mablagh DESC"_s); // the grid sorted by a title click
        listQuery().setRecNo(2);
        pageUi().N7->trigger();
        QCOMPARE(listQuery().recNo(), 2);
        QCOMPARE(printed(u"QRSysData1"_s) + printed(u"QRExpr1"_s) + printed(u"QRExpr2"_s) + printed(u"QRExpr3"_s),
                 (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"1403/01/01"_s, u"1402/05/10"_s, u"1403/02/01"_s,
                              u"1404/01/01"_s, u"تعمير"_s, u"خريد كاغذ"_s, u"ميز کاغذي"_s, QString(), u"2,500"_s,
                              u"1,000"_s, u"400"_s, u"-4"_s}));
        QCOMPARE(forms::rizhazine_rep->QuickRep1.caption(u"emza1"_s), QString()); // no signature filed: an empty line
        QVERIFY(pdftext::hasTokens(previewed(), u"شماره ريز هزينه 12 در کارگاه کارگاه مرکزي هزينه هاي جاري "_s
                                                    + shamsiToday() + u" 3,896 سه هزار و هشتصد و نود و شش ريال"_s));

        addSetting(*env, u"امضا پايين صفحه صورت ريزهزينه آرم دار"_s, u"امضاي سربرگ دار"_s);
        addSetting(*env, u"امضا پايين صفحه صورت ريزهزينه سفيد"_s, u"امضاي ساده"_s);
        addSetting(*env, u"امضا پايين صفحه صورت ريزهزينه پروژه"_s, u"امضاي پروژه"_s);
        // "+" for each control printed: the texts, image and frames the letterhead and project variants print and
        // the plain one leaves out, then two that every variant prints.
        const QStringList controls = {u"QRImage1"_s, u"QRLabel1"_s, u"QRLabel8"_s, u"QRLabel15"_s, u"QRShape1"_s,
                                      u"QRShape8"_s, u"QRShape9"_s, u"QRLabel5"_s, u"QRLabel18"_s};
        for (const auto &[command, signature] :
             {std::pair{pageUi().N2, u"امضاي سربرگ دار"_s}, {pageUi().N1, u"امضاي ساده"_s},
              {pageUi().N2, u"امضاي سربرگ دار"_s}, {pageUi().N7, u"امضاي پروژه"_s}}) {
            command->trigger();
            const bool shown = command != pageUi().N1;
            QString marks;
            for (const QString &name : controls)
                marks += printed(name).isEmpty() ? u'-' : u'+';
            QCOMPARE(marks, (shown ? u"+++++++"_s : u"-------"_s) + u"++"_s);
            QVERIFY(pdftext::hasTokens(previewed(), signature));
        }
    }
    // Before any search an empty statement, the table not read; the total in words (beyond 32 bits too); beyond the
    // words' range or not a number, in figures only.
    void expenseStatementTotals()
    {
        Trizhazine_rep &statement = *forms::rizhazine_rep;
        statement.printStatement(Trizhazine_rep::Variant::Letterhead, {u"5"_s, u"5"_s});
        QVERIFY(!listQuery().active());
        QCOMPARE(statement.QuickRep1.caption(u"rizhazine"_s), QString());
        QCOMPARE(pdftext::pages(env->dialogs.lastPreview()).size(), 1);
        QVERIFY(pdftext::hasTokens(previewed(), u"صورت ريز هزينه رديف جمع کل 0 صفر ريال"_s));
        search();
        for (const QString &total : {u"1000000000000000"_s, u"mablagh_sum2"_s}) {
            statement.printStatement(Trizhazine_rep::Variant::Plain, {total, total});
            QCOMPARE(statement.QuickRep1.caption(u"sum_letter"_s), QString());
        }
        statement.printStatement(Trizhazine_rep::Variant::Plain, {u"2,147,483,648"_s, u"2147483648"_s});
        QVERIFY(pdftext::hasTokens(previewed(), u"2,147,483,648 "_s + amount::GetNum(2147483648LL)));
    }
};

QTEST_MAIN(TestChekSrc)
#include "tst_chek_src.moc"
