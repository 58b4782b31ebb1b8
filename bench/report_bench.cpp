#include "report_bench.h"
#include "dm_u.h"
#include "forms.h"
#include "invoices/rizhazine_rep_u.h"
#include "measure.h"
#include "report/fonts.h"
#include "report/text.h"
#include "schema/schema.h"
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int invoices = 5000;

// 5,000 invoices over a year; every seventh with a subject long enough to wrap onto a second line.
void fillInvoices(db::Connection &connection)
{
    connection.exec(uR"(with recursive n(i) as (select 1 union all select i + 1 from n where i < ?)
        insert into chek (chek_dat, mozo, mablagh, rizhazine, cmt, salemali)
        select '1403/' || printf('%02d', i % 12 + 1) || '/' || printf('%02d', i % 28 + 1),
               case when i % 7 = 0 then 'خريد لوازم التحرير و کاغذ براي واحد اداري و پشتيباني و تعمير چهار دستگاه رايانه شماره ' || i
                    else 'خريد لوازم اداري شماره ' || i end,
               i * 1250, '12', case when i % 3 = 0 then 'فاکتور رسمي' else null end, '1403'
        from n)"_s,
                    {invoices});
}

// The least any program printing these pages must do: draw each text, line and picture where the
// statement has it, with fonts made once. Positions and texts come from our own layout, made beforehand.
void bareLoop(const report::Document &document, const report::Layout &layout, const QString &path)
{
    QPdfWriter writer(path);
    writer.setResolution(int(report::dotsPerInch));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    QPen pen(Qt::black);
    pen.setWidthF(25.4 / 96 * report::dotsPerMm);
    painter.setPen(pen);
    QHash<const report::Control *, std::pair<QFont, QTextOption>> fonts;
    const auto dots = [](const QRectF &mm) {
        return QRectF(mm.topLeft() * report::dotsPerMm, mm.size() * report::dotsPerMm);
    };
    for (qsizetype page = 0; page < document.pages.size(); ++page) {
        if (page > 0)
            writer.newPage();
        for (const report::Item &item : document.pages[page].items) {
            const report::Control &control = *item.control;
            const QRectF box = dots(item.box);
            switch (control.kind) {
            case report::Kind::Rectangle: painter.drawRect(box); break;
            case report::Kind::Line: painter.drawLine(box.topLeft() + QPointF(box.width() / 2, 0),
                                                      box.bottomLeft() + QPointF(box.width() / 2, 0)); break;
            case report::Kind::Image: painter.drawImage(box, control.picture); break;
            default: {
                auto it = fonts.find(&control);
                if (it == fonts.end()) {
                    const report::TextStyle style(control, layout.font);
                    QTextOption option = style.option;
                    option.setAlignment(option.alignment() | Qt::AlignVCenter);
                    it = fonts.insert(&control, {style.font, option});
                }
                QTextOption option = it->second;
                if (item.lines > 1)
                    option.setWrapMode(QTextOption::WordWrap);
                painter.setFont(it->first);
                painter.drawText(box, item.text, option);
            }
            }
        }
    }
}

} // namespace

void runReportBench()
{
    QTemporaryDir folder;
    Tdm &dm = *forms::dm;
    dm.ADOConnection1.setConnectionString(u"Provider=SQLite;Data Source="_s + folder.filePath(u"invoices.db"_s));
    dm.ADOConnection1.open();
    RunSchemaSteps();
    fillInvoices(dm.ADOConnection1);
    db::Query &list = *dm.ADOQ_chek;
    list.clear();
    list.add(u"select * from chek where id<>-1 order by chek_dat desc "_s);
    list.open();

    // The statement as the register prints it, previewed once (the scripted preview writes its PDF).
    Trizhazine_rep &statement = *forms::rizhazine_rep;
    const double print = bench::seconds(
        [&] { statement.printStatement(Trizhazine_rep::Variant::Letterhead, {u"15,640,625,000"_s, u"15640625000"_s}); });

    const QString ours = folder.filePath(u"statement.pdf"_s);
    const QString bare = folder.filePath(u"bare.pdf"_s);
    const report::Document document = statement.QuickRep1.layOut();
    double oursTime = 1e9, bareTime = 1e9, memory = 0;
    for (int round = 0; round < 3; ++round) {
        const double before = bench::residentMb();
        bench::resetPeak();
        oursTime = std::min(oursTime, bench::seconds([&] { statement.QuickRep1.writePdf(ours); }));
        memory = std::max(memory, bench::peakMb() - before);
        bareTime = std::min(bareTime, bench::seconds([&] { bareLoop(document, statement.QuickRep1.layout(), bare); }));
    }
    const double layout = bench::seconds([&] { (void)statement.QuickRep1.layOut(); });

    bench::report("statement: invoices / pages", QString::number(list.recordCount()) + u" / "_s
                                                    + QString::number(document.pages.size()));
    bench::report("statement: the print command with its preview (s)", QString::number(print, 'f', 3));
    bench::report("statement: laid out and painted to PDF, best of 3 (s)", QString::number(oursTime, 'f', 3));
    bench::report("statement: of which laying out (s)", QString::number(layout, 'f', 3));
    bench::report("statement: bare QPdfWriter loop, same texts (s)", QString::number(bareTime, 'f', 3));
    bench::report("statement: ratio (target at most 1.5)", QString::number(oursTime / bareTime, 'f', 2));
    bench::report("statement: memory of the rendering (MB)", QString::number(memory, 'f', 1));
    bench::report("statement: file sizes (KB, ours / bare)", QString::number(QFileInfo(ours).size() / 1024) + u" / "_s
                                                                + QString::number(QFileInfo(bare).size() / 1024));
    dm.ADOConnection1.close();
}
