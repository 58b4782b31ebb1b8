#pragma once
// The purchases' attachments: scanned invoices, contracts and requests of one purchase, kept in
// `tavrelkol_pic`, with a search by description that always keeps to that purchase.
#include "pagekit/filters.h"
#include "pagekit/picture_store.h"
#include <memory>

namespace Ui {
class Ttavrelkol_pic;
}

class Ttavrelkol_pic : public attachments::PictureStore {
    Q_OBJECT
public:
    explicit Ttavrelkol_pic(QWidget *parent = nullptr);
    ~Ttavrelkol_pic() override;

    std::unique_ptr<Ui::Ttavrelkol_pic> ui;

    void BitBtn1Click(); // search by description

private:
    pagekit::FilterTable filters_{QStringLiteral("tavrelkol_pic")};
};

// The purchases register's attachments command: the description and its search emptied, the purchase's
// files listed, the form shown modally.
void openPurchaseAttachments(qint64 purchaseId);
