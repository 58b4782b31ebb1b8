#include "dm_u.h"
#include "persian/amount.h"

using db::FieldDef;
using db::FieldType;

namespace {

FieldDef wide(const char *name, int size) { return {QString::fromLatin1(name), FieldType::WideText, size}; }
FieldDef text(const char *name, int size) { return {QString::fromLatin1(name), FieldType::Text, size}; }
FieldDef typed(const char *name, FieldType type) { return {QString::fromLatin1(name), type, 0}; }
FieldDef money(const char *name) { return typed(name, FieldType::Money); }
FieldDef int32(const char *name) { return typed(name, FieldType::Integer); }
FieldDef id64() { return {QStringLiteral("id"), FieldType::BigInt, 0, true}; }
FieldDef autoId() { return {QStringLiteral("id"), FieldType::AutoInc, 0, true}; }

// The four tables of stored files share their shape but for the owner column.
QVector<FieldDef> picFields(FieldDef id, FieldDef owner)
{
    return {id, owner, wide("cmt", 150), wide("pictype", 5), typed("pic", FieldType::Blob)};
}

} // namespace

Tdm::Tdm(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("dm"));
    ADOQ_xls = makeQuery(ADOCon_xls, QStringLiteral("ADOQ_xls"));

    auto &c = ADOConnection1;
    adoq_user = makeQuery(c, QStringLiteral("adoq_user"));
    adoq_signin = makeQuery(c, QStringLiteral("adoq_signin"));
    ADOQuery1 = makeQuery(c, QStringLiteral("ADOQuery1"));
    adoq_set = makeQuery(c, QStringLiteral("adoq_set"), QStringLiteral("select * from setting"));
    ADOQuery2 = makeQuery(c, QStringLiteral("ADOQuery2"));
    ADOQ_chek = makeQuery(c, QStringLiteral("ADOQ_chek"), QStringLiteral("select * from chek"));
    ADOQ_tavrel = makeQuery(c, QStringLiteral("ADOQ_tavrel"));
    // The pictures of each purchase counted row by row over the index on tavrelkol_pic(tavrelkol_id), so the
    // first rows come at once (a grouped count of every picture would be built whole first); no picture
    // leaves the cell empty.
    ADOQ_tavrel->add(QStringLiteral("select tavrelkol.*,nullif((select count(*) from tavrelkol_pic where "
                                    "tavrelkol_pic.tavrelkol_id=tavrelkol.id),0) as pic_count FROM tavrelkol "));
    ADOQ_tavrel->setDeclared(ADOQ_tavrel->text());
    ADOQ_tavrelkol_pic = makeQuery(c, QStringLiteral("ADOQ_tavrelkol_pic"), QStringLiteral("select * from tavrelkol_pic"));
    ADOQ_dastrasi = makeQuery(c, QStringLiteral("ADOQ_dastrasi"));
    ADOQ_darkhast = makeQuery(c, QStringLiteral("ADOQ_darkhast"));
    ADOQ_foroshande = makeQuery(c, QStringLiteral("ADOQ_foroshande"));
    ADOQ_faktor_pic = makeQuery(c, QStringLiteral("ADOQ_faktor_pic"), QStringLiteral("select * from faktor_pic"));
    adoq_bime = makeQuery(c, QStringLiteral("adoq_bime"));
    ADOQ_anbar = makeQuery(c, QStringLiteral("ADOQ_anbar"), QStringLiteral("select * from anbar"));
    ADOQ_kala = makeQuery(c, QStringLiteral("ADOQ_kala"), QStringLiteral("select * from kala"));
    ADOQ_estelam = makeQuery(c, QStringLiteral("ADOQ_estelam"), QStringLiteral("select * from estelam"));
    ADOQ_estelam_pic = makeQuery(c, QStringLiteral("ADOQ_estelam_pic"), QStringLiteral("select * from estelam_pic"));
    ADOQ_abadiha = makeQuery(c, QStringLiteral("ADOQ_abadiha"), QStringLiteral("select * from abadiha"));
    ADOQ_timer = makeQuery(c, QStringLiteral("ADOQ_timer"));
    ADOQ_payam = makeQuery(c, QStringLiteral("ADOQ_payam"));
    ADOQ_zamaem = makeQuery(c, QStringLiteral("ADOQ_zamaem"), QStringLiteral("select * from zamaem"));

    ADOQ_chek->setDeclaredFields({
        wide("hesab_no", 30), wide("daste_chek_no", 20), money("tankhah"), money("variz"), wide("chek_no", 25),
        money("mablagh"), wide("chek_dat", 10), wide("mozo", 80), wide("rizhazine", 30), wide("cmt", 100),
        typed("bedehkari", FieldType::Bcd), wide("foroshgah", 50), wide("salemali", 4), wide("serial", 50),
        money("maliyat"), money("avarez"), wide("foroshandeh", 50), wide("phone", 30), wide("adr", 150),
        wide("zipcode", 20), wide("melino", 30), wide("eghtesadi", 30), int32("user_id"),
        {QStringLiteral("MablaghDigit"), FieldType::WideText, 0, false, true},
        {QStringLiteral("MablaghText"), FieldType::WideText, 0, false, true},
        id64(),
    });
    ADOQ_chek->setCalcFields(&Tdm::ADOQ_chekCalcFields);

    ADOQ_tavrel->setDeclaredFields({
        wide("prj_name", 100), wide("mozo", 150), wide("cnt", 100), wide("vahed", 100), money("mablagh"),
        money("mablagh_kol"), wide("tavrel_dat", 10), wide("pardakht_dat", 10), wide("foroshande", 140),
        wide("resid", 100), wide("faktor_no", 100), wide("kargah", 100), wide("cmt", 150),
        {QStringLiteral("pic_count"), FieldType::Integer, 0, true},
        wide("mozo_cmt", 100), wide("nam", 100), wide("hesab_no", 100), wide("bank", 50), wide("nation", 20),
        id64(), int32("sal"), int32("dabir_no"), int32("user_id"), wide("darkhast_no", 50), wide("pardakhti", 70),
    });

    ADOQ_tavrelkol_pic->setDeclaredFields(picFields(id64(), typed("tavrelkol_id", FieldType::BigInt)));
    ADOQ_faktor_pic->setDeclaredFields(picFields(autoId(), typed("faktor_id", FieldType::BigInt)));
    ADOQ_estelam_pic->setDeclaredFields(picFields(autoId(), int32("estelam_id")));
    ADOQ_zamaem->setDeclaredFields(
        {id64(), text("cmt", 150), text("ramz", 20), text("pictype", 5), typed("pic", FieldType::Blob)});
}

Tdm::~Tdm() = default;

db::Query *Tdm::makeQuery(db::Connection &connection, const QString &name, const QString &declared)
{
    auto *query = new db::Query(connection, name, this);
    if (!declared.isEmpty()) {
        query->add(declared);
        query->setDeclared(declared);
    }
    return query;
}

void Tdm::ADOQ_chekCalcFields(db::Query &dataSet)
{
    const db::Field amount = dataSet.fieldByName(QStringLiteral("mablagh"));
    db::Field text = dataSet.fieldByName(QStringLiteral("MablaghText"));
    db::Field digits = dataSet.fieldByName(QStringLiteral("MablaghDigit"));
    if (amount.isNull()) {
        text.setValue(QStringLiteral("صفر ريال"));
        digits.setValue(QStringLiteral("0"));
        return;
    }
    // Whole rials whatever text the driver gives ("1250000.0000" is 1250000). A stored text that is no amount
    // leaves the row's calculated fields empty; the list still opens.
    qint64 rials = 0;
    try {
        rials = amount.asCurrency();
    } catch (const db::Error &) {
        text.setValue(QString());
        digits.setValue(QString());
        return;
    }
    text.setValue(amount::GetNum(rials));
    digits.setValue(amount::DIGITS(QString::number(rials)));
}
