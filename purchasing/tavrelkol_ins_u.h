#pragma once
// The purchase entry form: records one purchase as a row of `tavrelkol`, or changes the list's current row.
// It writes through the purchases list's own query, so a saved row shows in the list's grid at once.
#include <QDialog>
#include <QList>
#include <QVariant>
#include <optional>

namespace Ui {
class Ttavrelkol_ins;
}
namespace db {
class Query;
}

class Ttavrelkol_ins : public QDialog {
    Q_OBJECT
public:
    explicit Ttavrelkol_ins(QWidget *parent = nullptr);
    ~Ttavrelkol_ins() override;

    Ui::Ttavrelkol_ins *ui;

    // A field of the form and the column of `tavrelkol` it holds.
    struct Column {
        QString name;      // the column, and the control's name
        QWidget *control;
        QString caption;   // named in a refusal
    };
    // The 22 fields in the order a row is written (user_id is not among them).
    const QList<Column> &columns() const { return columns_; }

    void ins_btnClick();
    void edit_btnClick();
    void FormShow();
    void foroshandeChange();
    void Label1Click();
    void Label2Click();
    void Label4Click();
    void Label9Click();
    void Label12Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Every field's value as it is written, or nullopt after a refusal that named the field.
    std::optional<QList<QVariant>> checkedValues(bool inserting);
    std::optional<QVariant> checkedAmount(const Column &column, bool inserting);
    // The three warnings on repeated numbers within the year, all asked; true when every one asked had Yes.
    bool repeatsAccepted(const QList<QVariant> &values);
    bool isDuplicate(const QList<QVariant> &values);
    void writeValues(db::Query &row, const QList<QVariant> &values) const;
    QVariant valueOf(const QList<QVariant> &values, const QString &name) const;
    void refillFromColumn(const QString &column);

    QList<Column> columns_;
};
