#include "faktor_pic_u.h"
#include "dm_u.h"
#include "forms.h"
#include "page_rights.h"
#include "ui_faktor_pic_u.h"

using namespace Qt::StringLiterals;

Tfaktor_pic::Tfaktor_pic(QWidget *parent)
    : attachments::PictureStore(parent), ui(std::make_unique<Ui::Tfaktor_pic>())
{
    ui->setupUi(this);
    setUpRecordFiles(forms::dm->ADOQ_faktor_pic, u"faktor_pic"_s, u"faktor_id"_s, rights::key::faktor,
                     ui->CheckBox1, {ui->cmt, ui->image1_btn, ui->DBGrid1, ui->PopupMenu1, ui->N1}, 300);
}

Tfaktor_pic::~Tfaktor_pic() = default;

void openInvoiceAttachments(qint64 invoiceId)
{
    forms::faktor_pic->openFor(invoiceId);
}
