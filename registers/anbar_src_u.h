#pragma once
// The warehouse register: the movements of `anbar` under the goods code, description and date filters, their
// count, and the commands new, edit, delete (which reverses the movement's stock change), export and close.
// The grid shows the data module's ADOQ_anbar, through which the entry form adds and edits.
#include "export/excel_export.h"
#include "pagekit/filters.h"
#include "pagekit/page.h"
#include <memory>

namespace Ui {
class Tanbar_src;
}

class Tanbar_src : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tanbar_src(QWidget *parent = nullptr);
    ~Tanbar_src() override;

    std::unique_ptr<Ui::Tanbar_src> ui;
    static excel::Captions exportCaptions();

    void src_btnClick(); // count and list
    void N1Click();      // new movement
    void N2Click();      // edit: only the date, time, places, persons and remarks
    void N3Click();      // delete, with its stock change reversed
    void N4Click();      // export

private:
    pagekit::FilterTable filters_{QStringLiteral("anbar")};
};
