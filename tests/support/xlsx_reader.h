#pragma once
// Reads a written workbook back for tests: the first sheet's cells with their types and styles, the column
// widths, the sheet's name and direction. The parts are taken out of the file with `unzip -p`.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

struct XlsxStyle {
    bool bold = false;
    QString border;        // the style of the left edge ("thin", "slantDashDot"); empty for none
    QString numberFormat;  // the format code; empty for General
};

struct XlsxCell {
    QString text;       // the shown text of a string, the number as written, "1"/"0" for a boolean
    QString type;       // "s" (shared string), "inlineStr", "n" (number), "b" (boolean), "" for a blank cell
    int style = 0;
    bool isString() const { return type == QLatin1String("s") || type == QLatin1String("inlineStr"); }
};

class XlsxSheet {
public:
    explicit XlsxSheet(const QString &path);

    bool ok() const { return error_.isEmpty(); }

    QString name;                 // of the first sheet
    bool rightToLeft = false;
    QHash<QString, XlsxCell> cells;  // by reference ("A1"); blank styled cells included
    QHash<int, double> widths;       // 0-based column -> width, for every column given one
    int lastRow = 0;                 // 1-based; 0 for a sheet without cells

    bool has(const QString &ref) const { return cells.contains(ref); }
    XlsxCell cell(const QString &ref) const { return cells.value(ref); }
    XlsxStyle style(const QString &ref) const;

    static QString columnName(int column);  // 0 -> "A", 26 -> "AA"

private:
    QVector<XlsxStyle> styles_;
    QString error_;
};
