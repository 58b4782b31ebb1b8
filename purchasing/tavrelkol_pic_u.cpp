#include "tavrelkol_pic_u.h"
#include "dm_u.h"
#include "forms.h"
#include "page_rights.h"
#include "ui/guard.h"
#include "ui_tavrelkol_pic_u.h"

using namespace Qt::StringLiterals;

Ttavrelkol_pic::Ttavrelkol_pic(QWidget *parent)
    : attachments::PictureStore(parent), ui(std::make_unique<Ui::Ttavrelkol_pic>())
{
    ui->setupUi(this);
    setUpRecordFiles(forms::dm->ADOQ_tavrelkol_pic, u"tavrelkol_pic"_s, u"tavrelkol_id"_s, rights::key::tavrelkol,
                     ui->CheckBox2, {ui->cmt, ui->image1_btn, ui->DBGrid1, ui->PopupMenu1, ui->N1});

    filters_.like(ui->CheckBox1, ui->cmt_src, u"cmt"_s);
    ui::connectGuarded(ui->BitBtn1, &QPushButton::clicked, this, &Ttavrelkol_pic::BitBtn1Click);
}

Ttavrelkol_pic::~Ttavrelkol_pic() = default;

void Ttavrelkol_pic::BitBtn1Click()
{
    // Always within the purchase, so that a delete after a search can never reach another purchase's file.
    listRows(filters_.lines());
}

void openPurchaseAttachments(qint64 purchaseId)
{
    forms::tavrelkol_pic->ui->cmt_src->clear();
    forms::tavrelkol_pic->openFor(purchaseId);
}
