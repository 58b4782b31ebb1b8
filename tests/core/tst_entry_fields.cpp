// Every entry form that edits a row: a text its column is too short for, stored by an older program, is
// shown whole and saved whole when the clerk changes another field; otherwise, and on a new row, the field is
// held to its column.
#include "invoices/ins_u.h"
#include "invoices/src_chek_u.h"
#include "persian/Dates.h"
#include "purchasing/darkhast_ins_u.h"
#include "purchasing/darkhast_src_u.h"
#include "purchasing/estelam_ins_u.h"
#include "purchasing/estelam_src_u.h"
#include "purchasing/foroshande_ins_u.h"
#include "purchasing/foroshande_src_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "registers/abadiha_ins_u.h"
#include "registers/abadiha_u.h"
#include "registers/anbar_ins_u.h"
#include "registers/anbar_src_u.h"
#include "registers/bime_ins_u.h"
#include "registers/bime_src_u.h"
#include "registers/kala_ins_u.h"
#include "registers/kala_src_u.h"
#include "support/page_test.h"
#include "ui/control_text.h"
#include "ui_src_chek_u.h"
#include "users_ins_u.h"
#include "users_u.h"
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
    // The list page's search, its list, its edit and new commands, and the entry form.
    std::function<void()> search;
    db::Query *Tdm::*list;
    std::function<void()> edit, create;
    std::function<QWidget *()> form;
};

template <typename Form> std::function<QWidget *()> entry(Form *const &form)
{
    return [&form] { return form; };
}

const QList<EntryForm> &entryForms()
{
    using namespace forms;
    static const QList<EntryForm> all{
        {u"tavrelkol"_s, {{u"sal"_s, fiscalYear()}, {u"dabir_no"_s, 3}}, u"cmt"_s, 150, u"faktor_no"_s,
         [] { tavrelkol_src->src_btnClick(); }, &Tdm::ADOQ_tavrel, [] { tavrelkol_src->N2Click(); },
         [] { tavrelkol_src->N1Click(); }, entry(tavrelkol_ins)},
        {u"foroshandegan"_s, {{u"foroshgah"_s, u"shop"_s}}, u"cmt"_s, 250, u"nam"_s,
         [] { foroshande_src->src_btnClick(); }, &Tdm::ADOQ_foroshande, [] { foroshande_src->N2Click(); },
         [] { foroshande_src->N1Click(); }, entry(foroshande_ins)},
        {u"darkhast"_s, {}, u"takhliye"_s, 150, u"cnt"_s, [] { darkhast_src->src_btnClick(); }, &Tdm::ADOQ_darkhast,
         [] { darkhast_src->N2Click(); }, [] { darkhast_src->N1Click(); }, entry(darkhast_ins)},
        {u"estelam"_s, {}, u"onvan"_s, 250, u"meghdar"_s, [] { estelam_src->src_btnClick(); }, &Tdm::ADOQ_estelam,
         [] { estelam_src->N2Click(); }, [] { estelam_src->N1Click(); }, entry(estelam_ins)},
        {u"chek"_s, {{u"variz"_s, 1}, {u"mablagh"_s, 1}}, u"adr"_s, 150, u"serial"_s,
         [] {
             if (chek_src->ui->salemali->isEnabled()) // every year
                 Q_EMIT chek_src->ui->Label18->clicked();
             chek_src->BitBtn1Click();
         },
         &Tdm::ADOQ_chek, [] { chek_src->N4Click(); }, [] { chek_src->N3Click(); }, entry(chek_ins)},
        {u"kala"_s, {{u"anbar"_s, u"w"_s}, {u"cod"_s, 1}}, u"cmt"_s, 150, u"vahed"_s,
         [] { kala_src->src_btnClick(); }, &Tdm::ADOQ_kala, [] { kala_src->N2Click(); },
         [] { kala_src->N1Click(); }, entry(kala_ins)},
        {u"bime"_s, {}, u"bimekonande"_s, 150, u"bime_no"_s, [] { bime_src->src_btnClick(); }, &Tdm::adoq_bime,
         [] { bime_src->N2Click(); }, [] { bime_src->N1Click(); }, entry(bime_ins)},
        {u"abadiha"_s, {}, u"rosta"_s, 100, u"dehestan"_s, [] { abadiha->BitBtn1Click(); }, &Tdm::ADOQ_abadiha,
         [] { abadiha->N3Click(); }, [] { abadiha->N2Click(); }, entry(abadiha_ins)},
        {u"anbar"_s, {{u"nam"_s, u"w"_s}, {u"kala_cod"_s, 1}, {u"meghdar"_s, 1}}, u"cmt"_s, 250, u"mabda"_s,
         [] { anbar_src->src_btnClick(); }, &Tdm::ADOQ_anbar, [] { anbar_src->N2Click(); },
         [] { anbar_src->N1Click(); }, entry(anbar_ins)},
        {u"users"_s, {{u"us"_s, u"sara"_s}, {u"ps"_s, u"p"_s}}, u"nam"_s, 100, u"mobile"_s,
         [] { users->src_btnClick(); }, &Tdm::adoq_user, [] { users->N6Click(); }, [] { users->N5Click(); },
         entry(users_ins)},
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
        QWidget *form = f.form();
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
        onRow(f.search, *(forms::dm->*f.list), id, f.edit);
        QCOMPARE(edit->text(), longText);
        ui::setControlText(form->findChild<QWidget *>(f.changed), u"12"_s);
        env->dialogs.reset();
        form->findChild<QAbstractButton *>(u"edit_btn"_s)->click();
        QCOMPARE(env->dialogs.errors(), QStringList());
        QCOMPARE(rowTexts(u"select "_s + f.longColumn + u","_s + f.changed + u" from "_s + f.table + u" where id=?"_s,
                          {id}),
                 QStringList{longText + u"|12"_s});
        f.create(); // a new row is held to the column again
        QCOMPARE(edit->maxLength(), f.size);
    }
};

QTEST_MAIN(TestEntryFields)
#include "tst_entry_fields.moc"
