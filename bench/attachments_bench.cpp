#include "attachments_bench.h"
#include "dm_u.h"
#include "forms.h"
#include "measure.h"
#include "purchasing/tavrelkol_pic_u.h"
#include "schema/schema.h"
#include "ui/scripted_dialogs.h"
#include "ui_tavrelkol_pic_u.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <sqlite3.h>

namespace {

constexpr qint64 fileBytes = 50 * 1024 * 1024;
constexpr int runs = 3;

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        qFatal("sqlite: %s", sqlite3_errmsg(db));
}

// A scanned document stands in: bytes no engine can compress away, NULs among them. Made once and kept.
QString sourceFile(const QString &folder)
{
    const QString path = folder + QStringLiteral("/scan.pdf");
    if (QFileInfo(path).size() == fileBytes)
        return path;
    QByteArray bytes(fileBytes, '\0');
    QRandomGenerator random(14);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void removeDatabase(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QString::fromLatin1(suffix));
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

// The least any program must do: the file read, its bytes inserted as one blob and selected again, and
// written out, on a database of the same schema and journal.
void bareRoundTrip(sqlite3 *db, const QString &source, const QString &target, int run)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(source));
    const QByteArray bytes = in.readAll();
    sqlite3_stmt *st = nullptr;
    check(sqlite3_prepare_v2(db, "insert into tavrelkol_pic (tavrelkol_id,cmt,pictype,pic) values (1,?,'.pdf',?)", -1,
                             &st, nullptr), db);
    const QByteArray description = QByteArray("bare ") + QByteArray::number(run);
    sqlite3_bind_text(st, 1, description.constData(), int(description.size()), SQLITE_STATIC);
    sqlite3_bind_blob64(st, 2, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_STATIC);
    check(sqlite3_step(st), db);
    sqlite3_finalize(st);
    check(sqlite3_prepare_v2(db, "select pic from tavrelkol_pic where id=?", -1, &st, nullptr), db);
    sqlite3_bind_int64(st, 1, sqlite3_last_insert_rowid(db));
    check(sqlite3_step(st), db);
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly)
        || out.write(static_cast<const char *>(sqlite3_column_blob(st, 0)), sqlite3_column_bytes(st, 0))
               != fileBytes)
        qFatal("cannot write %s", qPrintable(target));
    sqlite3_finalize(st);
}

} // namespace

void runAttachmentsBench()
{
    const QString folder = bench::dataFolder() + QStringLiteral("/attachments");
    QDir().mkpath(folder);
    const QString source = sourceFile(folder);
    const QString programDb = folder + QStringLiteral("/program.sqlite");
    const QString bareDb = folder + QStringLiteral("/bare.sqlite");
    removeDatabase(programDb);
    removeDatabase(bareDb);

    db::Connection &connection = forms::dm->ADOConnection1;
    connection.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + programDb);
    connection.open();
    RunSchemaSteps();
    connection.close();
    QFile::copy(programDb, bareDb);
    connection.open();
    sqlite3 *bare = nullptr;
    check(sqlite3_open(QFile::encodeName(bareDb).constData(), &bare), bare);
    check(sqlite3_exec(bare, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr), bare);
    (void)digest(source); // the source in the page cache for both

    auto &dialogs = static_cast<ui::ScriptedDialogs &>(ui::dialogs());
    Ttavrelkol_pic &form = *forms::tavrelkol_pic;
    form.ui->CheckBox2->setChecked(false); // saved, not opened
    const QString saved = folder + QStringLiteral("/back");
    const QString bareCopy = folder + QStringLiteral("/bare.pdf");
    double handlers = 1e9, raw = 1e9, peak = 0;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(saved + QStringLiteral(".pdf"));
        // A purchase of its own each run, so that its list holds just the file measured.
        openPurchaseAttachments(run + 1);
        const double before = bench::residentMb();
        bench::resetPeak();
        handlers = std::min(handlers, bench::seconds([&] {
            form.ui->cmt->setEditText(QStringLiteral("تصوير فاکتور ") + QString::number(run));
            dialogs.files.enqueue(source);
            form.image1_btnClick();
            dialogs.files.enqueue(saved);
            form.DBGrid1CellClick();
        }));
        peak = std::max(peak, bench::peakMb() - before);
        raw = std::min(raw, bench::seconds([&] { bareRoundTrip(bare, source, bareCopy, run); }));
    }
    const bool same = digest(saved + QStringLiteral(".pdf")) == digest(source)
                      && digest(bareCopy) == digest(source);
    sqlite3_close(bare);
    connection.close();
    removeDatabase(programDb);
    removeDatabase(bareDb);

    const double fileMb = double(fileBytes) / (1024 * 1024);
    bench::report("attachments: 50 MB file added and saved back (s)", QString::number(handlers, 'f', 3));
    bench::report("attachments: bare blob insert, select and file copy (s)", QString::number(raw, 'f', 3));
    bench::report("attachments: ratio (target at most 2)", QString::number(handlers / raw, 'f', 2));
    bench::report("attachments: peak memory / file size (target at most 3)", QString::number(peak / fileMb, 'f', 2));
    bench::report("attachments: the saved files equal the original",
                  same ? QStringLiteral("yes") : QStringLiteral("NO"));
}
