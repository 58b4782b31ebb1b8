#include "forms.h"
#include "dm_u.h"
#include "main_u.h"
#include <QCoreApplication>

// Each form joins this order at its place when it is built.
namespace forms {

void createAll()
{
    dm = new Tdm();
    main_ = new Tmain();
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
    delete main_;
    main_ = nullptr;
    delete dm;
    dm = nullptr;
}

} // namespace forms
