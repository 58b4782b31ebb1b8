#include "purchases_bench.h"
#include "clerk.h"
#include "db/query.h"
#include "dm_u.h"
#include "forms.h"
#include "fresh_process.h"
#include "main_u.h"
#include "measure.h"
#include "page_rights.h"
#include "purchases_data.h"
#include "search_figure.h"
#include "sqlite_files.h"
#include "tavrelkol_src_u.h"
#include "ui_main_u.h"
#include "ui_tavrelkol_src_u.h"
#include <QCollator>
#include <QComboBox>
#include <QTableView>
#include <algorithm>
#include <malloc.h>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// The column a clerk sorts by a title click: the shop, a Persian text of many values.
const QString sortedTitle = u"نام فروشگاه"_s;

Ui::Ttavrelkol_src &pageUi() { return *forms::tavrelkol_src->ui; }

bool labelsFilled() { return !pageUi().cnt->text().isEmpty() && !pageUi().mablagh_kol_sum->text().isEmpty(); }

void closePage()
{
    forms::tavrelkol_src->hide();
    forms::dm->ADOQ_tavrel->close();
    QCoreApplication::processEvents();
    malloc_trim(0);
}

// The shops' first and last in the Persian order of the grid's sort, read straight from the file.
std::pair<QString, QString> sortedEnds(const QString &path)
{
    sqlite3 *db = bench::openAsReader(path);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "select distinct foroshande from tavrelkol", -1, &st, nullptr);
    QStringList shops;
    while (sqlite3_step(st) == SQLITE_ROW)
        shops << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    const QCollator persian(QLocale(QLocale::Persian, QLocale::Iran));
    std::sort(shops.begin(), shops.end(), persian);
    return {shops.value(0), shops.value(shops.size() - 1)};
}

// The subject search.
void searchBench(const QString &path, const QString &at, double limit)
{
    bench::signInWithRights(path, {rights::key::tavrelkol});
    forms::tavrelkol_src->show();
    if (!pageUi().CheckBox2->isChecked())
        pageUi().CheckBox2->click();
    pageUi().mozo->setEditText(bench::subjectFilterWord());
    bench::searchFigure(path,
                        {u"purchases "_s + at, forms::dm->ADOQ_tavrel, pageUi().src_btn, pageUi().DBGrid1,
                         pageUi().cnt, {pageUi().cnt, pageUi().mablagh_kol_sum}, {u"mablagh_kol"_s},
                         at == "1M"_L1 ? u"40"_s : QString()},
                        limit);
    closePage();
    forms::dm->ADOConnection1.close();
}

} // namespace

void freshPurchasesFigure(const QString &figure, const QString &path, const QStringList &more)
{
    const double limit = more.value(0, u"60"_s).toDouble();
    bench::signInWithRights(path, {rights::key::tavrelkol});
    QTableView *grid = pageUi().DBGrid1;
    const int rows = bench::tableRows(path, "tavrelkol");
    const auto [first, last] = figure == u"sort"_s ? sortedEnds(path) : std::pair<QString, QString>();
    QCoreApplication::processEvents();
    malloc_trim(0);
    const double idle = bench::residentMb();
    bench::PaintWatch watch(grid);
    QElapsedTimer clock;
    clock.start();
    const auto since = [](const QElapsedTimer &timer, bool reached) {
        return reached ? double(timer.nsecsElapsed()) / 1e9 : -1;
    };
    forms::main_->ui->N1->trigger();
    const bool painted = bench::waitFor([&] { return watch.painted; }, limit);
    bench::tell(u"firstRows"_s, since(clock, painted));
    if (figure == u"open"_s) {
        bench::tell(u"labels"_s, since(clock, bench::waitFor(labelsFilled, limit)));
    } else if (figure == u"last"_s) {
        bench::pressCtrlEnd(grid);
        const bool reached = bench::waitFor([&] { return bench::currentRow(grid) == rows - 1; }, limit);
        bench::tell(u"lastRow"_s, since(clock, reached));
        bench::tell(u"rowShown"_s, bench::currentRow(grid) + 1);
        if (!reached)
            forms::dm->ADOQ_tavrel->fetchAll(); // the memory is that of the list read to its end all the same
        bench::waitFor([] { return false; }, 0.3); // what the page still does meanwhile
        bench::tell(u"bytesPerRow"_s, (bench::residentMb() - idle) * 1048576.0 / rows);
    } else if (figure == u"sort"_s) {
        QElapsedTimer fromClick;
        fromClick.start();
        bench::clickTitle(grid, sortedTitle);
        const bool sorted = bench::waitFor(
            [&] {
                return bench::gridRows(grid) == rows && bench::cellText(grid, 0, sortedTitle) == first
                    && bench::cellText(grid, rows - 1, sortedTitle) == last;
            },
            limit);
        bench::tell(u"sort"_s, since(fromClick, sorted));
    }
}

void runPurchasesBench(const QString &path, const char *size, bool titleClick)
{
    const QString at = QString::fromLatin1(size);
    const auto name = [&at](const QString &what) -> QString { return u"purchases "_s + at + u": "_s + what; };
    // The whole list as the page's menu command selects it, taken from an opening here, which also brings the
    // file into the system's cache.
    bench::signInWithRights(path, {rights::key::tavrelkol});
    forms::main_->ui->N1->trigger();
    bench::waitFor([] { return labelsFilled() && pageUi().prj_name->count() > 0; }, 600);
    const QString statement = forms::dm->ADOQ_tavrel->text();
    const QVariantList values = forms::dm->ADOQ_tavrel->bindings();
    closePage();
    forms::dm->ADOConnection1.close();

    int rows = 0;
    double raw = 1e9, aggregate = 1e9;
    for (int run = 0; run < 3; ++run) {
        raw = std::min(raw, bench::seconds([&] { rows = bench::rawRead(path, statement, values); }));
        aggregate = std::min(aggregate, bench::seconds([&] {
            bench::bareAggregate(path, statement, values, {u"mablagh_kol"_s});
        }));
    }
    const double limit = std::max(20.0, 5 * raw);
    const QStringList arguments{path, QString::number(limit)};
    const bench::FreshValues open = bench::freshRuns(QStringList{u"purchases-open"_s} + arguments);
    const bench::FreshValues last = bench::freshRuns(QStringList{u"purchases-last"_s} + arguments);
    const double firstRows = bench::best(open.value(u"firstRows"_s));
    const double labels = bench::best(open.value(u"labels"_s));
    const double lastRow = bench::best(last.value(u"lastRow"_s));
    const bool large = at == "4M"_L1;

    bench::report(name(u"rows in the register"_s), QString::number(rows));
    bench::report(name(u"raw read of the whole list (s)"_s), bench::fixed(raw));
    bench::report(name(u"bare aggregate of its count and total (s)"_s), bench::fixed(aggregate));
    bench::report(name(u"fresh process: menu to first painted rows (s)"_s), bench::timeText(firstRows));
    bench::report(name(u"ratio first rows / raw read"_s + bench::target(large ? u"0.05"_s : u"0.15"_s)),
                  bench::ratioText(firstRows, raw));
    bench::report(name(u"fresh process: menu to count and total shown (s)"_s), bench::timeText(labels));
    bench::report(name(u"ratio labels / bare aggregate"_s + bench::target(u"1.3"_s)),
                  bench::ratioText(labels, aggregate, 2));
    bench::report(name(u"fresh process: menu, Ctrl+End, true last row (s)"_s), bench::timeText(lastRow));
    bench::report(name(u"Ctrl+End: row shown / rows (worst run)"_s),
                  QString::number(bench::best(last.value(u"rowShown"_s))) + u" / "_s + QString::number(rows));
    bench::report(name(u"ratio last row / raw read"_s + (large ? QString() : bench::target(u"1.2"_s))),
                  bench::ratioText(lastRow, raw, 2));
    bench::report(name(u"memory above idle, list read to its end (bytes a row, target at most 100)"_s),
                  bench::fixed(bench::worst(last.value(u"bytesPerRow"_s)), 0));
    if (titleClick) {
        const bench::FreshValues sort = bench::freshRuns(QStringList{u"purchases-sort"_s} + arguments);
        const double sorted = bench::best(sort.value(u"sort"_s));
        bench::report(name(u"title click on first rows to list read and sorted (s)"_s), bench::timeText(sorted));
        bench::report(name(u"ratio sort / raw read"_s + bench::target(u"1.2"_s)), bench::ratioText(sorted, raw, 2));
    }
    searchBench(path, at, limit);
}
