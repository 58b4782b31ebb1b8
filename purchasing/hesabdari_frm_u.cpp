#include "hesabdari_frm_u.h"
#include "persian/Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/listpage.h"
#include "ui/dialogs.h"

namespace {

// The purchase's columns and the labels they fill. The site goes on the delivery line and the vendor's
// name on the payee line, neither to the label of its own name.
const char *const copiedColumns[][2] = {
    {"dabir_no", "dabir_no"},     {"mozo", "mozo"},       {"mozo_cmt", "mozo_cmt"}, {"foroshande", "foroshande"},
    {"mablagh_kol", "mablagh_kol"}, {"resid", "resid"},   {"cnt", "cnt"},           {"vahed", "vahed"},
    {"mablagh", "mablagh"},       {"kargah", "nam"},      {"faktor_no", "faktor_no"}, {"hesab_no", "hesab_no"},
    {"bank", "bank"},             {"nam", "foroshande2"}, {"nation", "nation"},     {"darkhast_no", "darkhast_no"},
};

// An input box's answer; closing it gives its default, so the letter is always produced.
QString ask(const QString &caption, const QString &prompt, const QString &defaultText)
{
    return ui::dialogs().input(caption, prompt, defaultText).value_or(defaultText);
}

} // namespace

Thesabdari_frm::Thesabdari_frm(QWidget *parent) : QDialog(parent), QuickRep1(declaredLayout())
{
    setObjectName(QStringLiteral("hesabdari_frm"));
    setWindowTitle(QStringLiteral("فرم ها"));
}

void printCoverLetter()
{
    db::Query &purchase = *forms::dm->ADOQ_tavrel;
    if (!purchase.active() || purchase.recNo() <= 0)
        return;
    report::Report &letter = forms::hesabdari_frm->QuickRep1;

    letter.setCaption(QStringLiteral("dat"), ask(QStringLiteral("Date"), QStringLiteral("تاريخ نامه"), shamsiToday()));
    for (const auto &[column, label] : copiedColumns)
        letter.setCaption(QString::fromLatin1(label), purchase.fieldByName(QString::fromLatin1(column)).asString());
    letter.setCaption(QStringLiteral("peyvast"),
                      ask(QStringLiteral("Message"), QStringLiteral("متن پايين صفحه"), QStringLiteral("بپيوست صورتجلسه")));
    for (const QString &label : {QStringLiteral("mablagh_kol"), QStringLiteral("mablagh")})
        letter.setCaption(label, listpage::groupedTotal(letter.caption(label)));

    letter.preview(forms::hesabdari_frm->windowTitle());
}
