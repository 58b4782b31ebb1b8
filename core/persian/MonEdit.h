#pragma once
// The money field: keeps only digits and shows them grouped by "," while the user types. Its value is a
// whole number of rials, never negative: a minus typed or pasted is kept in front of the digits, and a decimal
// point with the digits after it, so that the amount is refused when read rather than silently changed. Placed
// on Designer forms as a promoted QLineEdit (header MonEdit.h).
#include <QLineEdit>
#include <optional>

class TMonEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TMonEdit(QWidget *parent = nullptr);

    // The digits of the text as rials; 0 when there are none; nullopt for a text with a minus, a decimal point or
    // more than 18 digits (what 64 bits surely hold).
    std::optional<qint64> amount() const;
    // The same; what amount() finds none in throws db::Error.
    qint64 MonEditGetValue() const;

    // Text s regrouped: only its digits (Persian and Arabic-Indic ones turned into 0-9), "," every three, with
    // "-" in front when s holds one, and after its first decimal point (the Arabic one too) "." and the digits
    // that follow it.
    QString MonEditFormat(const QString &s);
    // "0" for an empty text, else the digits 0-9 among its first `length` characters (possibly none).
    static QString MonEditDigitsOnly(const QString &s, qsizetype length);
    // The first p - 1 characters of s, then c, then the characters from p up to `length` (p counts from 1).
    static QString MonEditInsertChar(const QString &s, qsizetype length, QChar c, qsizetype p);

public slots:
    void MonEditFormatOnChange();

private:
    QString lastFormatted_; // the last text MonEditFormat produced; ends the pass its own setText raises
};
