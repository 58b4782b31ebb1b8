#pragma once
// The invoices' attachments: the scanned documents of one row of the invoice and payment register, kept in
// `faktor_pic`.
#include "pagekit/picture_store.h"
#include <memory>

namespace Ui {
class Tfaktor_pic;
}

class Tfaktor_pic : public attachments::PictureStore {
    Q_OBJECT
public:
    explicit Tfaktor_pic(QWidget *parent = nullptr);
    ~Tfaktor_pic() override;

    std::unique_ptr<Ui::Tfaktor_pic> ui;
};

// The invoice register's attachments command: the description emptied, the invoice's files listed, the form
// shown modally.
void openInvoiceAttachments(qint64 invoiceId);
