// The spreadsheet export read back: headers, values, bold and bordered ranges, the command's file, progress.
#include "db/query.h"
#include "export/excel_export.h"
#include "export/xlsx_book.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "support/page_io.h"
#include "support/tempdb.h"
#include "support/xlsx_reader.h"
#include "ui/progress.h"
#include "ui/scripted_dialogs.h"
#include <QApplication>
#include <QProgressDialog>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A column 10 characters wide is stored with the padding Excel adds: trunc((10 * 7 + 5) / 7 * 256) / 256.
constexpr double widthTen = 10.7109375;

QString ref(int c, int row) { return XlsxSheet::columnName(c) + QString::number(row); }

} // namespace

class TestExport : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDb> db;

    std::unique_ptr<db::Query> purchases(const QString &where = QString())
    {
        auto q = std::make_unique<db::Query>(db->connection(), u"purchases"_s);
        q->add(u"select * from purchases where id<>-1 "_s + where + u" order by id"_s);
        q->open();
        return q;
    }
    const excel::Captions captions{{u"id"_s, u"شناسه"_s}, {u"prj_name"_s, u"نام پروژه"_s},
                                   {u"mablagh_kol"_s, u"مبلغ کل"_s}, {u"sal"_s, u"سال"_s},
                                   {u"cmt"_s, u"توضيحات"_s}, {u"nam"_s, QString()}};

    QString write(db::Query &q, const excel::Captions &c, const QString &name)
    {
        const QString path = QDir(db->folder()).filePath(name + u".xlsx"_s);
        excel::writeWorkbook(q, c, path);
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        ui::ScriptedDialogs::install();
        db = std::make_unique<TempDb>();
        qputenv("TMPDIR", QFile::encodeName(db->folder()));
        db->connection().exec(u"create table purchases (id integer primary key, prj_name nvarchar(100), mablagh_kol "
                              "money, sal int, cmt nvarchar(150), ver nvarchar(10), nam nvarchar(100), meghdar float, "
                              "saat_sys datetime)"_s);
        db->connection().exec(u"insert into purchases values (1, '  ساختمان مرکزي  ', 1250000, 1403, 'it''s', null, "
                              "'x', 1e-10, '2024-03-20 10:15:00'), (2, 'انبار', null, null, '   ', 'v2', null, -1234.5, "
                              "null), (3, null, 987654321012, 1402, 'سه', null, null, 123456789012345, "
                              "'2024-03-20 10:15:00.250')"_s);
        db->connection().exec(u"create table many (n int)"_s);
        db->connection().exec(u"with recursive r(n) as (select 1 union all select n + 1 from r where n < 2500) "
                              u"insert into many select n from r"_s);
    }

    // Captions (else the field's name), trimmed texts, grouped numbers, plain decimals, dates, empty cells for nulls,
    // nothing beyond.
    void headersValuesAndFormats()
    {
        auto q = purchases();
        const QString path = write(*q, captions, u"values"_s);
        const XlsxSheet sheet(path);
        QVERIFY(sheet.rightToLeft);
        QCOMPARE(workbookHeaders(path, 7),
                 (QStringList{u"شناسه"_s, u"نام پروژه"_s, u"مبلغ کل"_s, u"سال"_s, u"توضيحات"_s, u"ver"_s, QString()}));
        // Each cell as "kind:text|format": trimmed texts, grouped amounts, quantities in plain decimals (never
        // "1E-10"), dates as their text, then the nulls' empty cells.
        QStringList cells;
        for (const QString &at : {u"B2"_s, u"E2"_s, u"C2"_s, u"D2"_s, u"C4"_s, u"F3"_s, u"H2"_s, u"H3"_s, u"H4"_s,
                                  u"I2"_s, u"I4"_s, u"C3"_s, u"D3"_s, u"E3"_s, u"G3"_s, u"B4"_s, u"F2"_s, u"I3"_s})
            cells << (sheet.cell(at).isString() ? u"text"_s : sheet.cell(at).type) + u':'
                         + sheet.cell(at).text.toLower() + u'|' + sheet.style(at).numberFormat;
        QCOMPARE(cells, (QStringList{u"text:ساختمان مرکزي|"_s, u"text:it's|"_s, u"n:1250000|#,##0"_s, u"n:1403|"_s,
                                     u"n:987654321012|#,##0"_s, u"text:v2|"_s, u"n:1e-10|0.0000000000"_s,
                                     u"n:-1234.5|0.0"_s, u"n:123456789012345|0"_s, u"text:2024-03-20 10:15:00|"_s,
                                     u"text:2024-03-20 10:15:00.250|"_s, u":|#,##0"_s}
                         + QStringList(6, u":|"_s)));
        QCOMPARE(sheet.widths.value(7), std::trunc((16 * 7 + 5) / 7.0 * 256) / 256); // as wide as the longest
        QVERIFY(sheet.lastRow == 4 && !sheet.style(u"B2"_s).bold && !sheet.has(u"AB1"_s) && !sheet.has(u"N2"_s));

        auto none = purchases(u" and id=-5"_s);
        const XlsxSheet empty(write(*none, captions, u"empty"_s));
        QCOMPARE(QString::number(empty.lastRow) + u'|' + empty.cell(u"B1"_s).text, u"1|نام پروژه"_s);
    }

    // Bold over A..AA and borders over A..M and every row, whatever the fields; every field's column 10 wide.
    void wideListsBoldAndBorderOnlyTheirRanges()
    {
        QStringList rows;
        for (int r = 0; r < 3; ++r) {
            QStringList cells;
            for (int c = 0; c < 30; ++c)
                cells << u"'%1:%2' as c%2"_s.arg(r).arg(c);
            rows << u"select "_s + cells.join(u',');
        }
        db::Query q(db->connection(), u"wide"_s);
        q.add(rows.join(u" union all "_s));
        q.open();
        const XlsxSheet sheet(write(q, {}, u"wide"_s));
        QCOMPARE(sheet.cell(u"AD1"_s).text + u'|' + sheet.cell(u"AD4"_s).text, u"c29|2:29"_s);
        for (int c = 0; c < 30; ++c) {
            QCOMPARE(sheet.style(ref(c, 1)).bold, c < 27);
            QCOMPARE(sheet.style(ref(c, 1)).border, c < 13 ? u"slantDashDot"_s : QString());
            QCOMPARE(sheet.style(ref(c, 4)).border, c < 13 ? u"thin"_s : QString()); // to the last row
            QCOMPARE(sheet.widths.value(c), widthTen);
        }
        QVERIFY(!sheet.widths.contains(30));
    }

    // A list still being read (2,500 numbers) has a moving bar until its last row is read, then its count. The
    // command writes such a list whole, in the private folder with no scratch file, and opens it. Short work shows
    // no progress; long work shows a dialog, and cancelling it writes no file.
    void exportCommandAndItsProgress()
    {
        const auto shownDialog = [] { return qobject_cast<QProgressDialog *>(QApplication::activeModalWidget()); };
        db::Query partlyRead(db->connection(), u"many"_s);
        partlyRead.setIncremental(true);
        partlyRead.add(u"select n from many"_s);
        partlyRead.open();
        {
            ui::Progress reading(u"x"_s, excel::knownRows(partlyRead), 1, 0);
            QVERIFY(reading.advance(1) && shownDialog() && shownDialog()->maximum() == 0);
            QVERIFY(excel::writeWorkbook(partlyRead, {}, QDir(db->folder()).filePath(u"many.xlsx"_s), &reading));
            QCOMPARE(shownDialog()->maximum(), 2500);
        }
        partlyRead.refresh();
        QVERIFY(partlyRead.hasMoreRows());
        QStringList opened;
        platform::setFileOpener([&](const QString &path) {
            opened << path;
            return true;
        });
        const QString path = excel::ExportGridToExcel(partlyRead, {{u"n"_s, u"n"_s}}, u"../x"_s);
        platform::setFileOpener(nullptr);
        QCOMPARE(opened, QStringList{path});
        const XlsxSheet sheet(path);
        QCOMPARE(sheet.cell(u"A2501"_s).text + u'|' + QString::number(sheet.lastRow), u"2500|2501"_s);
        const QFileInfo file(path);
        QCOMPARE(file.absolutePath(), QFileInfo(platform::privateTempFolder()).absoluteFilePath());
        QVERIFY(file.fileName().startsWith(u"_x-"_s));
        QCOMPARE(file.dir().entryList(QDir::Files), QStringList{file.fileName()});

        auto q = purchases();
        ui::Progress quick(u"x"_s, 3, 1);
        QVERIFY(excel::writeWorkbook(*q, captions, QDir(db->folder()).filePath(u"quick.xlsx"_s), &quick));
        QVERIFY(!shownDialog());
        ui::Progress slow(u"در حال ساختن فايل اکسل"_s, 3, 1, 0);
        QVERIFY(slow.advance(1));
        QVERIFY(shownDialog() && shownDialog()->value() == 1);
        shownDialog()->cancel();
        const QString cancelled = QDir(db->folder()).filePath(u"cancelled.xlsx"_s);
        QVERIFY(!excel::writeWorkbook(*q, captions, cancelled, &slow));
        QVERIFY(!QFileInfo::exists(cancelled));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
