#include "rizhazine_rep_u.h"
#include "persian/Dates.h"
#include "persian/amount.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/picklist.h"
#include "report/organisation.h"
#include <stdexcept>

namespace {

// The parts the plain variant leaves to the letterhead paper.
const char *const fixedParts[] = {"QRImage1", "QRLabel1", "QRLabel2", "QRLabel3", "QRLabel4", "QRLabel6",
                                  "QRLabel7", "QRLabel8", "QRLabel9", "QRLabel10", "QRLabel11", "QRLabel12",
                                  "QRLabel14", "QRLabel15", "QRLabel19"};
const char *const frames[] = {"QRShape1", "QRShape2", "QRShape3", "QRShape8", "QRShape9"};

struct VariantLook {
    const char *signatureTitle;  // the setting title of the signature line
    bool fixedPartsShown;        // logo, fixed captions and frames
};

VariantLook lookOf(Trizhazine_rep::Variant variant)
{
    switch (variant) {
    case Trizhazine_rep::Variant::Letterhead: return {"امضا پايين صفحه صورت ريزهزينه آرم دار", true};
    case Trizhazine_rep::Variant::Plain: return {"امضا پايين صفحه صورت ريزهزينه سفيد", false};
    case Trizhazine_rep::Variant::Project: return {"امضا پايين صفحه صورت ريزهزينه پروژه", true};
    }
    return {"", true};
}

// The signed-in user's first value filed under the title; empty when none is.
QString ownSetting(const QString &title)
{
    return picklist::values(title, picklist::Rows::Own).value(0);
}

// The total in words, for every total up to 999 تريليون; any other text (not a whole number of rials, or
// out of that range) leaves the words line empty.
QString totalInWords(const QString &ungroupedTotal)
{
    bool isNumber = false;
    const qint64 rials = ungroupedTotal.trimmed().toLongLong(&isNumber);
    constexpr qint64 beyondWords = 1'000'000'000'000'000;
    return isNumber && rials >= 0 && rials < beyondWords ? amount::GetNum(rials) : QString();
}

} // namespace

Trizhazine_rep::Trizhazine_rep(QWidget *parent)
    : QDialog(parent), QuickRep1(declaredLayout(), forms::dm ? forms::dm->ADOQ_chek : nullptr)
{
    if (!forms::dm)
        throw std::logic_error("the expense statement is created after the data module");
    setObjectName(QStringLiteral("rizhazine_rep"));
    setWindowTitle(QStringLiteral("گزارش ريز هزينه"));
}

void Trizhazine_rep::printStatement(Variant variant, const Totals &totals)
{
    const QString today = shamsiToday();
    const VariantLook look = lookOf(variant);
    report::Report &r = QuickRep1;

    r.setCaption(QStringLiteral("kargah"), ownSetting(QStringLiteral("نام کارگاه")));
    r.setCaption(QStringLiteral("title"), ownSetting(QStringLiteral("عنوان صورت ريزهزينه")));
    r.setCaption(QStringLiteral("emza1"), ownSetting(QString::fromUtf8(look.signatureTitle)));
    r.setCaption(QStringLiteral("dat"), today);

    // Before any search the list is closed: an empty statement totalling 0, without reading the table.
    const db::Query &list = *forms::dm->ADOQ_chek;
    const bool searched = list.active();
    const bool hasRow = searched && list.recNo() > 0;
    r.setCaption(QStringLiteral("rizhazine"),
                 hasRow ? forms::dm->ADOQ_chek->fieldByName(QStringLiteral("rizhazine")).asString() : QString());
    r.setCaption(QStringLiteral("mablagh_sum"), searched ? totals.mablagh_sum : QStringLiteral("0"));
    r.setCaption(QStringLiteral("sum_letter"), totalInWords(searched ? totals.mablagh_sum2 : QStringLiteral("0")));

    const report::Organisation org = report::organisation();
    r.setCaption(QStringLiteral("QRLabel1"), org.name);
    r.setPicture(QStringLiteral("QRImage1"), report::organisationLogo());
    for (const char *part : fixedParts)
        r.setVisible(QString::fromLatin1(part), look.fixedPartsShown);
    for (const char *frame : frames)
        r.setPen(QString::fromLatin1(frame), look.fixedPartsShown ? report::Pen::Solid : report::Pen::Clear);

    r.preview(windowTitle());
}
