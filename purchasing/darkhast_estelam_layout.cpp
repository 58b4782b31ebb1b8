// The price-inquiry letter's layout: A4 portrait, 5 mm margins, right to left. The page header (the
// organisation, the letter's number and date, the title, the request's heading and the signer) and the column
// header repeat on every page; one framed line per request; the vendor's conditions follow the last line as
// the summary, on a page of their own when they do not fit below it.
#include "darkhast_estelam_u.h"

using report::Control;
using report::Font;
using report::Run;

using namespace Qt::StringLiterals;

namespace {

Font body() { return Font{u"Zar"_s, 12}; }
Font small(double points = 10, bool bold = false) { return Font{u"Tahoma"_s, points, bold}; }

Run text(const char *utf8) { return Run::fixed(QString::fromUtf8(utf8)); }
// A value the print command fills, printed in bold.
Run value(const char *name) { return Run::label(QString::fromLatin1(name)).strong(); }
Run stressed(const char *utf8) { return Run::fixed(QString::fromUtf8(utf8)).strong().underlined(); }

Control label(const char *name, const QRectF &box, const char *utf8)
{
    return Control::label(QString::fromLatin1(name), box, QString::fromUtf8(utf8));
}

// The table's columns from the left edge (millimetres): total, value-added tax, unit price, technical details,
// quantity, goods, row number; the band is 200 mm wide.
constexpr double columnEdges[] = {0, 25, 50, 75, 120, 140, 188, 200};

QRectF cell(int column, double top, double height)
{
    return {columnEdges[column], top, columnEdges[column + 1] - columnEdges[column], height};
}

// A framed row of the table: its frame and the rules between the columns, growing with the band.
QVector<Control> tableRow(const char *prefix, double height)
{
    QVector<Control> controls{
        Control::rectangle(QString::fromLatin1(prefix) + u"Frame"_s, {0, 0, 200, height}).growing()};
    for (int edge = 1; edge < 7; ++edge)
        controls << Control::line(QString::fromLatin1(prefix) + u"Rule"_s + QString::number(edge),
                                  {columnEdges[edge] - 0.15, 0, 0.3, height})
                        .growing();
    return controls;
}

} // namespace

report::Layout Tdarkhast_estelam::declaredLayout()
{
    report::Layout layout;
    layout.paper = report::Paper::A4;
    layout.margins = {5, 5, 5, 5};
    layout.printIfEmpty = true;
    layout.font = body();

    layout.pageHeader = {86, {
        Control::image(u"QRImage1"_s, {177, 1, 22, 22}),
        Control::label(u"org_name"_s, {58, 3, 116, 8}, QString()).withFont(Font{u"Zar"_s, 12, true}).centred().wrapping(),
        // The letter's date and number, the number followed by its three fixed parts; each reads in its own
        // direction, as typed.
        Control::paragraph(u"QRRichText8"_s, {0, 3, 57, 6}, {text("تاريخ: "), Run::label(u"dabir_dat"_s)})
            .withFont(small()),
        Control::paragraph(u"QRRichText9"_s, {0, 10, 57, 6}, {
            text("شماره: "), Run::label(u"dabir_no"_s), text(" "), Run::label(u"QRLabel3"_s, u"1400-"_s), text(" "),
            Run::label(u"QRLabel4"_s, u"ت/"_s), text(" "), Run::label(u"QRLabel5"_s, u"پ/"_s),
        }).withFont(small()),
        // The title between the form's code and revision.
        Control::rectangle(u"QRShape1"_s, {62, 26, 76, 10}),
        label("QRLabel6", {63, 27, 74, 8}, "فرم استعلام بهاي کالاي موردنياز").withFont(Font{u"Zar"_s, 13, true}).centred(),
        Control::rectangle(u"QRShape2"_s, {32, 28, 28, 7}),
        Control::paragraph(u"QRRichText10"_s, {33, 28.5, 26, 6}, {text("کد:"), Run::label(u"QRLabel7"_s, u"SSA.QF.03"_s)})
            .withFont(small(8, true))
            .centred(),
        Control::rectangle(u"QRShape3"_s, {2, 28, 28, 7}),
        label("QRLabel8", {3, 28.5, 26, 6}, "بازنگري سند: 02").withFont(small(8, true)).centred(),
        label("QRLabel9", {120, 39, 78, 7}, "شرکت/ فروشگاه : ").withFont(Font{u"Zar"_s, 12, true}),
        label("QRLabel10", {120, 47, 78, 7}, "باسلام"),
        Control::paragraph(u"QRRichText1"_s, {2, 55, 196, 14}, {
            Run::label(u"org_name2"_s), text(" نياز به تعدادي "), value("kala"), text(" دارد خواهشمند است "),
            stressed("با درنظرگرفتن هزينه بارگيري و کرايه حمل"), text(" "), stressed("کالاي  فوق الذکر"),
            text(" به آدرس : "), value("takhliye"), text(" ،پيشنهاد قيمت خود را حداکثر تا تاريخ "), value("est_dat"),
            text(" "), Run::label(u"org_address"_s), text(" اداره تدارکات و پشتيباني"), text(" ارسال و يا به برادر "),
            value("namayande"), text(" نماينده اين "), Run::label(u"org_short"_s), text(" تحويل نمائيد."),
        }),
        // The signer above the office's title.
        Control::label(u"raeis"_s, {4, 72, 76, 6}, QString()).withFont(small(10, true)).centred(),
        label("QRLabel11", {4, 78, 76, 6}, "رئيس اداره تدارکات و پشتيباني").withFont(small(10, true)).centred(),
    }};

    layout.columnHeader.height = 13;
    layout.columnHeader.controls = tableRow("QRHeader", 13);
    // The titles over the columns from the goods' value-added tax to the row number, 8 pt bold.
    const char *const titles[][2] = {{"QRTitle1", "مبلغ ارزش افزوده (ريال)"}, {"QRTitle2", "مبلغ واحد (ريال)"},
                                     {"QRTitle3", "مشخصات فني"},            {"QRTitle4", "تعداد (شاخه)"},
                                     {"QRTitle5", "شرح کالا"},              {"QRTitle6", "رديف"}};
    for (int column = 1; column < 7; ++column)
        layout.columnHeader.controls << label(titles[column - 1][0], cell(column, 0.5, 12), titles[column - 1][1])
                                            .withFont(small(8, true))
                                            .centred()
                                            .wrapping();
    layout.columnHeader.controls << label("QRTitle0", cell(0, 0.5, 7), "مبلغ کل (ريال)").withFont(small(8, true)).centred()
                                 << label("QRTitleNote", cell(0, 7, 5.5), "با احتساب ماليات برارزش افزوده")
                                        .withFont(small(6))
                                        .centred()
                                        .wrapping();

    layout.detail.height = 8;
    layout.detail.controls = tableRow("QRDetail", 8);
    layout.detail.controls
        << Control::rowNumber(u"QRSysData1"_s, cell(6, 1, 6)).withFont(small()).centred().leftToRight()
        << Control::field(u"QRDBText1"_s, cell(5, 1, 6), u"kala"_s).withFont(small()).centred().wrapping()
        << Control::field(u"QRDBText2"_s, cell(4, 1, 6), u"cnt"_s).withFont(small()).centred().wrapping()
        << Control::field(u"QRDBText3"_s, cell(3, 1, 6), u"moshakhasat"_s).withFont(small()).centred().wrapping();

    // The vendor's conditions, the workshops, and the blanks the vendor and the buyer fill in by hand.
    const auto condition = [](const char *name, double top, const QVector<Run> &runs) {
        return Control::paragraph(QString::fromLatin1(name), {2, top, 196, 6.5}, runs);
    };
    layout.summary = {125, {
        label("QRLabel12", {150, 3, 48, 6}, "توضيحات:").withFont(small(10, true)),
        condition("QRRichText2", 10, {text("1-درصورتي که اسناد ومدارک، منطبق باقانون ماليات برارزش افزوده باشد مبلغ ماليات "
                                           "بر ارزش افزوده قابل پرداخت مي باشد.")}),
        condition("QRRichText3", 17, {text("2-فروشنده در صورت نداشتن کد اقتصادي مي بايست به همراه فاکتور ،کدملي ارائه نمايد.")}),
        condition("QRRichText4", 24, {text("3-تسويه حساب پس از تحويل کالا طبق مشخصات فوق و تائيد کارشناس فني و ارائه فاکتور "
                                           "معتبر يا رسمي توسط فروشنده پس "),
                                      text("از گذشت حداکثر 7 روز کاري به شماره شباي اعلام شده از سوي فروشنده،توسط خريدار "
                                           "انجام خواهد شد.")}),
        condition("QRRichText5", 31, {text("4-زمان تحويل کالاحداکثر"), text(" 5 "), text("روزکاري از تاريخ "),
                                      value("est_dat2"), text(" بوده و پس از آن خريدار تعهدي ندارد.")}),
        condition("QRRichText6", 38, {text("5-مهر وامضا اين فرم توسط فروشنده الزامي مي باشد و فرم مي بايست کاملاً تکميل شده و "
                                           "فاقد خط خوردگي باشد.")}),
        condition("QRRichText7", 45, {text("6-هزينه بارگيري و کرايه حمل، به آدرس کارگاهها به شرح ذيل برعهده و هزينه فروشنده مي "
                                           "باشد.")}),
        label("QRLabel13", {120, 53, 78, 7}, "آدرس کارگاهها جهت تحويل:"),
        Control::label(u"adr_kargah1"_s, {2, 60, 196, 6}, QString()).withFont(small()).wrapping(),
        Control::label(u"adr_kargah2"_s, {2, 66, 196, 6}, QString()).withFont(small()).wrapping(),
        Control::label(u"adr_kargah3"_s, {2, 72, 196, 6}, QString()).withFont(small()).wrapping(),
        label("QRLabel14", {110, 81, 88, 6}, "نام و نام خانوادگي فروشنده :").withFont(small()),
        label("QRLabel15", {110, 88, 88, 6}, "آدرس فروشنده:").withFont(small()),
        label("QRLabel16", {110, 95, 88, 6}, "کد ملي /کد اقتصادي:").withFont(small()),
        label("QRLabel17", {110, 102, 88, 6}, "شماره تلفن:").withFont(small()),
        label("QRLabel18", {110, 109, 88, 6}, "مهرو امضاء فروشنده:").withFont(small()),
        label("QRLabel19", {130, 117, 68, 6}, "نام و امضاء کارپرداز استعلام گيرنده:").withFont(small(10, true)),
        Control::label(u"namayande2"_s, {60, 117, 70, 6}, QString()).withFont(small()),
    }};
    return layout;
}
