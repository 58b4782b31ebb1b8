#include "app.h"
#include "platform/platform.h"
#include "ui/qt_dialogs.h"
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QTranslator>

namespace app {
namespace {

// Buttons of message boxes carry no icons: in a right-to-left box the style draws the icon over the
// caption ("بله" came out half hidden).
class RegisterStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void initialise(QApplication &application)
{
    // The standard locations (the data folder) go by these names.
    QCoreApplication::setOrganizationName(platform::organisationName());
    QCoreApplication::setApplicationName(platform::programName());
    QApplication::setStyle(new RegisterStyle);
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
