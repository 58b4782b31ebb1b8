// The price-inquiry letter printed from the requests list: heading, address boxes, signer, numbered lines, pages.
#include "db/querymodel.h"
#include "platform/platform.h"
#include "purchasing/darkhast_estelam_u.h"
#include "purchasing/darkhast_src_u.h"
#include "report/organisation.h"
#include "support/page_test.h"
#include "support/pdf_text.h"
#include "ui_darkhast_src_u.h"

using namespace Qt::StringLiterals;

namespace {

report::Report &letter() { return forms::darkhast_estelam->QuickRep1; }
db::Query &requests() { return *forms::dm->ADOQ_darkhast; }

// The running numbers of the table's lines, page after page.
QStringList lineNumbers(const report::Document &document)
{
    QStringList numbers;
    for (int page = 0; page < document.pages.size(); ++page)
        for (const report::Item *item : document.find(page, u"QRSysData1"_s))
            numbers << item->text;
    return numbers;
}

} // namespace

class TestDarkhastEstelam : public PageTest {
    Q_OBJECT

private slots:
    // The heading from the current request, the address boxes' default "؟", signer, organisation, numbered lines.
    void headingBoxesSignerAndNumberedLines()
    {
        const QStringList goods{u"کاغذ"_s, u"ميز"_s, u"صندلي"_s, u"کمد"_s};
        for (int i = 0; i < 4; ++i)
            addRow(*env, u"darkhast"_s, {{u"kala"_s, goods[i]}, {u"cnt"_s, QString::number(i + 2)},
                                         {u"moshakhasat"_s, QString(u"detail"_s + QString::number(i))},
                                         {u"dabir_no"_s, QString(i == 3 ? u"99"_s : u"450"_s)},
                                         {u"dabir_dat"_s, u"1403/02/20"_s}, {u"takhliye"_s, u"انبار مرکزي"_s},
                                         {u"est_dat"_s, u"1403/03/01"_s}, {u"namayande"_s, u"رضا کريمي"_s}});
        const QString signer = u"رئيس اداره تدارکات و پشتيباني"_s;
        addSetting(*env, signer, u"حسن احمدي"_s, 7); // the lowest id, whoever filed it
        addSetting(*env, signer, u"other"_s);
        // The list narrowed to the secretariat number 450, its second request current.
        forms::darkhast_src->ui->CheckBox7->click();
        forms::darkhast_src->ui->dabir_no->setEditText(u"450"_s);
        forms::darkhast_src->ui->add_dabir_no->click();
        forms::darkhast_src->ui->src_btn->click();
        requests().setRecNo(2);
        env->dialogs.inputs << u"کارگاه شمال"_s << std::nullopt; // the third box takes its default too
        const auto store = platform::settings();
        store->setValue(report::orgNameKey, u"اداره کل نمونه"_s);
        store->setValue(report::orgShortNameKey, u"اداره"_s);
        store->setValue(report::orgAddressKey, u"خيابان اول صندوق پستي 123"_s);

        forms::darkhast_src->ui->N8->trigger();
        QStringList boxes;
        for (const auto &shown : env->dialogs.shown)
            if (shown.kind == u"input"_s)
                boxes << shown.caption + u'|' + shown.text + u'|' + shown.detail;
        QCOMPARE(boxes, (QStringList{u"Adr Kargah1|آدرس کارگاه اول|؟"_s, u"Adr Kargah2|آدرس کارگاه دوم|؟"_s,
                                     u"Adr Kargah3|آدرس کارگاه سوم|؟"_s}));
        QCOMPARE(requests().recNo(), 2); // printing moves no row

        const QStringList pages = pdftext::pages(env->dialogs.lastPreview());
        QCOMPARE(pages.size(), 1);
        const QString &page = pages.first();
        QVERIFY(pdftext::hasTokens(page, u"فرم استعلام بهاي کالاي موردنياز شماره 450 1400- تاريخ 1403/02/20"_s));
        QVERIFY(pdftext::hasTokens(page, u"اداره کل نمونه اداره کل نمونه نياز به تعدادي ميز انبار مرکزي 1403/03/01"_s));
        QVERIFY(pdftext::hasTokens(page, u"خيابان اول صندوق پستي 123 رضا کريمي نماينده اين اداره حسن احمدي"_s));
        QVERIFY(pdftext::hasTokens(page, u"کاغذ 2 detail0 ميز 3 detail1 صندلي 4 detail2 کارگاه شمال ؟ ؟"_s));
        QVERIFY(!pdftext::hasTokens(page, u"کمد"_s) && !pdftext::hasTokens(page, u"other"_s));
        QCOMPARE(lineNumbers(letter().layOut()), (QStringList{u"1"_s, u"2"_s, u"3"_s}));

        // The list's representative column is titled with the organisation's short name.
        forms::darkhast_src->FormShow();
        const db::QueryModel &grid = forms::darkhast_src->gridModel();
        QCOMPARE(grid.headerData(grid.columnOfField(u"namayande"_s), Qt::Horizontal, Qt::DisplayRole).toString(),
                 u"نماينده اداره"_s);
    }
    // Nothing for an empty list; a long list numbered across pages, headers on each, the conditions after the last.
    void longListsRepeatTheHeadersAndEndWithTheConditions()
    {
        forms::darkhast_src->ui->src_btn->click();
        printInquiryLetter();
        QVERIFY(env->dialogs.shown.isEmpty());
        for (int i = 0; i < 40; ++i)
            addRow(*env, u"darkhast"_s, {{u"kala"_s, QString(u"کالا "_s + QString::number(i + 1))}});
        forms::darkhast_src->ui->src_btn->click();
        env->dialogs.inputs << u"a"_s << u"b"_s << u"c"_s;
        printInquiryLetter();
        const report::Document document = letter().layOut();
        QVERIFY(document.pages.size() > 1);
        QStringList expected;
        for (int i = 1; i <= 40; ++i)
            expected << QString::number(i);
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

QTEST_MAIN(TestDarkhastEstelam)
#include "tst_darkhast_estelam.moc"
