#pragma once
// A printed layout declared as data beside its form's code: the paper, the margins and the page frame in
// millimetres, and five bands holding named controls, each placed in millimetres from its band's top left
// corner. report::Report (report.h) lays it out into pages and paints them.
//
// A layout reads as a list:
//     using namespace report;
//     layout.detail = {6.6, {
//         Control::rectangle(u"QRShape9"_s, {0.3, 0, 189.4, 6.6}).growing(),
//         Control::rowNumber(u"QRSysData1"_s, {182, 0.8, 6.6, 5.7}).centred().leftToRight(),
//         Control::field(u"QRExpr2"_s, {84.7, 0.8, 74.9, 5.7}, u"mozo"_s).wrapping(),
//     }};
#include <QImage>
#include <QMarginsF>
#include <QRectF>
#include <QString>
#include <QVector>
#include <optional>

namespace report {

enum class Paper { A4, A5 }; // always portrait
enum class Pen { Solid, Clear };
enum class Direction { RightToLeft, LeftToRight };
// Natural: the start of the text's reading direction (right for right-to-left text).
enum class Align { Natural, Left, Right, Centre };

// A font as the layout names it; the family is mapped to an installed one when printed (fonts.h).
struct Font {
    QString family = QStringLiteral("Tahoma");
    double points = 10;
    bool bold = false;
    bool underline = false;

    Font &withBold() { bold = true; return *this; }
};

// A piece of a paragraph: fixed text, or, when it has a name, a caption that code replaces like a label's.
struct Run {
    QString name;
    QString text;
    bool bold = false;
    bool underline = false;
    bool visible = true;

    static Run fixed(const QString &text) { return {QString(), text}; }
    static Run label(const QString &name, const QString &text = QString()) { return {name, text}; }
    Run &strong() { bold = true; return *this; }
    Run &underlined() { underline = true; return *this; }
};

enum class Kind {
    Label,      // a caption that code may replace
    Field,      // a field of the dataset's row
    RowNumber,  // the running number of the detail line, from 1
    Rectangle,  // a shape: its outline
    Line,       // a shape: a horizontal line along the middle of its box, or vertical when the box is narrow
    Image,      // a picture stretched into its box
    Paragraph,  // runs of text that wrap as one paragraph
};

struct Control {
    Kind kind = Kind::Label;
    QString name;
    QRectF box;                 // millimetres from the band's top left: left, top, width, height
    QString text;               // a label's caption; a field's name
    std::optional<Font> font;   // the layout's font when unset
    Align align = Align::Natural;
    Direction direction = Direction::RightToLeft;
    bool wraps = false;         // text wraps at the box's width; taller text grows the band (paragraphs always wrap)
    bool grows = false;         // a shape whose height follows its band's growth (frames and column rules)
    Pen pen = Pen::Solid;
    bool visible = true;
    QImage picture;
    QVector<Run> runs;

    static Control label(const QString &name, const QRectF &box, const QString &caption);
    static Control field(const QString &name, const QRectF &box, const QString &fieldName);
    static Control rowNumber(const QString &name, const QRectF &box);
    static Control rectangle(const QString &name, const QRectF &box, Pen pen = Pen::Solid);
    static Control line(const QString &name, const QRectF &box);
    static Control image(const QString &name, const QRectF &box);
    static Control paragraph(const QString &name, const QRectF &box, const QVector<Run> &runs);

    Control &withFont(const Font &f) { font = f; return *this; }
    Control &centred() { align = Align::Centre; return *this; }
    Control &left() { align = Align::Left; return *this; }
    Control &right() { align = Align::Right; return *this; }
    Control &leftToRight() { direction = Direction::LeftToRight; return *this; }
    Control &wrapping() { wraps = true; return *this; }
    Control &growing() { grows = true; return *this; }

    bool isText() const { return kind == Kind::Label || kind == Kind::Field || kind == Kind::RowNumber; }
    bool isShape() const { return kind == Kind::Rectangle || kind == Kind::Line; }
};

// A band of the given height in millimetres; a height of 0 means the layout has no such band.
struct Band {
    double height = 0;
    QVector<Control> controls;

    bool exists() const { return height > 0; }
};

enum class BandType { PageHeader, ColumnHeader, Detail, PageFooter, Summary };

// Every page: the page header, the column header, the detail lines that fit, the page footer at the foot of
// the page. The summary follows the last detail line. A report without a dataset prints its detail once.
struct Layout {
    Paper paper = Paper::A4;
    QMarginsF margins{10, 10, 10, 10};  // millimetres: left, top, right, bottom
    bool pageFrame = false;             // a frame along the margins on every page
    bool printIfEmpty = true;           // an empty dataset still prints one page
    Font font;                          // the controls' font unless they name their own

    Band pageHeader;
    Band columnHeader;
    Band detail;
    Band pageFooter;
    Band summary;

    Band &band(BandType type);
    const Band &band(BandType type) const;
};

inline constexpr BandType bandTypes[] = {BandType::PageHeader, BandType::ColumnHeader, BandType::Detail,
                                         BandType::PageFooter, BandType::Summary};

// The paper's size in millimetres.
QSizeF paperSize(Paper paper);

} // namespace report
