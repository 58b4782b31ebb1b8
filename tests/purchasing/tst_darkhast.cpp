// The purchase requests list and entry form: each filter and the two lists of values, the count, the row
// colours, the numbering with a proposed number taken again, the duplicate refusal, the pick lists, edit,
// delete, the export and the main window's command.
#include "Dates.h"
#include "db/querymodel.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "purchasing/darkhast_ins_u.h"
#include "purchasing/darkhast_src_u.h"
#include "support/form_input.h"
#include "support/table_rows.h"
#include "support/testenv.h"
#include "support/xlsx_reader.h"
#include "ui/control_text.h"
#include "ui_darkhast_ins_u.h"
#include "ui_darkhast_src_u.h"
#include "ui_main_u.h"
#include <QBrush>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString duplicateRefused = u"اين مشخصات تكراري است و قبلا ثبت شده است"_s;
const QString untouched = u"    /  /  "_s;

Tdarkhast_src &page() { return *forms::darkhast_src; }
Ui::Tdarkhast_src &pageUi() { return *forms::darkhast_src->ui; }
Tdarkhast_ins &entry() { return *forms::darkhast_ins; }
Ui::Tdarkhast_ins &entryUi() { return *forms::darkhast_ins->ui; }
db::Query &listQuery() { return *forms::dm->ADOQ_darkhast; }

qint64 addRequest(TestEnv &env, const QVariantMap &columns)
{
    return addRow(env, u"darkhast"_s, columns);
}

// The ids listed, in id order.
QList<qint64> listedIds()
{
    QList<qint64> ids = idsOf(listQuery());
    std::sort(ids.begin(), ids.end());
    return ids;
}

// A new request with the fields that tell it apart.
void newRequest(const QHash<QString, QString> &typed)
{
    page().N1Click();
    setFieldTexts(&entry(), typed);
}

} // namespace

class TestDarkhast : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->signInAs();
    }
    void cleanup() { env.reset(); }

    void eachFilterAloneAndTheValueLists_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("texts"); // typed; for a value list, each added with "+"
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("project") << u"CheckBox1"_s << u"prj_name"_s << QStringList{u"الف"_s} << QList<int>{0};
        QTest::newRow("goods") << u"CheckBox2"_s << u"kala"_s << QStringList{u"ميز"_s} << QList<int>{1, 2};
        QTest::newRow("unit") << u"CheckBox9"_s << u"darkhastkonande"_s << QStringList{u"مالي"_s} << QList<int>{2};
        QTest::newRow("year 140 is a like") << u"CheckBox5"_s << u"sal"_s << QStringList{u"140"_s} << QList<int>{0, 1};
        QTest::newRow("comment empty drops nulls") << u"CheckBox6"_s << u"cmt"_s << QStringList{u""_s} << QList<int>{0};
        QTest::newRow("status") << u"CheckBox3"_s << u"status"_s << QStringList{u"ابطال"_s} << QList<int>{2};
        QTest::newRow("secretariat numbers") << u"CheckBox7"_s << u"dabir_no"_s << QStringList{u"5"_s, u"9/1"_s}
                                             << QList<int>{0, 2};
        QTest::newRow("secretariat list empty") << u"CheckBox7"_s << u"dabir_no"_s << QStringList{} << QList<int>{};
        QTest::newRow("row numbers") << u"CheckBox8"_s << u"radif"_s << QStringList{u"3"_s, u"۱"_s} << QList<int>{0, 2};
    }
    void eachFilterAloneAndTheValueLists()
    {
        QFETCH(QString, box);
        QFETCH(QString, control);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, rows);
        const QList<qint64> seeded{
            addRequest(*env, {{u"prj_name"_s, u"پروژه الف"_s}, {u"kala"_s, u"کاغذ"_s}, {u"sal"_s, u"1402"_s},
                              {u"cmt"_s, u"c"_s}, {u"dabir_no"_s, u"5"_s}, {u"radif"_s, 1}}),
            addRequest(*env, {{u"kala"_s, u"ميز"_s}, {u"sal"_s, u"1403"_s}, {u"dabir_no"_s, u"55"_s}, {u"radif"_s, 2}}),
            addRequest(*env, {{u"kala"_s, u"ميز تحرير"_s}, {u"darkhastkonande"_s, u"امور مالي"_s}, {u"sal"_s, u"1399"_s},
                              {u"status"_s, u"ابطال شد"_s}, {u"dabir_no"_s, u"9/1"_s}, {u"radif"_s, 3}}),
        };
        auto *check = page().findChild<QCheckBox *>(box);
        check->click();
        QWidget *field = page().findChild<QWidget *>(control);
        QVERIFY(field->isEnabled());
        auto *add = page().findChild<QPushButton *>(u"add_"_s + control);
        for (const QString &text : texts) {
            ui::setControlText(field, text);
            if (add)
                add->click();
        }
        if (add)
            ui::setControlText(field, u"55"_s); // the text standing in the box is not searched
        pageUi().src_btn->click();
        QList<qint64> expected;
        for (int row : rows)
            expected << seeded.at(row);
        QCOMPARE(listedIds(), expected);
        QCOMPARE(pageUi().cnt->text(), QString::number(rows.size()));
    }
    void valueListsShowHideAndRefuse()
    {
        addRequest(*env, {{u"radif"_s, 1}});
        pageUi().CheckBox8->click();
        QVERIFY(pageUi().add_radif->isEnabled() && pageUi().show_list_radif->isEnabled());
        QVERIFY(pageUi().list_radif->isHidden());
        pageUi().radif->setText(u"x1"_s);
        pageUi().add_radif->click();
        pageUi().show_list_radif->click();
        QVERIFY(!pageUi().list_radif->isHidden());
        pageUi().src_btn->click();
        QCOMPARE(env->dialogs.messages().size(), 1);
        QVERIFY2(env->dialogs.lastMessage().contains(u"رديف"_s), qPrintable(env->dialogs.lastMessage()));

        // Switching the filter off and on empties and hides the list.
        pageUi().CheckBox8->click();
        pageUi().CheckBox8->click();
        QCOMPARE(pageUi().list_radif->count(), 0);
        QVERIFY(pageUi().list_radif->isHidden());
    }
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
        for (int row = 0; row < cases.size(); ++row) {
            const QVariant brush = page().gridModel().data(page().gridModel().index(row, 3), Qt::BackgroundRole);
            const QColor shown = brush.isValid() ? brush.value<QBrush>().color() : QColor();
            QCOMPARE(shown, cases.at(row).second);
        }
    }
    void numberingDuplicateAndTheStoredRow()
    {
        pageUi().src_btn->click();
        page().N1Click();
        QCOMPARE(entryUi().radif->text(), u"1"_s); // an empty table
        QCOMPARE(entryUi().darkhast_dat->storedText(), shamsiToday());
        QCOMPARE(entryUi().sal->storedText(), fiscalYear());
        QVERIFY(!entryUi().ins_btn->isHidden() && entryUi().edit_btn->isHidden());

        addRequest(*env, {{u"sal"_s, u"1390"_s}, {u"radif"_s, 41}}); // every year counts
        newRequest({{u"darkhastkonande"_s, u"واحد"_s}, {u"prj_name"_s, u"پ"_s}, {u"kala"_s, u"ك"_s}, {u"cnt"_s, u"3"_s},
                    {u"status"_s, u"s"_s}});
        QCOMPARE(entryUi().radif->text(), u"42"_s);
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"ثبت شد"_s);
        QCOMPARE(rowTexts(u"select darkhastkonande,darkhast_dat,prj_name,kala,cnt,vahed,est_dat,sal,dabir_no,"
                          "tahvil_dat,radif,status from darkhast where radif=42"_s),
                 QStringList{u"واحد|"_s + shamsiToday() + u"|پ|ك|3||"_s + untouched + u'|' + fiscalYear() + u"||"_s
                             + untouched + u"|42|s"_s});
        QCOMPARE(listQuery().recordCount(), 1); // shows at once
        QCOMPARE(rowTexts(u"select count(*) from log"_s), QStringList{u"0"_s}); // no audit row

        // The second press repeats unit, date, project, goods and year: refused, nothing written.
        entryUi().ins_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), duplicateRefused);
        QCOMPARE(env->scalar(u"select count(*) from darkhast"_s).toInt(), 2);
        // Another year is accepted; an empty row number stores null.
        entryUi().sal->setStoredText(u"1399"_s);
        entryUi().radif->clear();
        entryUi().ins_btn->click();
        QCOMPARE(env->scalar(u"select count(*) from darkhast where sal='1399' and radif is null"_s).toInt(), 1);
        // A row number that is no whole number is refused by name.
        entryUi().sal->setStoredText(u"1398"_s);
        entryUi().radif->setText(u"4a"_s);
        entryUi().ins_btn->click();
        QVERIFY(env->dialogs.lastMessage().contains(u"رديف"_s));
        QCOMPARE(env->scalar(u"select count(*) from darkhast"_s).toInt(), 3);
    }
    void aProposedNumberTakenMeanwhileBecomesTheNextFree()
    {
        pageUi().src_btn->click();
        newRequest({{u"kala"_s, u"a"_s}});
        QCOMPARE(entryUi().radif->text(), u"1"_s);
        // Another user stores request 1 while this one is still being typed.
        db::Connection other(u"other user"_s);
        other.setConnectionString(u"Provider=SQLite;Data Source="_s + env->dbPath());
        other.open();
        other.exec(u"insert into darkhast (kala, radif) values ('b', 1)"_s);
        entryUi().ins_btn->click();
        QCOMPARE(entryUi().radif->text(), u"2"_s);
        QCOMPARE(env->scalar(u"select radif from darkhast where kala='a'"_s).toInt(), 2);

        // A number typed by hand is stored as typed, taken or not.
        newRequest({{u"kala"_s, u"c"_s}, {u"radif"_s, u"1"_s}});
        entryUi().ins_btn->click();
        QCOMPARE(env->scalar(u"select radif from darkhast where kala='c'"_s).toInt(), 1);
    }
    void editKeepsTheRowAndItsLists()
    {
        env->exec(u"insert into setting (component, cmt, user_id) values (?, 'کيلو', 1)"_s, {u"واحد"_s});
        const qint64 id = addRequest(*env, {{u"kala"_s, u"k"_s}, {u"vahed"_s, u""_s}, {u"radif"_s, 7},
                                            {u"dabir_dat"_s, u"1403/01/05"_s}, {u"takhliye"_s, u"انبار"_s}});
        pageUi().src_btn->click();
        // A new request: the only unit and the only delivery address are chosen.
        page().N1Click();
        entry().FormShow();
        QCOMPARE(entryUi().vahed->currentText(), u"کيلو"_s);
        QCOMPARE(entryUi().takhliye->currentText(), u"انبار"_s);

        page().N2Click();
        QVERIFY(entryUi().ins_btn->isHidden() && !entryUi().edit_btn->isHidden());
        entry().FormShow();
        QCOMPARE(entryUi().vahed->currentText(), QString()); // the only unit is not put over the row's empty unit
        QCOMPARE(entryUi().dabir_dat->storedText(), u"1403/01/05"_s);
        entryUi().cnt->setText(u"9"_s);
        entryUi().edit_btn->click();
        QVERIFY(env->dialogs.messages().isEmpty());
        QVERIFY(!entry().isVisible());
        QCOMPARE(rowTexts(u"select kala,cnt,radif,dabir_dat,takhliye from darkhast where id=?"_s, {id}),
                 QStringList{u"k|9|7|1403/01/05|انبار"_s});
    }
    void deleteAsks()
    {
        const qint64 id = addRequest(*env, {{u"kala"_s, u"k"_s}});
        pageUi().src_btn->click();
        env->dialogs.answers.enqueue(ui::Answer::Cancel);
        page().N3Click();
        QCOMPARE(env->scalar(u"select count(*) from darkhast"_s).toInt(), 1);
        env->dialogs.answers.enqueue(ui::Answer::Yes);
        page().N3Click();
        QCOMPARE(env->dialogs.lastMessage(), u"حذف شد"_s);
        QCOMPARE(env->scalar(u"select count(*) from darkhast where id=?"_s, {id}).toInt(), 0);
        QVERIFY(!pageUi().N8->isEnabled()); // the letter waits for rows
    }
    void exportCarriesTheCaptions()
    {
        addRequest(*env, {{u"kala"_s, u"k"_s}, {u"status"_s, u"s"_s}});
        pageUi().src_btn->click();
        page().N4Click();
        const XlsxSheet sheet(env->openedFiles.value(0));
        QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
        const QStringList headers{u"شناسه"_s, u"واحد درخواست کننده"_s, u"تاريخ درخواست"_s, u"نام پروژه"_s,
                                  u"نام کالا"_s, u"تعداد کالا"_s, u"واحد کالا"_s, u"مشخصات فني"_s, u"تاريخ ارجاع"_s,
                                  u"آدرس تحويل"_s, u"توضيحات"_s, u"سال مالي"_s, u"شماره دبيرخانه"_s,
                                  u"تاريخ دبيرخانه"_s, u"اقدام کننده"_s, u"زمان تحويل"_s, u"رديف"_s, QString()};
        for (int column = 0; column < headers.size(); ++column)
            QCOMPARE(sheet.cell(XlsxSheet::columnName(column) + u'1').text, headers.at(column));
        QCOMPARE(sheet.cell(u"R2"_s).text, u"s"_s);
    }
    void mainWindowCommandSearchesThisYear()
    {
        env->setRights(1, u"darkhast"_s, {true, true, true, true});
        env->exec(u"insert into setting (component, cmt, user_id) values (?, 'پروژه يک', 1)"_s, {u"نام پروژه"_s});
        const qint64 now = addRequest(*env, {{u"sal"_s, fiscalYear()}});
        addRequest(*env, {{u"sal"_s, u"1390"_s}});
        pageUi().CheckBox5->click();
        pageUi().sal->setText(u"1390"_s);
        pageUi().radif->setText(u"9"_s);
        forms::main_->N7Click();
        QCOMPARE(env->dialogs.shown.last().text, page().objectName());
        QCOMPARE(pageUi().sal->text(), fiscalYear());
        QCOMPARE(pageUi().radif->text(), QString());
        QCOMPARE(listedIds(), QList<qint64>{now});
        QCOMPARE(pageUi().cnt->text(), u"1"_s);
        QCOMPARE(pageUi().prj_name->currentText(), u"پروژه يک"_s); // the only project chosen at showing
    }
};

QTEST_MAIN(TestDarkhast)
#include "tst_darkhast.moc"
