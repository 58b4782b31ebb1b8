#include "concurrent_saves.h"
#include "db/statement.h"
#include "dm_u.h"
#include "forms.h"
#include "fresh_process.h"
#include "measure.h"
#include "schema/schema.h"
#include "signed_in_user.h"
#include "tavrelkol_ins_u.h"
#include "tavrelkol_src_u.h"
#include "ui/control_text.h"
#include "ui/guard.h"
#include "ui/scripted_dialogs.h"
#include "ui_tavrelkol_ins_u.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>

namespace {

using namespace Qt::StringLiterals;

const QString saved = u"ثبت شد"_s;

int savesPerProgram()
{
    return qEnvironmentVariableIsSet("TAVREL_BENCH_SAVES") ? qEnvironmentVariableIntValue("TAVREL_BENCH_SAVES") : 2000;
}

QString connectionString(const QString &path)
{
    return u"Provider=SQLite;Data Source="_s + path;
}

// A new database file with the schema, made through the data module's connection, which is then closed.
void newDatabase(const QString &path)
{
    for (const QString &suffix : {QString(), u"-wal"_s, u"-shm"_s})
        QFile::remove(path + suffix);
    db::Connection &connection = forms::dm->ADOConnection1;
    connection.setConnectionString(connectionString(path));
    connection.open();
    RunSchemaSteps();
    connection.close();
}

// One saving program on the file; its wall-clock seconds are measured by the caller.
QProcess *startSaving(const QString &path, int count, const QString &tag)
{
    auto *process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QCoreApplication::applicationFilePath(),
                   {QString::fromLatin1(savePurchasesFlag), path, QString::number(count), tag});
    return process;
}

QString finish(QProcess *process)
{
    process->waitForFinished(-1);
    const QString output = QString::fromUtf8(process->readAllStandardOutput()).trimmed();
    delete process;
    return output;
}

qint64 number(db::Connection &connection, const QString &sql)
{
    return db::detail::scalar(connection, sql, {}).toLongLong();
}

} // namespace

int runSavePurchases(int argc, char *argv[])
{
    if (argc < 5)
        return 2;
    const std::unique_ptr<QApplication> application = bench::startAsTheProgram(argc, argv);
    ui::ScriptedDialogs &dialogs = ui::ScriptedDialogs::install(); // every repeat warning is answered "No"
    const QString path = QString::fromLocal8Bit(argv[2]);
    const int count = QByteArray(argv[3]).toInt();
    const QString tag = QString::fromLocal8Bit(argv[4]);
    forms::dm->ADOConnection1.setConnectionString(connectionString(path));
    forms::dm->ADOConnection1.open();
    SignedInUser::instance().set(u"1"_s, u"admin"_s, u"ostan"_s);

    Ttavrelkol_ins &entry = *forms::tavrelkol_ins;
    int savedCount = 0;
    int refused = 0;
    for (int i = 0; i < count; ++i) {
        dialogs.reset();
        // The list's "new" command, the fields a clerk types, and the save button.
        if (!ui::guarded([] { forms::tavrelkol_src->N1Click(); })) {
            ++refused;
            continue;
        }
        const QString key = tag + u'-' + QString::number(i);
        const std::pair<const char *, QString> typed[] = {
            {"prj_name", u"پروژه "_s + tag}, {"mozo", u"لوازم"_s}, {"tavrel_dat", u"1403/02/03"_s},
            {"faktor_no", u"F"_s + key}, {"resid", u"R"_s + key}, {"mozo_cmt", key}, {"mablagh_kol", u"1000"_s}};
        for (const auto &[name, text] : typed)
            ui::setControlText(entry.findChild<QWidget *>(QString::fromLatin1(name)), text);
        entry.ui->ins_btn->click();
        if (dialogs.messages().contains(saved))
            ++savedCount;
        else
            ++refused;
    }
    std::printf("saved %d refused %d\n", savedCount, refused);
    std::fflush(stdout);
    forms::dm->ADOConnection1.close();
    return 0;
}

namespace {

// The figures of two programs' saves on one file: duplicate numbers, lost rows, rows without an audit row.
struct Damage {
    qint64 duplicates = 0;
    qint64 lost = 0;
    qint64 withoutAudit = 0;
};

Damage damageIn(const QString &path, int expectedRows)
{
    db::Connection check(u"concurrent-saves"_s);
    check.setConnectionString(connectionString(path));
    check.open();
    Damage damage;
    damage.lost = expectedRows - number(check, u"select count(*) from tavrelkol"_s);
    damage.duplicates = number(check, u"select coalesce(sum(n - 1), 0) from (select count(*) as n from tavrelkol "
                                      "group by sal, dabir_no having count(*) > 1)"_s);
    // Each purchase's audit row names its description, which is unique in this run.
    damage.withoutAudit =
        number(check, u"select count(*) from tavrelkol t where not exists (select 1 from log l where "
                      "l.cmt = ' ثبت خريد جديد  ' || t.mozo_cmt || ' admin')"_s);
    return damage;
}

} // namespace

void runConcurrentSavesBench()
{
    const int count = savesPerProgram();
    const QString folder = bench::dataFolder() + u"/concurrent-saves"_s;
    QDir().mkpath(folder);
    const QString alone = folder + u"/one-program.sqlite"_s;
    const QString together = folder + u"/two-programs.sqlite"_s;

    // The best of three runs of each: the machine's other work slows a run, never speeds it.
    double aloneSeconds = 1e9, togetherSeconds = 1e9;
    QString aloneOutput, outputs;
    Damage worst;
    for (int run = 0; run < 3; ++run) {
        newDatabase(alone);
        aloneSeconds = std::min(aloneSeconds, bench::seconds([&] { aloneOutput = finish(startSaving(alone, count, u"A"_s)); }));
        newDatabase(together);
        togetherSeconds = std::min(togetherSeconds, bench::seconds([&] {
            QProcess *first = startSaving(together, count, u"A"_s);
            QProcess *second = startSaving(together, count, u"B"_s);
            outputs = finish(first) + u" / "_s + finish(second);
        }));
        const Damage damage = damageIn(together, 2 * count);
        worst.duplicates = std::max(worst.duplicates, damage.duplicates);
        worst.lost = std::max(worst.lost, damage.lost);
        worst.withoutAudit = std::max(worst.withoutAudit, damage.withoutAudit);
    }

    bench::report("concurrent saves: purchases per program", QString::number(count));
    bench::report("one program: saved / refused", aloneOutput);
    bench::report("two programs at once: saved / refused (each)", outputs);
    bench::report("two programs: duplicate secretariat numbers (target at most 0)", QString::number(worst.duplicates));
    bench::report("two programs: lost rows (target at most 0)", QString::number(worst.lost));
    bench::report("two programs: rows without their audit row (target at most 0)", QString::number(worst.withoutAudit));
    bench::report("one program, N saves (s, best of 3)", QString::number(aloneSeconds, 'f', 2));
    bench::report("two programs, N saves each (s, best of 3)", QString::number(togetherSeconds, 'f', 2));
    bench::report("ratio two programs / one (target at most 2.5)", QString::number(togetherSeconds / aloneSeconds, 'f', 2));
}
