#include "report/fonts.h"
#include <cmath>

namespace report {

QString installedFamily(const QString &declared)
{
    static const struct {
        const char *declared;
        const char *installed;
    } mapping[] = {
        {"Tahoma", "Noto Sans Arabic"},
        {"Zar", "Nazli"},
        {"Titr", "Titr"},
        {"Arial", "Noto Sans"},
    };
    for (const auto &[from, to] : mapping)
        if (declared.compare(QLatin1StringView(from), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(to);
    return declared;
}

QFont qtFont(const Font &font)
{
    QFont qt(installedFamily(font.family));
    // Pixel sizes in dots: the same size on any device, and outlines measured without screen hinting.
    qt.setPixelSize(int(std::lround(font.points * dotsPerInch / 72.0)));
    qt.setHintingPreference(QFont::PreferNoHinting);
    qt.setBold(font.bold);
    qt.setUnderline(font.underline);
    return qt;
}

} // namespace report
