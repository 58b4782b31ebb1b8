#include "forms.h"
#include "backup_u.h"
#include "change_pass_u.h"
#include "dm_u.h"
#include "invoices/chek_u.h"
#include "invoices/faktor_pic_u.h"
#include "invoices/ins_u.h"
#include "invoices/rizhazine_rep_u.h"
#include "invoices/src_chek_u.h"
#include "login_u.h"
#include "main_u.h"
#include "purchasing/darkhast_estelam_u.h"
#include "purchasing/darkhast_ins_u.h"
#include "purchasing/darkhast_src_u.h"
#include "purchasing/estelam_ins_u.h"
#include "purchasing/estelam_pic_u.h"
#include "purchasing/estelam_src_u.h"
#include "purchasing/foroshande_ins_u.h"
#include "purchasing/foroshande_src_u.h"
#include "purchasing/hesabdari_frm_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_pic_u.h"
#include "purchasing/tavrelkol_src_u.h"
#include "registers/abadiha_ins_u.h"
#include "registers/abadiha_u.h"
#include "registers/anbar_ins_u.h"
#include "registers/anbar_src_u.h"
#include "registers/bime_ins_u.h"
#include "registers/bime_src_u.h"
#include "registers/kala_ins_u.h"
#include "registers/kala_src_u.h"
#include "registers/payam_u.h"
#include "registers/phone_u.h"
#include "registers/zamaem_u.h"
#include "server_u.h"
#include "setting_u.h"
#include "users_ins_u.h"
#include "users_u.h"

// Each form joins this order at its place when it is built.
namespace forms {

void createAll()
{
    login = new Tlogin();
    server = new Tserver();
    dm = new Tdm();
    main_ = new Tmain();
    change_pass = new Tchange_pass();
    setting = new Tsetting();
    chek = new Tchek();
    chek_ins = new Tchek_ins();
    chek_src = new Tchek_src();
    rizhazine_rep = new Trizhazine_rep();
    backup = new Tbackup();
    users = new Tusers();
    tavrelkol_src = new Ttavrelkol_src();
    tavrelkol_ins = new Ttavrelkol_ins();
    zamaem = new Tzamaem();
    tavrelkol_pic = new Ttavrelkol_pic();
    hesabdari_frm = new Thesabdari_frm();
    darkhast_src = new Tdarkhast_src();
    darkhast_ins = new Tdarkhast_ins();
    phone = new Tphone();
    darkhast_estelam = new Tdarkhast_estelam();
    foroshande_src = new Tforoshande_src();
    foroshande_ins = new Tforoshande_ins();
    faktor_pic = new Tfaktor_pic();
    bime_src = new Tbime_src();
    bime_ins = new Tbime_ins();
    kala_src = new Tkala_src();
    kala_ins = new Tkala_ins();
    anbar_src = new Tanbar_src();
    anbar_ins = new Tanbar_ins();
    estelam_src = new Testelam_src();
    estelam_ins = new Testelam_ins();
    estelam_pic = new Testelam_pic();
    users_ins = new Tusers_ins();
    abadiha = new Tabadiha();
    abadiha_ins = new Tabadiha_ins();
    payam = new Tpayam();
}

bool showMainForm()
{
    if (!login)
        return false;
    login->show();
    return true;
}

// The sign-in form is the main form: closing it ends the program.
void closeMainForm()
{
    if (login)
        login->close();
}

void destroyAll()
{
    delete payam;
    payam = nullptr;
    delete abadiha_ins;
    abadiha_ins = nullptr;
    delete abadiha;
    abadiha = nullptr;
    delete users_ins;
    users_ins = nullptr;
    delete estelam_pic;
    estelam_pic = nullptr;
    delete estelam_ins;
    estelam_ins = nullptr;
    delete estelam_src;
    estelam_src = nullptr;
    delete anbar_ins;
    anbar_ins = nullptr;
    delete anbar_src;
    anbar_src = nullptr;
    delete kala_ins;
    kala_ins = nullptr;
    delete kala_src;
    kala_src = nullptr;
    delete bime_ins;
    bime_ins = nullptr;
    delete bime_src;
    bime_src = nullptr;
    delete faktor_pic;
    faktor_pic = nullptr;
    delete foroshande_ins;
    foroshande_ins = nullptr;
    delete foroshande_src;
    foroshande_src = nullptr;
    delete darkhast_estelam;
    darkhast_estelam = nullptr;
    delete phone;
    phone = nullptr;
    delete darkhast_ins;
    darkhast_ins = nullptr;
    delete darkhast_src;
    darkhast_src = nullptr;
    delete hesabdari_frm;
    hesabdari_frm = nullptr;
    delete tavrelkol_pic;
    tavrelkol_pic = nullptr;
    delete zamaem;
    zamaem = nullptr;
    delete tavrelkol_ins;
    tavrelkol_ins = nullptr;
    delete tavrelkol_src;
    tavrelkol_src = nullptr;
    delete users;
    users = nullptr;
    delete backup;
    backup = nullptr;
    delete rizhazine_rep;
    rizhazine_rep = nullptr;
    delete chek_src;
    chek_src = nullptr;
    delete chek_ins;
    chek_ins = nullptr;
    delete chek;
    chek = nullptr;
    delete setting;
    setting = nullptr;
    delete change_pass;
    change_pass = nullptr;
    delete main_;
    main_ = nullptr;
    delete dm;
    dm = nullptr;
    delete server;
    server = nullptr;
    delete login;
    login = nullptr;
}

} // namespace forms
