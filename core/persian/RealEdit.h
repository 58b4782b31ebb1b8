#pragma once
// The quantity field: keeps digits, the decimal point and the minus sign (so that a negative quantity is
// seen, and refused by the form, rather than silently made positive), without grouping; its value is a
// double. A number set with an exponent shows in plain decimals.
// Placed on Designer forms as a promoted QLineEdit (header RealEdit.h).
#include <QLineEdit>

class TRealEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TRealEdit(QWidget *parent = nullptr);

    // 0.0 for an empty text; a text that is no number (two points, a lone ".", a minus inside) throws db::Error.
    double RealEditGetValue() const;

    // The digits (Persian and Arabic-Indic ones turned into 0-9), "." and "-" of s, in order.
    static QString RealEditFilter(const QString &s);

public slots:
    void RealEditFormatOnChange();
};
