#pragma once
// The masked time field of the forms, hours and minutes on the 24-hour clock ("!90:00;1;_" of the older
// forms). Its stored text is "  :  " while untouched, as the older rows hold, or a complete time "HH:MM".
// Placed on Designer forms as a promoted QLineEdit (header ui/time_edit.h).
#include "ui/date_edit.h"
#include <QTime>

class TMaskedTimeEdit : public TMaskedEdit {
    Q_OBJECT
public:
    explicit TMaskedTimeEdit(QWidget *parent = nullptr);

    // The workstation's clock as the field holds it: hours 00 to 23 and minutes, two digits each, joined by
    // ":" whatever clock format the desktop displays (00:20, 12:20, 15:05).
    static QString clockText(const QTime &time);
    // Shows the workstation's current time.
    void setToNow();
};

namespace times {

inline const QString untouchedTime = QStringLiteral("  :  ");

bool isUntouchedTime(const QString &text); // "  :  " or empty
bool isValidTime(const QString &text);     // "HH:MM", hours 00-23, minutes 00-59

// Throws ui::Refusal naming the caption when the field holds a time neither untouched nor complete and valid.
void checkTime(TMaskedTimeEdit *field, const QString &caption);

} // namespace times
