#pragma once
// A solar-date field holds either the untouched "    /  /  " or a complete, valid date yyyy/mm/dd (month 1-12,
// day within the month, Esfand's 30th only in a leap year); anything between is refused by name.
#include <QString>

class QWidget;

namespace pagekit {

inline const QString untouchedDate = QStringLiteral("    /  /  ");

bool isUntouchedDate(const QString &text);  // "    /  /  " or empty
bool isValidSolarDate(const QString &text); // complete and valid

// Throws ui::Refusal naming the caption when the field's date is neither untouched (allowUntouched) nor valid.
void checkDate(QWidget *field, const QString &caption, bool allowUntouched = true);

} // namespace pagekit
