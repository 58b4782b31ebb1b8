#include "forms.h"
#include "dm_u.h"
#include "main_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_open.h"
#include "purchasing/tavrelkol_src_u.h"
#include <QCoreApplication>

// Each form joins this order at its place when it is built.
namespace forms {

void createAll()
{
    dm = new Tdm();
    main_ = new Tmain();
    tavrelkol_src = new Ttavrelkol_src();
    tavrelkol_ins = new Ttavrelkol_ins();
    installPurchasesOpener(*main_);
}

bool showMainForm()
{
    return false;
}

void closeMainForm()
{
    // Until the sign-in form is built there is no main form to close: the application ends itself.
    QCoreApplication::quit();
}

void destroyAll()
{
    delete tavrelkol_ins;
    tavrelkol_ins = nullptr;
    delete tavrelkol_src;
    tavrelkol_src = nullptr;
    delete main_;
    main_ = nullptr;
    delete dm;
    dm = nullptr;
}

} // namespace forms
