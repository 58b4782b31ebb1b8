#pragma once
// The forms' Naskh font draws ":" much like ";" ("22;31"): a time is drawn in a Latin font, at the size of the
// text around it.
#include <QFont>

namespace ui {

inline QFont latinFont(const QFont &around)
{
    QFont latin = around;
    latin.setFamilies({QStringLiteral("Noto Sans")});
    return latin;
}

} // namespace ui
