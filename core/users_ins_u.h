#pragma once
// The user entry form: a new account, or the account in the current row of the users list, with the
// duplicate check of the user name and the audit row of every save.
#include "ui_users_ins_u.h"
#include <QDialog>
#include <QHash>
#include <QVector>
#include <memory>

namespace db {
class Query;
}

class Tusers_ins : public QDialog {
    Q_OBJECT
public:
    explicit Tusers_ins(QWidget *parent = nullptr);
    ~Tusers_ins() override;

    std::unique_ptr<Ui::Tusers_ins> ui;

    // Empties every field (the new-account command).
    void clearFields();
    // Copies the account of the query's current row into the fields (the edit command).
    void loadFrom(db::Query &account);

    // The province, user-group and state lists are filled afresh; the texts the fields hold stay.
    void FormShow();
    void ins_btnClick();
    void edit_btnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Column {
        QString name; // the column of table users
        QWidget *field;
    };
    QVector<Column> columns() const;
    void limitLengths(const QHash<QString, int> &shownLengths = {});
    QHash<QString, QString> typedValues() const;
    void fill(db::Query &row, const QHash<QString, QString> &values) const; // the typed values into the row
    bool nameTaken(const QString &name, qint64 exceptId = -1) const;
};
