#pragma once
// The organisation's own data that the printed layouts carry: values of the settings store beside the
// connection settings, under names in the same style. Only the full name has a default; the logo is a
// neutral emblem until a picture file is set.
#include <QImage>
#include <QString>

namespace report {

inline const QString orgNameKey = QStringLiteral("tavrelOrgName");           // full name
inline const QString orgShortNameKey = QStringLiteral("tavrelOrgShortName"); // short name
inline const QString orgAddressKey = QStringLiteral("tavrelOrgAddress");     // postal address, telephone and fax
inline const QString orgLogoKey = QStringLiteral("tavrelOrgLogo");           // picture file of the logo

struct Organisation {
    QString name;       // "palomirendax" while none is set
    QString shortName;
    QString address;
    QString logoFile;
};

// The values as stored now (names in any letter case).
Organisation organisation();
// The picture of the logo file; the neutral emblem when no file is set or it cannot be read.
QImage organisationLogo();
QImage neutralEmblem();

} // namespace report
