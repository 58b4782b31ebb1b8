#include "export/excel_export.h"
#include "db/decimal_text.h"
#include "db/query.h"
#include "export/xlsx_book.h"
#include "ui/progress.h"
#include <QVarLengthArray>
#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace excel {

namespace {

// The header cells A..AA are bold; the header A..M and the data cells A..M have borders.
constexpr int boldColumns = 27;
constexpr int borderedColumns = 13;
constexpr int columnWidth = 10;

// The few combinations of font, border and number format a cell can have, made once per workbook.
struct Formats {
    explicit Formats(lxw_workbook *book) : book_(book)
    {
        auto make = [book](bool bold, uint8_t border, const char *numberFormat) {
            lxw_format *format = workbook_add_format(book);
            if (bold)
                format_set_bold(format);
            if (border != LXW_BORDER_NONE)
                format_set_border(format, border);
            if (numberFormat)
                format_set_num_format(format, numberFormat);
            return format;
        };
        headerBoldBorder = make(true, LXW_BORDER_SLANT_DASH_DOT, nullptr);
        headerBold = make(true, LXW_BORDER_NONE, nullptr);
        cell = make(false, LXW_BORDER_THIN, nullptr);
        cellMoney = make(false, LXW_BORDER_THIN, moneyFormat);
        money = make(false, LXW_BORDER_NONE, moneyFormat);
    }

    // A header cell, of a field or not: the whole range A1:AA1 is bold.
    lxw_format *header(int column) const
    {
        if (column < borderedColumns)
            return headerBoldBorder;
        return column < boldColumns ? headerBold : nullptr;
    }
    lxw_format *data(int column, bool isMoney) const
    {
        if (column < borderedColumns)
            return isMoney ? cellMoney : cell;
        return isMoney ? money : nullptr;
    }

    // A number shown in plain decimals with this many places ("0", "0.0", "0.00"...), made when first asked for.
    lxw_format *places(int column, int count)
    {
        const bool bordered = column < borderedColumns;
        lxw_format *&format = places_[{bordered, count}];
        if (!format) {
            format = workbook_add_format(book_);
            if (bordered)
                format_set_border(format, LXW_BORDER_THIN);
            const QByteArray pattern = count > 0 ? "0." + QByteArray(count, '0') : QByteArray("0");
            format_set_num_format(format, pattern.constData()); // the format keeps its own copy
        }
        return format;
    }

    static constexpr const char *moneyFormat = "#,##0";
    lxw_format *headerBoldBorder, *headerBold, *cell, *cellMoney, *money;

private:
    lxw_workbook *book_;
    std::map<std::pair<bool, int>, lxw_format *> places_;
};

// How a field's values go into cells.
enum class CellKind { Text, Money, Number, Boolean, FormattedText, Empty };

CellKind cellKind(db::FieldType type)
{
    switch (type) {
    case db::FieldType::Money:
        return CellKind::Money;
    case db::FieldType::Integer:
    case db::FieldType::BigInt:
    case db::FieldType::AutoInc:
    case db::FieldType::Float:
    case db::FieldType::Bcd:
        return CellKind::Number;
    case db::FieldType::Boolean:
        return CellKind::Boolean;
    case db::FieldType::DateTime:
        return CellKind::FormattedText;
    case db::FieldType::Blob:
        return CellKind::Empty;
    case db::FieldType::WideText:
    case db::FieldType::Text:
        break;
    }
    return CellKind::Text;
}

QString captionOf(const Captions &captions, const QString &field)
{
    if (const auto found = captions.constFind(field); found != captions.constEnd())
        return *found;
    for (auto it = captions.constBegin(); it != captions.constEnd(); ++it)
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return it.value();
    return field;
}

class SheetWriter {
public:
    SheetWriter(lxw_worksheet *sheet, const QString &path, Formats &formats)
        : sheet_(sheet), path_(path), formats_(formats)
    {
    }

    void text(int row, int column, QStringView value, lxw_format *format)
    {
        value = value.trimmed();
        if (value.isEmpty())
            blank(row, column, format);
        else
            check(worksheet_write_string(sheet_, row, lxw_col_t(column), utf8_(value), format), path_);
    }
    void number(int row, int column, double value, lxw_format *format)
    {
        check(worksheet_write_number(sheet_, row, lxw_col_t(column), value, format), path_);
    }
    void boolean(int row, int column, bool value, lxw_format *format)
    {
        check(worksheet_write_boolean(sheet_, row, lxw_col_t(column), value, format), path_);
    }
    void blank(int row, int column, lxw_format *format)
    {
        if (format)
            check(worksheet_write_blank(sheet_, row, lxw_col_t(column), format), path_);
    }

    // One value of the data set. A number that does not read as one (a text in a numeric column) stays text.
    // Returns the characters a number shows in plain decimals (0 for any other cell).
    int value(int row, int column, const QVariant &value, CellKind kind, lxw_format *format)
    {
        if (kind == CellKind::Empty || value.isNull()) {
            blank(row, column, format);
            return 0;
        }
        bool ok = false;
        switch (kind) {
        case CellKind::Money:
            if (const double rials = value.toDouble(&ok); ok) {
                number(row, column, std::round(rials), format);
                return 0;
            }
            break;
        case CellKind::Number:
            if (const double n = value.toDouble(&ok); ok)
                return plainNumber(row, column, n, format);
            break;
        case CellKind::Boolean:
            boolean(row, column, value.toBool(), format);
            return 0;
        default:
            break;
        }
        text(row, column, value.toString(), format);
        return 0;
    }

private:
    // A number as the grid shows it, in plain decimals: the spreadsheet's general format would show a small or a
    // long number with an exponent ("1E-10") and a fraction only to the column's width. A fraction gets a format
    // of as many places as its decimal text has, a whole number too long for the general format the format "0";
    // beyond the places a format can hold, the decimal text itself.
    int plainNumber(int row, int column, double n, lxw_format *format)
    {
        constexpr int generalDigits = 11, mostPlaces = 30;
        if (std::fabs(n) < 1e11 && n == std::trunc(n)) { // most numbers: shown whole by the general format
            number(row, column, n, format);
            return (n < 0 ? 2 : 1) + (n == 0 ? 0 : int(std::log10(std::fabs(n))));
        }
        const QString shown = db::decimalText(n);
        const qsizetype point = shown.indexOf(u'.');
        const int places = point < 0 ? 0 : int(shown.size() - point - 1);
        if (places > mostPlaces) {
            text(row, column, shown, format);
        } else {
            const bool general = places == 0 && shown.size() <= generalDigits;
            number(row, column, n, general ? format : formats_.places(column, places));
        }
        return int(shown.size());
    }

    lxw_worksheet *sheet_;
    QString path_;
    Formats &formats_;
    Utf8 utf8_;
};

} // namespace

bool writeWorkbook(db::Query &dataSet, const Captions &captions, const QString &path, ui::Progress *progress,
                   const QStringList &leftOut)
{
    if (!dataSet.active())
        dataSet.open();
    QVarLengthArray<int, 64> fieldOf; // the data set's field of each column
    for (int f = 0; f < dataSet.fieldCount(); ++f)
        if (!leftOut.contains(dataSet.fieldName(f), Qt::CaseInsensitive))
            fieldOf.append(f);
    const int fields = int(fieldOf.size());
    // Columns A..M carry borders even where the data set has fewer fields, and A..AA of the header bold.
    const int columns = std::max(fields, borderedColumns);
    const int headerColumns = std::max(fields, boldColumns);

    StreamedWorkbook book(path);
    Formats formats(book.get());
    lxw_worksheet *sheet = book.addRightToLeftSheet("Sheet1");
    SheetWriter write(sheet, path, formats);
    // Every column 10 characters wide, or as wide as its longest number in plain decimals (the spreadsheet shows
    // "####" for a formatted number that does not fit).
    QVarLengthArray<int, 64> widths(fields, columnWidth);

    QVarLengthArray<CellKind, 64> kinds(fields);
    for (int c = 0; c < headerColumns; ++c) {
        if (c < fields) {
            kinds[c] = cellKind(dataSet.fieldType(fieldOf[c]));
            write.text(0, c, captionOf(captions, dataSet.fieldName(fieldOf[c])), formats.header(c));
        } else {
            write.blank(0, c, formats.header(c));
        }
    }

    for (int r = 0; hasRow(dataSet, r, progress); ++r) {
        if (progress && !progress->advance(r))
            return false; // the workbook is freed unwritten
        const int row = r + 1;
        for (int c = 0; c < columns; ++c) {
            if (c >= fields) {
                write.blank(row, c, formats.data(c, false));
                continue;
            }
            const CellKind kind = kinds[c];
            const int f = fieldOf[c];
            lxw_format *format = formats.data(c, kind == CellKind::Money);
            if (kind == CellKind::FormattedText)
                write.text(row, c, dataSet.isNullAt(r, f) ? QString() : dataSet.textAt(r, f), format);
            else
                widths[c] = std::max(widths[c], write.value(row, c, dataSet.valueAt(r, f), kind, format) + 1);
        }
    }
    for (int c = 0; c < fields; ++c) // columns are kept apart from the rows: set once all are written
        check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr), path);
    book.close();
    return true;
}

} // namespace excel
