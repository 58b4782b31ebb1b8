#include "zamaem_u.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/opener.h"
#include "pagekit/query_texts.h"
#include "pagekit/rows.h"
#include "persian/persian_text.h"
#include "ui/combo_items.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/refusal.h"
#include "ui_main_u.h"
#include "ui_zamaem_u.h"
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace {

// Descriptions with rules of their own, compared as stored.
const QString signature = u"تصوير امضاء وام"_s;           // may be stored any number of times
const QString rebuiltSignature = u"تصوير امضاء وام بازسازي"_s; // a JPEG picture
const QString barcodeReport = u"فايل گزارش باركد وام بازسازي"_s; // a report file

} // namespace

Tzamaem::Tzamaem(QWidget *parent) : attachments::PictureStore(parent), ui(std::make_unique<Ui::Tzamaem>())
{
    ui->setupUi(this);
    attachments::Member member;
    member.query = forms::dm->ADOQ_zamaem;
    member.table = u"zamaem"_s;
    member.repeatCheck = attachments::RepeatCheck::OwnQuery;
    member.mayRepeat = [](const QString &description) { return description == signature; };
    member.checkChosenFile = [this](const QString &description, const QString &extension) {
        if (description == rebuiltSignature && extension != u".jpg"_s && extension != u".JPG"_s)
            throw ui::Refusal(u"خطا! پسوند تصاوير نمونه امضا مي بايست با فرمت مقابل باشد JPEG "_s, ui->ins_btn);
        if (description == barcodeReport && extension != u".rav"_s)
            throw ui::Refusal(u"خطا! پسوند فايل گزارش مي بايست با فرمت مقابل باشد .rav "_s, ui->ins_btn);
    };
    member.moreColumns = {{u"ramz"_s, ui->ramz}};
    setUp(std::move(member), {ui->Combo_type, ui->ins_btn, ui->DBGrid1, ui->PopupMenu1, ui->N1},
          {{u"id"_s, u"id"_s, 0, true},
           {u"cmt"_s, u"شرح ضميمه"_s, 380},
           {u"pictype"_s, u"فرمت ضميمه"_s, 0, false, Qt::AlignCenter},
           {u"ramz"_s, u"رمز"_s, 0, true}});

    ui::connectGuarded(ui->Combo_type, &QComboBox::currentTextChanged, this, &Tzamaem::Combo_typeChange);

    if (forms::main_) {
        pagekit::Opener opener;
        opener.key = rights::key::zamaem;
        opener.commands = commands();
        opener.cleared = {ui->Combo_type, ui->ramz};
        opener.heightLess = 80;
        pagekit::installOpener(forms::main_->ui->N4, this, std::move(opener));
    }
}

Tzamaem::~Tzamaem() = default;

void Tzamaem::FormShow()
{
    ui::setComboItems(ui->Combo_type,
                      querytexts::selectTexts(*forms::dm->ADOQuery1, u"select distinct cmt from zamaem"_s));
}

void Tzamaem::Combo_typeChange()
{
    db::Query &rows = list();
    rows.clear();
    rows.add(u"select * from zamaem where cmt=?"_s, text::storedText(ui->Combo_type->currentText()));
    rows.open();
}

void Tzamaem::N1Click()
{
    db::Query &rows = list();
    {
        // The deleted row's description stays in the box; the grid stays empty until one is chosen again.
        const QSignalBlocker quiet(ui->Combo_type);
        ui->Combo_type->setEditText(rows[u"cmt"_s].asString());
    }
    // At once, with no question; "حذف شد" only once the row is gone.
    if (pagekit::deleteCurrentRow(rows, pagekit::withoutQuestion()))
        rows.close();
}
