#include "forms.h"
#include "backup_u.h"
#include "dm_u.h"
#include "setting_u.h"

// Each form joins this order at its place when it is built.
namespace forms {

void createAll()
{
    dm = new Tdm();
    setting = new Tsetting();
    backup = new Tbackup();
}

bool showMainForm()
{
    return false;
}

void destroyAll()
{
    delete backup;
    backup = nullptr;
    delete setting;
    setting = nullptr;
    delete dm;
    dm = nullptr;
}

} // namespace forms
