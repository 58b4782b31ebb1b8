#include "anbar_bench.h"
#include "dm_u.h"
#include "forms.h"
#include "measure.h"
#include "registers/anbar_ins_u.h"
#include "registers/anbar_src_u.h"
#include "schema/schema.h"
#include "signed_in_user.h"
#include "ui_anbar_ins_u.h"
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int movements = 100000;
constexpr int goodsPerWarehouse = 50;
const QStringList warehouses = {QStringLiteral("انبار مرکزي"), QStringLiteral("انبار شماره دو"),
                                QStringLiteral("انبار کارگاه"), QStringLiteral("انبار فني")};
const QStringList receivers = {QStringLiteral("علي احمدي"), QStringLiteral("حسن رضايي"), QStringLiteral("مريم کريمي"),
                               QStringLiteral("رضا موسوي"), QStringLiteral("زهرا نوري")};
const QString in = QStringLiteral("ورود");
const QString out = QStringLiteral("خروج");
const QString unit = QStringLiteral("عدد");

QString goodsName(int code) { return QStringLiteral("کالاي شماره ") + QString::number(code); }

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        qFatal("sqlite: %s", sqlite3_errmsg(db));
}

sqlite3 *openRaw(const QString &path)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(QFile::encodeName(path).constData(), &db), db);
    sqlite3_busy_timeout(db, 5000);
    return db;
}

void bindText(sqlite3_stmt *st, int column, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(st, column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// Goods in four warehouses with stock enough for every movement, and the movements, made once and kept.
QString warehouseDatabase(const QString &folder)
{
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/anbar-%1.sqlite").arg(movements);
    if (QFile::exists(path))
        return path;
    {
        db::Connection &connection = forms::dm->ADOConnection1;
        connection.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + path);
        connection.open();
        RunSchemaSteps();
        connection.close();
    }
    sqlite3 *db = openRaw(path);
    check(sqlite3_exec(db, "pragma synchronous=off; begin", nullptr, nullptr, nullptr), db);
    sqlite3_stmt *goods = nullptr;
    check(sqlite3_prepare_v2(db, "insert into kala (anbar,cod,cmt,vahed,mojodi) values (?,?,?,?,1000000)", -1, &goods,
                             nullptr), db);
    int code = 0;
    for (const QString &warehouse : warehouses)
        for (int i = 0; i < goodsPerWarehouse; ++i) {
            bindText(goods, 1, warehouse);
            sqlite3_bind_int(goods, 2, ++code);
            bindText(goods, 3, goodsName(code));
            bindText(goods, 4, unit);
            check(sqlite3_step(goods), db);
            sqlite3_reset(goods);
        }
    sqlite3_finalize(goods);

    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, "insert into anbar (nam,typ,kala_cod,kala_cmt,kala_vahed,meghdar,dat,saat,mabda,maghsad,"
                                 "tahvildahande,tahvilgirande,cmt,us) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                             -1, &st, nullptr), db);
    QRandomGenerator random(1403);
    for (int i = 0; i < movements; ++i) {
        const int goodsCode = 1 + random.bounded(code);
        bindText(st, 1, warehouses.at((goodsCode - 1) / goodsPerWarehouse));
        bindText(st, 2, random.bounded(2) ? in : out);
        sqlite3_bind_int(st, 3, goodsCode);
        bindText(st, 4, goodsName(goodsCode));
        bindText(st, 5, unit);
        sqlite3_bind_double(st, 6, random.bounded(1, 100));
        bindText(st, 7, QStringLiteral("%1/%2/%3").arg(1395 + random.bounded(10)).arg(random.bounded(1, 13), 2, 10, QLatin1Char('0'))
                            .arg(random.bounded(1, 30), 2, 10, QLatin1Char('0')));
        bindText(st, 8, QStringLiteral("%1:%2").arg(random.bounded(24), 2, 10, QLatin1Char('0')).arg(random.bounded(60), 2, 10, QLatin1Char('0')));
        bindText(st, 9, QStringLiteral("کارگاه ") + QString::number(random.bounded(10)));
        bindText(st, 10, QStringLiteral("پروژه ") + QString::number(random.bounded(20)));
        bindText(st, 11, receivers.at(random.bounded(int(receivers.size()))));
        bindText(st, 12, receivers.at(random.bounded(int(receivers.size()))));
        bindText(st, 13, random.bounded(4) ? QString() : QStringLiteral("تحويل فوري"));
        bindText(st, 14, QStringLiteral("anbardar"));
        check(sqlite3_step(st), db);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    check(sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
    return path;
}

// Every column of every row of the list statement, as the engine gives it.
int rawList(const QString &path, const QString &statement)
{
    sqlite3 *db = openRaw(path);
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, statement.toUtf8().constData(), -1, &st, nullptr), db);
    int rows = 0;
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c)
            if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                (void)sqlite3_column_text(st, c);
            else
                (void)sqlite3_column_double(st, c);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

// The repeat check of a movement on the whole table.
const char *const repeatCheck =
    "select id from anbar where id<>-1 and nam=? and typ=? and kala_cod=? and dat=? and tahvilgirande=?";

void bindRepeat(sqlite3_stmt *st, const QString &receiver)
{
    bindText(st, 1, warehouses.first());
    bindText(st, 2, in);
    sqlite3_bind_int(st, 3, 1);
    bindText(st, 4, QStringLiteral("1404/01/01"));
    bindText(st, 5, receiver);
}

// One movement's statements through the C API, in the order the form runs them, in one write transaction.
void rawSave(sqlite3 *db, const QString &receiver)
{
    const auto run = [&](const char *sql, const std::function<void(sqlite3_stmt *)> &bind) {
        sqlite3_stmt *st = nullptr;
        check(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), db);
        bind(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
        }
        sqlite3_finalize(st);
    };
    check(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), db);
    run("select mojodi from kala where anbar=? and cod=? and cmt=? and vahed=?", [&](sqlite3_stmt *st) {
        bindText(st, 1, warehouses.first());
        sqlite3_bind_int(st, 2, 1);
        bindText(st, 3, goodsName(1));
        bindText(st, 4, unit);
    });
    run(repeatCheck, [&](sqlite3_stmt *st) { bindRepeat(st, receiver); });
    run("insert into anbar (nam,typ,kala_cod,kala_cmt,kala_vahed,meghdar,dat,saat,mabda,maghsad,tahvildahande,"
        "tahvilgirande,cmt,us) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
        [&](sqlite3_stmt *st) {
            bindText(st, 1, warehouses.first());
            bindText(st, 2, in);
            sqlite3_bind_int(st, 3, 1);
            bindText(st, 4, goodsName(1));
            bindText(st, 5, unit);
            sqlite3_bind_double(st, 6, 1);
            bindText(st, 7, QStringLiteral("1404/01/01"));
            bindText(st, 8, QStringLiteral("10:00"));
            for (int c = 9; c <= 11; ++c)
                bindText(st, c, QString());
            bindText(st, 12, receiver);
            bindText(st, 13, QString());
            bindText(st, 14, QStringLiteral("bench"));
        });
    (void)sqlite3_last_insert_rowid(db);
    run("update kala set mojodi=? where anbar=? and cod=?", [&](sqlite3_stmt *st) {
        sqlite3_bind_double(st, 1, 1000001);
        bindText(st, 2, warehouses.first());
        sqlite3_bind_int(st, 3, 1);
    });
    run("insert into log (karbar,ip,computer_name,saat,tarikh,cmt) values (?,?,?,?,?,?)", [&](sqlite3_stmt *st) {
        for (int c = 1; c <= 6; ++c)
            bindText(st, c, QStringLiteral("bench"));
    });
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QString fixed(double value, int decimals = 4) { return QString::number(value, 'f', decimals); }

} // namespace

void runAnbarBench()
{
    const QString path = warehouseDatabase(bench::dataFolder());
    // Saves add rows: each run starts from a copy of the kept register.
    const QString work = path + QStringLiteral(".run.sqlite");
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(work + QString::fromLatin1(suffix));
    QFile::copy(path, work);

    Tdm &dm = *forms::dm;
    dm.ADOConnection1.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + work);
    dm.ADOConnection1.open();
    SignedInUser::instance().set(QStringLiteral("1"), QStringLiteral("bench"), QStringLiteral("ostan"));

    // The page is shown: its list reads on while it is, until the count is on its label.
    Tanbar_src &page = *forms::anbar_src;
    page.show();
    const auto searched = [&] {
        page.src_btnClick();
        bench::waitFor([&] { return !dm.ADOQ_anbar->totalsPending(); });
    };
    searched(); // warm-up: the file in the page cache
    const QString statement = QStringLiteral("select * from anbar where id<>-1 ");
    int rawRows = rawList(work, statement);
    double search = 1e9, raw = 1e9;
    for (int run = 0; run < 3; ++run) {
        dm.ADOQ_anbar->close();
        search = std::min(search, bench::seconds(searched));
        raw = std::min(raw, bench::seconds([&] { rawRows = rawList(work, statement); }));
    }
    page.hide();
    const int listed = dm.ADOQ_anbar->recordCount();

    // Saves through the form, on the list of every movement, each to another receiver so none repeats.
    Tanbar_ins &entry = *forms::anbar_ins;
    Ui::Tanbar_ins &form = *entry.ui;
    std::vector<double> formSaves;
    for (int i = 0; i < 21; ++i) {
        entry.prepareNew();
        form.nam->setEditText(warehouses.first());
        form.typ->setEditText(in);
        form.kala_cod->setEditText(QStringLiteral("1"));
        form.kala_cmt->setEditText(goodsName(1));
        form.kala_vahed->setEditText(unit);
        form.meghdar->setText(QStringLiteral("1"));
        form.dat->setStoredText(QStringLiteral("1404/01/01"));
        form.tahvilgirande->setEditText(QStringLiteral("form ") + QString::number(i));
        formSaves.push_back(bench::seconds([&] { form.ins_btn->click(); }));
    }
    const int saved = dm.ADOQ_anbar->recordCount() - listed;

    dm.ADOConnection1.close();
    sqlite3 *db = openRaw(work);
    std::vector<double> rawSaves;
    std::vector<double> repeats;
    for (int i = 0; i < 21; ++i)
        rawSaves.push_back(bench::seconds([&] { rawSave(db, QStringLiteral("raw ") + QString::number(i)); }));
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, repeatCheck, -1, &st, nullptr), db);
    for (int i = 0; i < 11; ++i)
        repeats.push_back(bench::seconds([&] {
            bindRepeat(st, QStringLiteral("nobody"));
            while (sqlite3_step(st) == SQLITE_ROW) {
            }
            sqlite3_reset(st);
        }));
    sqlite3_finalize(st);
    sqlite3_close(db);

    bench::report("warehouse movements", QString::number(movements));
    bench::report("rows (page list / raw read)", QStringLiteral("%1 / %2").arg(listed).arg(rawRows));
    bench::report("warehouse page's search: count, list, grid (s)", fixed(search, 3));
    bench::report("same rows through the sqlite3 C API (s)", fixed(raw, 3));
    bench::report("ratio page search / raw read (target at most 1.5)", fixed(search / raw, 2));
    bench::report("movements saved through the form", QString::number(saved));
    bench::report("one save through the form, median (s)", fixed(median(formSaves)));
    bench::report("same statements through the C API, median (s)", fixed(median(rawSaves)));
    bench::report("ratio save / C API (target at most 2)", fixed(median(formSaves) / median(rawSaves), 2));
    bench::report("repeat check on the whole table, median (s)", fixed(median(repeats)));
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(work + QString::fromLatin1(suffix));
}
