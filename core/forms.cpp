#include "forms.h"
#include "dm_u.h"

// Each form joins this order at its place when it is built.
namespace forms {

void createAll()
{
    dm = new Tdm();
}

bool showMainForm()
{
    return false;
}

void destroyAll()
{
    delete dm;
    dm = nullptr;
}

} // namespace forms
