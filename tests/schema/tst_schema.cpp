// The schema routine on real SQLite databases: new, already built, made by two programs at once, and of older
// layouts; and the SQL Server text of a step that must fail whole.
#include "db/statement.h"
#include "dm_u.h"
#include "forms.h"
#include "schema/schema.h"
#include "support/page_io.h"
#include "support/testenv.h"
#include <QtTest>
#include <atomic>
#include <sqlite3.h>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

const QString done = QStringLiteral("همه تنظيمات انجام شد");
const QString active = QStringLiteral("فعال");

// Every table of a complete database. (The pages' tests use, and so prove, the columns of their tables.)
const QStringList everyTable{u"abadiha"_s, u"anbar"_s, u"bime"_s, u"chek"_s, u"darkhast"_s, u"dastrasi"_s,
                             u"dastrasi2"_s, u"estelam"_s, u"estelam_pic"_s, u"faktor_pic"_s, u"foroshandegan"_s,
                             u"kala"_s, u"log"_s, u"payamha"_s, u"phone"_s, u"setting"_s, u"shakhsi"_s,
                             u"tavrelkol"_s, u"tavrelkol_pic"_s, u"users"_s, u"zamaem"_s};
const QString userColumns = u"id,us,ps,ver,lev,ostan,semat,mobile,nam,status"_s;
// The administrator, active, with his one right: every user with every right, as the schema seeds them.
const QString administrator = u"select u.id,us,ps,ver,lev,status,prs_id,page_name,darj,virayesh,hazf,namayesh "
                              "from users u, dastrasi"_s;
const QStringList seeded{u"1|admin|1|1|ostan|"_s + active + u"|1|karbaran|True|True|True|True"_s};

// Every table but SQLite's own by name, as "table|column,column,..." with the columns in order.
QStringList layout()
{
    return rowTexts(u"select m.name, (select group_concat(name) from pragma_table_info(m.name)) from sqlite_master m "
                    "where m.type='table' and m.name not like 'sqlite_%' order by m.name"_s);
}
// Every index but SQLite's own, as "table|column,column|unique".
QStringList indexes()
{
    return rowTexts(u"select m.tbl_name, (select group_concat(name) from pragma_index_info(m.name)), "
                    "(select l.\"unique\" from pragma_index_list(m.tbl_name) l where l.name=m.name) "
                    "from sqlite_master m where m.type='index' and m.name not like 'sqlite_%' order by 1, 2"_s);
}
QStringList tables()
{
    return rowTexts(u"select name from sqlite_master where type='table' and name not like 'sqlite_%' order by name"_s);
}

// Two first starts: the first is held as it is about to seed its administrator until the second has met its
// write lock, or has ended without meeting it.
enum Step { seeding = 1, firstEnded = 2, secondWaits = 4, secondEnded = 8 };
struct Race {
    std::atomic<int> steps = 0;
    void mark(int step)
    {
        steps |= step;
        steps.notify_all();
    }
    bool await(int step, int orElse) // whether the step came
    {
        for (int now = steps; !(now & (step | orElse)); now = steps)
            steps.wait(now);
        return steps & step;
    }
};

int holdAtAdministratorSeed(void *race, int action, const char *table, const char *, const char *, const char *)
{
    auto &r = *static_cast<Race *>(race);
    if (action == SQLITE_INSERT && qstrcmp(table, "users") == 0 && !(r.steps & seeding)) {
        r.mark(seeding);
        r.await(secondWaits, secondEnded);
    }
    return SQLITE_OK;
}

// The second start's busy handler: tells that it met the first's lock, then naps while it waits (10 s).
int metTheLock(void *race, int attempts)
{
    static_cast<Race *>(race)->mark(secondWaits);
    QThread::usleep(500);
    return attempts < 20000;
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newDatabaseGetsEveryTableAndTheActiveAdministratorOnce()
    {
        TestEnv env(false);
        CreateOrUpgradeSchema();
        const QStringList first = layout();
        QCOMPARE(tables(), everyTable);
        QVERIFY(first.contains(u"users|"_s + userColumns));
        QCOMPARE(rowTexts(administrator), seeded);
        // What the long lists sort by or join on; none unique.
        const QStringList indexed {u"chek|chek_dat|0"_s, u"estelam_pic|estelam_id|0"_s, u"faktor_pic|faktor_id|0"_s,
            u"foroshandegan|foroshgah|0"_s, u"payamha|rec_prs_id,send_dat|0"_s, u"payamha|send_dat|0"_s,
            u"shakhsi|name|0"_s, u"tavrelkol_pic|tavrelkol_id|0"_s};
        QCOMPARE(indexes(), indexed);

        // A second run adds nothing.
        CreateOrUpgradeSchema();
        QCOMPARE(layout(), first);
        QCOMPARE(indexes(), indexed);
        QCOMPARE(rowTexts(administrator), seeded);
        QCOMPARE(env.dialogs.messages(), (QStringList{done, done}));
    }
    // Two programs make the schema of one new file at once, each on its own connection, the second while the
    // first has made the users table and is about to seed its administrator: the second must wait, or it adds
    // users.status before the administrator exists and he stays inactive.
    void twoFirstStartsAtOnce()
    {
        TestEnv env(false);
        forms::dm->ADOConnection1.close();
        const QString file = u"Provider=SQLite;Data Source="_s + env.folder() + u"/first.sqlite"_s;
        Race race;
        QString failures[2]; // of the second and the first start
        const auto start = [&](bool first) {
            try {
                // The second opens the file once the first made it: the race under test is the schema's.
                if (first || race.await(seeding, firstEnded)) {
                    Tdm dm;
                    dm.ADOConnection1.setConnectionString(file);
                    dm.ADOConnection1.open();
                    sqlite3 *handle = db::detail::sqliteHandle(dm.ADOConnection1);
                    if (first)
                        sqlite3_set_authorizer(handle, holdAtAdministratorSeed, &race);
                    else
                        sqlite3_busy_handler(handle, metTheLock, &race);
                    RunSchemaSteps(dm);
                }
            } catch (const std::exception &error) {
                failures[first] = QString::fromUtf8(error.what());
            }
            race.mark(first ? firstEnded : secondEnded);
        };
        std::thread first(start, true), second(start, false);
        first.join();
        second.join();
        QCOMPARE(failures[1] + failures[0], QString());
        forms::dm->ADOConnection1.setConnectionString(file);
        forms::dm->ADOConnection1.open();
        QCOMPARE(rowTexts(administrator), seeded);
        QCOMPARE(tables(), everyTable);
    }

    void olderLayoutGetsWhatIsMissing()
    {
        const QString users = u"create table users (id integer primary key autoincrement, us nvarchar(25), "
                              "ps nvarchar(25), ver nvarchar(25))"_s;
        // The statements of the older layout; the table's layout after (as layout() gives it); a select, its rows.
        const struct { QStringList older; QString tableLayout, select; QStringList expected; } cases[] = {
            // Step 1 fails, so no new administrator row; step 2 sets only admin's level, and with the status
            // column added he becomes active.
            {{users, u"insert into users (us,ps) values ('ali','7'),('admin','secret')"_s}, u"users|"_s + userColumns,
             u"select id,us,ps,lev,status from users"_s,
             {u"1|ali|7|null|null"_s, u"2|admin|secret|ostan|"_s + active}},
            // Editing the empty result of "where us='admin'" would add a row holding only the level.
            {{users, u"insert into users (us,ps) values ('ali','7')"_s}, u"users|"_s + userColumns,
             u"select us,lev,status from users"_s, {u"ali|null|null"_s}},
            // bank exists, so step 13 adds none of its six; user_id exists, so step 14 fails and 15, 16 still add.
            {{u"create table tavrelkol (id integer primary key autoincrement, prj_name nvarchar(100), "
              "bank nvarchar(50), user_id int)"_s,
              u"insert into tavrelkol (prj_name,bank) values ('p','b')"_s},
             u"tavrelkol|id,prj_name,bank,user_id,darkhast_no,pardakhti"_s, u"select prj_name,bank from tavrelkol"_s,
             {u"p|b"_s}},
        };
        for (const auto &[older, tableLayout, select, expected] : cases) {
            TestEnv env(false);
            for (const QString &statement : older)
                env.exec(statement);
            RunSchemaSteps();
            QVERIFY2(layout().contains(tableLayout), qPrintable(tableLayout));
            QCOMPARE(rowTexts(select + u" order by id"_s), expected);
        }
        // Step 13 is one statement on SQL Server: it fails whole when any of the six exists.
        const auto dialect = db::makeDialect(db::Engine::SqlServer);
        QCOMPARE(schema::statementsFor(schema::step(13), *dialect),
                 QStringList{u"alter table tavrelkol add mozo_cmt nvarchar(100), nam nvarchar(100), "
                             "hesab_no nvarchar(100), bank nvarchar(50), nation nvarchar(20), dabir_no int"_s});
    }
    // The purchases list counts each row's pictures over the index: its first rows wait neither for a count of
    // every picture built whole nor for an index made for the moment.
    void purchasesCountPicturesOverTheIndex()
    {
        TestEnv env;
        const QStringList plan = rowTexts(
            u"explain query plan "_s + forms::dm->ADOQ_tavrel->text() + u" where tavrelkol.ID<>-1 and mozo like ?"_s,
            {u"%"_s});
        QVERIFY2(plan.filter(u"USING COVERING INDEX ix_tavrelkol_pic_tavrelkol_id"_s).size() == 1
                     && plan.filter(QRegularExpression(u"MATERIALIZE|AUTOMATIC|TEMP B-TREE"_s)).isEmpty(),
            qPrintable(plan.join(u'\n')));
    }
};

QTEST_MAIN(TestSchema)
#include "tst_schema.moc"
