#pragma once
// The goods register: for each warehouse the goods that may move in and out of it, with their codes and
// stock, under two filters; the commands new, edit, delete, export and close. The grid shows the data
// module's ADOQ_kala, through which the entry form adds and edits.
#include "export/excel_export.h"
#include "pagekit/filters.h"
#include "pagekit/page.h"
#include <memory>

namespace Ui {
class Tkala_src;
}

class Tkala_src : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tkala_src(QWidget *parent = nullptr);
    ~Tkala_src() override;

    std::unique_ptr<Ui::Tkala_src> ui;
    static excel::Captions exportCaptions();

    void src_btnClick(); // search
    void N1Click();      // new, with the next code
    void N2Click();      // edit
    void N3Click();      // delete, refused while the goods have movements
    void N4Click();      // export

private:
    pagekit::FilterTable filters_{QStringLiteral("kala")};
};
