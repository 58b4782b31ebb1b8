#pragma once
// The one exception type of the data layer: it carries the database's own text, or for the failures a user
// can act on, a Persian text of its own and a kind the callers may tell apart.
#include <QString>
#include <stdexcept>

namespace db {

class Error : public std::runtime_error {
public:
    enum class Kind {
        Database,     // the database refused; the text is its own
        NotConnected, // a statement on a closed connection
        Locked,       // another program holds the database
        ReadOnly,     // the database file cannot be written
        DiskFull,     // no room left on the disk
        RowChanged,   // an edit found its row changed by another user since it was read
        RowDeleted,   // an edit or delete found its row gone
        Timeout,      // the server did not answer in time
        LinkLost,     // the link to the server broke during a statement; the connection was closed
    };

    explicit Error(const QString &text, Kind kind = Kind::Database)
        : std::runtime_error(text.toStdString()), text_(text), kind_(kind)
    {
    }
    const QString &text() const { return text_; }
    Kind kind() const { return kind_; }

private:
    QString text_;
    Kind kind_;
};

// The Persian texts of the failures above.
namespace message {
inline const QString notConnected = QStringLiteral("ارتباط با بانک اطلاعاتي برقرار نيست");
inline const QString locked =
    QStringLiteral("بانک اطلاعاتي در اختيار برنامه ديگري است؛ لحظاتي بعد دوباره سعي کنيد");
inline const QString readOnly = QStringLiteral("فايل بانک اطلاعاتي فقط خواندني است و نمي توان در آن نوشت");
inline const QString diskFull = QStringLiteral("فضاي خالي ديسک کافي نيست");
inline const QString rowChanged =
    QStringLiteral("اين رديف را کاربر ديگري در اين فاصله تغيير داده است؛ دوباره جستجو کنيد");
inline const QString rowDeleted =
    QStringLiteral("اين رديف را کاربر ديگري در اين فاصله حذف کرده است؛ دوباره جستجو کنيد");
inline const QString timeout = QStringLiteral("پاسخي از سرور بانک اطلاعاتي نرسيد");
inline const QString linkLost = QStringLiteral("ارتباط با بانک اطلاعاتي قطع شد");
// A list whose rows stopped coming part-way: it is closed, so that nothing takes a part of it for the whole.
inline const QString readFailed = QStringLiteral("خواندن رديف هاي فهرست ناتمام ماند؛ دوباره جستجو کنيد");
} // namespace message

} // namespace db
