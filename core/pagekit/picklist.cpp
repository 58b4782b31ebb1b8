#include "pagekit/picklist.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/setting_rows.h"
#include "ui/combo_items.h"
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
    // An edited record's value stays in the combo, whether or not it is still offered; an unchosen value
    // stays unchosen unless the list offers exactly one and the caller asks for it.
    const bool held = !combo->currentText().isEmpty();
    ui::refillKeepingText(combo, values(title, rows));
    if (!held && selectSingle && combo->count() == 1)
        combo->setCurrentIndex(0);
}

QString firstValue(const QString &title)
{
    db::Query &query = *forms::dm->adoq_set;
    query.clear();
    query.add(QStringLiteral("select cmt from setting where component=? order by id"), title);
    query.open();
    return query.isEmpty() ? QString() : query.fieldByName(QStringLiteral("cmt")).asString();
}

bool OwnRowsRule()
{
    // The switch is the first row filed under the title, whoever filed it, in the order the database returns.
    const QStringList filed = values(ownRowsTitle, Rows::AllUsers);
    return !filed.isEmpty() && filed.first() == yes;
}

} // namespace picklist
