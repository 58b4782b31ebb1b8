#include "forms.h"
#include "backup_u.h"
#include "dm_u.h"
#include "main_u.h"
#include "setting_u.h"
#include "users_ins_u.h"
#include "users_u.h"
#include <QCoreApplication>

// Each form joins this order at its place when it is built.
namespace forms {

void createAll()
{
    dm = new Tdm();
    main_ = new Tmain();
    setting = new Tsetting();
    backup = new Tbackup();
    users = new Tusers();
    users_ins = new Tusers_ins();
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
    delete users_ins;
    users_ins = nullptr;
    delete users;
    users = nullptr;
    delete backup;
    backup = nullptr;
    delete setting;
    setting = nullptr;
    delete main_;
    main_ = nullptr;
    delete dm;
    dm = nullptr;
}

} // namespace forms
