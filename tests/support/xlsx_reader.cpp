#include "xlsx_reader.h"
#include <QProcess>
#include <QXmlStreamReader>

namespace {

QByteArray part(const QString &path, const QString &name, QString &error)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, name});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0) {
        error = QStringLiteral("unzip -p %1 %2 failed").arg(path, name);
        return {};
    }
    return unzip.readAllStandardOutput();
}

QStringList sharedStrings(const QByteArray &xml)
{
    QStringList strings;
    QXmlStreamReader reader(xml);
    QString current;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("si"))
            current.clear();
        else if (reader.isStartElement() && reader.name() == QLatin1String("t"))
            current += reader.readElementText();
        else if (reader.isEndElement() && reader.name() == QLatin1String("si"))
            strings.append(current);
    }
    return strings;
}

QVector<XlsxStyle> cellStyles(const QByteArray &xml)
{
    QHash<int, QString> numberFormats;
    QVector<bool> fontBold;
    QVector<QString> borderLeft;
    QVector<XlsxStyle> styles;
    QString section;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        const auto name = reader.name();
        const auto attrs = reader.attributes();
        if (name == QLatin1String("numFmts") || name == QLatin1String("fonts") || name == QLatin1String("borders")
            || name == QLatin1String("cellXfs") || name == QLatin1String("cellStyleXfs"))
            section = name.toString();
        else if (name == QLatin1String("numFmt"))
            numberFormats.insert(attrs.value(QLatin1String("numFmtId")).toInt(),
                                 attrs.value(QLatin1String("formatCode")).toString());
        else if (name == QLatin1String("font") && section == QLatin1String("fonts"))
            fontBold.append(false);
        else if (name == QLatin1String("b") && section == QLatin1String("fonts") && !fontBold.isEmpty())
            fontBold.last() = true;
        else if (name == QLatin1String("border") && section == QLatin1String("borders"))
            borderLeft.append(QString());
        else if (name == QLatin1String("left") && section == QLatin1String("borders") && !borderLeft.isEmpty())
            borderLeft.last() = attrs.value(QLatin1String("style")).toString();
        else if (name == QLatin1String("xf") && section == QLatin1String("cellXfs")) {
            XlsxStyle style;
            style.bold = fontBold.value(attrs.value(QLatin1String("fontId")).toInt());
            style.border = borderLeft.value(attrs.value(QLatin1String("borderId")).toInt());
            style.numberFormat = numberFormats.value(attrs.value(QLatin1String("numFmtId")).toInt());
            styles.append(style);
        }
    }
    return styles;
}

int rowOf(const QString &ref)
{
    qsizetype digits = 0;
    while (digits < ref.size() && ref.at(digits).isLetter())
        ++digits;
    return ref.mid(digits).toInt();
}

} // namespace

XlsxSheet::XlsxSheet(const QString &path)
{
    const QByteArray workbook = part(path, QStringLiteral("xl/workbook.xml"), error_);
    const QByteArray sheet = part(path, QStringLiteral("xl/worksheets/sheet1.xml"), error_);
    const QByteArray styles = part(path, QStringLiteral("xl/styles.xml"), error_);
    if (!error_.isEmpty())
        return;
    QString ignored;  // a sheet of numbers or inline strings has no shared strings
    const QStringList strings = sharedStrings(part(path, QStringLiteral("xl/sharedStrings.xml"), ignored));
    styles_ = cellStyles(styles);

    QXmlStreamReader book(workbook);
    while (!book.atEnd() && name.isEmpty())
        if (book.readNext() == QXmlStreamReader::StartElement && book.name() == QLatin1String("sheet"))
            name = book.attributes().value(QLatin1String("name")).toString();

    QXmlStreamReader reader(sheet);
    QString ref;
    XlsxCell cell;
    while (!reader.atEnd()) {
        reader.readNext();
        const auto attrs = reader.attributes();
        if (reader.isStartElement() && reader.name() == QLatin1String("sheetView"))
            rightToLeft = attrs.value(QLatin1String("rightToLeft")) == QLatin1String("1");
        else if (reader.isStartElement() && reader.name() == QLatin1String("col")) {
            for (int c = attrs.value(QLatin1String("min")).toInt(); c <= attrs.value(QLatin1String("max")).toInt(); ++c)
                widths.insert(c - 1, attrs.value(QLatin1String("width")).toDouble());
        } else if (reader.isStartElement() && reader.name() == QLatin1String("c")) {
            ref = attrs.value(QLatin1String("r")).toString();
            cell = XlsxCell();
            cell.type = attrs.value(QLatin1String("t")).toString();
            cell.style = attrs.value(QLatin1String("s")).toInt();
            // A number carries no t, and a blank neither: the number is told by its <v>.
        } else if (reader.isStartElement() && reader.name() == QLatin1String("v")) {
            const QString value = reader.readElementText();
            if (cell.type.isEmpty())
                cell.type = QStringLiteral("n");
            cell.text = cell.type == QLatin1String("s") ? strings.value(value.toInt()) : value;
        } else if (reader.isStartElement() && reader.name() == QLatin1String("t")) {
            cell.text += reader.readElementText();
        } else if (reader.isEndElement() && reader.name() == QLatin1String("c")) {
            cells.insert(ref, cell);
            lastRow = std::max(lastRow, rowOf(ref));
        }
    }
    if (reader.hasError())
        error_ = reader.errorString();
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
