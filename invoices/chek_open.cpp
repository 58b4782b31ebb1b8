#include "chek_open.h"
#include "persian/Dates.h"
#include "main_u.h"
#include "page_rights.h"
#include "pagekit/opener.h"
#include "src_chek_u.h"
#include "ui_main_u.h"
#include "ui_src_chek_u.h"

using namespace Qt::StringLiterals;

void installInvoicesOpener(Tmain &mainWindow, Tchek_src &page)
{
    Ui::Tchek_src &pageUi = *page.ui;
    pagekit::Opener opener;
    opener.key = rights::key::faktor;
    opener.commands = page.commands();
    opener.cleared = {pageUi.daste_chek_no, pageUi.foroshgah, pageUi.mozo,      pageUi.chek_no,
                      pageUi.cmt,           pageUi.hesab_no,  pageUi.rizhazine, pageUi.us};
    opener.texts = {{pageUi.mablagh, u"0"_s},
                    {pageUi.mablagh2, u"0"_s},
                    {pageUi.user, u"-1"_s},
                    {pageUi.bedehkari2, u"0"_s},
                    {pageUi.bedehkari, u"0"_s}};
    // The year of the day the page is opened, not of the day the program started.
    opener.prepare = [&pageUi] { pageUi.salemali->setStoredText(fiscalYear()); };
    opener.widthLess = 30;
    opener.heightLess = 50;
    pagekit::installOpener(mainWindow.ui->N12, &page, std::move(opener));
}
