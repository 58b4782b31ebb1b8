#include "invoices_bench.h"
#include "clerk.h"
#include "fresh_process.h"
#include "main_u.h"
#include "page_rights.h"
#include "search_figure.h"
#include "ui_main_u.h"
#include "db/query.h"
#include "dm_u.h"
#include "forms.h"
#include "invoices/accounts_workbook.h"
#include "invoices/chek_html.h"
#include "invoices/src_chek_u.h"
#include "invoices_data.h"
#include "measure.h"
#include "sqlite_files.h"
#include "ui_src_chek_u.h"
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <malloc.h>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int exportRows = 100000;

using bench::fixed;

// The same HTML bytes written the least costly way: each cell's text turned into UTF-8 once and escaped
// byte by byte, gathered in pieces of a megabyte (as the program gathers them) and written through a bare
// QFile, the cells taken from the same list.
void bareHtml(const db::Query &list, const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray buffer;
    const auto line = [&](QByteArrayView bytes) {
        buffer += bytes;
        buffer += "\r\n";
        if (buffer.size() >= (1 << 20)) {
            file.write(buffer);
            buffer.clear();
        }
    };
    const auto escaped = [&buffer](const QByteArray &utf8) {
        for (const char c : utf8) {
            switch (c) {
            case '<': buffer += "&lt;"; break;
            case '>': buffer += "&gt;"; break;
            case '&': buffer += "&amp;"; break;
            case '"': buffer += "&quot;"; break;
            default: buffer += c;
            }
        }
    };
    buffer += "\xEF\xBB\xBF";
    QFile reference(path + u".head"_s);
    reference.open(QIODevice::ReadOnly);
    buffer += reference.readAll(); // the fixed head, taken from the program's own report of no rows
    const int fields = list.fieldCount();
    for (int r = 0; r < list.recordCount(); ++r) {
        line("<tr>");
        buffer += "<td>";
        buffer += QByteArray::number(r + 1);
        line("</td>");
        for (int c = 0; c < fields; ++c) {
            buffer += c == 0 || c == 6 ? "<td dir=\"ltr\">" : "<td>";
            escaped(list.textAt(r, c).toUtf8());
            line("</td>");
        }
        line("</tr>");
    }
    for (const char *end : {"</tbody>", "</table>", "</body>", "</html>"})
        line(end);
    file.write(buffer);
}

// The same workbook written by bare libxlsxwriter calls, the cells taken from the same list.
void bareWorkbook(const db::Query &list, const QString &path)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "List of Accounts");
    worksheet_right_to_left(sheet);
    const auto font = [book](lxw_color_t colour, double size, const char *name, bool centred) {
        lxw_format *format = workbook_add_format(book);
        format_set_font_color(format, colour);
        format_set_font_size(format, size);
        if (name)
            format_set_font_name(format, name);
        if (centred)
            format_set_align(format, LXW_ALIGN_CENTER);
        return format;
    };
    lxw_format *column = font(0x800080, 10, nullptr, false);
    lxw_format *first = font(0x000080, 16, "Arabic Transparent", false);
    lxw_format *second = font(0x0000FF, 12, "Arabic Transparent", false);
    lxw_format *secondCentred = font(0x0000FF, 12, "Arabic Transparent", true);
    const int fields = list.fieldCount();
    for (int r = 0; r < list.recordCount(); ++r) {
        for (int c = 0; c < fields; ++c) {
            if (list.isNullAt(r, c))
                continue;
            lxw_format *format = r == 0 ? first : r == 1 ? (c < 8 ? secondCentred : second) : column;
            const db::FieldType type = list.fieldType(c);
            if (type == db::FieldType::Money || type == db::FieldType::Integer || type == db::FieldType::BigInt
                || type == db::FieldType::Bcd)
                worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), list.valueAt(r, c).toDouble(), format);
            else
                worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), list.textAt(r, c).toUtf8().constData(),
                                       format);
        }
    }
    worksheet_set_column(sheet, 0, lxw_col_t(fields - 1), 12, column);
    workbook_close(book);
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex().left(12);
}

Ui::Tchek_src &pageUi() { return *forms::chek_src->ui; }

bool labelsFilled() { return !pageUi().cnt->text().isEmpty() && !pageUi().tankhah_mande->text().isEmpty(); }

const QStringList summed{u"variz"_s, u"bedehkari"_s, u"mablagh"_s};

// The page opened from the main menu with every year (the year's filter switched off by its caption).
void openEveryYear()
{
    forms::main_->ui->N12->trigger();
    if (pageUi().salemali->isEnabled())
        Q_EMIT pageUi().Label18->clicked();
}

void closePage()
{
    forms::chek_src->hide();
    forms::dm->ADOQ_chek->close();
    QCoreApplication::processEvents();
    malloc_trim(0);
}

// The subject search of every year.
void searchBench(const QString &path, const QString &size, double limit)
{
    openEveryYear();
    if (!pageUi().mozo->isEnabled())
        Q_EMIT pageUi().Label11->clicked();
    pageUi().mozo->setText(bench::invoiceSubjectWord());
    bench::searchFigure(path,
                        {u"invoices "_s + size, forms::dm->ADOQ_chek, pageUi().BitBtn1, pageUi().DBGrid1,
                         pageUi().cnt, {pageUi().cnt, pageUi().mablagh_sum, pageUi().tankhah_mande}, summed, {}},
                        limit);
    closePage();
}

// A clerk's first search of every invoice, in fresh processes, against the raw read of the whole list (newest
// first) and the bare aggregate of its labels.
void firstSearchBench(const QString &path, const QString &size, double &limit)
{
    openEveryYear();
    pageUi().BitBtn1->click();
    bench::waitFor(labelsFilled, 600);
    const QString statement = forms::dm->ADOQ_chek->text();
    const QVariantList values = forms::dm->ADOQ_chek->bindings();
    closePage();
    int rows = 0;
    double raw = 1e9, aggregate = 1e9;
    for (int run = 0; run < 3; ++run) {
        raw = std::min(raw, bench::seconds([&] { rows = bench::rawRead(path, statement, values); }));
        aggregate = std::min(aggregate, bench::seconds([&] { bench::bareAggregate(path, statement, values, summed); }));
    }
    limit = std::max(20.0, 5 * raw);
    const bench::FreshValues open =
        bench::freshRuns({u"invoices-open"_s, path, QString::number(limit)});
    const double firstRows = bench::best(open.value(u"firstRows"_s));
    const double labels = bench::best(open.value(u"labels"_s));
    const auto name = [&size](const QString &what) -> QString { return u"invoices "_s + size + u": "_s + what; };
    bench::report(name(u"rows in the register"_s), QString::number(rows));
    bench::report(name(u"raw read of the whole list, newest first (s)"_s), bench::fixed(raw));
    bench::report(name(u"bare aggregate of its count and sums (s)"_s), bench::fixed(aggregate));
    bench::report(name(u"fresh process: search to first painted rows (s)"_s), bench::timeText(firstRows));
    bench::report(name(u"ratio first rows / raw read"_s + (size == "1M"_L1 ? bench::target(u"0.15"_s) : QString())),
                  bench::ratioText(firstRows, raw));
    bench::report(name(u"fresh process: search to the labels shown (s)"_s), bench::timeText(labels));
    bench::report(name(u"ratio labels / bare aggregate"_s), bench::ratioText(labels, aggregate, 2));
}

void exportBench()
{
    db::Query &list = *forms::dm->ADOQ_chek;
    list.clear();
    list.add(u"select * from chek where id<=?"_s, exportRows);
    list.open();
    QTemporaryDir folder;
    const QString ours = folder.filePath(u"ours.htm"_s), bare = folder.filePath(u"bare.htm"_s);
    { // the fixed head of the report, for the bare writer
        db::Query none(forms::dm->ADOConnection1, u"none"_s);
        none.setDeclaredFields(list.declaredFields());
        none.add(u"select * from chek where id=-1"_s);
        none.open();
        invoices::saveHtmlReport(none, bare + u".head"_s);
        QFile head(bare + u".head"_s);
        head.open(QIODevice::ReadOnly);
        const QByteArray bytes = head.readAll();
        head.close();
        head.open(QIODevice::WriteOnly | QIODevice::Truncate);
        head.write(bytes.mid(3, bytes.indexOf("</tbody>") - 3)); // without the mark and the four closing lines
    }
    double html = 1e9, htmlBare = 1e9, book = 1e9, bookBare = 1e9;
    const QString oursBook = folder.filePath(u"ours.xlsx"_s), bareBook = folder.filePath(u"bare.xlsx"_s);
    // The first report also puts every amount into words (then kept with the rows): measured on its own.
    const double firstHtml = bench::seconds([&] { invoices::saveHtmlReport(list, ours); });
    for (int round = 0; round < 3; ++round) {
        html = std::min(html, bench::seconds([&] { invoices::saveHtmlReport(list, ours); }));
        htmlBare = std::min(htmlBare, bench::seconds([&] { bareHtml(list, bare); }));
        book = std::min(book, bench::seconds([&] { invoices::saveAccountsWorkbook(list, oursBook); }));
        bookBare = std::min(bookBare, bench::seconds([&] { bareWorkbook(list, bareBook); }));
    }
    bench::report("invoices: first HTML report of 100,000 rows, amounts put into words (s)", fixed(firstHtml));
    bench::report("invoices: HTML report of 100,000 rows, best of 3 (s)", fixed(html));
    bench::report("invoices: the same bytes by a bare QFile (s)", fixed(htmlBare));
    bench::report("invoices: ratio HTML (target at most 1.3)", fixed(html / htmlBare, 2));
    bench::report("invoices: HTML files (MB; equal)", fixed(QFileInfo(ours).size() / 1e6, 1) + u"; "_s
                                                         + (digest(ours) == digest(bare) ? u"yes"_s : u"NO"_s));
    bench::report("invoices: second workbook of 100,000 rows (s)", fixed(book));
    bench::report("invoices: bare libxlsxwriter, same cells (s)", fixed(bookBare));
    bench::report("invoices: ratio second workbook (target at most 1.3)", fixed(book / bookBare, 2));
    list.close();
}

} // namespace

void freshInvoicesFigure(const QString &figure, const QString &path, const QStringList &more)
{
    if (figure != u"open"_s)
        return;
    const double limit = more.value(0, u"60"_s).toDouble();
    bench::signInWithRights(path, {rights::key::faktor});
    openEveryYear();
    QCoreApplication::processEvents();
    QTableView *grid = pageUi().DBGrid1;
    bench::PaintWatch watch(grid);
    QElapsedTimer clock;
    clock.start();
    pageUi().BitBtn1->click();
    const auto since = [&clock](bool reached) { return reached ? double(clock.nsecsElapsed()) / 1e9 : -1; };
    bench::tell(u"firstRows"_s, since(bench::waitFor([&] { return watch.painted; }, limit)));
    bench::tell(u"labels"_s, since(bench::waitFor(labelsFilled, limit)));
}

void runInvoicesBench(const QString &folder, int rows)
{
    db::Connection &connection = forms::dm->ADOConnection1;
    for (const auto &[count, size] : {std::pair{rows, u"1M"_s}, std::pair{rows * 4, u"4M"_s}}) {
        std::printf("preparing %d invoices in %s ...\n", count, qPrintable(folder));
        std::fflush(stdout);
        const QString path = bench::invoicesDatabase(folder, count);
        bench::signInWithRights(path, {rights::key::faktor});
        double limit = 60;
        firstSearchBench(path, size, limit);
        searchBench(path, size, limit);
        if (count == rows)
            exportBench();
        connection.close();
    }
}
