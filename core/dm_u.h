#pragma once
// The data module: the program's one connection and the named queries every page shares, each with its
// declared statement and fields. Nothing here is open until sign-in sets the connection string.
#include "db/connection.h"
#include "db/query.h"
#include <QObject>

class Tdm : public QObject {
    Q_OBJECT
public:
    explicit Tdm(QObject *parent = nullptr);
    ~Tdm() override;

    db::Connection ADOConnection1{QStringLiteral("ADOConnection1")};
    // Declared beside the application connection and used by no page.
    db::Connection ADOCon_xls{QStringLiteral("ADOCon_xls")};
    db::Query *ADOQ_xls;

    db::Query *adoq_user;   // the users page's list, and only that
    db::Query *adoq_signin; // the sign-in's account of the typed name and password, and the password change
    db::Query *ADOQuery1;
    db::Query *adoq_set;
    db::Query *ADOQuery2;
    db::Query *ADOQ_chek;
    db::Query *ADOQ_tavrel;
    db::Query *ADOQ_tavrelkol_pic;
    db::Query *ADOQ_dastrasi;
    db::Query *ADOQ_darkhast;
    db::Query *ADOQ_foroshande;
    db::Query *ADOQ_faktor_pic;
    db::Query *adoq_bime;
    db::Query *ADOQ_anbar;
    db::Query *ADOQ_kala;
    db::Query *ADOQ_estelam;
    db::Query *ADOQ_estelam_pic;
    db::Query *ADOQ_abadiha;
    db::Query *ADOQ_timer;
    db::Query *ADOQ_payam;
    db::Query *ADOQ_zamaem;

    // Fills MablaghDigit and MablaghText of the invoice query's current row from its mablagh.
    static void ADOQ_chekCalcFields(db::Query &dataSet);

private:
    db::Query *makeQuery(db::Connection &connection, const QString &name, const QString &declared = QString());
};
