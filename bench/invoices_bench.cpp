#include "invoices_bench.h"
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
#include <QTemporaryDir>
#include <algorithm>
#include <malloc.h>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int exportRows = 100000;

QString fixed(double value, int decimals = 3) { return QString::number(value, 'f', decimals); }

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

bool totalsShown()
{
    return !forms::chek_src->ui->cnt->text().isEmpty() && !forms::dm->ADOQ_chek->totalsPending();
}

void searchBench(const QString &path, const QString &size)
{
    Tdm &dm = *forms::dm;
    db::Query &list = *dm.ADOQ_chek;
    Tchek_src &page = *forms::chek_src;
    const QString word = bench::invoiceSubjectWord();
    // Every year; the subject filter on. The page is shown: its list reads on while it is.
    page.show();
    if (page.ui->salemali->isEnabled())
        Q_EMIT page.ui->Label18->clicked();
    if (!page.ui->mozo->isEnabled())
        Q_EMIT page.ui->Label11->clicked();
    page.ui->mozo->setText(word);
    page.BitBtn1Click(); // warm-up: the file in the page cache
    bench::waitFor(totalsShown);
    const QString statement = list.text();
    const QString like = u'%' + word + u'%';
    int rawRows = bench::rawRead(path, statement, like);

    double search = 1e9, raw = 1e9, resultMb = 0;
    for (int run = 0; run < 3; ++run) {
        list.close();
        malloc_trim(0); // what the last list freed leaves the process, so the peak counts this one
        const double rssBefore = bench::residentMb();
        bench::resetPeak();
        search = std::min(search, bench::seconds([&] {
            page.BitBtn1Click();
            bench::waitFor(totalsShown);
        }));
        resultMb = std::max(resultMb, bench::peakMb() - rssBefore);
        raw = std::min(raw, bench::seconds([&] { rawRows = bench::rawRead(path, statement, like); }));
    }
    const auto name = [&size](const QString &what) -> QString { return u"invoices "_s + size + u": "_s + what; };
    bench::report(qPrintable(name(u"rows found (count label / raw read)"_s)),
                  page.ui->cnt->text() + u" / "_s + QString::number(rawRows));
    bench::report(qPrintable(name(u"search until the totals are shown, best of 3 (s)"_s)), fixed(search));
    bench::report(qPrintable(name(u"same rows through the sqlite3 C API (s)"_s)), fixed(raw));
    bench::report(qPrintable(name(u"ratio page search / raw read (target at most 1.2)"_s)), fixed(search / raw, 2));
    bench::report(qPrintable(name(u"memory of the result (MB)"_s)), fixed(resultMb, 1));
    bench::report(qPrintable(name(u"labels cnt / mablagh_sum / tankhah_mande"_s)),
                  page.ui->cnt->text() + u" / "_s + page.ui->mablagh_sum->text() + u" / "_s
                      + page.ui->tankhah_mande->text());
    page.hide();
    list.close();
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

void runInvoicesBench(const QString &folder, int rows)
{
    db::Connection &connection = forms::dm->ADOConnection1;
    for (const auto &[count, size] : {std::pair{rows, u"1M"_s}, std::pair{rows * 4, u"4M"_s}}) {
        std::printf("preparing %d invoices in %s ...\n", count, qPrintable(folder));
        std::fflush(stdout);
        const QString path = bench::invoicesDatabase(folder, count);
        connection.setConnectionString(u"Provider=SQLite;Data Source="_s + path);
        connection.open();
        searchBench(path, size);
        if (count == rows)
            exportBench();
        connection.close();
    }
}
