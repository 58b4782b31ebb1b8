#include "search_figure.h"
#include "clerk.h"
#include "db/query.h"
#include "measure.h"
#include "sqlite_files.h"
#include <QAbstractButton>
#include <QLabel>
#include <QTableView>
#include <algorithm>
#include <malloc.h>

using namespace Qt::StringLiterals;

namespace bench {

void searchFigure(const QString &path, const SearchedPage &page, double limit)
{
    const auto labelsShown = [&page] {
        return std::none_of(page.labels.cbegin(), page.labels.cend(), [](QLabel *label) {
            return label->text().isEmpty();
        });
    };
    page.search->click(); // the file in the system's cache
    waitFor(labelsShown, limit);
    const QString statement = page.list->text();
    const QVariantList values = page.list->bindings();
    const int rawRows = rawRead(path, statement, values);

    double search = -1, raw = 1e9, resultMb = 0;
    for (int run = 0; run < 3; ++run) {
        page.list->close();
        malloc_trim(0); // what the last list freed leaves the process, so the peak counts this one
        const double before = residentMb();
        resetPeak();
        QElapsedTimer clock;
        clock.start();
        page.search->click();
        if (waitFor([&] { return labelsShown() && gridRows(page.grid) == rawRows; }, limit))
            search = std::min(search < 0 ? 1e9 : search, double(clock.nsecsElapsed()) / 1e9);
        resultMb = std::max(resultMb, peakMb() - before);
        raw = std::min(raw, seconds([&] {
            rawRead(path, statement, values);
            bareAggregate(path, statement, values, page.summed);
        }));
    }
    const auto name = [&page](const QString &what) -> QString { return page.name + u": search: "_s + what; };
    report(name(u"rows found (count label / grid / raw read)"_s), page.count->text() + u" / "_s
                                                                    + QString::number(gridRows(page.grid)) + u" / "_s
                                                                    + QString::number(rawRows));
    report(name(u"until every row read and the labels shown (s)"_s), timeText(search));
    report(name(u"raw read and bare aggregate of the same (s)"_s), fixed(raw));
    report(name(u"ratio"_s + target(u"1.2"_s)), ratioText(search, raw, 2));
    report(name(u"memory of the result (MB"_s
                + (page.memoryTarget.isEmpty() ? u")"_s : u", target at most "_s + page.memoryTarget + u')')),
           fixed(resultMb, 1));
    QStringList texts;
    for (QLabel *label : page.labels)
        texts << label->text();
    report(name(u"labels"_s), texts.join(u" / "_s));
}

} // namespace bench
