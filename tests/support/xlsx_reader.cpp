#include "xlsx_reader.h"
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

// A part of the workbook, taken out with `unzip -p`; false when it cannot be.
bool part(const QString &path, const char *name, QByteArray &bytes)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QString::fromLatin1(name)});
    const bool read = unzip.waitForFinished(30000) && unzip.exitCode() == 0;
    bytes = unzip.readAllStandardOutput();
    return read;
}

// Calls visit(reader, element name) at each start element; returns the XML error.
template <typename Visit> QString walk(const QByteArray &xml, Visit visit)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement)
            visit(reader, reader.name());
    return reader.hasError() ? reader.errorString() : QString();
}

} // namespace

XlsxSheet::XlsxSheet(const QString &path)
{
    QByteArray parts[4];
    const char *const names[] = {"xl/workbook.xml", "xl/worksheets/sheet1.xml", "xl/styles.xml",
                                 "xl/sharedStrings.xml"};
    for (int i = 0; i < 4; ++i)
        if (!part(path, names[i], parts[i]) && i < 3) // a sheet of numbers or inline strings has no shared strings
            error_ = QStringLiteral("unzip -p %1 %2 failed").arg(path, QString::fromLatin1(names[i]));
    if (!error_.isEmpty())
        return;
    const auto attr = [](const QXmlStreamReader &r, const char *name) {
        return r.attributes().value(QLatin1String(name));
    };

    QStringList strings;
    walk(parts[3], [&](QXmlStreamReader &r, QStringView name) {
        if (name == u"si")
            strings.append(QString());
        else if (name == u"t" && !strings.isEmpty())
            strings.last() += r.readElementText();
    });

    // Each cell format's font weight, left border and number format, by the ids it refers to.
    QHash<int, QString> numberFormats;
    QVector<bool> fontBold;
    QVector<QString> borderLeft;
    QString section; // a copy: the reader reuses the storage its views point into
    walk(parts[2], [&](QXmlStreamReader &r, QStringView name) {
        if (name == u"fonts" || name == u"borders" || name == u"cellXfs" || name == u"cellStyleXfs")
            section = name.toString();
        else if (name == u"numFmt")
            numberFormats.insert(attr(r, "numFmtId").toInt(), attr(r, "formatCode").toString());
        else if (name == u"font" && section == u"fonts")
            fontBold.append(false);
        else if (name == u"b" && section == u"fonts")
            fontBold.last() = true;
        else if (name == u"border" && section == u"borders")
            borderLeft.append(QString());
        else if (name == u"left" && section == u"borders")
            borderLeft.last() = attr(r, "style").toString();
        else if (name == u"xf" && section == u"cellXfs")
            styles_.append({fontBold.value(attr(r, "fontId").toInt()), borderLeft.value(attr(r, "borderId").toInt()),
                            numberFormats.value(attr(r, "numFmtId").toInt())});
    });

    walk(parts[0], [&](QXmlStreamReader &r, QStringView element) {
        if (element == u"sheet" && name.isEmpty())
            name = attr(r, "name").toString();
    });

    XlsxCell *cell = nullptr; // the cell being read: its value and text elements follow it
    error_ = walk(parts[1], [&](QXmlStreamReader &r, QStringView element) {
        if (element == u"sheetView") {
            rightToLeft = attr(r, "rightToLeft") == u"1";
        } else if (element == u"col") {
            for (int c = attr(r, "min").toInt(); c <= attr(r, "max").toInt(); ++c)
                widths.insert(c - 1, attr(r, "width").toDouble());
        } else if (element == u"c") {
            const QString ref = attr(r, "r").toString();
            cell = &(cells[ref] = {QString(), attr(r, "t").toString(), attr(r, "s").toInt()});
            lastRow = std::max(lastRow, ref.sliced(ref.indexOf(QRegularExpression(QStringLiteral("\\d")))).toInt());
        } else if (element == u"v" && cell) {
            // A number carries no t, and a blank neither: the number is told by its <v>.
            const QString value = r.readElementText();
            if (cell->type.isEmpty())
                cell->type = QStringLiteral("n");
            cell->text = cell->type == u"s" ? strings.value(value.toInt()) : value;
        } else if (element == u"t" && cell) {
            cell->text += r.readElementText();
        }
    });
}

XlsxStyle XlsxSheet::style(const QString &ref) const
{
    return styles_.value(cells.value(ref).style);
}

QString XlsxSheet::columnName(int column)
{
    QString name;
    for (++column; column > 0; column = (column - 1) / 26)
        name.prepend(QChar(u'A' + (column - 1) % 26));
    return name;
}
