#include "year_repair.h"
#include "dm_u.h"
#include "forms.h"
#include "pagekit/save.h"
#include "persian/persian_text.h"
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace invoices {

bool isCentury(const QString &answer)
{
    static const QRegularExpression twoDigits(u"^[0-9]{2}$"_s);
    return twoDigits.match(text::latinDigits(answer)).hasMatch();
}

int repairTwoDigitYears(const QString &century)
{
    static const QRegularExpression twoDigitYear(u"^[0-9]{2}/[0-9]{2}/[0-9]{2}$"_s);
    const QString prefix = text::latinDigits(century);
    int repaired = 0;
    pagekit::inWriteTransaction([&] {
        db::Connection &connection = forms::dm->ADOConnection1;
        // The like narrows the read to eight-character dates; the pattern keeps those of digits only.
        db::Query dates(connection, u"year_repair"_s);
        dates.add(u"select id, chek_dat from "_s + connection.dialect().lockedTable(u"chek"_s)
                      + u" where chek_dat like ?"_s,
                  u"__/__/__"_s);
        dates.open();
        for (int row = 0; row < dates.recordCount(); ++row) {
            const QString date = dates.textAt(row, 1);
            if (!twoDigitYear.match(date).hasMatch())
                continue;
            connection.exec(u"update chek set chek_dat=? where id=?"_s,
                            {QString(prefix + date), dates.valueAt(row, 0)});
            ++repaired;
        }
    });
    return repaired;
}

} // namespace invoices
