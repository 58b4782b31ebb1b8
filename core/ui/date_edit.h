#pragma once
// The masked fields of the forms: the solar date (yyyy/mm/dd) and the year. They show "_" where no digit is
// typed yet, always with left-to-right digits inside the right-to-left forms, and accept Persian and
// Arabic-Indic digits, which they turn into 0-9 as they arrive.
//
// What a field holds for the register is its stored text: the mask's separators kept and every position
// without a digit as a blank. An untouched date is "    /  /  " (ten characters), as the older rows hold;
// an untouched year is "    ". Placed on Designer forms as promoted QLineEdits (header ui/date_edit.h).
#include <QLineEdit>

class TMaskedEdit : public QLineEdit {
    Q_OBJECT
    // The user property: generic readers (QMetaObject::userProperty) get the stored text, not text().
    Q_PROPERTY(QString storedText READ storedText WRITE setStoredText USER true)

public:
    // mask: the positions as Qt writes them ("9999/99/99"); the blank shown is "_".
    TMaskedEdit(const QString &mask, QWidget *parent);

    // The text as the register stores it: every position without a digit a blank.
    QString storedText() const;
    // Shows a stored text: "1403/01/15", "    /  /  " or "" (both leave the field untouched).
    void setStoredText(const QString &text);
    // True when no position holds a digit.
    bool isBlank() const;

private:
    void keepLatinDigits();
};

// The solar date field, "!9999/99/00;1;_" of the older forms.
class TMaskedDateEdit : public TMaskedEdit {
    Q_OBJECT
public:
    explicit TMaskedDateEdit(QWidget *parent = nullptr);
};

// The year field, "0000;1;_" of the older forms: four digits.
class TMaskedYearEdit : public TMaskedEdit {
    Q_OBJECT
public:
    explicit TMaskedYearEdit(QWidget *parent = nullptr);
};
