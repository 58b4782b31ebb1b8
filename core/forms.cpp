#include "forms.h"
#include "dm_u.h"
#include "users_ins_u.h"
#include "users_u.h"

// Each form joins this order at its place when it is built.
namespace forms {

void createAll()
{
    dm = new Tdm();
    users = new Tusers();
    users_ins = new Tusers_ins();
}

bool showMainForm()
{
    return false;
}

void destroyAll()
{
    delete users_ins;
    users_ins = nullptr;
    delete users;
    users = nullptr;
    delete dm;
    dm = nullptr;
}

} // namespace forms
