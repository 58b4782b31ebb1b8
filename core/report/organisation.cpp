#include "report/organisation.h"
#include "platform/platform.h"

// The emblem is compiled into this static library; its resource registers itself only when asked.
static void registerEmblem()
{
    Q_INIT_RESOURCE(report);
}

namespace report {

Organisation organisation()
{
    const auto store = platform::settings();
    Organisation org{platform::settingText(*store, orgNameKey), platform::settingText(*store, orgShortNameKey),
                     platform::settingText(*store, orgAddressKey), platform::settingText(*store, orgLogoKey)};
    if (org.name.trimmed().isEmpty())
        org.name = platform::organisationName();
    return org;
}

QImage neutralEmblem()
{
    registerEmblem();
    return QImage(QStringLiteral(":/report/emblem.png"));
}

QImage organisationLogo()
{
    const QString file = organisation().logoFile;
    const QImage logo = file.isEmpty() ? QImage() : QImage(file);
    return logo.isNull() ? neutralEmblem() : logo;
}

} // namespace report
