#include "invoices_data.h"
#include "sqlite_files.h"
#include <QRandomGenerator>
#include <QStringList>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace bench {
namespace {

// Two subjects of ten hold the filter word: a fifth of the rows match.
const QStringList subjects = {
    u"خريد لوازم التحرير"_s, u"خريد لوازم برقي"_s, u"تعمير خودرو"_s,     u"پرداخت قبض برق"_s, u"پذيرايي جلسه"_s,
    u"هزينه ماموريت"_s,      u"خريد كارتريج"_s,     u"تعمير ساختمان"_s, u"اياب و ذهاب"_s,    u"حق الزحمه كارگر"_s,
};
const QStringList shops = {u"فروشگاه نور"_s, u"شركت پارس"_s, u"بازرگاني البرز"_s, u"نمايندگي ايران خودرو"_s,
                           u"فروشگاه كتاب"_s, u"شركت آب و برق"_s, u"تعميرگاه مركزي"_s};
const QStringList vendors = {u"علي احمدي"_s, u"حسن رضايي"_s, u"مريم محمدي"_s, u"رضا حسيني"_s, u"زهرا كريمي"_s};
const QStringList accounts = {u"0102030405"_s, u"0203040506"_s, u"صندوق تنخواه"_s};
const QStringList remarks = {QString(), QString(), u"فوري"_s, u"طبق صورتجلسه"_s, u"پرداخت شد"_s};

} // namespace

QString invoiceSubjectWord() { return u"لوازم"_s; }

QString invoicesDatabase(const QString &folder, int rows)
{
    GeneratedDatabase generated(folder, QStringLiteral("invoices"), "chek", rows);
    if (generated.existing)
        return generated.path;
    sqlite3 *db = generated.db;
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db,
                             "insert into chek (hesab_no,daste_chek_no,tankhah,variz,chek_no,mablagh,chek_dat,mozo,"
                             "rizhazine,cmt,bedehkari,foroshgah,salemali,serial,maliyat,avarez,foroshandeh,phone,adr,"
                             "zipcode,melino,eghtesadi,user_id) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                             -1, &st, nullptr),
          db);

    QRandomGenerator random(1403);
    const auto pick = [&](const QStringList &list) { return list.at(random.bounded(int(list.size()))); };
    const auto bindText = [&](int column, const QString &text) {
        if (text.isEmpty()) {
            sqlite3_bind_null(st, column);
            return;
        }
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(st, column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    };
    for (int i = 1; i <= rows; ++i) {
        const int year = 1395 + random.bounded(10);
        const bool deposit = random.bounded(8) == 0;
        const qint64 amount = deposit ? 0 : qint64(random.bounded(1, 20000)) * 1000;
        bindText(1, pick(accounts));
        bindText(2, QString::number(random.bounded(100, 999)));
        sqlite3_bind_int64(st, 3, 0);
        sqlite3_bind_int64(st, 4, deposit ? qint64(random.bounded(1, 500)) * 100000 : 0);
        bindText(5, QString::number(random.bounded(100000, 999999)));
        sqlite3_bind_int64(st, 6, amount);
        bindText(7, u"%1/%2/%3"_s.arg(year)
                        .arg(random.bounded(1, 13), 2, 10, QChar(u'0'))
                        .arg(random.bounded(1, 30), 2, 10, QChar(u'0')));
        bindText(8, pick(subjects));
        bindText(9, QString::number(random.bounded(1, 400)));
        bindText(10, pick(remarks));
        sqlite3_bind_int64(st, 11, random.bounded(4) == 0 ? qint64(random.bounded(1, 100)) * 1000 : 0);
        bindText(12, pick(shops));
        bindText(13, QString::number(year));
        bindText(14, QString::number(random.bounded(1000, 99999)));
        sqlite3_bind_int64(st, 15, (amount * 6 + 50) / 100);
        sqlite3_bind_int64(st, 16, (amount * 3 + 50) / 100);
        bindText(17, pick(vendors));
        bindText(18, u"0913%1"_s.arg(random.bounded(1000000, 9999999)));
        bindText(19, u"خيابان امام، كوچه "_s + QString::number(random.bounded(1, 60)));
        bindText(20, QString::number(random.bounded(100000000, 999999999)));
        bindText(21, QString::number(random.bounded(100000000, 999999999)) + u'0');
        bindText(22, QString::number(random.bounded(100000000, 999999999)) + u"12"_s);
        sqlite3_bind_int(st, 23, random.bounded(1, 20));
        check(sqlite3_step(st), db);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    generated.finish();
    return generated.path;
}

} // namespace bench
