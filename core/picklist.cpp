#include "picklist.h"
#include "dm_u.h"
#include "forms.h"
#include "setting_rows.h"
#include <QComboBox>

namespace picklist {

namespace {

const QString ownRowsTitle = QStringLiteral("هر کاربر اطلاعات خودش را ببيند-بلي/خير");
const QString yes = QStringLiteral("بلي");

} // namespace

QStringList values(const QString &title, Rows rows)
{
    db::Query &query = *forms::dm->adoq_set;
    setting_rows::openTitle(query, title, rows);
    QStringList result;
    result.reserve(query.recordCount());
    for (query.first(); !query.eof(); query.next())
        result << query.fieldByName(QStringLiteral("cmt")).asString();
    return result;
}

void LoadPickList(QComboBox *combo, const QString &title, Rows rows, bool selectSingle)
{
    const QStringList items = values(title, rows);
    // An edited record's value stays in the combo, whether or not it is still offered.
    const QString held = combo->currentText();
    combo->clear();
    combo->addItems(items);
    if (!held.isEmpty()) {
        combo->setCurrentIndex(combo->findText(held, Qt::MatchExactly));
        if (combo->isEditable())
            combo->setEditText(held);
    } else if (selectSingle && combo->count() == 1) {
        combo->setCurrentIndex(0);
    } else {
        // QComboBox selects the first item it is given; an unchosen value stays unchosen.
        combo->setCurrentIndex(-1);
    }
}

bool OwnRowsRule()
{
    return values(ownRowsTitle, Rows::AllUsers).contains(yes);
}

} // namespace picklist
