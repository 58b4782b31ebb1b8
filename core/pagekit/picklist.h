#pragma once
// Pick lists: the values filed under a title in table `setting`, offered in the combo boxes of the entry forms
// and list pages, and the one switch kept there.
#include <QString>
#include <QStringList>

class QComboBox;

namespace picklist {

enum class Rows { Own, AllUsers };

// Fills the combo with the values filed under the title (the signed-in user's own rows, or every user's), in the
// order the database returns them, through the shared setting query; with selectSingle and exactly one value,
// that value is selected. When the combo already holds a text (an edited record's value), the text stays.
void LoadPickList(QComboBox *combo, const QString &title, Rows rows, bool selectSingle);

// The values filed under a title, without a combo (letters and prints read them).
QStringList values(const QString &title, Rows rows);

// The value filed under a title in the row of the lowest id (every user's rows): a letter's signer, the delete
// password. Empty when nothing is filed.
QString firstValue(const QString &title);

// The switch "هر کاربر اطلاعات خودش را ببيند-بلي/خير": true when the first row filed under it (by any user, in
// the order the database returns) is "بلي", so lists that honour it show each user only their own rows.
bool OwnRowsRule();

} // namespace picklist
