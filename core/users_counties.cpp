// The allowed-counties editor of the users page: counties gathered from the villages register into a list,
// then stored as the account's rows of table dastrasi2.
#include "dm_u.h"
#include "forms.h"
#include "pagekit/rows.h"
#include "persian/persian_text.h"
#include "places.h"
#include "pagekit/sorted_lists.h"
#include "ui/dialogs.h"
#include "users_u.h"

using namespace Qt::StringLiterals;

void Tusers::ostanChange()
{
    ui->shahrestan->setEditText(QString());
    sorted::fillKeepingText(ui->shahrestan, places::counties(ui->ostan->currentText()));
}

// Every county of the chosen province; a county already listed is listed again.
void Tusers::SpeedButton2Click()
{
    for (int i = 0; i < ui->shahrestan->count(); ++i) {
        ui->shahrestan->setCurrentIndex(i);
        sorted::addItem(ui->list_loc, ui->shahrestan->itemText(i));
    }
}

void Tusers::SpeedButton3Click()
{
    const QString county = text::storedText(ui->shahrestan->currentText());
    if (!county.isEmpty())
        sorted::addItem(ui->list_loc, county);
}

void Tusers::N3Click()
{
    const QList<QListWidgetItem *> selected = ui->list_loc->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
}

void Tusers::N1Click() { ui->list_loc->clear(); }

void Tusers::ins_btnClick() { SaveUserAllowedItems(); }

// The account's old list is replaced as a whole: the delete and the inserts stand or fall together.
void Tusers::SaveUserAllowedItems()
{
    if (forms::dm->adoq_user->fieldByName(u"id"_s).isNull()) // no current row, or one not stored yet
        return;
    const qint64 userId = forms::dm->adoq_user->fieldByName(u"id"_s).asInteger();

    db::Connection &connection = forms::dm->ADOConnection1;
    db::Transaction transaction(connection);
    connection.exec(u"delete from dastrasi2 where user_id=?"_s, {userId});
    for (int i = 0; i < ui->list_loc->count(); ++i)
        connection.exec(u"insert into dastrasi2 (user_id,cmt) values (?,?)"_s, {userId, ui->list_loc->item(i)->text()});
    transaction.commit();
    ui::showMessage(u"دسترسي ها بروز شد"_s);
}
