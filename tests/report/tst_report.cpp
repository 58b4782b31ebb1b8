// The report renderer: pages from a real dataset, bands moving on, wrapped text growing its band, named runs, mixed
// text in reading order, the preview's drawing, fonts and the logo. (The statements' tests read their previews.)
#include "db/query.h"
#include "platform/platform.h"
#include "report/fonts.h"
#include "report/organisation.h"
#include "report/report.h"
#include "report/text.h"
#include "support/pdf_text.h"
#include "support/tempdb.h"
#include "support/testenv.h"
#include <QFontInfo>
#include <QPainter>
#include <QPicture>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using report::Control;

namespace {

// A5 with 10 mm margins: 190 mm of page, of which the header, column header and footer take 50; fourteen
// 10 mm lines fill the rest exactly.
report::Layout sampleLayout()
{
    report::Layout layout;
    layout.paper = report::Paper::A5;
    layout.pageHeader = {20, {Control::label(u"heading"_s, {0, 2, 128, 8}, u"سربرگ آزمايشي"_s)}};
    layout.columnHeader = {10, {Control::rectangle(u"columnsFrame"_s, {0, 0, 128, 10}),
                                Control::label(u"subjectTitle"_s, {40, 2, 80, 6}, u"موضوع"_s)}};
    layout.detail = {10, {
        Control::rectangle(u"lineFrame"_s, {0, 0, 128, 10}).growing(),
        Control::rowNumber(u"number"_s, {120, 2, 8, 6}).leftToRight().centred(),
        Control::field(u"subject"_s, {40, 2, 80, 6.5}, u"mozo"_s).wrapping(),
        Control::label(u"below"_s, {40, 8.6, 20, 1}, QString()),
    }};
    layout.pageFooter = {20, {Control::label(u"foot"_s, {0, 5, 128, 8}, u"پاورقي صفحه"_s).centred()}};
    layout.summary = {10, {Control::label(u"closing"_s, {0, 2, 128, 6}, u"پايان فهرست"_s)}};
    return layout;
}

QStringList texts(const report::Document &document, int page, const QString &name)
{
    QStringList found;
    for (const report::Item *item : document.find(page, name))
        found << item->text;
    return found;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
    std::unique_ptr<TempDb> db;
    std::unique_ptr<db::Query> rows;

    // n rows of the sample's dataset, subjects "موضوع 1"... in id order; row longAt's subject takes several lines.
    void fill(int n, int longAt = 0)
    {
        db->connection().exec(u"delete from items"_s);
        for (int i = 1; i <= n; ++i)
            db->connection().exec(u"insert into items (id, mozo) values (?, ?)"_s,
                                  {i, i == longAt ? u"متن بلند "_s.repeated(30) : u"موضوع %1"_s.arg(i)});
        rows->close();
        rows->open();
    }

private Q_SLOTS:
    void initTestCase() { user_store::isolate(); }

    void init()
    {
        db = std::make_unique<TempDb>();
        db->connection().exec(u"create table items (id integer primary key, mozo text)"_s);
        rows = std::make_unique<db::Query>(db->connection(), u"items"_s);
        rows->add(u"select * from items order by id"_s);
    }

    // Pages filled to the footer, the summary moving alone; lines in the dataset's order, its current row kept; a
    // wrapped text grows its band; a closed dataset prints no line. (Headers on every page: the inquiry letter's.)
    void pagesLinesAndGrowingBands()
    {
        report::Report sample(sampleLayout(), rows.get());
        fill(13);
        QCOMPARE(sample.layOut().pages.size(), 1); // thirteen lines and the summary fill the page exactly
        fill(14);
        const report::Document full = sample.layOut(); // fourteen lines fill it: the summary moves alone
        QVERIFY(full.pages.size() == 2 && full.find(1, u"number"_s).isEmpty() && !full.find(1, u"closing"_s).isEmpty());
        fill(15);
        const report::Document document = sample.layOut();
        QCOMPARE(texts(document, 1, u"number"_s), QStringList{u"15"_s});
        // The footer sits at the foot of each page; the second page's first line starts below the headers.
        for (int page = 0; page < 2; ++page)
            QCOMPARE(document.find(page, u"foot"_s).first()->box.top(), 210 - 10 - 20 + 5.0);
        QCOMPARE(document.find(1, u"lineFrame"_s).first()->box.top(), 10 + 20 + 10.0);

        fill(3, 2);
        rows->setSort(u"id DESC"_s);
        rows->setRecNo(3);
        const report::Document lines = sample.layOut();
        QCOMPARE(texts(lines, 0, u"subject"_s) + texts(lines, 0, u"number"_s),
                 (QStringList{u"موضوع 3"_s, u"متن بلند "_s.repeated(30), u"موضوع 1"_s, u"1"_s, u"2"_s, u"3"_s}));
        QCOMPARE(rows->recNo(), 3);
        const QVector<const report::Item *> frames = lines.find(0, u"lineFrame"_s);
        const report::Item &subject = *lines.find(0, u"subject"_s)[1];
        const double growth = subject.box.height() - 6.5;
        QVERIFY(subject.lines > 1 && growth > 0);
        // The line's frame follows, what lies below the text moves down, the next line starts lower.
        QCOMPARE(frames[1]->box.height(), 10 + growth);
        QCOMPARE(lines.find(0, u"below"_s)[1]->box.top(), frames[1]->box.top() + 8.6 + growth);
        QCOMPARE(frames[2]->box.top(), frames[1]->box.bottom());
        QCOMPARE(frames[0]->box.height(), 10.0);

        // A closed dataset prints no line and stays closed; without printIfEmpty nothing prints at all.
        rows->close();
        const report::Document empty = sample.layOut();
        QVERIFY(empty.pages.size() == 1 && empty.find(0, u"number"_s).isEmpty() && !rows->active());
        report::Layout quiet = sampleLayout();
        quiet.printIfEmpty = false;
        QVERIFY(report::Report(quiet, rows.get()).layOut().pages.isEmpty());
    }

    // Naming no such control or shape is a program error; a paragraph's named runs are captions, bold runs keeping
    // their place. (Captions, visibility and pens set variant after variant: the expense statement's test.)
    void captionsOfNamedRuns()
    {
        report::Report sample(sampleLayout(), rows.get());
        QVERIFY_THROWS_EXCEPTION(std::logic_error, sample.setCaption(u"nosuch"_s, u"x"_s));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, sample.setPen(u"heading"_s, report::Pen::Solid));
        report::Layout letter;
        letter.detail = {20, {Control::paragraph(u"body"_s, {0, 0, 100, 6}, {report::Run::fixed(u"به مبلغ "_s),
                              report::Run::label(u"amount"_s).strong(), report::Run::fixed(u" ريال"_s)})}};
        report::Report body(letter);
        body.setCaption(u"amount"_s, u"1,250"_s);
        const report::Document laidOut = body.layOut();
        const report::Item &item = laidOut.pages[0].items.first();
        QCOMPARE(item.text, u"به مبلغ 1,250 ريال"_s);
        QCOMPARE(item.spans[1].start, 8);
        QVERIFY(item.spans[1].bold && !item.spans[0].bold);
    }

    // Text prints in the order the grid shows it, whatever letter it starts with: a right-to-left label or field by
    // Qt's algorithm, a paragraph's value and a left-to-right label right to left when they hold a Persian letter,
    // else left to right. Each: the control, a word of its line, the line's words from left to right.
    void mixedTextPrintsInReadingOrder()
    {
        using report::Run;
        const auto paragraph = [](const QString &value) {
            return Control::paragraph(u"letter"_s, {}, {Run::fixed(u"به حساب "_s), Run::label(u"value"_s, value),
                                                        Run::fixed(u" واريز شد"_s)});
        };
        const auto leftToRight = [](const QString &text) { return Control::label(u"code"_s, {}, text).leftToRight(); };
        const QList<std::tuple<Control, QString, QString>> lines = {
            {Control::label(u"subject"_s, {}, u"خريد 3 عدد کارتريج HP 85A"_s), u"HP"_s, u"HP 85A کارتريج عدد 3 خريد"_s},
            {Control::field(u"printer"_s, {}, u"mozo"_s), u"Canon"_s, u"Canon 2900 چاپگر"_s},
            {paragraph(u"Melli 0101-22"_s), u"Melli"_s, u"شد واريز Melli 0101-22 حساب به"_s},
            {paragraph(u"Xerox 106R کارتريج"_s), u"Xerox"_s, u"شد واريز کارتريج Xerox 106R حساب به"_s},
            {paragraph(u"چاپگر Epson L805"_s), u"Epson"_s, u"شد واريز Epson L805 چاپگر حساب به"_s},
            {leftToRight(u"LBP-6030w چاپگر"_s), u"LBP-6030w"_s, u"چاپگر LBP-6030w"_s},
            {leftToRight(u"اسکنر Kodak i2400"_s), u"Kodak"_s, u"Kodak i2400 اسکنر"_s},
            {leftToRight(u"1403/ب/125"_s), u"1403"_s, u"125 / ب / 1403"_s},
            {leftToRight(u"-1,250"_s), u"-1,250"_s, u"-1,250"_s},
        };
        report::Layout layout;
        layout.detail.height = 8 * lines.size();
        for (const auto &[control, word, words] : lines) {
            layout.detail.controls << control;
            layout.detail.controls.last().box = {0, 8.0 * (layout.detail.controls.size() - 1), 150, 6};
        }
        db->connection().exec(u"insert into items (id, mozo) values (1, 'چاپگر Canon 2900')"_s);
        rows->open();
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"mixed.pdf"_s);
        QVERIFY(report::Report(layout, rows.get()).writePdf(pdf));
        for (const auto &[control, word, words] : lines)
            QCOMPARE(pdftext::wordsLeftToRight(pdf, word), pdftext::normalised(words));
    }

    // The print preview records a page and draws it again: to the pixel as the page prints it, the blanks beside
    // brackets and numbers and an underlined word included.
    void previewDrawsWhatThePagePrints()
    {
        const report::TextStyle style(Control::label(u"line"_s, {}, QString()), report::Font{u"Tahoma"_s, 12});
        const QRectF box(0, 0, 150 * report::dotsPerMm, style.pitch);
        const double scale = 0.4; // 80-pixel letters: a blank moved is some 20 columns apart
        const auto onImage = [&](const auto &draw) {
            QImage image((box.size() * scale).toSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.scale(scale, scale);
            draw(painter);
            return image;
        };
        // The second line's Persian word is underlined.
        for (const auto &[text, spans] : {std::pair{u"شماره (پرداخت نقدي) تاريخ: 12"_s, QVector<report::Span>()},
                                          {u"خريد 3 عدد کارتريج HP 85A"_s, {{0, 11}, {11, 7, false, true}, {18, 7}}}}) {
            const auto draw = [&](QPainter &painter) { report::drawText(painter, style, box, text, spans, 1); };
            const QImage printed = onImage(draw);
            QPicture recorded;
            QPainter recording(&recorded);
            draw(recording);
            recording.end();
            const QImage previewed = onImage([&](QPainter &painter) { painter.drawPicture(0, 0, recorded); });
            QVERIFY2(previewed == printed, qPrintable(text));
        }
    }

    // The layouts' families printed with the installed ones, sized in dots.
    void fontsMapToInstalledFamilies()
    {
        for (const auto &[declared, installed] : {std::pair{u"Tahoma"_s, u"Noto Sans Arabic"_s}, {u"Zar"_s, u"Nazli"_s},
                                                  {u"Titr"_s, u"Titr"_s}, {u"Arial"_s, u"Noto Sans"_s}})
            QCOMPARE(QFontInfo(report::qtFont(report::Font{declared, 10})).family(), installed);
        QCOMPARE(report::qtFont(report::Font{u"Tahoma"_s, 12}).pixelSize(), 200); // 12 pt at 1200 dots per inch
    }

    // The logo file or, unset or unreadable, the emblem. (The organisation's values: the printed letters' tests.)
    void organisationsLogoOrTheEmblem()
    {
        QVERIFY(!report::neutralEmblem().isNull());
        QCOMPARE(report::organisationLogo(), report::neutralEmblem());
        QTemporaryDir folder;
        QVERIFY(report::neutralEmblem().scaled(20, 30).save(folder.filePath(u"logo.jpg"_s)));
        const auto store = platform::settings();
        platform::setSettingText(*store, report::orgLogoKey, folder.filePath(u"logo.jpg"_s));
        QCOMPARE(report::organisationLogo().size(), QSize(20, 30));
        platform::setSettingText(*store, report::orgLogoKey, folder.filePath(u"missing.jpg"_s));
        QCOMPARE(report::organisationLogo(), report::neutralEmblem());
        user_store::clear();
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
