#include "export_data.h"
#include <QFile>
#include <sqlite3.h>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace exportbench {

namespace {

// name, SQL type
const char *const columns[][2] = {
    {"id", "integer primary key"}, {"prj_name", "nvarchar(100)"}, {"mozo", "nvarchar(150)"},
    {"cnt", "nvarchar(100)"},      {"vahed", "nvarchar(100)"},    {"mablagh", "money"},
    {"mablagh_kol", "money"},      {"tavrel_dat", "nvarchar(10)"}, {"pardakht_dat", "nvarchar(10)"},
    {"foroshande", "nvarchar(140)"}, {"resid", "nvarchar(100)"},  {"faktor_no", "nvarchar(100)"},
    {"kargah", "nvarchar(100)"},   {"sal", "int"},                {"cmt", "nvarchar(150)"},
    {"mozo_cmt", "nvarchar(100)"}, {"nam", "nvarchar(100)"},      {"hesab_no", "nvarchar(100)"},
    {"bank", "nvarchar(50)"},      {"nation", "nvarchar(20)"},    {"dabir_no", "int"},
    {"user_id", "int"},            {"darkhast_no", "nvarchar(50)"}, {"pardakhti", "nvarchar(70)"},
    {"pic_count", "int"},
};
constexpr int columnCount = int(std::size(columns));

const char *const projects[] = {"ساختمان مرکزي", "بيمارستان شهيد بهشتي", "مدرسه روستاي کلاته", "انبار شماره دو",
                                "جاده دسترسي", "تعمير پل رودخانه"};
const char *const subjects[] = {"خريد سيمان و گچ", "لوله و اتصالات", "کابل برق افشان", "رنگ و تينر",
                                "ميلگرد آجدار", "لوازم التحرير", "قطعات يدکي خودرو"};
const char *const units[] = {"کيسه", "متر", "عدد", "کيلوگرم", "شاخه"};
const char *const shops[] = {"فروشگاه آهن ملت", "مصالح ساختماني نور", "الکتريکي پارس", "لوازم کشاورزي سبز"};
const char *const sites[] = {"کارگاه شمال", "کارگاه مرکزي", "کارگاه جنوب"};
const char *const names[] = {"علي رضايي", "محمد حسيني", "زهرا کريمي", "حسن محمدي"};
const char *const banks[] = {"ملي", "ملت", "صادرات", "کشاورزي"};
const char *const paid[] = {"پرداخت شد", "پرداخت نشد", "قسمتي پرداخت شد"};

template <size_t N>
const char *pick(const char *const (&list)[N], quint32 n)
{
    return list[n % N];
}

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

} // namespace

QStringList purchaseColumns()
{
    QStringList names;
    for (const auto &column : columns)
        names << QString::fromLatin1(column[0]);
    return names;
}

bool isMoneyColumn(const QString &column)
{
    return column == "mablagh"_L1 || column == "mablagh_kol"_L1;
}

void writePurchases(const QString &path, int rows)
{
    QFile::remove(path);
    sqlite3 *db = nullptr;
    check(sqlite3_open(QFile::encodeName(path).constData(), &db), db);
    QByteArray create = "create table tavrelkol (";
    QByteArray insert = "insert into tavrelkol values (";
    for (int c = 0; c < columnCount; ++c) {
        create += QByteArray(c ? "," : "") + columns[c][0] + ' ' + columns[c][1];
        insert += c ? ",?" : "?";
    }
    check(sqlite3_exec(db, QByteArray(create + ')').constData(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), db);
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, QByteArray(insert + ')').constData(), -1, &st, nullptr), db);

    quint32 seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u, seed >> 8; };
    auto text = [&](int column, const QByteArray &value) {
        sqlite3_bind_text(st, column, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    };
    for (int r = 1; r <= rows; ++r) {
        const int year = 1398 + int(next() % 6);
        const QByteArray date = QByteArray::number(year) + '/' + QByteArray::number(1 + next() % 12).rightJustified(2, '0')
                                + '/' + QByteArray::number(1 + next() % 29).rightJustified(2, '0');
        const qint64 price = 1000 * qint64(1 + next() % 50000);
        const int count = 1 + int(next() % 200);
        int c = 1;
        sqlite3_bind_int(st, c++, r);
        text(c++, pick(projects, next()));
        text(c++, pick(subjects, next()));
        text(c++, QByteArray::number(count));
        text(c++, pick(units, next()));
        sqlite3_bind_int64(st, c++, price);
        sqlite3_bind_int64(st, c++, price * count);
        text(c++, date);
        text(c++, date);
        text(c++, pick(shops, next()));
        text(c++, QByteArray::number(next() % 90000));
        text(c++, "ف-" + QByteArray::number(next() % 100000));
        text(c++, pick(sites, next()));
        sqlite3_bind_int(st, c++, year);
        if (next() % 4 == 0)
            sqlite3_bind_null(st, c++);
        else
            text(c++, "تحويل به انبار در تاريخ " + date);
        text(c++, pick(subjects, next()) + QByteArray(" براي ") + pick(projects, next()));
        text(c++, pick(names, next()));
        text(c++, QByteArray::number(1000000000 + next() % 900000000));
        text(c++, pick(banks, next()));
        text(c++, QByteArray::number(next() % 1000000000).rightJustified(10, '0'));
        sqlite3_bind_int(st, c++, r % 5000);
        sqlite3_bind_int(st, c++, 1 + int(next() % 20));
        text(c++, QByteArray::number(next() % 10000));
        text(c++, pick(paid, next()));
        if (next() % 3 == 0)
            sqlite3_bind_int(st, c++, 1 + int(next() % 5));
        else
            sqlite3_bind_null(st, c++);
        check(sqlite3_step(st), db);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

} // namespace exportbench
