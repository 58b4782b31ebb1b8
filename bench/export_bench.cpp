#include "export_bench.h"
#include "db/connection.h"
#include "db/query.h"
#include "export/excel_export.h"
#include "export_data.h"
#include "measure.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "ui/progress.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace exportbench {

namespace {

constexpr int rows = 100000;

// The captions the purchases page gives its export.
const excel::Captions captions{
    {u"prj_name"_s, u"نام پروژه"_s}, {u"mozo"_s, u"موضوع"_s},         {u"cnt"_s, u"تعداد"_s},
    {u"vahed"_s, u"واحد"_s},         {u"mablagh"_s, u"مبلغ"_s},        {u"mablagh_kol"_s, u"مبلغ کل"_s},
    {u"tavrel_dat"_s, u"تاريخ خريد"_s}, {u"pardakht_dat"_s, u"تاريخ رسيد"_s}, {u"resid"_s, u"رسيد"_s},
    {u"faktor_no"_s, u"ش فاکتور"_s}, {u"kargah"_s, u"کارگاه"_s},       {u"sal"_s, u"سال"_s},
    {u"foroshande"_s, u"فروشنده"_s}, {u"id"_s, u"شناسه"_s},            {u"cmt"_s, u"توضيحات"_s}};

// The purchases list's declared fields, in the table's order.
QVector<db::FieldDef> purchaseFields()
{
    QVector<db::FieldDef> fields;
    for (const QString &column : purchaseColumns()) {
        db::FieldDef field{column, db::FieldType::WideText, 100};
        if (isMoneyColumn(column))
            field.type = db::FieldType::Money;
        else if (column == "id"_L1)
            field.type = db::FieldType::BigInt;
        else if (column == "sal"_L1 || column == "dabir_no"_L1 || column == "user_id"_L1 || column == "pic_count"_L1)
            field.type = db::FieldType::Integer;
        fields << field;
    }
    return fields;
}

// The least a writer of the same sheet must do: read each cell with the sqlite3 C API and hand it to
// libxlsxwriter with the same formats, in constant-memory mode.
void bareWriter(const QString &database, const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "select * from tavrelkol", -1, &st, nullptr);

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Sheet1");
    worksheet_right_to_left(sheet);
    auto format = [book](bool bold, uint8_t border, const char *number) {
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

    const QStringList names = purchaseColumns();
    const int columns = int(names.size());
    worksheet_set_column(sheet, 0, lxw_col_t(columns - 1), 10, nullptr);
    std::vector<bool> isMoney;
    for (int c = 0; c < columns; ++c) {
        const QByteArray caption = captions.value(names[c], names[c]).toUtf8();
        worksheet_write_string(sheet, 0, lxw_col_t(c), caption.constData(), c < 13 ? header : c < 27 ? bold : nullptr);
        isMoney.push_back(isMoneyColumn(names[c]));
    }
    for (int c = columns; c < 27; ++c) // the header range A1:AA1 is bold as a whole
        worksheet_write_blank(sheet, 0, lxw_col_t(c), c < 13 ? header : bold);
    lxw_row_t row = 1;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            lxw_format *f = c < 13 ? (isMoney[c] ? cellMoney : cell) : (isMoney[c] ? money : nullptr);
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_NULL:
                if (c < 13)
                    worksheet_write_blank(sheet, row, lxw_col_t(c), f);
                break;
            case SQLITE_INTEGER:
            case SQLITE_FLOAT:
                worksheet_write_number(sheet, row, lxw_col_t(c), sqlite3_column_double(st, c), f);
                break;
            default:
                worksheet_write_string(sheet, row, lxw_col_t(c),
                                       reinterpret_cast<const char *>(sqlite3_column_text(st, c)), f);
            }
        }
        ++row;
    }
    workbook_close(book);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

} // namespace

} // namespace exportbench

void runExportBench()
{
    using namespace exportbench;
    QTemporaryDir folder;
    const QString database = folder.filePath(u"purchases.db"_s);
    const double generate = bench::seconds([&] { writePurchases(database, rows); });
    bench::report("export: generate 100,000 purchases (s)", QString::number(generate, 'f', 2));

    db::Connection connection(u"exportbench"_s);
    connection.setConnectionString(u"Provider=SQLite;Data Source="_s + database);
    connection.open();
    db::Query list(connection, u"ADOQ_tavrel"_s);
    list.setDeclaredFields(purchaseFields());
    list.add(u"select * from tavrelkol"_s);
    const double open = bench::seconds([&] { list.open(); });
    bench::report("export: open the list (s)", QString::number(open, 'f', 3));

    // The two writers take turns, three times each; the best time of each counts, so that a busy machine
    // does not decide the ratio.
    const QString ours = folder.filePath(u"export.xlsx"_s);
    const QString bare = folder.filePath(u"bare.xlsx"_s);
    double exportTime = 1e9, bareTime = 1e9;
    // The peak counts from here: the generated file and its list are not the export's.
    const double before = bench::residentMb();
    bench::resetPeak();
    for (int round = 0; round < 3; ++round) {
        // As the export command runs it: every row told to a progress, which shows its dialog after a second.
        exportTime = std::min(exportTime, bench::seconds([&] {
            ui::Progress progress(u"export"_s, list.recordCount());
            excel::writeWorkbook(list, captions, ours, &progress);
        }));
        bareTime = std::min(bareTime, bench::seconds([&] { bareWriter(database, bare); }));
    }
    // The whole command: the workbook, then written whole into the private folder and handed to the desktop.
    platform::setFileOpener([](const QString &) { return true; });
    QString written;
    const double command = bench::seconds([&] { written = excel::ExportGridToExcel(list, captions, u"tavrelkol"_s); });
    platform::setFileOpener(nullptr);
    QFile::remove(written);
    QDir().rmdir(platform::privateTempFolder());
    bench::report("export: writeWorkbook 100,000 x 25, best of 3 (s)", QString::number(exportTime, 'f', 3));
    bench::report("export: bare libxlsxwriter, read by sqlite3 (s)", QString::number(bareTime, 'f', 3));
    bench::report("export: ratio (target at most 1.3)", QString::number(exportTime / bareTime, 'f', 2));
    bench::report("export: the export command, file written whole and opened (s)", QString::number(command, 'f', 3));
    bench::report("export: file sizes (MB, ours / bare)", QString::number(QFileInfo(ours).size() / 1e6, 'f', 1) + u" / "_s
                                                    + QString::number(QFileInfo(bare).size() / 1e6, 'f', 1));
    bench::report("export: peak memory of the exports above the open list (MB)",
                  QString::number(bench::peakMb() - before, 'f', 1));
}
