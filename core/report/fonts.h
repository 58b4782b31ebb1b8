#pragma once
// The layouts name the fonts they were drawn with; each maps to an installed family with the same part to
// play (Tahoma's plain text to Noto Sans Arabic, Zar's letter body to Nazli, Titr to itself, Arial's Latin
// figures to Noto Sans). Sizes stay in points as declared.
#include "report/layout.h"
#include <QFont>
#include <QString>

namespace report {

// The renderer works at 1200 dots per inch on every device, so a page lays out alike for the PDF, the
// printer and the preview: positions, fonts and measured texts are in these dots.
inline constexpr double dotsPerInch = 1200;
inline constexpr double dotsPerMm = dotsPerInch / 25.4;

// The installed family standing in for a layout's family; a family without a mapping is kept.
QString installedFamily(const QString &declared);
// The Qt font of a layout font, sized in dots.
QFont qtFont(const Font &font);

} // namespace report
