// The expense statement printed from the invoice register's list, read back from the previewed PDF.
#include "persian/Dates.h"
#include "persian/amount.h"
#include "invoices/rizhazine_rep_u.h"
#include "support/page_test.h"
#include "support/pdf_text.h"

using namespace Qt::StringLiterals;
using Variant = Trizhazine_rep::Variant;

namespace {

Trizhazine_rep &statement() { return *forms::rizhazine_rep; }
db::Query &list() { return *forms::dm->ADOQ_chek; }

// The register's search with no filter: every row, newest date first.
void search()
{
    list().clear();
    list().add(u"select * from chek where id<>-1 order by chek_dat desc "_s);
    list().open();
}

QStringList printed(const QString &name)
{
    QStringList found;
    const report::Document document = statement().QuickRep1.layOut();
    for (int page = 0; page < document.pages.size(); ++page)
        for (const report::Item *item : document.find(page, name))
            found << item->text;
    return found;
}

bool printedAtAll(const QString &name) { return !statement().QuickRep1.layOut().find(0, name).isEmpty(); }

} // namespace

class TestRizhazineRep : public PageTest {
    Q_OBJECT

    QStringList previewPages() const { return pdftext::pages(env->dialogs.lastPreview()); }

private slots:
    // The lines in the grid's order under the current row's number, this user's settings, today, the total in words;
    // each variant sets every caption, image and pen it uses, so one after another each prints as it should.
    void linesSettingsAndVariants()
    {
        env->exec(u"insert into chek (chek_dat, mozo, mablagh, rizhazine, cmt) values "
                  "('1403/01/05', 'قلم', 1000, '12', null), ('1403/02/01', 'کاغذ', 250000, '15', 'فوري'), "
                  "('1403/01/20', 'ميز', 4000000, '12', null)"_s);
        addSetting(*env, u"نام کارگاه"_s, u"کارگاه مرکزي"_s);
        addSetting(*env, u"نام کارگاه"_s, u"کارگاه ديگر"_s, 2);
        addSetting(*env, u"عنوان صورت ريزهزينه"_s, u"هزينه هاي جاري"_s);
        search();
        list().setSort(u"mablagh DESC"_s); // the grid sorted by a title click
        list().setRecNo(2);
        statement().printStatement(Variant::Project, {u"4,251,000"_s, u"4251000"_s});

        QCOMPARE(list().recNo(), 2);
        QCOMPARE(printed(u"QRExpr3"_s), (QStringList{u"4,000,000"_s, u"250,000"_s, u"1,000"_s}));
        QCOMPARE(statement().QuickRep1.caption(u"emza1"_s), QString()); // no signature filed: an empty line

        const QString page = previewPages().value(0);
        QVERIFY(pdftext::hasTokens(page, u"شماره ريز هزينه 15 در کارگاه کارگاه مرکزي هزينه هاي جاري"_s));
        QVERIFY(pdftext::hasTokens(page, shamsiToday() + u" 4,251,000 چهار ميليون و دويست و پنجاه و يک هزار ريال"_s));
        // Each line's number, date and subject together (the reader orders the table's blocks its own way).
        for (const QString &line : {u"1 1403/01/20 ميز"_s, u"2 1403/02/01 کاغذ"_s, u"3 1403/01/05 قلم"_s})
            QCOMPARE(pdftext::countPhrase(page, line), 1);

        addSetting(*env, u"امضا پايين صفحه صورت ريزهزينه آرم دار"_s, u"امضاي سربرگ دار"_s);
        addSetting(*env, u"امضا پايين صفحه صورت ريزهزينه سفيد"_s, u"امضاي ساده"_s);
        addSetting(*env, u"امضا پايين صفحه صورت ريزهزينه پروژه"_s, u"امضاي پروژه"_s);
        // The texts, image and frames the letterhead and project variants print and the plain one leaves out.
        const char *const letterhead[] = {"QRImage1",  "QRLabel1", "QRLabel2", "QRLabel8", "QRLabel15",
                                          "QRLabel19", "QRShape1", "QRShape2", "QRShape3", "QRShape8"};

        for (const Variant variant : {Variant::Letterhead, Variant::Plain, Variant::Letterhead, Variant::Project}) {
            statement().printStatement(variant, {u"0"_s, u"0"_s});
            const bool shown = variant != Variant::Plain;
            for (const char *name : letterhead)
                QVERIFY2(printedAtAll(QString::fromLatin1(name)) == shown, name);
            // What no variant touches prints in every one.
            QVERIFY(printedAtAll(u"QRLabel5"_s) && printedAtAll(u"QRLabel22"_s) && printedAtAll(u"QRLabel18"_s));
            const QString text = previewPages().value(0);
            QCOMPARE(pdftext::hasTokens(text, u"صورت ريز هزينه FIA.QF.02 رديف ملاحظات palomirendax"_s), shown);
            QVERIFY(pdftext::hasTokens(text, u"تاريخ "_s + shamsiToday()));
        }
        QCOMPARE(statement().QuickRep1.caption(u"emza1"_s), u"امضاي پروژه"_s);
        QVERIFY(pdftext::hasTokens(previewPages().value(0), u"امضاي پروژه"_s));
        statement().printStatement(Variant::Plain, {u"0"_s, u"0"_s});
        QCOMPARE(statement().QuickRep1.caption(u"emza1"_s), u"امضاي ساده"_s);
        QCOMPARE(statement().QuickRep1.pen(u"QRShape9"_s), report::Pen::Clear);
    }

    // Before any search an empty statement, the table not read; the total in figures and in words (beyond 32 bits
    // too); beyond the words' range or not a number, in figures only.
    void emptyBeforeAnySearchAndTheTotalInWords()
    {
        env->exec(u"insert into chek (chek_dat, mozo, mablagh) values ('1403/01/01', 'a', 5)"_s);
        statement().printStatement(Variant::Letterhead, {u"mablagh_sum"_s, u"mablagh_sum2"_s});
        QVERIFY(!list().active());
        QCOMPARE(statement().QuickRep1.caption(u"rizhazine"_s), QString());
        QCOMPARE(env->dialogs.shown.last().text, u"گزارش ريز هزينه"_s);
        QCOMPARE(previewPages().size(), 1);
        QVERIFY(pdftext::hasTokens(previewPages().value(0), u"صورت ريز هزينه رديف جمع کل 0 صفر ريال"_s));
        search();
        for (const QString &total : {u"1000000000000000"_s, u"mablagh_sum2"_s}) {
            statement().printStatement(Variant::Plain, {total, total});
            QCOMPARE(statement().QuickRep1.caption(u"sum_letter"_s), QString());
        }
        statement().printStatement(Variant::Plain, {u"2,147,483,648"_s, u"2147483648"_s});
        QVERIFY(pdftext::hasTokens(previewPages().value(0), u"2,147,483,648 "_s + amount::GetNum(2147483648LL)));
    }
};

QTEST_MAIN(TestRizhazineRep)
#include "tst_rizhazine_rep.moc"
