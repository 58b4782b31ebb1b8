#include "accounts_workbook.h"
#include "db/error.h"
#include "db/query.h"
#include "platform/files.h"
#include "ui/progress.h"
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTemporaryFile>
#include <algorithm>
#include <utility>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace invoices {

namespace {

constexpr int centredColumns = 8; // A2 to H2
constexpr double widestColumn = 100;

QString failure(const QString &path, const QString &reason)
{
    return u"فايل اکسل نوشته نشد: "_s + path + u" ("_s + reason + u')';
}

void check(lxw_error error, const QString &path)
{
    if (error != LXW_NO_ERROR)
        throw db::Error(failure(path, QString::fromUtf8(lxw_strerror(error))));
}

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
bool writeWorkbook(const db::Query &list, const QString &path, ui::Progress &progress)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows go to a temporary file as they are written
    const QByteArray name = QFile::encodeName(path);
    lxw_workbook *book = workbook_new_opt(name.constData(), &options);
    if (!book)
        check(LXW_ERROR_MEMORY_MALLOC_FAILED, path);
    // The workbook is freed unwritten when the export stops on an error.
    const auto freeBook = qScopeGuard([&book] {
        if (book)
            lxw_workbook_free(book);
    });
    const Formats formats(book);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "List of Accounts");
    if (!sheet)
        check(LXW_ERROR_MEMORY_MALLOC_FAILED, path);
    worksheet_right_to_left(sheet);

    const int fields = list.fieldCount();
    std::vector<bool> numeric(static_cast<size_t>(fields));
    std::vector<double> widths(static_cast<size_t>(fields), 0);
    for (int c = 0; c < fields; ++c)
        numeric[size_t(c)] = isNumber(list.fieldType(c));

    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray utf8;
    const int rows = list.recordCount();
    for (int r = 0; r < rows; ++r) {
        if (!progress.advance(r))
            return false;
        // The first two rows take their look as whole rows; rows go out in order, so each is set as it comes.
        if (r < 2)
            check(worksheet_set_row(sheet, lxw_row_t(r), r == 0 ? 21 : 16, formats.of(r, centredColumns)), path);
        for (int c = 0; c < fields; ++c) {
            if (list.isNullAt(r, c))
                continue;
            lxw_format *format = formats.of(r, c);
            const QString text = list.textAt(r, c);
            if (numeric[size_t(c)]) {
                bool ok = false;
                const double value = list.valueAt(r, c).toDouble(&ok);
                if (ok) {
                    check(worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), value, format), path);
                    widths[size_t(c)] = std::max(widths[size_t(c)], (double(text.size()) + 1) * Formats::scale(r));
                    continue;
                }
            }
            utf8.resize(encoder.requiredSpace(text.size()) + 1);
            char *end = encoder.appendToBuffer(utf8.data(), text);
            *end = '\0';
            check(worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), utf8.constData(), format), path);
            widths[size_t(c)] = std::max(widths[size_t(c)], (double(text.size()) + 1) * Formats::scale(r));
        }
    }
    // Every column fitted to its contents, in the columns' purple 10 pt.
    for (int c = 0; c < fields; ++c) {
        const double width = std::clamp(widths[size_t(c)] + 1, 3.0, widestColumn);
        check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), width, formats.column), path);
    }
    lxw_workbook *written = std::exchange(book, nullptr);
    check(workbook_close(written), path);
    return true;
}

} // namespace

bool saveAccountsWorkbook(const db::Query &list, const QString &path)
{
    const ui::BusyCursor busy;
    ui::Progress progress(u"در حال ساختن فايل اکسل"_s, list.recordCount());
    // The writer makes the workbook in a scratch file of the private folder; the target gets it whole.
    QTemporaryFile scratch(QDir(platform::privateTempFolder()).filePath(u"XXXXXX.part"_s));
    if (!scratch.open())
        throw db::Error(failure(path, scratch.errorString()));
    if (!writeWorkbook(list, scratch.fileName(), progress))
        return false;
    QFile written(scratch.fileName());
    if (!written.open(QIODevice::ReadOnly))
        throw db::Error(failure(path, written.errorString()));
    platform::writeFileAtomically(path, written.readAll());
    return true;
}

} // namespace invoices
