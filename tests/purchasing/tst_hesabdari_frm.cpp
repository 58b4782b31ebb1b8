// The accounting cover letter for the purchases register's current row: its boxes, columns and printed page.
#include "persian/Dates.h"
#include "purchasing/hesabdari_frm_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "support/page_test.h"
#include "support/pdf_text.h"
#include "ui_tavrelkol_src_u.h"

using namespace Qt::StringLiterals;

namespace {

report::Report &letter() { return forms::hesabdari_frm->QuickRep1; }

} // namespace

class TestHesabdariFrm : public PageTest {
    Q_OBJECT

private slots:
    // The boxes' defaults, the site and vendor on each other's lines, amounts grouped; answers typed; no current row.
    void defaultsAnswersAndMapping()
    {
        addRow(*env, u"tavrelkol"_s,
               {{u"dabir_no"_s, 15}, {u"mozo"_s, u"رايانه"_s}, {u"foroshande"_s, u"فروشگاه نور"_s},
                {u"mablagh_kol"_s, 1250000}, {u"mablagh"_s, 750}, {u"kargah"_s, u"کارگاه شمال"_s},
                {u"nam"_s, u"رضا کريمي"_s}, {u"cnt"_s, u"2"_s}, {u"darkhast_no"_s, u"77"_s}});
        db::Query &list = *forms::dm->ADOQ_tavrel;
        list.restoreDeclared();
        list.open();
        forms::tavrelkol_src->ui->N7->trigger(); // the register's command "فرم ها"

        const QList<ui::ScriptedDialogs::Shown> &shown = env->dialogs.shown;
        QCOMPARE(shown.size(), 3);
        QCOMPARE((QStringList{shown[0].kind, shown[0].caption, shown[0].text, shown[0].detail}),
                 (QStringList{u"input"_s, u"Date"_s, u"تاريخ نامه"_s, shamsiToday()}));
        QCOMPARE((QStringList{shown[1].kind, shown[1].caption, shown[1].text, shown[1].detail}),
                 (QStringList{u"input"_s, u"Message"_s, u"متن پايين صفحه"_s, u"بپيوست صورتجلسه"_s}));

        QCOMPARE(letter().caption(u"nam"_s), u"کارگاه شمال"_s);       // the site on the delivery line
        QCOMPARE(letter().caption(u"foroshande2"_s), u"رضا کريمي"_s); // the vendor's name on the payee line

        const QStringList pages = pdftext::pages(env->dialogs.lastPreview());
        QCOMPARE(pages.size(), 1);
        QVERIFY(pdftext::hasTokens(pages[0], u"بسمه تعالي شماره 15 تاريخ "_s + shamsiToday()));
        QVERIFY(pdftext::hasTokens(pages[0], u"رايانه فروشگاه نور 1,250,000 750 کارگاه شمال رضا کريمي 77"_s));
        QVERIFY(pdftext::hasTokens(pages[0], u"بپيوست صورتجلسه مسئول خريد رئيس محترم امور مالي"_s));

        env->dialogs.inputs << u"1403/01/02"_s << std::nullopt;
        printCoverLetter();
        QCOMPARE(letter().caption(u"dat"_s) + u'|' + letter().caption(u"peyvast"_s), u"1403/01/02|بپيوست صورتجلسه"_s);

        env->dialogs.reset();
        env->exec(u"delete from tavrelkol"_s);
        list.refresh();
        printCoverLetter();
        QVERIFY(env->dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestHesabdariFrm)
#include "tst_hesabdari_frm.moc"
