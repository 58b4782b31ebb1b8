#include "purchases_data.h"
#include "sqlite_files.h"
#include <QRandomGenerator>
#include <QStringList>
#include <sqlite3.h>

namespace bench {
namespace {

const QStringList projects = {
    QStringLiteral("ساختمان اداري مركز استان"), QStringLiteral("تعمير ساختمان شهرستان"), QStringLiteral("آبرساني روستايي"),
    QStringLiteral("راه روستايي بخش مركزي"), QStringLiteral("مدرسه سازي"), QStringLiteral("تجهيز آزمايشگاه"),
    QStringLiteral("بهسازي معابر"), QStringLiteral("نگهداري تاسيسات"), QStringLiteral("خانه بهداشت روستا"),
    QStringLiteral("پل روستايي"), QStringLiteral("گازرساني"), QStringLiteral("برق رساني روستاها"),
    QStringLiteral("ساختمان انبار مركزي"), QStringLiteral("ايمن سازي مدارس"), QStringLiteral("فضاي سبز اداره"),
    QStringLiteral("سالن ورزشي"), QStringLiteral("تعميرات عمومي"), QStringLiteral("مركز آموزش"),
    QStringLiteral("كتابخانه عمومي"), QStringLiteral("ساماندهي بايگاني"),
};
// Ten subjects of fifty hold the filter word "لوازم": a fifth of the rows match.
const QStringList subjects = {
    QStringLiteral("لوازم التحرير"), QStringLiteral("لوازم برقي"), QStringLiteral("لوازم يدكي خودرو"),
    QStringLiteral("لوازم بهداشتي"), QStringLiteral("لوازم آشپزخانه"), QStringLiteral("لوازم ايمني"),
    QStringLiteral("لوازم رايانه"), QStringLiteral("لوازم ساختماني"), QStringLiteral("لوازم تاسيساتي"),
    QStringLiteral("لوازم اداري"),
    QStringLiteral("سيمان"), QStringLiteral("آجر"), QStringLiteral("ميلگرد"), QStringLiteral("كاشي و سراميك"),
    QStringLiteral("رنگ ساختماني"), QStringLiteral("شيرآلات"), QStringLiteral("لوله پلي اتيلن"), QStringLiteral("كابل برق"),
    QStringLiteral("لامپ كم مصرف"), QStringLiteral("كاغذ A4"), QStringLiteral("كارتريج چاپگر"), QStringLiteral("ميز اداري"),
    QStringLiteral("صندلي گردان"), QStringLiteral("كمد بايگاني"), QStringLiteral("كولر گازي"), QStringLiteral("بخاري گازي"),
    QStringLiteral("پرده"), QStringLiteral("موكت"), QStringLiteral("تابلو راهنما"), QStringLiteral("چاپگر ليزري"),
    QStringLiteral("رايانه روميزي"), QStringLiteral("نمايشگر"), QStringLiteral("تلفن رو ميزي"), QStringLiteral("دوربين مداربسته"),
    QStringLiteral("قفل و يراق"), QStringLiteral("شيشه"), QStringLiteral("ايزوگام"), QStringLiteral("گچ"),
    QStringLiteral("ماسه و شن"), QStringLiteral("تيرآهن"), QStringLiteral("پروفيل"), QStringLiteral("درب فلزي"),
    QStringLiteral("پنجره دوجداره"), QStringLiteral("آسفالت"), QStringLiteral("پمپ آب"), QStringLiteral("منبع آب"),
    QStringLiteral("ژنراتور"), QStringLiteral("باتري"), QStringLiteral("روغن موتور"), QStringLiteral("لاستيك خودرو"),
};
const QStringList workshops = {
    QStringLiteral("كارگاه مركزي"), QStringLiteral("كارگاه شماره يك"), QStringLiteral("كارگاه شماره دو"),
    QStringLiteral("كارگاه جنوب"), QStringLiteral("كارگاه شمال"), QStringLiteral("انبار اصلي"), QStringLiteral("ساختمان ستاد"),
};
const QStringList units = {QStringLiteral("عدد"), QStringLiteral("دستگاه"), QStringLiteral("كيلوگرم"),
                           QStringLiteral("متر"), QStringLiteral("برگ"), QStringLiteral("شاخه"), QStringLiteral("بسته")};
const QStringList shopWords = {QStringLiteral("فروشگاه"), QStringLiteral("بازرگاني"), QStringLiteral("شركت"),
                               QStringLiteral("نمايندگي")};
const QStringList names = {QStringLiteral("احمدي"), QStringLiteral("رضايي"), QStringLiteral("محمدي"),
                           QStringLiteral("حسيني"), QStringLiteral("كريمي"), QStringLiteral("موسوي"), QStringLiteral("جعفري"),
                           QStringLiteral("قاسمي"), QStringLiteral("رحيمي"), QStringLiteral("صادقي"), QStringLiteral("نوري"),
                           QStringLiteral("اكبري")};
const QStringList firstNames = {QStringLiteral("علي"), QStringLiteral("حسن"), QStringLiteral("مريم"),
                                QStringLiteral("زهرا"), QStringLiteral("محمد"), QStringLiteral("رضا"), QStringLiteral("فاطمه"),
                                QStringLiteral("مهدي")};
const QStringList banks = {QStringLiteral("تجارت"), QStringLiteral("رسالت"), QStringLiteral("رفاه"),
                           QStringLiteral("مسكن"), QStringLiteral("ملت"), QStringLiteral("ملي")};
const QStringList payments = {QStringLiteral("پرداخت شد"), QStringLiteral("پرداخت نشد"),
                              QStringLiteral("قسمتي پرداخت شد")};
const QStringList comments = {QString(), QString(), QString(), QStringLiteral("تحويل انبار شد"),
                              QStringLiteral("با هماهنگي مدير"), QStringLiteral("فوري"), QStringLiteral("طبق صورتجلسه")};

QString date(QRandomGenerator &random, int year)
{
    return QStringLiteral("%1/%2/%3").arg(year).arg(random.bounded(1, 13), 2, 10, QLatin1Char('0'))
        .arg(random.bounded(1, 30), 2, 10, QLatin1Char('0'));
}

} // namespace

QString subjectFilterWord() { return QStringLiteral("لوازم"); }

QString purchasesDatabase(const QString &folder, int rows)
{
    GeneratedDatabase generated(folder, QStringLiteral("purchases"), "tavrelkol", rows);
    if (generated.existing)
        return generated.path;
    sqlite3 *db = generated.db;
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db,
              "insert into tavrelkol (prj_name,mozo,cnt,vahed,mablagh,mablagh_kol,tavrel_dat,pardakht_dat,foroshande,"
              "resid,faktor_no,kargah,sal,cmt,mozo_cmt,nam,hesab_no,bank,nation,dabir_no,user_id,darkhast_no,pardakhti)"
              " values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
              -1, &st, nullptr), db);
    sqlite3_stmt *pic = nullptr;
    check(sqlite3_prepare_v2(db, "insert into tavrelkol_pic (tavrelkol_id,cmt,pictype,pic) values (?,?,'.jpg',x'ffd8ffe0')",
                             -1, &pic, nullptr), db);

    QRandomGenerator random(1403);
    auto pick = [&](const QStringList &list) { return list.at(random.bounded(int(list.size()))); };
    auto bindText = [&](int column, const QString &text) {
        if (text.isEmpty()) {
            sqlite3_bind_null(st, column);
            return;
        }
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(st, column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    };
    int dabir[12] = {};
    for (int i = 1; i <= rows; ++i) {
        const int year = 1392 + random.bounded(12);
        const QString shop = pick(shopWords) + QLatin1Char(' ') + pick(names) + QLatin1Char(' ') +
                             QString::number(random.bounded(40));
        const QString subject = pick(subjects);
        const qint64 price = qint64(random.bounded(1, 5000)) * 1000;
        const int count = random.bounded(1, 50);
        bindText(1, pick(projects));
        bindText(2, subject);
        bindText(3, QString::number(count));
        bindText(4, pick(units));
        sqlite3_bind_int64(st, 5, price);
        sqlite3_bind_int64(st, 6, price * count);
        bindText(7, date(random, year));
        bindText(8, date(random, year));
        bindText(9, shop);
        bindText(10, QString::number(random.bounded(100000, 999999)));
        bindText(11, QString::number(random.bounded(1000, 99999)));
        bindText(12, pick(workshops));
        sqlite3_bind_int(st, 13, year);
        bindText(14, pick(comments));
        bindText(15, subject + QStringLiteral(" براي ") + pick(workshops));
        bindText(16, pick(firstNames) + QLatin1Char(' ') + pick(names));
        bindText(17, QString::number(random.bounded(100000000, 999999999)));
        bindText(18, pick(banks));
        bindText(19, QString::number(random.bounded(100000000, 999999999)) + QLatin1Char('0'));
        sqlite3_bind_int(st, 20, ++dabir[year - 1392]);
        sqlite3_bind_int(st, 21, random.bounded(1, 20));
        bindText(22, random.bounded(3) == 0 ? QString() : QString::number(random.bounded(1, 3000)));
        bindText(23, pick(payments));
        check(sqlite3_step(st), db);
        sqlite3_reset(st);
        if (i % 10 == 0) { // a tenth of the purchases carry an attachment
            sqlite3_bind_int(pic, 1, i);
            sqlite3_bind_text(pic, 2, "\xd9\x81\xd8\xa7\xda\xa9\xd8\xaa\xd9\x88\xd8\xb1", -1, SQLITE_STATIC);
            check(sqlite3_step(pic), db);
            sqlite3_reset(pic);
        }
    }
    sqlite3_finalize(st);
    sqlite3_finalize(pic);
    generated.finish();
    return generated.path;
}

} // namespace bench
