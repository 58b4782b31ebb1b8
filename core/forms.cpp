#include "forms.h"
#include "dm_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"

// Each form joins this order at its place when it is built.
namespace forms {

void createAll()
{
    dm = new Tdm();
    tavrelkol_src = new Ttavrelkol_src();
    tavrelkol_ins = new Ttavrelkol_ins();
}

bool showMainForm()
{
    return false;
}

void destroyAll()
{
    delete tavrelkol_ins;
    tavrelkol_ins = nullptr;
    delete tavrelkol_src;
    tavrelkol_src = nullptr;
    delete dm;
    dm = nullptr;
}

} // namespace forms
