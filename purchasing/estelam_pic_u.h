#pragma once
// The price inquiries' attachments: the signed minutes and letters of one inquiry, kept in `estelam_pic`.
#include "pagekit/picture_store.h"
#include <memory>

namespace Ui {
class Testelam_pic;
}

class Testelam_pic : public attachments::PictureStore {
    Q_OBJECT
public:
    explicit Testelam_pic(QWidget *parent = nullptr);
    ~Testelam_pic() override;

    std::unique_ptr<Ui::Testelam_pic> ui;
};

// The price inquiries list's attachments command: the description emptied, the inquiry's files listed, the
// form shown modally.
void openInquiryAttachments(qint64 inquiryId);
