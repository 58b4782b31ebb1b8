#include "tavrelkol_open.h"
#include "persian/Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/opener.h"
#include "db/scan.h"
#include <QPointer>
#include <algorithm>
#include "tavrelkol_ins_u.h"
#include "tavrelkol_src_u.h"
#include "ui/combo_items.h"
#include "ui_main_u.h"
#include "ui_tavrelkol_ins_u.h"
#include "ui_tavrelkol_src_u.h"

using namespace Qt::StringLiterals;

namespace {

// The distinct values of the four columns go into the page's and the entry form's boxes of the same name,
// while the page's box is still empty: once per run of the program. One pass reads the four columns, and on a
// large register it goes on while the page is already shown.
void fillPickLists()
{
    static QPointer<db::DistinctTexts> reading;
    if (reading)
        return;
    Ui::Ttavrelkol_src &page = *forms::tavrelkol_src->ui;
    Ui::Ttavrelkol_ins &entry = *forms::tavrelkol_ins->ui;
    const QList<std::pair<QComboBox *, QComboBox *>> lists = {
        {page.prj_name, entry.prj_name}, {page.mozo, entry.mozo}, {page.foroshande, entry.foroshande},
        {page.kargah, entry.kargah}};
    if (std::all_of(lists.cbegin(), lists.cend(), [](const auto &list) { return list.first->count() > 0; }))
        return;
    reading = new db::DistinctTexts(
        forms::dm->ADOConnection1, u"select prj_name,mozo,foroshande,kargah from tavrelkol"_s,
        [lists](const QVector<QStringList> &values) {
            for (qsizetype i = 0; i < lists.size(); ++i) {
                const auto &[onPage, onEntry] = lists.at(i);
                if (onPage->count() > 0)
                    continue;
                ui::addComboItems(onPage, values.at(i));
                ui::addComboItems(onEntry, values.at(i));
            }
            if (reading)
                reading->deleteLater();
        },
        forms::tavrelkol_src);
    if (reading && reading->finished())
        reading->deleteLater();
}

} // namespace

void installPurchasesOpener(Ttavrelkol_src &page)
{
    if (!forms::main_)
        return;
    Ui::Ttavrelkol_src &p = *page.ui;
    pagekit::Opener opener;
    opener.key = rights::key::tavrelkol;
    opener.commands = page.commands();
    // The filters' texts are emptied; their boxes keep their state.
    opener.cleared = {p.prj_name, p.mozo, p.foroshande, p.kargah, p.sal, p.cmt,
                      p.faktor_no, p.dabir_no, p.resid, p.us, p.pardakhti};
    opener.prepare = [&p] {
        const QString today = shamsiToday();
        p.pardakht_dat1->setStoredText(today);
        p.pardakht_dat2->setStoredText(today);
        p.user->setText(u"-1"_s);
    };
    opener.widthLess = 30;
    opener.heightLess = 50;
    opener.search = [&page] { page.src_btnClick(); };
    opener.afterSearch = fillPickLists;
    pagekit::installOpener(forms::main_->ui->N1, &page, std::move(opener));
}
