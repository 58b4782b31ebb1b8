#pragma once
// The accounting cover letter: one A5 page that sends a purchase's documents to the head of procurement and,
// below a rule, asks the head of finance to examine the payment. The purchases register prints it for its
// current row with printCoverLetter.
#include "report/report.h"
#include <QDialog>

class Thesabdari_frm : public QDialog {
    Q_OBJECT
public:
    explicit Thesabdari_frm(QWidget *parent = nullptr);

    // No dataset: the letter's body (the detail band) prints once.
    report::Report QuickRep1;

    // The declared layout of QuickRep1.
    static report::Layout declaredLayout();
};

// The purchases register's command N7 "فرم ها": asks for the letter's date and its footer text, fills the
// letter from the current row of ADOQ_tavrel and opens the print preview. Does nothing while the list has
// no current row. Writes nothing to the database.
void printCoverLetter();
