#pragma once
// The expense statement ("صورت ريز هزينه"): the invoice register's current result printed as numbered lines
// under a heading with the statement number, the workshop and the title, with the total in figures and in
// Persian words and the signature line at the foot. The register's three print commands print it in three
// variants through printStatement.
#include "report/report.h"
#include <QDialog>

class Trizhazine_rep : public QDialog {
    Q_OBJECT
public:
    explicit Trizhazine_rep(QWidget *parent = nullptr);

    // Over the data module's ADOQ_chek: the register's list, in its current order.
    report::Report QuickRep1;

    // The register's print commands: N2 "صورت ريز هزينه(آرم دار)", N1 "صورت ريز هزينه(سفيد)" (logo and
    // fixed captions hidden, frames not drawn, for printing on the office's letterhead paper), N7 "صورت ريز
    // هزينه پروژه". Each sets every caption, picture and pen it prints, whatever the last one left.
    enum class Variant { Letterhead, Plain, Project };

    // What the register shows of its last search: its total labels mablagh_sum (grouped) and mablagh_sum2
    // (the same total, ungrouped).
    struct Totals {
        QString mablagh_sum;
        QString mablagh_sum2;
    };

    // Fills the statement from ADOQ_chek (its rows, and the statement number of its current row; the current
    // row stays where it is, and a closed list prints an empty statement with the total 0), the register's
    // totals, the signed-in user's settings and today's date, and opens the print preview.
    void printStatement(Variant variant, const Totals &totals);

    // The declared layout of QuickRep1.
    static report::Layout declaredLayout();
};
