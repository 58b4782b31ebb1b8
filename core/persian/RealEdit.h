#pragma once
// The quantity field: keeps digits and the decimal point, without grouping; its value is a double.
// Placed on Designer forms as a promoted QLineEdit (header RealEdit.h).
#include <QLineEdit>

class TRealEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TRealEdit(QWidget *parent = nullptr);

    // 0.0 for an empty text; a text that is no number (two points, a lone ".") throws db::Error.
    double RealEditGetValue() const;

    // The digits (Persian and Arabic-Indic ones turned into 0-9) and "." of s, in order.
    static QString RealEditFilter(const QString &s);

public slots:
    void RealEditFormatOnChange();
};
