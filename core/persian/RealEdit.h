#pragma once
// The quantity field: a key that has no place in a number (a letter, a blank, a comma) is dropped as it is
// typed; digits, the decimal point and the minus sign are kept (so that a negative quantity is seen, and
// refused by the form, rather than silently made positive). A text pasted or set whole is never cut down to
// its digits: a number written with an exponent ("1e-10") shows in plain decimals, and any other text stays as
// it came, to be refused when it is read ("1e400" is no quantity, never 1400). No grouping; the value is a
// double. Placed on Designer forms as a promoted QLineEdit (header RealEdit.h).
#include <QLineEdit>
#include <optional>

class TRealEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TRealEdit(QWidget *parent = nullptr);

    // 0.0 for an empty text; a text that is not one finite number as a whole throws db::Error.
    double RealEditGetValue() const;

    // The characters of s a key may type: digits (Persian and Arabic-Indic ones turned into 0-9), "." (the
    // Arabic decimal separator too) and "-", in order.
    static QString RealEditFilter(const QString &s);
    // The whole text (Persian digits and decimal separator read, blanks around it allowed) as a finite number
    // with "." as the point; nullopt for anything else, an empty text included.
    static std::optional<double> number(const QString &text);

public slots:
    void RealEditFormatOnChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
