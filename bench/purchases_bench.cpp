#include "purchases_bench.h"
#include "db/query.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "measure.h"
#include "purchases_data.h"
#include "signed_in_user.h"
#include "sqlite_files.h"
#include "tavrelkol_src_u.h"
#include "ui_tavrelkol_src_u.h"
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>
#include <malloc.h>

using namespace Qt::StringLiterals;

namespace {

QString fixed(double value, int decimals = 3) { return QString::number(value, 'f', decimals); }

// The whole unfiltered list as the page selects it.
const QString wholeList = u"select tavrelkol.*,B.pic_count FROM tavrelkol LEFT JOIN (select tavrelkol_id,COUNT(*)as "
                          u"pic_count from tavrelkol_pic group by tavrelkol_id) B \n ON tavrelkol.ID =  B.tavrelkol_id \n"
                          u" where tavrelkol.ID<>-1 "_s;

// The moment the grid first paints rows.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QTableView *grid) : grid_(grid) { grid->viewport()->installEventFilter(this); }
    ~PaintWatch() override { grid_->viewport()->removeEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && grid_->model()->rowCount() > 0)
            painted = true;
        return QObject::eventFilter(watched, event);
    }

private:
    QTableView *grid_;
};

void connect(const QString &path)
{
    db::Connection &connection = forms::dm->ADOConnection1;
    connection.setConnectionString(u"Provider=SQLite;Data Source="_s + path);
    connection.open();
}

// The administrator may open the purchases page with every command.
void signIn()
{
    db::Connection &connection = forms::dm->ADOConnection1;
    connection.exec(u"delete from dastrasi where prs_id=1 and page_name='tavrelkol'"_s);
    connection.exec(u"insert into dastrasi (prs_id,page_name,darj,virayesh,hazf,namayesh) "
                    u"values (1,'tavrelkol',1,1,1,1)"_s);
    SignedInUser::instance().set(u"1"_s, u"admin"_s, u"ostan"_s);
    forms::main_->resize(1366, 740);
}

void closePage()
{
    forms::tavrelkol_src->hide();
    forms::dm->ADOQ_tavrel->close();
    QCoreApplication::processEvents();
    malloc_trim(0);
}

bool totalsShown()
{
    const Ui::Ttavrelkol_src &ui = *forms::tavrelkol_src->ui;
    return !ui.cnt->text().isEmpty() && !forms::dm->ADOQ_tavrel->totalsPending();
}

} // namespace

void runOpenerBench(const QString &path, const char *size)
{
    connect(path);
    signIn();
    Ttavrelkol_src &page = *forms::tavrelkol_src;
    double raw = 1e9, firstPaint = 1e9, totals = 1e9, heldMb = 0, peakMb = 0;
    int rawRows = 0;
    for (int run = 0; run < 3; ++run) {
        closePage();
        // The pick lists are filled once per run of the program: emptied, so every opening fills them.
        for (QComboBox *list : {page.ui->prj_name, page.ui->mozo, page.ui->foroshande, page.ui->kargah})
            list->clear();
        const double idle = bench::residentMb();
        bench::resetPeak();
        PaintWatch watch(page.ui->DBGrid1);
        QElapsedTimer timer;
        timer.start();
        forms::main_->N1Click();
        bench::waitFor([&] { return watch.painted; });
        firstPaint = std::min(firstPaint, double(timer.nsecsElapsed()) / 1e9);
        bench::waitFor([&] { return totalsShown() && page.ui->prj_name->count() > 0; });
        totals = std::min(totals, double(timer.nsecsElapsed()) / 1e9);
        bench::waitFor([] { return false; }, 0.3); // whatever the page still does in the background
        heldMb = std::max(heldMb, bench::residentMb() - idle);
        peakMb = std::max(peakMb, bench::peakMb() - idle);
        raw = std::min(raw, bench::seconds([&] { rawRows = bench::rawRead(path, wholeList, QString()); }));
    }
    const QString at = QString::fromLatin1(size);
    bench::report(qPrintable(u"opener "_s + at + u": rows in the register"_s), QString::number(rawRows));
    bench::report(qPrintable(u"opener "_s + at + u": menu command to first painted rows (s)"_s), fixed(firstPaint));
    bench::report(qPrintable(u"opener "_s + at + u": raw read of the whole list (s)"_s), fixed(raw));
    bench::report(qPrintable(u"opener "_s + at + u": ratio first rows / raw read (target at most "_s
                             + (at == "4M"_L1 ? u"0.1)"_s : u"0.3)"_s)),
                  fixed(firstPaint / raw, 3));
    bench::report(qPrintable(u"opener "_s + at + u": count, total and pick lists shown (s)"_s), fixed(totals));
    bench::report(qPrintable(u"opener "_s + at + u": labels cnt / mablagh_kol_sum"_s),
                  page.ui->cnt->text() + u" / "_s + page.ui->mablagh_kol_sum->text());
    bench::report(qPrintable(u"opener "_s + at + u": memory held above idle (MB, target at most 60)"_s),
                  fixed(heldMb, 1));
    bench::report(qPrintable(u"opener "_s + at + u": peak memory above idle (MB, target at most 60)"_s),
                  fixed(peakMb, 1));
    closePage();
    forms::dm->ADOConnection1.close();
}

void runPurchasesSearchBench(const QString &path, const char *size, bool sorted)
{
    connect(path);
    signIn();
    Ttavrelkol_src &page = *forms::tavrelkol_src;
    db::Query &list = *forms::dm->ADOQ_tavrel;
    const QString word = bench::subjectFilterWord();
    const QString like = u'%' + word + u'%';
    page.show();
    if (!page.ui->CheckBox2->isChecked())
        page.ui->CheckBox2->click();
    page.ui->mozo->setEditText(word);
    page.src_btnClick(); // warm-up: the file in the page cache
    bench::waitFor(totalsShown);
    const QString statement = list.text();
    int rawRows = 0;
    double search = 1e9, raw = 1e9, resultMb = 0;
    for (int run = 0; run < 3; ++run) {
        list.close();
        malloc_trim(0);
        const double before = bench::residentMb();
        bench::resetPeak();
        search = std::min(search, bench::seconds([&] {
            page.src_btnClick();
            bench::waitFor(totalsShown);
        }));
        resultMb = std::max(resultMb, bench::peakMb() - before);
        raw = std::min(raw, bench::seconds([&] { rawRows = bench::rawRead(path, statement, like); }));
    }
    const QString at = QString::fromLatin1(size);
    const auto name = [&at](const QString &what) -> QString { return u"purchases "_s + at + u": "_s + what; };
    bench::report(qPrintable(name(u"rows found (count label / raw read)"_s)),
                  page.ui->cnt->text() + u" / "_s + QString::number(rawRows));
    bench::report(qPrintable(name(u"search until count and total shown (s)"_s)), fixed(search));
    bench::report(qPrintable(name(u"same rows through the sqlite3 C API (s)"_s)), fixed(raw));
    bench::report(qPrintable(name(u"ratio search / raw read (target at most 1.2)"_s)), fixed(search / raw, 2));
    bench::report(qPrintable(name(u"memory of the result (MB"_s + (sorted ? u", target at most 40)"_s : u")"_s))),
                  fixed(resultMb, 1));
    bench::report(qPrintable(name(u"label mablagh_kol_sum"_s)), page.ui->mablagh_kol_sum->text());
    if (sorted) {
        // Every column, both ways; the slowest is the figure with the target.
        list.fetchAll();
        double slowest = 0;
        QString slowestSort;
        for (int field = 0; field < list.fieldCount(); ++field) {
            for (const char *direction : {" ASC", " DESC"}) {
                const QString sort = list.fieldName(field) + QLatin1String(direction);
                const double time = bench::seconds([&] { list.setSort(sort); });
                if (time > slowest) {
                    slowest = time;
                    slowestSort = sort;
                }
            }
        }
        bench::report(qPrintable(name(u"slowest client-side sort of any column (s, target at most 0.3)"_s)),
                      fixed(slowest) + u" ("_s + slowestSort + u')');
    }
    closePage();
    forms::dm->ADOConnection1.close();
}
