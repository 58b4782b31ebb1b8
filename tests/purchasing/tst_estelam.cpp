// The price inquiries list and entry form: opener, filters, numbering, refusals, audit row, edit, delete password.
#include "db/querymodel.h"
#include "purchasing/estelam_ins_u.h"
#include "purchasing/estelam_src_u.h"
#include "support/page_test.h"
#include "ui_estelam_ins_u.h"
#include "ui_estelam_src_u.h"

using namespace Qt::StringLiterals;

namespace {

const QString rowRepeated = u"خطا! شماره رديف در اين سال تکراريست"_s;

Testelam_src &page() { return *forms::estelam_src; }
Ui::Testelam_src &pageUi() { return *forms::estelam_src->ui; }
Ui::Testelam_ins &entryUi() { return *forms::estelam_ins->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_estelam; }

qint64 addInquiry(TestEnv &env, const QVariantMap &columns) { return addRow(env, u"estelam"_s, columns); }

// The given fields typed into the entry form and its insert button pressed.
void insert(const QHash<QString, QString> &typed)
{
    setFieldTexts(forms::estelam_ins, typed);
    entryUi().ins_btn->click();
}

} // namespace

class TestEstelam : public PageTest {
    Q_OBJECT

private slots:
    // The opener empties the filter texts (a box on stays on) and searches; each filter alone: "the seeded rows
    // listed|the count"; the dates inclusive.
    void openerAndEachFilterAlone()
    {
        env->setRights(1, u"estelam"_s, {false, true, true, true});
        const QList<qint64> seeded{
            addInquiry(*env, {{u"sal"_s, u"1402"_s}, {u"onvan"_s, u"کاغذ A4"_s}, {u"est_dat"_s, u"1402/12/29"_s},
                              {u"viner"_s, u"نور"_s}}),
            addInquiry(*env, {{u"sal"_s, u"1403"_s}, {u"est_dat"_s, u"1403/02/01"_s}}),
            addInquiry(*env, {{u"sal"_s, u"1403"_s}, {u"est_dat"_s, u"1403/02/02"_s}, {u"viner"_s, u""_s},
                              {u"estelam_no"_s, u"17"_s}, {u"dabir_dat"_s, u"1403/02/01"_s}}),
        };
        pageUi().CheckBox2->click();
        pageUi().onvan->setEditText(u"zzz"_s);
        forms::main_->N16Click();
        waitForTotals(listQuery());
        QCOMPARE(pageUi().onvan->currentText() + u'|' + pageUi().cnt->text(), u"|1"_s); // a title, none typed
        pageUi().CheckBox2->click();
        const auto found = [&](const QString &box, const QStringList &controls, const QStringList &texts) {
            return filterAlone(&page(), listQuery(), seeded, box, controls, texts);
        };
        QCOMPARE(found(u"CheckBox1"_s, {u"sal"_s}, {u"1403"_s}), u"1,2|2"_s);
        QCOMPARE(found(u"CheckBox2"_s, {u"onvan"_s}, {u"کاغذ"_s}), u"0|1"_s);
        QCOMPARE(found(u"CheckBox3"_s, {u"est_dat1"_s, u"est_dat2"_s}, {u"1402/12/29"_s, u"1403/02/01"_s}), u"0,1|2"_s);
        QCOMPARE(found(u"CheckBox4"_s, {u"viner"_s}, {u"نور"_s}), u"0|1"_s);
        QCOMPARE(found(u"CheckBox5"_s, {u"estelam_no"_s}, {u"7"_s}), u"2|1"_s);
    }
    // Numbering within the year, the defaults, the stored row (no "ثبت شد") and audit row, both refusals, a number taken
    // meanwhile.
    void numberingRefusalsStoredRowAndAuditRow()
    {
        addInquiry(*env, {{u"sal"_s, u"1390"_s}, {u"radif"_s, 30}});
        pageUi().src_btn->click();
        page().N1Click();
        QCOMPARE(entryUi().radif->text() + entryUi().meghdar->text() + entryUi().mablagh->text(), u"100"_s);
        insert({{u"onvan"_s, u"it's paper"_s}, {u"est_dat"_s, u"1403/01/10"_s}, {u"mablagh"_s, u"12,500"_s},
                {u"mablagh1"_s, u"2500"_s}, {u"bazsazi_kar"_s, u"1403/01/12"_s}, {u"modirkol"_s, u"1403/01/20"_s},
                {u"dabir_no"_s, u"d-1"_s}, {u"estelam_no"_s, u"e-9"_s}});
        QCOMPARE(rowTexts(u"select sal,onvan,meghdar,est_dat,mablagh1,mablagh,bazsazi_kar,modirkol,hoghoghi,radif,"
                          "dabir_no,estelam_no from estelam where sal<>'1390'"_s),
                 QStringList{fiscalYear() + u"|it's paper|0|1403/01/10|2500|12500|1403/01/12|1403/01/20|    /  /  "
                                            u"|1|d-1|e-9"_s});
        QCOMPARE(rowTexts(u"select cmt from log"_s), QStringList{u" ثبت استعلام جديد  it's paper admin"_s});

        entryUi().ins_btn->click();                           // the row number repeated, checked first
        insert({{u"radif"_s, u"5"_s}});                        // the title and date repeated
        insert({{u"sal"_s, u"1391"_s}, {u"radif"_s, u"1"_s}}); // another year takes them all
        forms::estelam_ins->close();
        page().N1Click();
        QCOMPARE(entryUi().radif->text(), u"2"_s);
        otherWorkstation(*env)->exec(u"insert into estelam (sal, onvan, radif) values (?, 'b', 2)"_s, {fiscalYear()});
        insert({{u"onvan"_s, u"a"_s}});
        QCOMPARE(env->dialogs.messages(),
                 (QStringList{rowRepeated, u"خطا! شرح و تاريخ استعلام در اين سال تکراريست"_s, rowRepeated}));
        QCOMPARE(rowTexts(u"select sal,radif from estelam order by id"_s),
                 (QStringList{u"1390|30"_s, fiscalYear() + u"|1"_s, u"1391|1"_s, fiscalYear() + u"|2"_s}));
        QCOMPARE(rowCount(*env, u"log"_s), 2);
    }
    // An edit loads and stores every column, unchecked, silently, without an audit row; a row with a secretariat
    // number green. The delete password: the lowest id's, exact, else nothing deleted, silently; none filed: an empty
    // answer deletes.
    void editColourAndTheDeletePassword()
    {
        const qint64 id = addInquiry(*env, {{u"sal"_s, u"1403"_s}, {u"onvan"_s, u"o"_s}, {u"radif"_s, 3},
                                            {u"mablagh"_s, 1250000}, {u"bazsazi_kar"_s, u"1403/05/05"_s},
                                            {u"dabir_no"_s, u"12"_s}});
        addInquiry(*env, {{u"sal"_s, u"1403"_s}, {u"radif"_s, 4}});
        onRow(&page(), u"src_btn"_s, listQuery(), id, u"N2"_s);
        QCOMPARE(entryUi().mablagh->text(), u"1,250,000"_s);
        entryUi().radif->setText(u"4"_s); // no check on an edit
        entryUi().vali->setStoredText(u"1403/06/01"_s);
        entryUi().edit_btn->click();
        QVERIFY(env->dialogs.messages().isEmpty() && !forms::estelam_ins->isVisible());
        QCOMPARE(rowTexts(u"select radif,mablagh,bazsazi_kar,vali,dabir_no from estelam where id=?"_s, {id}),
                 QStringList{u"4|1250000|1403/05/05|1403/06/01|12"_s});
        QCOMPARE(rowCount(*env, u"log"_s), 0);
        const db::QueryModel &grid = page().gridModel();
        QCOMPARE((QList<QColor>{grid.data(grid.index(0, 5), Qt::BackgroundRole).value<QColor>(),
                                grid.data(grid.index(1, 5), Qt::BackgroundRole).value<QColor>()}),
                 (QList<QColor>{QColor(0, 255, 36), QColor()}));

        addInquiry(*env, {{u"radif"_s, 5}});
        addSetting(*env, u"رمز حذف"_s, u"first"_s, 2);
        addSetting(*env, u"رمز حذف"_s, u"second"_s, 1);
        pageUi().src_btn->click();
        // Cancel, another user's password (not the lowest id's), another case, the password; none filed: "?", "".
        const QList<std::optional<QString>> answers{std::nullopt, u"second"_s, u"First"_s, u"first"_s, u"?"_s, u""_s};
        env->dialogs.reset();
        QList<int> left;
        for (const std::optional<QString> &answer : answers) {
            if (answer == u"?"_s)
                env->exec(u"delete from setting"_s);
            env->dialogs.inputs << answer;
            page().N3Click();
            left << rowCount(*env, u"estelam"_s);
        }
        QCOMPARE(left, (QList<int>{3, 3, 3, 2, 2, 1}));
        QCOMPARE(env->dialogs.messages(), (QStringList{u"حذف شد"_s, u"حذف شد"_s}));
    }
};

QTEST_MAIN(TestEstelam)
#include "tst_estelam.moc"
