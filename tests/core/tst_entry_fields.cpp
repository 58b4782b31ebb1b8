// Every entry form that edits a row: a text its column is too short for, stored by an older program, is
// shown whole and saved whole when the clerk changes another field; otherwise, and on a new row, the field is
// held to its column.
#include "persian/Dates.h"
#include "support/page_test.h"
#include "ui/control_text.h"
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

struct EntryForm {
    QString table;
    QVariantMap stored; // what else the row holds, for the form's own checks
    QString longColumn; // a text column (the field of the same name)
    int size;           // its characters
    QString changed;    // another field, the one the clerk changes
    // The list page, its search, its list, its edit and new commands, and the entry form, by name.
    QString page, search;
    db::Query *Tdm::*list;
    QString edit, create, form;
};

const QList<EntryForm> &entryForms()
{
    static const QList<EntryForm> all{
        {u"tavrelkol"_s, {{u"sal"_s, fiscalYear()}, {u"dabir_no"_s, 3}}, u"cmt"_s, 150, u"faktor_no"_s,
         u"tavrelkol_src"_s, u"src_btn"_s, &Tdm::ADOQ_tavrel, u"N2"_s, u"N1"_s, u"tavrelkol_ins"_s},
        {u"foroshandegan"_s, {{u"foroshgah"_s, u"shop"_s}}, u"cmt"_s, 250, u"nam"_s, u"foroshande_src"_s,
         u"src_btn"_s, &Tdm::ADOQ_foroshande, u"N2"_s, u"N1"_s, u"foroshande_ins"_s},
        {u"darkhast"_s, {}, u"takhliye"_s, 150, u"cnt"_s, u"darkhast_src"_s, u"src_btn"_s, &Tdm::ADOQ_darkhast,
         u"N2"_s, u"N1"_s, u"darkhast_ins"_s},
        {u"estelam"_s, {}, u"onvan"_s, 250, u"meghdar"_s, u"estelam_src"_s, u"src_btn"_s, &Tdm::ADOQ_estelam,
         u"N2"_s, u"N1"_s, u"estelam_ins"_s},
        {u"chek"_s, {{u"variz"_s, 1}, {u"mablagh"_s, 1}, {u"salemali"_s, u"1403"_s}}, u"adr"_s, 150, u"serial"_s,
         u"chek_src"_s, u"BitBtn1"_s, &Tdm::ADOQ_chek, u"N4"_s, u"N3"_s, u"chek_ins"_s},
        {u"kala"_s, {{u"anbar"_s, u"w"_s}, {u"cod"_s, 1}}, u"cmt"_s, 150, u"vahed"_s, u"kala_src"_s, u"src_btn"_s,
         &Tdm::ADOQ_kala, u"N2"_s, u"N1"_s, u"kala_ins"_s},
        {u"bime"_s, {}, u"bimekonande"_s, 150, u"bime_no"_s, u"bime_src"_s, u"src_btn"_s, &Tdm::adoq_bime, u"N2"_s,
         u"N1"_s, u"bime_ins"_s},
        {u"abadiha"_s, {}, u"rosta"_s, 100, u"dehestan"_s, u"abadiha"_s, u"BitBtn1"_s, &Tdm::ADOQ_abadiha, u"N3"_s,
         u"N2"_s, u"abadiha_ins"_s},
        {u"anbar"_s, {{u"nam"_s, u"w"_s}, {u"kala_cod"_s, 1}, {u"meghdar"_s, 1}}, u"cmt"_s, 250, u"mabda"_s,
         u"anbar_src"_s, u"src_btn"_s, &Tdm::ADOQ_anbar, u"N2"_s, u"N1"_s, u"anbar_ins"_s},
        {u"users"_s, {{u"us"_s, u"sara"_s}, {u"ps"_s, u"p"_s}}, u"nam"_s, 100, u"mobile"_s, u"users"_s, u"src_btn"_s,
         &Tdm::adoq_user, u"N6"_s, u"N5"_s, u"users_ins"_s},
    };
    return all;
}

} // namespace

class TestEntryFields : public PageTest {
    Q_OBJECT

private slots:
    void editKeepsAStoredTextLongerThanItsColumn_data()
    {
        QTest::addColumn<int>("at");
        for (int at = 0; at < entryForms().size(); ++at)
            QTest::newRow(qPrintable(entryForms().at(at).table)) << at;
    }
    void editKeepsAStoredTextLongerThanItsColumn()
    {
        QFETCH(int, at);
        const EntryForm &f = entryForms().at(at);
        QWidget *page = formNamed(f.page);
        QWidget *form = formNamed(f.form);
        auto *longField = form->findChild<QWidget *>(f.longColumn);
        QLineEdit *edit = qobject_cast<QLineEdit *>(longField);
        if (auto *combo = qobject_cast<QComboBox *>(longField))
            edit = combo->lineEdit();
        QVERIFY(edit);
        QCOMPARE(edit->maxLength(), f.size);

        const QString longText = QString(f.size + 60, u'ث');
        QVariantMap row = f.stored;
        row.insert(f.longColumn, longText);
        const qint64 id = addRow(*env, f.table, row);
        onRow(page, f.search, *(forms::dm->*f.list), id, f.edit);
        QCOMPARE(edit->text(), longText);
        ui::setControlText(form->findChild<QWidget *>(f.changed), u"12"_s);
        env->dialogs.reset();
        form->findChild<QAbstractButton *>(u"edit_btn"_s)->click();
        QCOMPARE(env->dialogs.errors(), QStringList());
        QCOMPARE(rowTexts(u"select "_s + f.longColumn + u","_s + f.changed + u" from "_s + f.table + u" where id=?"_s,
                          {id}),
                 QStringList{longText + u"|12"_s});
        runCommand(page, f.create); // a new row is held to the column again
        QCOMPARE(edit->maxLength(), f.size);
    }
};

QTEST_MAIN(TestEntryFields)
#include "tst_entry_fields.moc"
