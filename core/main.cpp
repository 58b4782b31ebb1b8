// The program's main block: set up the application, create every form in the fixed order, run the event
// loop until the sign-in form (the main form) closes.
#include "app.h"
#include "forms.h"
#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    app::initialise(application);
    forms::createAll();
    const int result = forms::showMainForm() ? application.exec() : 0;
    forms::destroyAll();
    return result;
}
