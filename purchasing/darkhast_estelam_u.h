#pragma once
// The price-inquiry letter: asks a vendor's shop for its prices for the goods of the purchase requests the
// requests list shows, one numbered table line per request, under a heading taken from the list's current
// request and above the vendor's conditions. The requests list prints it with printInquiryLetter.
#include "report/report.h"
#include <QDialog>

class Tdarkhast_estelam : public QDialog {
    Q_OBJECT
public:
    explicit Tdarkhast_estelam(QWidget *parent = nullptr);

    // Over the requests list's query ADOQ_darkhast: its rows, in the grid's order, are the table's lines.
    report::Report QuickRep1;

    // The declared layout of QuickRep1.
    static report::Layout declaredLayout();
};

// The requests list's command N8 "استعلام": fills the heading from the current request, asks for the three
// workshop addresses, takes the signer from the settings, and opens the print preview. Does nothing while the
// list has no current row. Writes nothing to the database.
void printInquiryLetter();
