#pragma once
// The villages register's search page: the rows of `abadiha` under six switchable filters, their count, and
// the context commands new, edit and delete. The grid shows the data module's ADOQ_abadiha, through which
// the entry form adds and edits.
#include "pagekit/filters.h"
#include "pagekit/page.h"
#include <memory>

namespace Ui {
class Tabadiha;
}

class Tabadiha : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tabadiha(QWidget *parent = nullptr);
    ~Tabadiha() override;

    std::unique_ptr<Ui::Tabadiha> ui;

    void BitBtn1Click(); // search
    void N2Click();      // new
    void N3Click();      // edit
    void N1Click();      // delete

private:
    void showPopup(const QPoint &pos);
    pagekit::FilterTable filters_{QStringLiteral("abadiha")};
};
