#include "forms.h"
#include "backup_u.h"
#include "change_pass_u.h"
#include "dm_u.h"
#include "invoices/chek_u.h"
#include "invoices/ins_u.h"
#include "invoices/src_chek_u.h"
#include "login_u.h"
#include "main_u.h"
#include "purchasing/tavrelkol_ins_u.h"
#include "purchasing/tavrelkol_src_u.h"
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
    backup = new Tbackup();
    users = new Tusers();
    tavrelkol_src = new Ttavrelkol_src();
    tavrelkol_ins = new Ttavrelkol_ins();
    users_ins = new Tusers_ins();
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
    delete users_ins;
    users_ins = nullptr;
    delete tavrelkol_ins;
    tavrelkol_ins = nullptr;
    delete tavrelkol_src;
    tavrelkol_src = nullptr;
    delete users;
    users = nullptr;
    delete backup;
    backup = nullptr;
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
