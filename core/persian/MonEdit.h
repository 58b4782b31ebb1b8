#pragma once
// The money field: keeps only digits and shows them grouped by "," while the user types. Its value is a
// whole number of rials. Placed on Designer forms as a promoted QLineEdit (header MonEdit.h).
#include <QLineEdit>
#include <optional>

class TMonEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TMonEdit(QWidget *parent = nullptr);

    // The digits of the text as rials; 0 when there are none; nullopt for more than 18 digits (what 64 bits
    // surely hold).
    std::optional<qint64> amount() const;
    // The same; more than 18 digits throw db::Error.
    qint64 MonEditGetValue() const;

    // Text s regrouped: only its digits (Persian and Arabic-Indic ones turned into 0-9), "," every three.
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
