#include "accounts_workbook.h"
#include "db/error.h"
#include "db/query.h"
#include "export/xlsx_book.h"
#include "platform/files.h"
#include "ui/progress.h"
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace invoices {

namespace {

constexpr int centredColumns = 8; // A2 to H2
constexpr double widestColumn = 100;

bool isNumber(db::FieldType type)
{
    switch (type) {
    case db::FieldType::Integer:
    case db::FieldType::BigInt:
    case db::FieldType::AutoInc:
    case db::FieldType::Float:
    case db::FieldType::Money:
    case db::FieldType::Bcd:
        return true;
    default:
        return false;
    }
}

struct Formats {
    explicit Formats(lxw_workbook *book)
    {
        const auto font = [book](lxw_color_t colour, double size, const char *name) {
            lxw_format *format = workbook_add_format(book);
            format_set_font_color(format, colour);
            format_set_font_size(format, size);
            if (name)
                format_set_font_name(format, name);
            return format;
        };
        column = font(0x800080, 10, nullptr);
        first = font(0x000080, 16, "Arabic Transparent");
        second = font(0x0000FF, 12, "Arabic Transparent");
        secondCentred = font(0x0000FF, 12, "Arabic Transparent");
        format_set_align(secondCentred, LXW_ALIGN_CENTER);
    }
    lxw_format *of(int row, int column) const
    {
        if (row == 0)
            return first;
        if (row == 1)
            return column < centredColumns ? secondCentred : second;
        return this->column;
    }
    // A character of the row's font, in widths of the sheet's default character.
    static double scale(int row) { return row == 0 ? 1.6 : row == 1 ? 1.2 : 1.0; }

    lxw_format *column, *first, *second, *secondCentred;
};

// Writes the workbook to the file; false when the user cancelled.
bool writeWorkbook(db::Query &list, const QString &path, ui::Progress &progress)
{
    excel::StreamedWorkbook book(path);
    const Formats formats(book.get());
    lxw_worksheet *sheet = book.addRightToLeftSheet("List of Accounts");

    const int fields = list.fieldCount();
    std::vector<bool> numeric(static_cast<size_t>(fields));
    std::vector<double> widths(static_cast<size_t>(fields), 0);
    for (int c = 0; c < fields; ++c)
        numeric[size_t(c)] = isNumber(list.fieldType(c));

    excel::Utf8 utf8;
    for (int r = 0; excel::hasRow(list, r, &progress); ++r) {
        if (!progress.advance(r))
            return false;
        // The first two rows take their look as whole rows; rows go out in order, so each is set as it comes.
        if (r < 2)
            excel::check(worksheet_set_row(sheet, lxw_row_t(r), r == 0 ? 21 : 16, formats.of(r, centredColumns)),
                         path);
        for (int c = 0; c < fields; ++c) {
            if (list.isNullAt(r, c))
                continue;
            lxw_format *format = formats.of(r, c);
            const QString text = list.textAt(r, c);
            widths[size_t(c)] = std::max(widths[size_t(c)], (double(text.size()) + 1) * Formats::scale(r));
            if (numeric[size_t(c)]) {
                bool ok = false;
                const double value = list.valueAt(r, c).toDouble(&ok);
                if (ok) {
                    excel::check(worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), value, format), path);
                    continue;
                }
            }
            excel::check(worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), utf8(text), format), path);
        }
    }
    // Every column fitted to its contents, in the columns' purple 10 pt.
    for (int c = 0; c < fields; ++c) {
        const double width = std::clamp(widths[size_t(c)] + 1, 3.0, widestColumn);
        excel::check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), width, formats.column), path);
    }
    book.close();
    return true;
}

// Copies the finished workbook into the file a piece at a time: it is never whole in memory.
bool copyWorkbook(QFile &workbook, QIODevice &target, const QString &path)
{
    QByteArray piece(1 << 20, Qt::Uninitialized);
    qint64 read = 0;
    while ((read = workbook.read(piece.data(), piece.size())) > 0)
        if (target.write(piece.constData(), read) != read)
            throw db::Error(excel::failure(path, target.errorString()));
    if (read < 0)
        throw db::Error(excel::failure(path, workbook.errorString()));
    return true;
}

} // namespace

bool saveAccountsWorkbook(db::Query &list, const QString &path)
{
    const ui::BusyCursor busy;
    ui::Progress progress(u"در حال ساختن فايل اکسل"_s, excel::knownRows(list));
    // The writer makes the workbook in a scratch file of the private folder; the target gets it whole.
    QTemporaryFile scratch(QDir(platform::privateTempFolder()).filePath(u"XXXXXX.part"_s));
    if (!scratch.open())
        throw db::Error(excel::failure(path, scratch.errorString()));
    if (!writeWorkbook(list, scratch.fileName(), progress))
        return false;
    QFile written(scratch.fileName());
    if (!written.open(QIODevice::ReadOnly))
        throw db::Error(excel::failure(path, written.errorString()));
    platform::writeFileAtomically(path, [&](QIODevice &target) { return copyWorkbook(written, target, path); });
    return true;
}

} // namespace invoices
