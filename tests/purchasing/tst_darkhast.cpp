// The purchase requests list and entry form: filters, colours, numbering, the duplicate, edit and opener;
// the price-inquiry letter printed from the list.
#include "db/querymodel.h"
#include "platform/platform.h"
#include "purchasing/darkhast_estelam_u.h"
#include "purchasing/darkhast_ins_u.h"
#include "purchasing/darkhast_src_u.h"
#include "report/organisation.h"
#include "support/page_test.h"
#include "support/pdf_text.h"
#include "ui/control_text.h"
#include "ui_darkhast_ins_u.h"
#include "ui_darkhast_src_u.h"
#include <QCheckBox>

using namespace Qt::StringLiterals;

namespace {

const QString untouched = u"    /  /  "_s;

Tdarkhast_src &page() { return *forms::darkhast_src; }
Ui::Tdarkhast_src &pageUi() { return *forms::darkhast_src->ui; }
Ui::Tdarkhast_ins &entryUi() { return *forms::darkhast_ins->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_darkhast; }
report::Report &letter() { return forms::darkhast_estelam->QuickRep1; }

qint64 addRequest(TestEnv &env, const QVariantMap &columns) { return addRow(env, u"darkhast"_s, columns); }
// The given fields typed into the entry form and its insert button pressed.
void insert(const QHash<QString, QString> &typed)
{
    setFieldTexts(forms::darkhast_ins, typed);
    entryUi().ins_btn->click();
}

// The running numbers of the letter's lines, page after page.
QStringList lineNumbers(const report::Document &document)
{
    QStringList numbers;
    for (int page = 0; page < document.pages.size(); ++page)
        for (const report::Item *item : document.find(page, u"QRSysData1"_s))
            numbers << item->text;
    return numbers;
}

} // namespace

class TestDarkhast : public PageTest {
    Q_OBJECT

private slots:
    // Each filter alone: "the seeded rows listed|the count". The value lists (the kit's, proved here): "+" adds a
    // text, one typed and not added plays no part, none added finds nothing, row numbers checked.
    void eachFilterAlone()
    {
        const QList<qint64> seeded{
            addRequest(*env, {{u"prj_name"_s, u"پروژه الف"_s}, {u"kala"_s, u"کاغذ"_s}, {u"sal"_s, u"1402"_s},
                              {u"cmt"_s, u"c"_s}, {u"dabir_no"_s, u"5"_s}, {u"radif"_s, 1}}),
            addRequest(*env, {{u"kala"_s, u"ميز"_s}, {u"sal"_s, u"1403"_s}, {u"dabir_no"_s, u"55"_s}, {u"radif"_s, 2}}),
            addRequest(*env, {{u"kala"_s, u"ميز تحرير"_s}, {u"darkhastkonande"_s, u"امور مالي"_s},
                              {u"sal"_s, u"1399"_s}, {u"status"_s, u"ابطال شد"_s}, {u"dabir_no"_s, u"9/1"_s},
                              {u"radif"_s, 3}}),
        };
        for (const auto &[box, control, text, rows] : // the year's filter a like
             {std::tuple{1, u"prj_name"_s, u"الف"_s, u"0|1"_s}, {6, u"cmt"_s, u"c"_s, u"0|1"_s},
              {2, u"kala"_s, u"ميز"_s, u"1,2|2"_s}, {3, u"status"_s, u"ابطال"_s, u"2|1"_s},
              {9, u"darkhastkonande"_s, u"مالي"_s, u"2|1"_s}, {5, u"sal"_s, u"140"_s, u"0,1|2"_s}})
            QCOMPARE(filterAlone(&page(), listQuery(), seeded, u"CheckBox"_s + QString::number(box), {control}, {text}),
                     rows);
        // A value list's filter: each text added by "+", then "55" typed and never added; "rows listed|the count".
        const auto listed = [&](const QString &box, const QString &control, const QStringList &added) -> QString {
            auto *field = page().findChild<QWidget *>(control);
            auto *checkBox = page().findChild<QCheckBox *>(box);
            checkBox->click();
            for (const QString &text : added) {
                ui::setControlText(field, text);
                page().findChild<QAbstractButton *>(u"add_"_s + control)->click();
            }
            ui::setControlText(field, u"55"_s);
            pageUi().src_btn->click();
            waitForTotals(listQuery());
            checkBox->click(); // off again
            QStringList rows;
            for (const qint64 id : idsOf(listQuery()))
                rows << QString::number(seeded.indexOf(id));
            rows.sort();
            return rows.join(u',') + u'|' + pageUi().cnt->text();
        };
        QCOMPARE(listed(u"CheckBox7"_s, u"dabir_no"_s, {}), u"|0"_s);
        QCOMPARE(listed(u"CheckBox7"_s, u"dabir_no"_s, {u"5"_s, u"9/1"_s}), u"0,2|2"_s);
        QCOMPARE(listed(u"CheckBox8"_s, u"radif"_s, {u"3"_s, u"۱"_s}), u"0,2|2"_s);
        listed(u"CheckBox8"_s, u"radif"_s, {u"x1"_s});
        QCOMPARE(env->dialogs.messages(), QStringList{u"مقدار «رديف» درست نيست"_s});
    }
    // The first colour that applies, in the list's order; a status must match exactly.
    void rowColoursInTheirOrder()
    {
        const QString delivered = u"1403/02/01"_s;
        const QList<std::pair<QVariantMap, QColor>> cases{
            {{{u"tahvil_dat"_s, untouched}}, QColor()},
            {{{u"tahvil_dat"_s, delivered}}, QColor(0, 255, 0)},
            {{{u"tahvil_dat"_s, untouched}, {u"status"_s, u"خريد انجام شد"_s}}, QColor(0, 255, 36)},
            {{{u"tahvil_dat"_s, delivered}, {u"status"_s, u"در دست اقدام"_s}}, QColor(255, 255, 0)},
            {{{u"tahvil_dat"_s, delivered}, {u"status"_s, u"ابطال شد"_s}}, QColor(255, 0, 0)},
            {{{u"tahvil_dat"_s, delivered}, {u"status"_s, u"ابطال شد "_s}}, QColor(0, 255, 0)},
            {{{u"status"_s, u"x"_s}}, QColor()}, // no delivery date at all is not delivered
        };
        for (const auto &[columns, colour] : cases)
            addRequest(*env, columns);
        pageUi().src_btn->click();
        for (int row = 0; row < cases.size(); ++row)
            QCOMPARE(page().gridModel().data(page().gridModel().index(row, 3), Qt::BackgroundRole).value<QColor>(),
                     cases.at(row).second);
    }
    // Numbering over every year, taken afresh meanwhile; the stored row; the duplicate; the row number's checks.
    void numberingDuplicateAndTheStoredRow()
    {
        pageUi().src_btn->click();
        page().N1Click();
        QCOMPARE(entryUi().radif->text() + u'|' + entryUi().darkhast_dat->storedText() + entryUi().sal->storedText(),
                 u"1|"_s + shamsiToday() + fiscalYear()); // an empty table
        addRequest(*env, {{u"sal"_s, u"1390"_s}, {u"radif"_s, 41}});
        page().N1Click();
        QCOMPARE(entryUi().radif->text(), u"42"_s);
        otherWorkstation(*env)->exec(u"insert into darkhast (kala, radif) values ('b', 42)"_s); // while typing
        insert({{u"darkhastkonande"_s, u"واحد"_s}, {u"prj_name"_s, u"پ"_s}, {u"kala"_s, u"ك"_s}, {u"cnt"_s, u"3"_s},
                {u"status"_s, u"s"_s}});
        QCOMPARE(entryUi().radif->text(), u"43"_s);
        QCOMPARE(rowTexts(u"select darkhastkonande,darkhast_dat,prj_name,kala,cnt,vahed,est_dat,sal,tahvil_dat,"
                          "radif,status from darkhast where radif=43"_s),
                 QStringList{u"واحد|"_s + shamsiToday() + u"|پ|ك|3||"_s + untouched + u'|' + fiscalYear() + u'|'
                             + untouched + u"|43|s"_s});
        QCOMPARE(listQuery().recordCount(), 1);
        QCOMPARE(rowCount(*env, u"log"_s), 0);

        entryUi().ins_btn->click(); // unit, date, project, goods and year repeated
        insert({{u"sal"_s, u"1399"_s}, {u"radif"_s, u""_s}});
        insert({{u"sal"_s, u"1398"_s}, {u"radif"_s, u"4a"_s}});
        insert({{u"radif"_s, u"41"_s}});
        QCOMPARE(env->dialogs.messages(), (QStringList{u"ثبت شد"_s, u"اين مشخصات تكراري است و قبلا ثبت شده است"_s,
                                                       u"ثبت شد"_s, u"مقدار «رديف» درست نيست"_s, u"ثبت شد"_s}));
        QCOMPARE(rowTexts(u"select sal,radif from darkhast order by id"_s),
                 (QStringList{u"1390|41"_s, u"null|42"_s, fiscalYear() + u"|43"_s, u"1399|null"_s, u"1398|41"_s}));
    }
    // The opener searches this year, its other texts emptied, the only project chosen. A new request gets the single
    // pick-list items; an edit writes its fields and keeps the rest of the row.
    void openerNewAndEdit()
    {
        env->setRights(1, u"darkhast"_s, {true, true, true, true});
        addSetting(*env, u"نام پروژه"_s, u"پروژه يک"_s);
        addSetting(*env, u"واحد"_s, u"کيلو"_s);
        const qint64 id = addRequest(*env, {{u"kala"_s, u"k"_s}, {u"radif"_s, 7}, {u"dabir_dat"_s, u"1403/01/05"_s},
                                            {u"takhliye"_s, u"انبار"_s}, {u"sal"_s, fiscalYear()}});
        addRequest(*env, {{u"sal"_s, u"1390"_s}, {u"takhliye"_s, u"انبار"_s}});
        pageUi().CheckBox5->click();
        setFieldTexts(&page(), {{u"sal"_s, u"1390"_s}, {u"radif"_s, u"9"_s}});
        forms::main_->N7Click();
        QCOMPARE(pageUi().sal->text() + u'|' + pageUi().radif->text(), fiscalYear() + u'|');
        QCOMPARE(idsOf(listQuery()), QList<qint64>{id});
        QCOMPARE(pageUi().prj_name->currentText(), u"پروژه يک"_s);

        page().N1Click();
        QCOMPARE(entryUi().vahed->currentText() + entryUi().takhliye->currentText(), u"کيلوانبار"_s);
        forms::darkhast_ins->close();
        page().N2Click();
        entryUi().cnt->setText(u"9"_s);
        entryUi().edit_btn->click();
        QVERIFY(env->dialogs.messages().isEmpty());
        QVERIFY(!forms::darkhast_ins->isVisible());
        QCOMPARE(rowTexts(u"select kala,cnt,radif,dabir_dat,takhliye from darkhast where id=?"_s, {id}),
                 QStringList{u"k|9|7|1403/01/05|انبار"_s});
    }

    // The letter: the heading and the conditions from the current request, the address boxes' default "؟" (printed),
    // the signer, the organisation, the list's rows numbered; the list's representative column titled with the
    // short name. Nothing for an empty list; a long list numbered across pages, headers on each, the conditions after
    // the last.
    void inquiryLetters()
    {
        pageUi().src_btn->click();
        printInquiryLetter();
        QVERIFY(env->dialogs.shown.isEmpty());
        const QStringList goods{u"کاغذ"_s, u"ميز"_s, u"صندلي"_s, u"کمد"_s};
        for (int i = 0; i < 4; ++i)
            addRequest(*env, {{u"kala"_s, goods[i]}, {u"cnt"_s, QString::number(i + 2)},
                              {u"moshakhasat"_s, QString(u"detail"_s + QString::number(i))},
                              {u"dabir_no"_s, QString(i == 3 ? u"99"_s : u"450"_s)}, {u"dabir_dat"_s, u"1403/02/20"_s},
                              {u"takhliye"_s, u"انبار مرکزي"_s}, {u"est_dat"_s, u"1403/03/01"_s},
                              {u"namayande"_s, u"رضا کريمي"_s}});
        const QString signer = u"رئيس اداره تدارکات و پشتيباني"_s;
        addSetting(*env, signer, u"حسن احمدي"_s, 7); // the lowest id, whoever filed it
        addSetting(*env, signer, u"other"_s);
        pageUi().CheckBox7->click(); // the secretariat number 450, its second request current
        pageUi().dabir_no->setEditText(u"450"_s);
        pageUi().add_dabir_no->click();
        pageUi().src_btn->click();
        listQuery().setRecNo(2);
        env->dialogs.inputs << u"کارگاه شمال"_s << std::nullopt; // the third box takes its default too
        const auto store = platform::settings();
        store->setValue(report::orgNameKey, u"اداره کل نمونه"_s);
        store->setValue(report::orgShortNameKey, u"اداره"_s);
        store->setValue(report::orgAddressKey, u"خيابان اول صندوق پستي 123"_s);

        pageUi().N8->trigger();
        QCOMPARE(listQuery().recNo(), 2); // printing moves no row
        const QStringList pages = pdftext::pages(env->dialogs.lastPreview());
        QCOMPARE(pages.size(), 1);
        for (const QString &phrase :
             {u"فرم استعلام بهاي کالاي موردنياز شماره 450 1400- تاريخ 1403/02/20"_s,
              u"اداره کل نمونه اداره کل نمونه نياز به تعدادي ميز انبار مرکزي 1403/03/01 1403/03/01"_s,
              u"خيابان اول صندوق پستي 123 رضا کريمي نماينده اين اداره حسن احمدي رضا کريمي"_s,
              u"کاغذ 2 detail0 ميز 3 detail1 صندلي 4 detail2 کارگاه شمال ؟ ؟"_s})
            QVERIFY2(pdftext::hasTokens(pages.first(), phrase), qPrintable(phrase));
        QVERIFY(!pdftext::hasTokens(pages.first(), u"کمد"_s) && !pdftext::hasTokens(pages.first(), u"other"_s));
        QCOMPARE(lineNumbers(letter().layOut()), (QStringList{u"1"_s, u"2"_s, u"3"_s}));

        page().FormShow();
        const db::QueryModel &grid = page().gridModel();
        QCOMPARE(grid.headerData(grid.columnOfField(u"namayande"_s), Qt::Horizontal, Qt::DisplayRole).toString(),
                 u"نماينده اداره"_s);

        QStringList expected;
        for (int i = 1; i <= 40; ++i) {
            if (i > 4)
                addRequest(*env, {{u"kala"_s, QString(u"کالا "_s + QString::number(i))}});
            expected << QString::number(i);
        }
        pageUi().CheckBox7->click(); // off
        pageUi().src_btn->click();
        env->dialogs.inputs << u"a"_s << u"b"_s << u"c"_s;
        printInquiryLetter();
        const report::Document document = letter().layOut();
        QVERIFY(document.pages.size() > 1);
        QCOMPARE(lineNumbers(document), expected); // in order across the pages
        for (int page = 0; page < document.pages.size(); ++page) {
            QCOMPARE(document.find(page, u"QRLabel6"_s).size(), 1); // the title on every page
            QCOMPARE(document.find(page, u"QRTitle5"_s).size(), 1); // and the column titles
            QCOMPARE(document.find(page, u"QRRichText7"_s).size(), page == document.pages.size() - 1 ? 1 : 0);
        }
        const QStringList pdf = pdftext::pages(env->dialogs.lastPreview());
        QCOMPARE(pdf.size(), document.pages.size());
        QVERIFY(pdftext::hasTokens(pdf.last(), u"آدرس کارگاهها جهت تحويل a b c"_s));
    }
};

QTEST_MAIN(TestDarkhast)
#include "tst_darkhast.moc"
