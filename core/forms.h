#pragma once
// The one instance of every form, created hidden at start-up in a fixed order and reached by name.
// Nothing creates or frees a form later: commands fill and show these instances.

class Tlogin;
class Tserver;
class Tdm;
class Tmain;
class Tchange_pass;
class Tsetting;
class Tchek;
class Tchek_ins;
class Tchek_src;
class Trizhazine_rep;
class Tbackup;
class Tusers;
class Ttavrelkol_src;
class Ttavrelkol_ins;
class Tzamaem;
class Ttavrelkol_pic;
class Thesabdari_frm;
class Tdarkhast_src;
class Tdarkhast_ins;
class Tphone;
class Tdarkhast_estelam;
class Tforoshande_src;
class Tforoshande_ins;
class Tfaktor_pic;
class Tbime_src;
class Tbime_ins;
class Tkala_src;
class Tkala_ins;
class Tanbar_src;
class Tanbar_ins;
class Testelam_src;
class Testelam_ins;
class Testelam_pic;
class Tusers_ins;
class Tabadiha;
class Tabadiha_ins;
class Tpayam;

namespace forms {

// A form not built yet stays null; the main menu keeps its command disabled.
inline Tlogin *login = nullptr;
inline Tserver *server = nullptr;
inline Tdm *dm = nullptr;
inline Tmain *main_ = nullptr; // "main" cannot name a variable in C++
inline Tchange_pass *change_pass = nullptr;
inline Tsetting *setting = nullptr;
inline Tchek *chek = nullptr;
inline Tchek_ins *chek_ins = nullptr;
inline Tchek_src *chek_src = nullptr;
inline Trizhazine_rep *rizhazine_rep = nullptr;
inline Tbackup *backup = nullptr;
inline Tusers *users = nullptr;
inline Ttavrelkol_src *tavrelkol_src = nullptr;
inline Ttavrelkol_ins *tavrelkol_ins = nullptr;
inline Tzamaem *zamaem = nullptr;
inline Ttavrelkol_pic *tavrelkol_pic = nullptr;
inline Thesabdari_frm *hesabdari_frm = nullptr;
inline Tdarkhast_src *darkhast_src = nullptr;
inline Tdarkhast_ins *darkhast_ins = nullptr;
inline Tphone *phone = nullptr;
inline Tdarkhast_estelam *darkhast_estelam = nullptr;
inline Tforoshande_src *foroshande_src = nullptr;
inline Tforoshande_ins *foroshande_ins = nullptr;
inline Tfaktor_pic *faktor_pic = nullptr;
inline Tbime_src *bime_src = nullptr;
inline Tbime_ins *bime_ins = nullptr;
inline Tkala_src *kala_src = nullptr;
inline Tkala_ins *kala_ins = nullptr;
inline Tanbar_src *anbar_src = nullptr;
inline Tanbar_ins *anbar_ins = nullptr;
inline Testelam_src *estelam_src = nullptr;
inline Testelam_ins *estelam_ins = nullptr;
inline Testelam_pic *estelam_pic = nullptr;
inline Tusers_ins *users_ins = nullptr;
inline Tabadiha *abadiha = nullptr;
inline Tabadiha_ins *abadiha_ins = nullptr;
inline Tpayam *payam = nullptr;

// Creates every built form in the fixed order, the data module third. Opens no connection.
void createAll();
// Deletes them in the reverse order (tests that build the program again, and the end of the run).
void destroyAll();
// Shows the main form (the sign-in form); false when there is none to show.
bool showMainForm();
// Closes the main form, which ends the program (the main window's answer Yes to its exit question).
void closeMainForm();

} // namespace forms
