// The spreadsheet export, read back from the written file: headers, typed and trimmed values, the bold and
// bordered ranges, wide and empty lists, the export command's file and its opening, and the progress of long work.
// (Each page's own captions: that page's test.)
#include "db/error.h"
#include "db/query.h"
#include "export/excel_export.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "support/tempdb.h"
#include "ui/scripted_dialogs.h"
#include "support/xlsx_reader.h"
#include "ui/progress.h"
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A column 10 characters wide is stored with the padding Excel adds: trunc((10 * 7 + 5) / 7 * 256) / 256.
constexpr double widthTen = 10.7109375;

QString col(int c) { return XlsxSheet::columnName(c); }
QString ref(int c, int row) { return col(c) + QString::number(row); }

} // namespace

class TestExport : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDb> db;

    // The purchases of the test: money, whole numbers, Persian texts with blanks around, nulls.
    std::unique_ptr<db::Query> purchases(const QString &where = QString())
    {
        auto q = std::make_unique<db::Query>(db->connection(), u"purchases"_s);
        q->setDeclaredFields({{u"id"_s, db::FieldType::BigInt, 0, true},
                              {u"prj_name"_s, db::FieldType::WideText, 100},
                              {u"mablagh_kol"_s, db::FieldType::Money},
                              {u"sal"_s, db::FieldType::Integer},
                              {u"cmt"_s, db::FieldType::WideText, 150},
                              {u"ver"_s, db::FieldType::WideText, 10},
                              {u"nam"_s, db::FieldType::WideText, 100}});
        q->add(u"select * from purchases where id<>-1 "_s + where);
        q->add(u" order by id"_s);
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

    // A list of `columns` text columns and `rows` rows; cell (r, c) holds "r:c", the column's name is "c<c>".
    std::unique_ptr<db::Query> wide(int columns, int rows)
    {
        QStringList selects;
        for (int r = 0; r < rows; ++r) {
            QStringList cells;
            for (int c = 0; c < columns; ++c)
                cells << u"'%1:%2' as c%2"_s.arg(r).arg(c);
            selects << u"select "_s + cells.join(u',');
        }
        auto q = std::make_unique<db::Query>(db->connection(), u"wide"_s);
        q->add(selects.join(u" union all "_s));
        q->open();
        return q;
    }

private Q_SLOTS:
    void initTestCase()
    {
        ui::ScriptedDialogs::install();
        db = std::make_unique<TempDb>();
        // The export's own folder is made under the temporary folder of this test.
        qputenv("TMPDIR", QFile::encodeName(db->folder()));
        db->connection().exec(u"create table purchases (id integer primary key, prj_name nvarchar(100), mablagh_kol "
                            "money, sal int, cmt nvarchar(150), ver nvarchar(10), nam nvarchar(100))"_s);
        db->connection().exec(u"insert into purchases values (1, '  ساختمان مرکزي  ', 1250000, 1403, 'it''s', null, 'x')"_s);
        db->connection().exec(u"insert into purchases values (2, 'انبار', null, null, '   ', 'v2', null)"_s);
        db->connection().exec(u"insert into purchases values (3, null, 987654321012, 1402, 'سه', null, null)"_s);
    }

    void headersValuesAndFormats()
    {
        auto q = purchases();
        const XlsxSheet sheet(write(*q, captions, u"values"_s));
        QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
        QVERIFY(sheet.rightToLeft);

        // Captions in field order; a field missing from the table is headed by its name; an empty caption stays empty.
        const QStringList headers{u"شناسه"_s, u"نام پروژه"_s, u"مبلغ کل"_s, u"سال"_s, u"توضيحات"_s, u"ver"_s, QString()};
        for (int c = 0; c < headers.size(); ++c)
            QCOMPARE(sheet.cell(ref(c, 1)).text, headers.at(c));
        QVERIFY(sheet.cell(u"B1"_s).isString());

        // Texts trimmed and in Persian; numbers as numbers; nulls and blank texts leave empty cells.
        QCOMPARE(sheet.cell(u"B2"_s).text, u"ساختمان مرکزي"_s);
        QCOMPARE(sheet.cell(u"E2"_s).text, u"it's"_s);
        QCOMPARE(sheet.cell(u"C2"_s).type, u"n"_s);
        QCOMPARE(sheet.cell(u"C2"_s).text.toDouble(), 1250000.0);
        QCOMPARE(sheet.style(u"C2"_s).numberFormat, u"#,##0"_s);
        QCOMPARE(sheet.cell(u"D2"_s).type, u"n"_s);
        QCOMPARE(sheet.cell(u"C4"_s).text.toDouble(), 987654321012.0);
        for (const QString &empty : {u"C3"_s, u"D3"_s, u"E3"_s, u"G3"_s, u"B4"_s, u"F2"_s})
            QVERIFY2(sheet.cell(empty).type.isEmpty() && sheet.cell(empty).text.isEmpty(), qPrintable(empty));
        QCOMPARE(sheet.cell(u"F3"_s).text, u"v2"_s);
        QCOMPARE(sheet.lastRow, 4);

        // Every field's column is 10 wide. Borders over A..M, past the fields too; the header range A1:AA1 is
        // bold as a whole; nothing beyond.
        for (int c = 0; c < 7; ++c)
            QCOMPARE(sheet.widths.value(c), widthTen);
        QVERIFY(!sheet.widths.contains(7));
        for (int c = 0; c < 13; ++c) {
            QCOMPARE(sheet.style(ref(c, 1)).border, u"slantDashDot"_s);
            for (int row = 2; row <= 4; ++row)
                QVERIFY2(sheet.style(ref(c, row)).border == u"thin"_s, qPrintable(ref(c, row)));
        }
        for (int c = 0; c < 27; ++c)
            QVERIFY2(sheet.style(ref(c, 1)).bold, qPrintable(ref(c, 1)));
        QVERIFY(!sheet.style(u"B2"_s).bold);
        QVERIFY(sheet.cell(u"M4"_s).text.isEmpty() && sheet.cell(u"AA1"_s).text.isEmpty());
        QVERIFY(!sheet.has(u"AB1"_s) && !sheet.has(u"N2"_s) && !sheet.has(u"A5"_s));

        // An empty list: the header row alone.
        auto none = purchases(u" and id=-5"_s);
        const XlsxSheet empty(write(*none, captions, u"empty"_s));
        QCOMPARE(empty.lastRow, 1);
        QCOMPARE(empty.cell(u"B1"_s).text, u"نام پروژه"_s);
        QCOMPARE(empty.style(u"A1"_s).border, u"slantDashDot"_s);
        QVERIFY(!empty.has(u"A2"_s));
    }

    void wideListsBoldAndBorderOnlyTheirRanges()
    {
        auto q = wide(30, 2);
        const XlsxSheet sheet(write(*q, {}, u"wide"_s));
        QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
        QCOMPARE(sheet.cell(u"AD1"_s).text, u"c29"_s);
        QCOMPARE(sheet.cell(u"AD3"_s).text, u"1:29"_s);
        for (int c = 0; c < 30; ++c) {
            QCOMPARE(sheet.style(ref(c, 1)).bold, c < 27);  // A..AA
            QCOMPARE(sheet.style(ref(c, 1)).border, c < 13 ? u"slantDashDot"_s : QString());  // A..M
            QCOMPARE(sheet.style(ref(c, 2)).border, c < 13 ? u"thin"_s : QString());
            QCOMPARE(sheet.widths.value(c), widthTen);
        }
        QCOMPARE(sheet.cell(u"N2"_s).text, u"0:13"_s);
    }

    // A list a page still reads a slice at a time is read whole before it is written.
    void partlyReadListWrittenWhole()
    {
        db->connection().exec(u"create table many (n int)"_s);
        db->connection().exec(u"with recursive r(n) as (select 1 union all select n + 1 from r where n < 2500) "
                              u"insert into many select n from r"_s);
        db::Query q(db->connection(), u"many"_s);
        q.setIncremental(true);
        q.add(u"select n from many"_s);
        q.open();
        QVERIFY(q.hasMoreRows());
        const XlsxSheet sheet(write(q, {{u"n"_s, u"n"_s}}, u"many"_s));
        QCOMPARE(sheet.lastRow, 2501);
        QCOMPARE(sheet.cell(u"A2501"_s).text, u"2500"_s);
    }

    // The command writes into the private folder, leaving no scratch file, and opens what it wrote. (That the
    // opened file holds the list: every page's export test.)
    void exportCommandWritesAPrivateFileAndOpensIt()
    {
        QStringList opened;
        platform::setFileOpener([&](const QString &path) {
            opened << path;
            return true;
        });
        auto q = purchases();
        const QString path = excel::ExportGridToExcel(*q, captions, u"../x"_s);
        platform::setFileOpener(nullptr);
        QCOMPARE(opened, QStringList{path});
        const QFileInfo file(path);
        QCOMPARE(file.absolutePath(), QFileInfo(platform::privateTempFolder()).absoluteFilePath());
        QVERIFY(file.fileName().startsWith(u"_x-"_s));
        QCOMPARE(file.dir().entryList(QDir::Files), QStringList{file.fileName()});
    }

    // Short work shows no progress; long work shows a dialog, and cancelling it writes no file.
    void progressShownForLongWorkAndCancelled()
    {
        const auto shownDialog = [] {
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *dialog = qobject_cast<QProgressDialog *>(widget); dialog && dialog->isVisible())
                    return dialog;
            return static_cast<QProgressDialog *>(nullptr);
        };
        auto q = purchases();
        ui::Progress quick(u"x"_s, 3, 1);
        QVERIFY(excel::writeWorkbook(*q, captions, QDir(db->folder()).filePath(u"quick.xlsx"_s), &quick));
        QVERIFY(!shownDialog());

        ui::Progress slow(u"در حال ساختن فايل اکسل"_s, 3, 1, 0);
        QVERIFY(slow.advance(1));
        QVERIFY(shownDialog() && shownDialog()->value() == 1);
        shownDialog()->cancel();
        const QString path = QDir(db->folder()).filePath(u"cancelled.xlsx"_s);
        QVERIFY(!excel::writeWorkbook(*q, captions, path, &slow));
        QVERIFY(!QFileInfo::exists(path));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
