#include "export_bench.h"
#include "clerk.h"
#include "db/query.h"
#include "dm_u.h"
#include "forms.h"
#include "fresh_process.h"
#include "main_u.h"
#include "measure.h"
#include "page_rights.h"
#include "platform/platform.h"
#include "sqlite_files.h"
#include "tavrelkol_src_u.h"
#include "ui_main_u.h"
#include "ui_tavrelkol_src_u.h"
#include <QFile>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <cmath>
#include <malloc.h>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace {

// The captions the purchases page gives its export.
const QHash<QString, QString> captions{
    {u"prj_name"_s, u"نام پروژه"_s}, {u"mozo"_s, u"موضوع"_s},         {u"cnt"_s, u"تعداد"_s},
    {u"vahed"_s, u"واحد"_s},         {u"mablagh"_s, u"مبلغ"_s},        {u"mablagh_kol"_s, u"مبلغ کل"_s},
    {u"tavrel_dat"_s, u"تاريخ خريد"_s}, {u"pardakht_dat"_s, u"تاريخ رسيد"_s}, {u"resid"_s, u"رسيد"_s},
    {u"faktor_no"_s, u"ش فاکتور"_s}, {u"kargah"_s, u"کارگاه"_s},       {u"sal"_s, u"سال"_s},
    {u"foroshande"_s, u"فروشنده"_s}, {u"id"_s, u"شناسه"_s},            {u"cmt"_s, u"توضيحات"_s}};

// The least a writer of the same cells must do: the list's values handed to libxlsxwriter in constant-memory
// mode with the same formats (bold header A..AA, borders on A..M, money grouped), texts trimmed, nulls blank.
void bareWriter(const db::Query &list, const QString &path)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Sheet1");
    worksheet_right_to_left(sheet);
    const auto format = [book](bool bold, uint8_t border, const char *number) {
        lxw_format *f = workbook_add_format(book);
        if (bold)
            format_set_bold(f);
        if (border)
            format_set_border(f, border);
        if (number)
            format_set_num_format(f, number);
        return f;
    };
    lxw_format *header = format(true, LXW_BORDER_SLANT_DASH_DOT, nullptr);
    lxw_format *bold = format(true, 0, nullptr);
    lxw_format *cell = format(false, LXW_BORDER_THIN, nullptr);
    lxw_format *cellMoney = format(false, LXW_BORDER_THIN, "#,##0");
    lxw_format *money = format(false, 0, "#,##0");

    const int columns = list.fieldCount();
    worksheet_set_column(sheet, 0, lxw_col_t(columns - 1), 10, nullptr);
    std::vector<db::FieldType> types;
    for (int c = 0; c < std::max(columns, 27); ++c) {
        const QByteArray caption = c < columns ? captions.value(list.fieldName(c), list.fieldName(c)).toUtf8() : "";
        worksheet_write_string(sheet, 0, lxw_col_t(c), caption.constData(), c < 13 ? header : c < 27 ? bold : nullptr);
        if (c < columns)
            types.push_back(list.fieldType(c));
    }
    const int rows = list.recordCount();
    QByteArray utf8;
    for (int r = 0; r < rows; ++r) {
        const lxw_row_t row = lxw_row_t(r + 1);
        for (int c = 0; c < columns; ++c) {
            const bool isMoney = types[size_t(c)] == db::FieldType::Money;
            lxw_format *f = c < 13 ? (isMoney ? cellMoney : cell) : (isMoney ? money : nullptr);
            const QVariant value = list.valueAt(r, c);
            if (value.isNull()) {
                if (f)
                    worksheet_write_blank(sheet, row, lxw_col_t(c), f);
            } else if (types[size_t(c)] != db::FieldType::WideText && types[size_t(c)] != db::FieldType::Text) {
                worksheet_write_number(sheet, row, lxw_col_t(c), std::round(value.toDouble()), f);
            } else {
                utf8 = value.toString().trimmed().toUtf8();
                if (!utf8.isEmpty())
                    worksheet_write_string(sheet, row, lxw_col_t(c), utf8.constData(), f);
                else if (f)
                    worksheet_write_blank(sheet, row, lxw_col_t(c), f);
            }
        }
    }
    workbook_close(book);
}

} // namespace

void freshExportFigure(const QString &path, const QStringList &more)
{
    const double limit = more.value(0, u"60"_s).toDouble();
    bench::signInWithRights(path, {rights::key::tavrelkol});
    Ttavrelkol_src &page = *forms::tavrelkol_src;
    QTableView *grid = page.ui->DBGrid1;
    const int rows = bench::tableRows(path, "tavrelkol");
    bench::PaintWatch watch(grid);
    forms::main_->ui->N1->trigger();
    bench::waitFor([&] { return watch.painted; }, limit);
    bench::pressCtrlEnd(grid);
    const bool reached = bench::waitFor([&] { return bench::currentRow(grid) == rows - 1; }, limit);
    bench::tell(u"lastRowReached"_s, reached);
    db::Query &list = *forms::dm->ADOQ_tavrel;
    if (!reached)
        list.fetchAll(); // the list read to its end all the same: the export's memory is measured above it
    bench::waitFor([] { return false; }, 0.3);
    malloc_trim(0);
    const double open = bench::residentMb();
    bench::resetPeak();

    QString written;
    platform::setFileOpener([&written](const QString &file) {
        written = file;
        return true;
    });
    bench::tell(u"export"_s, bench::seconds([&] { page.ui->N4->trigger(); }));
    bench::tell(u"exportMb"_s, bench::peakMb() - open);
    bench::tell(u"fileMb"_s, double(QFileInfo(written).size()) / 1e6);
    QFile::remove(written);
    QTemporaryDir folder;
    const QString bare = folder.filePath(u"bare.xlsx"_s);
    bench::tell(u"bare"_s, bench::seconds([&] { bareWriter(list, bare); }));
    bench::tell(u"bareFileMb"_s, double(QFileInfo(bare).size()) / 1e6);
}

void runExportBench(const QString &path)
{
    const double limit = 120;
    const bench::FreshValues runs = bench::freshRuns({u"export"_s, path, QString::number(limit)}, 2);
    const double ours = bench::best(runs.value(u"export"_s)), bare = bench::best(runs.value(u"bare"_s));
    const int rows = bench::tableRows(path, "tavrelkol");
    bench::report(u"export: rows of the purchases list"_s, QString::number(rows));
    bench::report(u"export: list read to its last row by Ctrl+End (runs)"_s,
                  QString::number(runs.value(u"lastRowReached"_s).count(1.0)) + u" of "_s
                      + QString::number(runs.value(u"lastRowReached"_s).size()));
    bench::report(u"export: the page's export command, best of 2 (s)"_s, bench::fixed(ours));
    bench::report(u"export: bare libxlsxwriter, same cells (s)"_s, bench::fixed(bare));
    bench::report(u"export: ratio"_s + bench::target(u"1.3"_s), bench::ratioText(ours, bare, 2));
    bench::report(u"export: memory above the open list (MB, target at most 60)"_s,
                  bench::fixed(bench::worst(runs.value(u"exportMb"_s)), 1));
    bench::report(u"export: file sizes (MB, ours / bare)"_s, bench::fixed(bench::worst(runs.value(u"fileMb"_s)), 1)
                                                                + u" / "_s
                                                                + bench::fixed(bench::worst(runs.value(u"bareFileMb"_s)), 1));
}
