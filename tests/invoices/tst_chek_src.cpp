// The invoice register: its filters, totals and balance, the opener, the entry form, year repair and the exports.
#include "persian/Dates.h"
#include "persian/amount.h"
#include "db/querymodel.h"
#include "invoices/ins_u.h"
#include "invoices/src_chek_u.h"
#include "main_u.h"
#include "support/attachment_files.h"
#include "support/page_test.h"
#include "support/pdf_text.h"
#include "support/xlsx_reader.h"
#include "ui/control_text.h"
#include "ui_ins_u.h"
#include "ui_src_chek_u.h"
#include <QDir>

using namespace Qt::StringLiterals;

namespace {

Tchek_src &page() { return *forms::chek_src; }
Ui::Tchek_src &pageUi() { return *forms::chek_src->ui; }
Ui::Tchek_ins &entryUi() { return *forms::chek_ins->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_chek; }

void click(const QString &caption) { Q_EMIT page().findChild<ClickLabel *>(caption)->clicked(); }

// The register searched: "the ids listed, in the list's order|the count".
QString search()
{
    page().BitBtn1Click();
    QStringList ids;
    for (const qint64 id : idsOf(listQuery()))
        ids << QString::number(id);
    return ids.join(u',') + u'|' + pageUi().cnt->text();
}

// Four invoices the filters tell apart, texts with either kaf; newest date first they list 4, 3, 2, 1.
void seedInvoices(TestEnv &env)
{
    env.exec(u"insert into users (us) values ('ali')"_s); // id 2
    const QStringList columns = {u"hesab_no"_s, u"daste_chek_no"_s, u"foroshgah"_s, u"mozo"_s, u"chek_no"_s,
                                 u"cmt"_s,      u"mablagh"_s,       u"variz"_s,     u"bedehkari"_s,
                                 u"rizhazine"_s, u"salemali"_s,     u"chek_dat"_s,  u"user_id"_s};
    const QList<QVariantList> rows = {
        {u"111"_s, u"D-1"_s, u"فروشگاه كتاب"_s, u"خريد كاغذ"_s, u"C-100"_s, u"<b> & \"x\""_s, 1000, 5000, 500, u"12"_s,
         u"1402"_s, u"1402/05/10"_s, 1},
        {u"222"_s, u"D-2"_s, u"شركت نور"_s, u"تعمير"_s, u"C-200"_s, u"it's"_s, 2500, 0, 1500, u"15"_s, u"1403"_s,
         u"1403/01/01"_s, 2},
        {u"111"_s, {}, u"فروشگاه کتاب"_s, u"ميز کاغذي"_s, {}, u"کم"_s, 400, 1000, 1000, u"12"_s, u"1403"_s,
         u"1403/02/01"_s, 2},
        // Amounts an older program or a driver left: negative, with a fraction, a decimal text.
        {u"333"_s, {}, {}, {}, {}, {}, -3.5, QByteArray("1250000.0000"), 1250000.4, u"20"_s, u"1404"_s,
         u"1404/01/01"_s, 1},
    };
    for (const QVariantList &row : rows) {
        QVariantMap values;
        for (int c = 0; c < columns.size(); ++c)
            values.insert(columns[c], row[c]);
        addRow(env, u"chek"_s, values);
    }
}

// The register searched over every year, the list then standing on its second row.
void searchEveryYear()
{
    click(u"Label18"_s);
    page().BitBtn1Click();
    listQuery().setRecNo(2);
}

QStringList htmlLines(const QString &path)
{
    const QByteArray bytes = readFile(path);
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return {u"no byte-order mark"_s};
    return QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s);
}

} // namespace

class TestChekSrc : public PageTest {
    Q_OBJECT

private slots:
    void init()
    {
        PageTest::init();
        seedInvoices(*env);
    }

    // The year filter alone on from the start, its caption green; off, every row with the totals (amounts stored
    // negative, with a fraction or as a decimal text counted and shown in whole rials); each filter alone; the
    // statement value list (an empty list finds nothing); the debit operator; a negative balance; the amount in
    // digits; the print commands handing the total to the statement.
    void filtersTotalsAndBalance()
    {
        QCOMPARE(pageUi().Label18->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        click(u"Label18"_s);
        QCOMPARE(search(), u"4,3,2,1|4"_s);
        QCOMPARE((QStringList{pageUi().variz_sum->text(), pageUi().bedehkari_sum->text(), pageUi().mablagh_sum->text(),
                              pageUi().mablagh_sum2->text(), pageUi().tankhah_mande->text()}),
                 (QStringList{u"1,256,000"_s, u"1,253,000"_s, u"3,896"_s, u"3896"_s, u"1,252,104"_s}));
        const db::QueryModel &model = page().gridModel();
        const auto shown = [&model](int row, const QString &field) {
            return model.data(model.index(row, model.columnOfField(field)), Qt::DisplayRole).toString();
        };
        QCOMPARE(shown(0, u"variz"_s) + u'|' + shown(0, u"mablagh"_s), u"1,250,000|-4"_s);
        const auto found = [](const QString &caption, const QString &control, const QString &text) {
            click(caption);
            ui::setControlText(page().findChild<QWidget *>(control), text);
            const QString listed = search();
            click(caption); // off again
            return listed;
        };
        QCOMPARE(found(u"Label1"_s, u"us"_s, u"ali"_s), u"3,2|2"_s);
        QCOMPARE(found(u"Label1"_s, u"us"_s, u"nobody"_s), u"|0"_s);
        QCOMPARE(found(u"Label15"_s, u"daste_chek_no"_s, u"D-"_s), u"2,1|2"_s);
        // A text filter finds a row whichever kaf the row or the filter holds.
        QCOMPARE(found(u"Label14"_s, u"foroshgah"_s, u"کتاب"_s), u"3,1|2"_s);
        QCOMPARE(found(u"Label11"_s, u"mozo"_s, u"كاغذ"_s), u"3,1|2"_s);
        QCOMPARE(found(u"Label9"_s, u"chek_no"_s, u"C-2"_s), u"2|1"_s);
        QCOMPARE(found(u"Label13"_s, u"cmt"_s, u"it"_s), u"2|1"_s);
        QCOMPARE(found(u"Label13"_s, u"cmt"_s, u"كم"_s), u"3|1"_s);
        QCOMPARE(found(u"Label10"_s, u"mablagh"_s, u"2500"_s), u"2|1"_s);
        QCOMPARE(found(u"Label5"_s, u"hesab_no"_s, u"111"_s), u"3,1|2"_s);
        QCOMPARE(found(u"Label18"_s, u"salemali"_s, u"03"_s), u"3,2|2"_s); // without the mask's blanks

        click(u"Label12"_s);
        pageUi().rizhazine->setEditText(u"12"_s); // the box's own text is not searched: an empty list finds
                                                  // nothing
        QCOMPARE(search(), u"|0"_s);
        QCOMPARE(pageUi().tankhah_mande->text(), u"0"_s);
        pageUi().add_hamkari->click();
        pageUi().rizhazine->setEditText(u"15"_s);
        pageUi().add_hamkari->click();
        QCOMPARE(search(), u"3,2,1|3"_s);
        click(u"Label12"_s);
        click(u"Label8"_s);
        pageUi().bedehkari->setText(u"1000"_s);
        QCOMPARE(search(), u"4,3,2,1|4"_s); // the operator box as the page leaves
                                            // it: no operator, no condition
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
        QCOMPARE(pageUi().tankhah_mande->text(), u"-150,000"_s);
        QCOMPARE(shown(3, u"MablaghDigit"_s), u"400,000"_s);
        pageUi().N1->trigger();
        QVERIFY(pdftext::hasTokens(pdftext::pages(env->dialogs.lastPreview()).join(u' '), amount::GetNum(400000)));
    }
    // The opener: filter texts reset (a switched-on filter stays on), no search, the commands as rights and rows allow.
    void openerResetsAndShowsWithoutSearching()
    {
        env->signInAs(3, u"sara"_s, u"shahrestan"_s);
        env->setRights(3, u"faktor"_s, {false, true, true, true});
        click(u"Label11"_s);
        setFieldTexts(&page(), {{u"mozo"_s, u"old"_s}, {u"user"_s, u"9"_s}, {u"salemali"_s, u"1390"_s}});
        forms::main_->N12Click();
        QCOMPARE(env->dialogs.shown.size(), 1); // the page shown, nothing else
        QVERIFY(pageUi().mozo->isEnabled() && !listQuery().active());
        QCOMPARE(pageUi().mozo->text() + u'|' + pageUi().mablagh->text() + u'|' + pageUi().user->text() + u'|'
                     + pageUi().salemali->storedText(),
                 u"|0|-1|"_s + fiscalYear());
        QCOMPARE(menuStates(pageUi().MainMenu1), (QList<bool>{false, false, false, false, true, true, true}));
    }
    // The entry form for new, edit, delete: "remarks|shop|deposit|digits|amount digits|year|read-only, buttons shown".
    void preparesTheEntryForm()
    {
        const auto form = [] {
            const Ui::Tchek_ins &f = entryUi();
            return QStringList{f.cmt->text(), f.foroshgah->currentText(), f.variz->text(), f.variz2->text(),
                               f.mablagh2->text(), f.salemali->storedText(),
                               QString::number(f.variz->isReadOnly()) + QString::number(!f.ins_btn->isHidden())
                                   + QString::number(!f.edit_btn->isHidden()) + QString::number(!f.del_btn->isHidden())}
                .join(u'|');
        };
        pageUi().N4->trigger();
        QVERIFY(env->dialogs.shown.isEmpty());
        entryUi().cmt->setText(u"left over"_s);
        pageUi().N3->trigger();
        QCOMPARE(form(), u"||0|0|0|"_s + fiscalYear() + u"|0100"_s);
        searchEveryYear(); // the second row is invoice 3
        page().N4Click();
        QCOMPARE(form(), u"کم|فروشگاه کتاب|1,000|1000|400|1403|1010"_s);
        entryUi().variz2->setText(u"kept"_s);
        page().N5Click();
        QCOMPARE(form(), u"کم|فروشگاه کتاب|1,000|kept|400|1403|1001"_s);
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
        QCOMPARE(env->scalar(u"select group_concat(chek_dat, ' ') from chek"_s).toString(),
                 u"1393/05/01 1393/5/1 9a/05/01 9a/05/01"_s);
        QCOMPARE(pageUi().cnt->text(), u"4"_s);
    }
    // The HTML report: exact lines, texts escaped, UTF-8 with its mark, the browser's copy; the list's workbook and
    // the second one: names, headers, rows, no part file left; the current row kept by each.
    void htmlReportAndWorkbooks()
    {
        searchEveryYear();
        page().N10Click(); // cancelled: nothing
        QCOMPARE(env->dialogs.shown.last().detail, u"report.xls"_s);
        const QString path = env->folder() + u"/report.xls"_s;
        QFile::setPermissions(writeFile(path, "older"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env->dialogs.files.enqueue(path);
        page().N10Click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"فايل گزارش تهيه شد"_s});
        QCOMPARE(QFile::permissions(path) & QFile::ExeOwner, QFile::Permissions()); // replaced, not made runnable
        QCOMPARE(listQuery().recNo(), 2);

        const QStringList lines = htmlLines(path);
        const int fields = 26, body = 7 + fields + 2, row2 = body + 1 + fields + 3;
        QCOMPARE(lines.size(), body + 1 + 4 * (fields + 3) + 4 + 1);
        QCOMPARE(lines.mid(0, 8), (QStringList{u"<html>"_s,
                                              u"<head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                              u"charset=utf-8\"><title>امور خريد و فاکتور</title></head>"_s,
                                              u"<body>"_s,
                                              u"<table dir=\"rtl\" border=\"1\" align=\"center\" width=\"95%\">"_s,
                                              u"<thead>"_s, u"<tr bgcolor=\"#22ddff\" valign=\"middle\">"_s,
                                              u"<th>رديف</th>"_s, u"<th>شماره حساب</th>"_s}));
        QCOMPARE(lines.at(7 + 10), u"<th>بده کاي</th>"_s);
        QCOMPARE(lines.mid(7 + 22, 4), (QStringList{u"<th>user_id</th>"_s, u"<th>MablaghDigit</th>"_s,
                                                    u"<th>MablaghText</th>"_s, u"<th>شناسه رکورد</th>"_s}));
        // The deposit a driver's decimal text, the amount negative with a fraction: whole rials.
        QCOMPARE(lines.mid(body, 9),
                 (QStringList{u"<tbody>"_s, u"<tr>"_s, u"<td>1</td>"_s, u"<td dir=\"ltr\">333</td>"_s, u"<td></td>"_s,
                              u"<td></td>"_s, u"<td>1250000</td>"_s, u"<td></td>"_s, u"<td>-4</td>"_s}));
        const int last = body + 1 + 3 * (fields + 3); // invoice 1, the oldest
        QCOMPARE(lines.mid(last + 1, 2), (QStringList{u"<td>4</td>"_s, u"<td dir=\"ltr\">111</td>"_s}));
        QCOMPARE(lines.at(last + 2 + 6), u"<td dir=\"ltr\">1402/05/10</td>"_s);
        QCOMPARE(lines.at(last + 2 + 9), u"<td>&lt;b&gt; &amp; &quot;x&quot;</td>"_s);
        QCOMPARE(lines.at(row2 + 2 + 23), u"<td>400</td>"_s);
        QCOMPARE(lines.mid(lines.size() - 5),
                 (QStringList{u"</tbody>"_s, u"</table>"_s, u"</body>"_s, u"</html>"_s, {}}));
        page().N10Click(); // the dialog keeps the name chosen last
        QCOMPARE(env->dialogs.shown.last().detail, path);

        page().N11Click(); // the same report, opened in the browser without a
                           // question
        QVERIFY(env->openedFiles.value(0).endsWith(u"/Velmaroshtikandaz.htm"_s));
        QCOMPARE(htmlLines(env->openedFiles.value(0)), lines);

        env->openedFiles.clear();
        page().N31Click(); // the list, headed by the field names
        const XlsxSheet list(env->openedFiles.value(0));
        QCOMPARE(list.cell(u"A1"_s).text + list.cell(u"Z1"_s).text + list.cell(u"A5"_s).text + u'|'
                     + QString::number(list.lastRow) + u'|' + list.cell(u"D2"_s).text + u'|' + list.cell(u"F2"_s).text,
                 u"hesab_noid111|5|1250000|-4"_s);

        env->dialogs.files.enqueue(env->folder() + u"/accounts"_s); // ".xlsx" is added
        page().N21Click();
        QCOMPARE(env->dialogs.shown.last().detail, u"Report.xlsx"_s);
        QCOMPARE(listQuery().recNo(), 2);
        const XlsxSheet second(env->folder() + u"/accounts.xlsx"_s); // from the first row, no header
        QCOMPARE(second.name + u'|' + QString::number(second.lastRow) + u'|' + second.cell(u"A1"_s).text + u'|'
                     + second.cell(u"F4"_s).text + u'|' + second.cell(u"X4"_s).text,
                 u"List of Accounts|4|333|1000|1,000"_s);
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
        const auto totals = [this] {
            page().N13Click();
            const XlsxSheet sheet(env->openedFiles.last());
            QStringList rows;
            for (int row = 1; row <= sheet.lastRow; ++row)
                rows << sheet.cell(u"A"_s + QString::number(row)).text + u'='
                            + sheet.cell(u"B"_s + QString::number(row)).text;
            return rows;
        };
        QCOMPARE(totals(), (QStringList{u"rizhazine=mablagh"_s, u"12=1400"_s, u"15=2500"_s, u"20=-4"_s}));
        env->signInAs(1, u"Admin"_s, u"ostan"_s); // the exemption goes by the exact sign-in name
        QCOMPARE(totals(), (QStringList{u"rizhazine=mablagh"_s, u"12=1000"_s, u"20=-4"_s}));
    }
};

QTEST_MAIN(TestChekSrc)
#include "tst_chek_src.moc"
