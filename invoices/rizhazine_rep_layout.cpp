// The expense statement's layout: A4 portrait, 10 mm margins, Tahoma 10 pt; one framed line per invoice.
#include "rizhazine_rep_u.h"

using report::Control;
using report::Font;
using report::Pen;

using namespace Qt::StringLiterals;

namespace {

Font titr() { return Font{u"Titr"_s, 10, true}; }
Font tahoma(double points, bool bold = false) { return Font{u"Tahoma"_s, points, bold}; }

} // namespace

report::Layout Trizhazine_rep::declaredLayout()
{
    report::Layout layout;
    layout.paper = report::Paper::A4;
    layout.margins = {10, 10, 10, 10};
    layout.printIfEmpty = true;
    layout.font = tahoma(10);

    layout.pageHeader = {89.7, {
        Control::rectangle(u"QRShape4"_s, {0.8, 2.1, 187.3, 86.3}, Pen::Clear).growing(),
        Control::image(u"QRImage1"_s, {152.4, 8.5, 19.8, 32.0}),
        Control::label(u"QRLabel1"_s, {40.0, 6.3, 110.0, 6.3}, u"palomirendax"_s).withFont(titr()).centred().wrapping(),
        Control::rectangle(u"QRShape1"_s, {63.5, 26.2, 61.6, 17.2}),
        Control::label(u"QRLabel2"_s, {63.5, 27.3, 61.6, 6.3}, u"صورت ريز هزينه"_s).withFont(titr()).centred(),
        Control::label(u"title"_s, {65.6, 36.0, 57.4, 6.3}, u"title"_s).withFont(titr()).centred(),
        Control::rectangle(u"QRShape2"_s, {31.8, 26.2, 32.0, 8.7}),
        Control::label(u"QRLabel3"_s, {54.5, 26.2, 8.0, 8.7}, u"کد:"_s),
        Control::label(u"QRLabel15"_s, {33.0, 26.2, 22.0, 8.7}, u"FIA.QF.02"_s).leftToRight().centred(),
        Control::rectangle(u"QRShape3"_s, {31.8, 34.7, 32.0, 8.7}),
        Control::label(u"QRLabel4"_s, {40.5, 34.7, 22.0, 8.7}, u"بازنگري سند:"_s),
        Control::label(u"QRLabel19"_s, {33.0, 34.7, 8.0, 8.7}, u"00"_s).leftToRight().centred(),
        Control::label(u"QRLabel5"_s, {29.6, 64.3, 10.0, 6.3}, u"تاريخ:"_s),
        Control::label(u"dat"_s, {8.0, 64.3, 21.0, 6.3}, u"dat"_s).withFont(tahoma(10, true)).leftToRight().right(),
        Control::label(u"QRLabel6"_s, {150.3, 77.3, 26.0, 6.3}, u"شماره ريز هزينه"_s),
        Control::label(u"rizhazine"_s, {135.5, 77.5, 13.8, 6.3}, u"rizhazine"_s).leftToRight().centred(),
        Control::label(u"QRLabel7"_s, {83.0, 77.3, 17.7, 6.3}, u"در کارگاه"_s),
        Control::label(u"kargah"_s, {41.5, 77.3, 39.7, 6.3}, u"kargah"_s),
    }};

    // Column captions centred over the columns that the detail lines' rules divide.
    layout.columnHeader = {10.8, {
        Control::rectangle(u"QRShape5"_s, {0.3, 0.3, 189.4, 10.1}, Pen::Clear),
        Control::rectangle(u"QRShape8"_s, {0.3, 0.3, 189.4, 10.5}),
        Control::label(u"QRLabel8"_s, {181.0, 2.1, 8.7, 6.3}, u"رديف"_s).centred(),
        Control::label(u"QRLabel9"_s, {160.1, 2.1, 20.9, 6.3}, u"تاريخ"_s).centred(),
        Control::label(u"QRLabel10"_s, {83.9, 2.1, 76.2, 6.3}, u"شرح"_s).centred(),
        Control::label(u"QRLabel11"_s, {45.0, 2.1, 38.9, 6.3}, u"مبلغ"_s).centred(),
        Control::label(u"QRLabel12"_s, {0.3, 2.1, 44.7, 6.3}, u"ملاحظات"_s).centred(),
    }};

    // A long subject or remark wraps; the line's frame and rules follow its height.
    layout.detail = {6.6, {
        Control::rectangle(u"QRShape9"_s, {0.3, 0.0, 189.4, 6.6}).growing(),
        Control::line(u"QRShape7"_s, {180.85, 0.0, 0.3, 6.6}).growing(),
        Control::line(u"QRShape10"_s, {159.95, 0.0, 0.3, 6.6}).growing(),
        Control::line(u"QRShape11"_s, {83.75, 0.0, 0.3, 6.6}).growing(),
        Control::line(u"QRShape12"_s, {44.85, 0.0, 0.3, 6.6}).growing(),
        Control::rowNumber(u"QRSysData1"_s, {181.6, 0.8, 7.8, 5.7}).leftToRight().centred(),
        Control::field(u"QRExpr1"_s, {160.9, 0.8, 19.3, 5.7}, u"chek_dat"_s).leftToRight().centred(),
        Control::field(u"QRExpr2"_s, {84.7, 0.8, 74.2, 5.7}, u"mozo"_s).wrapping(),
        Control::field(u"QRExpr3"_s, {51.8, 0.8, 31.3, 5.7}, u"MablaghDigit"_s).withFont(tahoma(12)).leftToRight().right(),
        Control::label(u"QRLabel13"_s, {45.3, 0.8, 6.2, 5.7}, u"ريال"_s).centred(),
        Control::field(u"QRExpr4"_s, {1.3, 0.8, 43.0, 5.7}, u"cmt"_s).centred().wrapping(),
    }};

    layout.pageFooter = {50.3, {
        Control::rectangle(u"QRShape6"_s, {0.3, 0.3, 189.4, 49.7}, Pen::Clear).growing(),
        Control::label(u"QRLabel14"_s, {163.0, 2.1, 20.0, 6.3}, u"جمع کل"_s),
        Control::label(u"sum_letter"_s, {71.7, 2.9, 74.3, 10.6}, u"sum_letter"_s).centred().wrapping(),
        Control::label(u"mablagh_sum"_s, {40.2, 2.1, 30.2, 6.3}, u"mablagh_sum"_s).withFont(tahoma(12, true)).leftToRight().right(),
        Control::label(u"QRLabel22"_s, {33.1, 2.1, 6.5, 6.3}, u"ريال"_s),
        Control::label(u"emza1"_s, {2.1, 25.4, 186.5, 6.3}, u"امضاء"_s).withFont(titr()).centred().wrapping(),
    }};

    layout.summary = {10.6, {
        Control::label(u"QRLabel18"_s, {0.3, 1.1, 189.4, 6.3},
                       u"^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-^-"_s)
            .withFont(tahoma(12)).leftToRight().centred(),
    }};
    return layout;
}
