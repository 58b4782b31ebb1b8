// The cover letter's layout: A5 portrait, 10 mm margins and a frame along them; the body in Zar 12 pt (16
// pixels) with the filled values in bold, addressees and signers in Titr, the number and date in Arial.
#include "hesabdari_frm_u.h"

using report::Control;
using report::Font;
using report::Run;

using namespace Qt::StringLiterals;

namespace {

Font titr() { return Font{u"Titr"_s, 12, true}; }
Font zarBold() { return Font{u"Zar"_s, 12, true}; }
Font arial() { return Font{u"Arial"_s, 10}; }

// A value the print command fills, in bold, between two fixed texts of a line.
Run value(const char *name) { return Run::label(QString::fromLatin1(name), QString::fromLatin1(name)).strong(); }
Run text(const char *utf8) { return Run::fixed(QString::fromUtf8(utf8)); }

// One line of the letter across the band's width (it wraps and pushes the lines below when it must).
Control line(const char *name, double top, const QVector<Run> &runs, double left = 2, double width = 124)
{
    return Control::paragraph(QString::fromLatin1(name), {left, top, width, 6.5}, runs);
}

} // namespace

report::Layout Thesabdari_frm::declaredLayout()
{
    report::Layout layout;
    layout.paper = report::Paper::A5;
    layout.margins = {10, 10, 10, 10};
    layout.pageFrame = true;
    layout.printIfEmpty = true;
    layout.font = Font{u"Zar"_s, 12};

    layout.pageHeader = {42, {
        Control::label(u"QRLabel1"_s, {2, 2, 124, 6.5}, u"بسمه تعالي"_s).withFont(zarBold()).centred(),
        Control::label(u"QRLabel2"_s, {24, 10, 12, 6.5}, u"شماره:"_s),
        Control::label(u"dabir_no"_s, {2, 10, 21.5, 6.5}, u"dabir_no"_s).withFont(arial()).leftToRight().right(),
        Control::label(u"QRLabel3"_s, {24, 17, 12, 6.5}, u"تاريخ:"_s),
        Control::label(u"dat"_s, {2, 17, 21.5, 6.5}, u"dat"_s).withFont(arial()).leftToRight().right(),
        Control::label(u"QRLabel4"_s, {2, 26, 124, 7}, u"رئيس محترم اداره تدارکات پشتيباني"_s).withFont(titr()),
        Control::label(u"QRLabel5"_s, {2, 34, 124, 6.5}, u"باسلام واحترام"_s),
    }};

    layout.detail = {110, {
        Control::paragraph(u"QRRichText1"_s, {2, 0, 124, 13}, {
            text("به پيوست اسناد و مدارك خريد "), value("mozo"), text(" از شركت / فروشگاه "), value("foroshande"),
            text(" به مبلغ "), value("mablagh_kol"), text(" ريال "),
            text("ارسال مي گردد. لطفا دستور رسيدگي و اقدام لازم معمول فرمايند."),
        }),
        Control::label(u"QRLabel6"_s, {2, 14, 124, 6.5}, u"توضيحات:"_s).withFont(zarBold()),
        line("QRRichText2", 21, {text("رسيد "), value("resid"), text(" مقدار "), value("cnt"), text(" واحد "),
                                 value("vahed"), text(" بابت "), value("mozo_cmt")}),
        line("QRRichText3", 28, {text("قيمت واحد "), value("mablagh"), text(" ريال "), text("فاکتور "),
                                 value("faktor_no")}),
        line("QRRichText4", 35, {text("تحويل آقاي/کارگاه "), value("nam")}, 50, 76),
        Control::label(u"peyvast"_s, {2, 35, 46, 6.5}, u"بپيوست صورتجلسه"_s).left().wrapping(),
        line("QRRichText5", 42, {text("شماره حساب "), value("hesab_no"), text(" بانک "), value("bank")}),
        line("QRRichText6", 49, {text("به نام آقاي/شرکت "), value("foroshande2"), text(" کد ملي/کد اقتصادي "),
                                 value("nation")}),
        line("QRRichText7", 56, {text("شماره درخواست "), value("darkhast_no")}, 50, 76),
        Control::label(u"QRLabel7"_s, {2, 56, 46, 7}, u"مسئول خريد"_s).withFont(titr()).centred(),
        Control::rectangle(u"QRShape1"_s, {2, 66, 124, 0.3}),
        Control::label(u"QRLabel8"_s, {2, 70, 124, 7}, u"رئيس محترم امور مالي"_s).withFont(titr()),
        Control::label(u"QRLabel9"_s, {2, 78, 124, 6.5}, u"با سلام"_s),
        Control::paragraph(u"QRRichText8"_s, {2, 85, 124, 13}, {
            text("احتراما با توجه به اسناد و مدارک پيوست لطفا دستور فرمائيد رسيدگي و اقدام لازم معمول فرمايند."),
        }),
        Control::label(u"QRLabel10"_s, {2, 100, 60, 7}, u"رئيس اداره تدارکات پشتيباني"_s).withFont(titr()).centred(),
    }};
    return layout;
}
