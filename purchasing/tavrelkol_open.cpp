#include "tavrelkol_open.h"
#include "Dates.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "page_rights.h"
#include "pagekit/query_texts.h"
#include "tavrelkol_ins_u.h"
#include "tavrelkol_src_u.h"
#include "ui/combo_items.h"
#include "ui/control_text.h"
#include "ui_main_u.h"
#include "ui_tavrelkol_ins_u.h"
#include "ui_tavrelkol_src_u.h"

namespace {

// The distinct values of the four columns go into the page's and the entry form's boxes of the same name,
// while the page's box is still empty: once per run of the program.
void fillPickLists()
{
    Ui::Ttavrelkol_src &page = *forms::tavrelkol_src->ui;
    Ui::Ttavrelkol_ins &entry = *forms::tavrelkol_ins->ui;
    const std::pair<QComboBox *, QComboBox *> lists[] = {{page.prj_name, entry.prj_name},
                                                        {page.mozo, entry.mozo},
                                                        {page.foroshande, entry.foroshande},
                                                        {page.kargah, entry.kargah}};
    for (const auto &[onPage, onEntry] : lists) {
        if (onPage->count() > 0)
            continue;
        const QStringList values = querytexts::selectTexts(
            *forms::dm->ADOQuery1, QStringLiteral("select distinct ") + onPage->objectName() + QStringLiteral(" from tavrelkol"));
        ui::addComboItems(onPage, values);
        ui::addComboItems(onEntry, values);
    }
}

} // namespace

void openPurchasesPage()
{
    Ttavrelkol_src &page = *forms::tavrelkol_src;
    Ui::Ttavrelkol_src &pageUi = *page.ui;
    const rights::PageCommands commands{{rights::menuItem(pageUi.MainMenu1, 0)},
                                        {rights::menuItem(pageUi.MainMenu1, 1)},
                                        {rights::menuItem(pageUi.MainMenu1, 2)},
                                        rights::menuItems(pageUi.MainMenu1, 3, 5)};
    if (!rights::CheckPageRights(rights::key::tavrelkol, commands))
        return;

    // The filters' texts are emptied; their boxes keep their state.
    for (QWidget *filter : {static_cast<QWidget *>(pageUi.prj_name), static_cast<QWidget *>(pageUi.mozo),
                            static_cast<QWidget *>(pageUi.foroshande), static_cast<QWidget *>(pageUi.kargah),
                            static_cast<QWidget *>(pageUi.sal), static_cast<QWidget *>(pageUi.cmt),
                            static_cast<QWidget *>(pageUi.faktor_no), static_cast<QWidget *>(pageUi.dabir_no),
                            static_cast<QWidget *>(pageUi.resid)})
        ui::setControlText(filter, QString());
    const QString today = shamsiToday();
    pageUi.pardakht_dat1->setStoredText(today);
    pageUi.pardakht_dat2->setStoredText(today);
    ui::setControlText(pageUi.us, QString());
    ui::setControlText(pageUi.pardakhti, QString());
    pageUi.user->setText(QStringLiteral("-1"));

    forms::main_->sizePage(&page, 30, 50);
    page.src_btnClick();
    fillPickLists();
    Tmain::showPage(&page);
}

void installPurchasesOpener(Tmain &mainWindow)
{
    mainWindow.setOpener(mainWindow.ui->N1, openPurchasesPage);
}
