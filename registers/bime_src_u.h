#pragma once
// The insurance register: the policies of `bime` under eight switchable filters and their count, with the
// commands new, edit and delete. The grid shows the data module's adoq_bime, through which the entry form
// adds and edits.
#include "pagekit/filters.h"
#include "pagekit/page.h"
#include <memory>

namespace Ui {
class Tbime_src;
}

class Tbime_src : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tbime_src(QWidget *parent = nullptr);
    ~Tbime_src() override;

    std::unique_ptr<Ui::Tbime_src> ui;

    void FormShow() override; // the three filter pick lists
    void src_btnClick();      // search and count
    void N1Click();           // new
    void N2Click();           // edit
    void N3Click();           // delete

private:
    pagekit::FilterTable filters_{QStringLiteral("bime")};
};
