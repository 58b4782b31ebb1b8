#include "app.h"
#include "platform/platform.h"
#include "ui/qt_dialogs.h"
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

void initialise(QApplication &application)
{
    // The standard locations (the data folder) go by these names.
    QCoreApplication::setOrganizationName(platform::organisationName());
    QCoreApplication::setApplicationName(platform::programName());
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
    QFont font(QStringLiteral("Noto Naskh Arabic"));
    font.setPointSize(10);
    QApplication::setFont(font);

    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Persian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    ui::installQtDialogs();
}

} // namespace app
