#include "xlsx_reader.h"
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

QByteArray part(const QString &path, const QString &name, QString *error)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, name});
    if ((!unzip.waitForFinished(30000) || unzip.exitCode() != 0) && error)
        *error = QStringLiteral("unzip -p %1 %2 failed").arg(path, name);
    return unzip.readAllStandardOutput();
}

// Calls start(reader, name) at each start element and end(name) at each end element; returns the XML error.
template <typename Start, typename End = void (*)(QStringView)>
QString walk(const QByteArray &xml, Start start, End end = [](QStringView) {})
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            start(reader, reader.name());
        else if (reader.isEndElement())
            end(reader.name());
    }
    return reader.hasError() ? reader.errorString() : QString();
}

} // namespace

XlsxSheet::XlsxSheet(const QString &path)
{
    const QByteArray workbook = part(path, QStringLiteral("xl/workbook.xml"), &error_);
    const QByteArray sheet = part(path, QStringLiteral("xl/worksheets/sheet1.xml"), &error_);
    const QByteArray styles = part(path, QStringLiteral("xl/styles.xml"), &error_);
    if (!error_.isEmpty())
        return;
    const auto attr = [](const QXmlStreamReader &r, const char *name) { return r.attributes().value(QLatin1String(name)); };

    // A sheet of numbers or inline strings has no shared strings.
    QStringList strings;
    walk(part(path, QStringLiteral("xl/sharedStrings.xml"), nullptr), [&](QXmlStreamReader &r, QStringView name) {
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
    walk(styles, [&](QXmlStreamReader &r, QStringView name) {
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

    walk(workbook, [&](QXmlStreamReader &r, QStringView element) {
        if (element == u"sheet" && name.isEmpty())
            name = attr(r, "name").toString();
    });

    QString ref;
    XlsxCell cell;
    error_ = walk(sheet, [&](QXmlStreamReader &r, QStringView element) {
        if (element == u"sheetView")
            rightToLeft = attr(r, "rightToLeft") == u"1";
        else if (element == u"col") {
            for (int c = attr(r, "min").toInt(); c <= attr(r, "max").toInt(); ++c)
                widths.insert(c - 1, attr(r, "width").toDouble());
        } else if (element == u"c") {
            ref = attr(r, "r").toString();
            cell = {QString(), attr(r, "t").toString(), attr(r, "s").toInt()};
        } else if (element == u"v") {
            // A number carries no t, and a blank neither: the number is told by its <v>.
            const QString value = r.readElementText();
            if (cell.type.isEmpty())
                cell.type = QStringLiteral("n");
            cell.text = cell.type == u"s" ? strings.value(value.toInt()) : value;
        } else if (element == u"t") {
            cell.text += r.readElementText();
        }
    }, [&](QStringView element) {
        if (element != u"c")
            return;
        cells.insert(ref, cell);
        lastRow = std::max(lastRow, ref.sliced(ref.indexOf(QRegularExpression(QStringLiteral("\\d")))).toInt());
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
