#include "change_pass_u.h"
#include "schema/column_sizes.h"
#include "dm_u.h"
#include "forms.h"
#include "login_u.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/escape_key.h"

Tchange_pass::Tchange_pass(QWidget *parent) : QDialog(parent)
{
    ui.setupUi(this);
    ui::keepOpenOnEscape(this);
    // A longer password would not fit the column it is stored in.
    const int passwordSize = schemaColumnSize(QStringLiteral("users"), QStringLiteral("ps"));
    ui.Edit1->setMaxLength(passwordSize);
    ui.Edit2->setMaxLength(passwordSize);
    ui::connectGuarded(ui.BitBtn1, &QPushButton::clicked, this, &Tchange_pass::BitBtn1Click);
    ui::connectGuarded(ui.BitBtn2, &QPushButton::clicked, this, &Tchange_pass::BitBtn2Click);
}

Tchange_pass::~Tchange_pass() = default;

void Tchange_pass::BitBtn1Click()
{
    const QString password = ui.Edit1->text();
    if (password.isEmpty() && ui.Edit2->text().isEmpty()) {
        ui::showMessage(QStringLiteral("كلمه عبور صحيح نيست"));
        return;
    }
    if (password != ui.Edit2->text()) {
        ui::showMessage(QStringLiteral("كلمه عبور جديد همخواني ندارد"));
        return;
    }
    // The row changes only while the sign-in form still holds the user's current password.
    db::Query &user = *forms::dm->adoq_signin;
    user.clear();
    user.add(QStringLiteral("update users set ps=? where us=? and ps=?"), password, forms::login->typedUser(),
             forms::login->typedPassword());
    if (user.execSql() == 0) {
        ui::showMessage(QStringLiteral("كلمه و رمز عبور را در صفحه فعلي درست وارد نماييد"));
        return;
    }
    ui::showMessage(QStringLiteral("كلمه عبور تغيير يافت"));
    reject();
}

void Tchange_pass::BitBtn2Click()
{
    reject();
}

// Every way of leaving this form shows the sign-in form again, so a window of the program stays in view;
// it is shown first, so that closing this one never leaves the application without a window.
void Tchange_pass::reject()
{
    forms::login->show();
    QDialog::reject();
}
