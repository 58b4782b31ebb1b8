#include "darkhast_estelam_u.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/picklist.h"
#include "pagekit/rows.h"
#include "report/organisation.h"
#include "ui/dialogs.h"

namespace {

const QString title = QStringLiteral("فرم استعلام بهاي کالاي موردنياز");

// The current request's columns and the labels that print them.
const char *const copiedColumns[][2] = {
    {"namayande", "namayande"}, {"namayande", "namayande2"}, {"dabir_no", "dabir_no"}, {"dabir_dat", "dabir_dat"},
    {"kala", "kala"},           {"takhliye", "takhliye"},    {"est_dat", "est_dat"},   {"est_dat", "est_dat2"},
};

// The input boxes of the three workshop addresses; a closed box gives its default "؟", which is printed.
const char *const workshops[][3] = {
    {"Adr Kargah1", "آدرس کارگاه اول", "adr_kargah1"},
    {"Adr Kargah2", "آدرس کارگاه دوم", "adr_kargah2"},
    {"Adr Kargah3", "آدرس کارگاه سوم", "adr_kargah3"},
};

} // namespace

Tdarkhast_estelam::Tdarkhast_estelam(QWidget *parent)
    : QDialog(parent), QuickRep1(declaredLayout(), forms::dm ? forms::dm->ADOQ_darkhast : nullptr)
{
    setObjectName(QStringLiteral("darkhast_estelam"));
    setWindowTitle(title);
}

void printInquiryLetter()
{
    db::Query &requests = *forms::dm->ADOQ_darkhast;
    if (!pagekit::hasCurrentRow(requests))
        return;
    report::Report &letter = forms::darkhast_estelam->QuickRep1;

    for (const auto &[column, label] : copiedColumns)
        letter.setCaption(QString::fromLatin1(label), requests.fieldByName(QString::fromLatin1(column)).asString());
    const QString unanswered = QStringLiteral("؟");
    for (const auto &[caption, prompt, label] : workshops)
        letter.setCaption(QString::fromLatin1(label),
                          ui::dialogs()
                              .input(QString::fromLatin1(caption), QString::fromUtf8(prompt), unanswered)
                              .value_or(unanswered));
    // The signer filed under this title, the row of the lowest id whoever filed it.
    letter.setCaption(QStringLiteral("raeis"), picklist::firstValue(QStringLiteral("رئيس اداره تدارکات و پشتيباني")));

    const report::Organisation organisation = report::organisation();
    letter.setCaption(QStringLiteral("org_name"), organisation.name);
    letter.setCaption(QStringLiteral("org_name2"), organisation.name);
    letter.setCaption(QStringLiteral("org_short"), organisation.shortName);
    letter.setCaption(QStringLiteral("org_address"), organisation.address);
    letter.setPicture(QStringLiteral("QRImage1"), report::organisationLogo());

    letter.preview(title);
}
