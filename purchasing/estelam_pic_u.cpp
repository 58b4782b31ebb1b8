#include "estelam_pic_u.h"
#include "dm_u.h"
#include "forms.h"
#include "page_rights.h"
#include "ui_estelam_pic_u.h"

using namespace Qt::StringLiterals;

Testelam_pic::Testelam_pic(QWidget *parent)
    : attachments::PictureStore(parent), ui(std::make_unique<Ui::Testelam_pic>())
{
    ui->setupUi(this);
    setUpRecordFiles(forms::dm->ADOQ_estelam_pic, u"estelam_pic"_s, u"estelam_id"_s, rights::key::estelam,
                     ui->CheckBox2, {ui->cmt, ui->image1_btn, ui->DBGrid1, ui->PopupMenu1, ui->N1});
}

Testelam_pic::~Testelam_pic() = default;

void openInquiryAttachments(qint64 inquiryId)
{
    forms::estelam_pic->openFor(inquiryId);
}
