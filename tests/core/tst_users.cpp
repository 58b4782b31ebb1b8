// The users page and the user entry form on a real database: the search, new and edited accounts with their
// refusals and audit rows, the page rights editor, the allowed counties, the opener and the export.
#include "dm_u.h"
#include "forms.h"
#include "login_u.h"
#include "main_u.h"
#include "places.h"
#include "signed_in_user.h"
#include "support/page_io.h"
#include "support/testenv.h"
#include "support/user_store.h"
#include "support/xlsx_reader.h"
#include "ui/control_text.h"
#include "ui_main_u.h"
#include "users_ins_u.h"
#include "users_u.h"
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString duplicate = u"خطا، نام كاربري تكراري است"_s;
const QString tehran = u"تهران"_s;
const QString fars = u"فارس"_s;

Ui::Tusers &page() { return *forms::users->ui; }
Ui::Tusers_ins &entry() { return *forms::users_ins->ui; }
db::Query &list() { return *forms::dm->adoq_user; }

QStringList listed()
{
    QStringList names;
    for (int row = 0; row < list().recordCount(); ++row)
        names << list().textAt(row, list().fieldIndex(u"us"_s));
    return names;
}

} // namespace

class TestUsers : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    int ali = 0, reza = 0; // the ids of the accounts every test starts with

    int addUser(const QString &us, const QString &ostan, const QString &nam, const QString &lev)
    {
        env->exec(u"insert into users (us,ps,ver,lev,ostan,semat,mobile,nam,status) values (?,'p','1',?,?,'',"
                  "'0912',?,'فعال')"_s,
                  {us, lev, ostan, nam});
        return env->scalar(u"select max(id) from users"_s).toInt();
    }
    // The rights rows of one account, "page:bits" in page order.
    QString rightsOf(int id)
    {
        return env->scalar(u"select group_concat(r, ' ') from (select page_name||':'||darj||virayesh||hazf||"
                           "namayesh as r from dastrasi where prs_id=? order by page_name)"_s,
                           {id})
            .toString();
    }
    int count(const QString &sql, const QVariantList &values = {}) { return env->scalar(sql, values).toInt(); }
    void selectUser(const QString &us) { QVERIFY(list().locate(u"us"_s, us)); }
    void clickRowOf(const QString &us)
    {
        forms::users->show();
        const int row = int(listed().indexOf(us));
        QTableView *grid = page().DBGrid1;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 0)).center());
    }

private Q_SLOTS:
    void init()
    {
        env = std::make_unique<TestEnv>();
        env->signInAs();
        ali = addUser(u"ali"_s, tehran, u"علي رضايي"_s, u"city"_s);
        reza = addUser(u"reza"_s, fars, u"رضا"_s, u"ostan"_s);
        addUser(u"o'hara"_s, tehran, u"سارا"_s, u"keshvar"_s);
    }
    void cleanup()
    {
        forms::users->hide();
        forms::users_ins->hide();
        env.reset();
    }

    // Each filter alone, the password column hidden; on an empty list the commands on the current row wait
    // for one and do nothing; the export of a search carries the captions.
    void searchEmptyListAndExport()
    {
        env->exec(u"update users set lev='ostan', ostan=null where us='admin'"_s);
        const auto searched = [](QCheckBox *box, QWidget *control, const QString &text) {
            box->click();
            ui::setControlText(control, text);
            page().src_btn->click();
            box->click();
            return listed();
        };
        page().src_btn->click();
        QCOMPARE(listed(), (QStringList{u"admin"_s, u"ali"_s, u"reza"_s, u"o'hara"_s}));
        QVERIFY(page().DBGrid1->isColumnHidden(2));
        QCOMPARE(searched(page().CheckBox1, page().us, u"r"_s), (QStringList{u"reza"_s, u"o'hara"_s}));
        QCOMPARE(searched(page().CheckBox2, page().ostan2, tehran), (QStringList{u"ali"_s, u"o'hara"_s}));
        QCOMPARE(searched(page().CheckBox3, page().nam, u"رضا"_s), (QStringList{u"ali"_s, u"reza"_s}));
        QCOMPARE(searched(page().CheckBox4, page().lev2, u"ostan"_s), (QStringList{u"admin"_s, u"reza"_s}));

        QCOMPARE(searched(page().CheckBox1, page().us, u"nobody"_s), QStringList());
        QCOMPARE(page().cnt->text(), u"0"_s);
        QVERIFY(!page().N6->isEnabled() && !page().N7->isEnabled());
        page().list_loc->addItem(u"ري"_s);
        forms::users->N6Click();
        forms::users->SaveUserAllowedItems();
        entry().edit_btn->click();
        QVERIFY(env->dialogs.shown.isEmpty());
        QCOMPARE(count(u"select count(*) from dastrasi"_s) + count(u"select count(*) from dastrasi2"_s), 1);

        QCOMPARE(searched(page().CheckBox1, page().us, u"ali"_s), QStringList{u"ali"_s});
        QVERIFY(page().N6->isEnabled());
        page().N8->trigger();
        QCOMPARE(env->openedFiles.size(), 1);
        // Columns in the table's order, the password left out; the ones without a caption are headed by their
        // names.
        QCOMPARE(workbookHeaders(env->openedFiles.first(), 10),
                 (QStringList{u"شناسه"_s, u"نام کاربري-کد ملي"_s, u"ver"_s, u"سطح"_s, u"استان"_s, u"سمت"_s,
                              u"موبايل"_s, u"نام و نام خانوادگي"_s, u"status"_s, QString()}));
        const XlsxSheet sheet(env->openedFiles.first());
        QCOMPARE(sheet.cell(u"B2"_s).text, u"ali"_s);
        QCOMPARE(sheet.lastRow, 2);
    }

    void accountsAddedAndEdited()
    {
        env->exec(u"insert into setting (component,cmt,user_id) values ('وضعيت کاربر','غيرفعال',5)"_s);
        page().src_btn->click();
        ui::setControlText(entry().us, u"old"_s);
        forms::users->N5Click();
        QCOMPARE(entry().us->text(), QString());
        QCOMPARE(entry().status->currentText(), u"فعال"_s); // kept when the state list is loaded
        QVERIFY(forms::users_ins->isVisible() && entry().ins_btn->isVisible() && !entry().edit_btn->isVisible());

        // An account with a name of blanks and invisible characters would let anyone in: refused by name,
        // nothing stored.
        ui::setControlText(entry().us, u" \u200C\u200F\u200B "_s);
        ui::setControlText(entry().nam, u"مریم"_s);
        ui::setControlText(entry().ostan, fars);
        ui::setControlText(entry().lev, u"city"_s);
        entry().ins_btn->click();
        QVERIFY(env->dialogs.lastMessage().contains(u"«نام كاربري (کد ملي)»"_s));
        QCOMPARE(count(u"select count(*) from users"_s), 4);

        // The name stored trimmed; Persian letters and digits as the register stores them; the audit row.
        env->dialogs.reset();
        ui::setControlText(entry().us, u" ۰۰۷ "_s);
        ui::setControlText(entry().ps, u"پی۱"_s);
        entry().ins_btn->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s});
        QCOMPARE(env->scalar(u"select ps||'|'||nam||'|'||ver||'|'||status from users where us='007'"_s).toString(),
                 u"پی۱|مريم||فعال"_s);
        QCOMPARE(env->scalar(u"select karbar||'|'||cmt from log"_s).toString(), u"admin| ثبت کاربر جديد 007 فارس"_s);
        QVERIFY(listed().contains(u"007"_s)); // the list was opened again
        QVERIFY(forms::users_ins->isVisible());

        entry().ins_btn->click(); // typed the same again: refused in its stored form
        QCOMPARE(env->dialogs.lastMessage(), duplicate);
        QCOMPARE(count(u"select count(*) from users where us='007'"_s), 1);
        QCOMPARE(count(u"select count(*) from log"_s), 1);

        // An edit keeps the id and the version; the name unchanged is never its own duplicate.
        forms::users_ins->hide();
        env->dialogs.reset();
        env->exec(u"delete from log"_s);
        selectUser(u"ali"_s);
        forms::users->N6Click();
        QVERIFY(!entry().ins_btn->isVisible() && entry().edit_btn->isVisible());
        QCOMPARE(entry().nam->text(), u"علي رضايي"_s);

        ui::setControlText(entry().mobile, u"۰۹۱۳"_s);
        ui::setControlText(entry().ps, u"  "_s); // a blank password, stored as typed
        entry().edit_btn->click();
        QVERIFY(env->dialogs.messages().isEmpty());
        QVERIFY(!forms::users_ins->isVisible());
        QCOMPARE(env->scalar(u"select id||'|'||us||'|'||mobile||'|'||ver||'|'||semat||'|'||ps from users where "
                             "us='ali'"_s).toString(),
                 QString::number(ali) + u"|ali|0913|1||  "_s);
        QCOMPARE(env->scalar(u"select cmt from log"_s).toString(), u" ويرايش کاربر ali تهران"_s);

        selectUser(u"ali"_s);
        forms::users->N6Click();
        ui::setControlText(entry().us, u"reza"_s);
        entry().edit_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), duplicate);
        QCOMPARE(count(u"select count(*) from users where us='reza'"_s), 1);
        QCOMPARE(count(u"select count(*) from log"_s), 1);
        ui::setControlText(entry().us, u"ali2"_s);
        entry().edit_btn->click();
        QCOMPARE(env->scalar(u"select us from users where id=?"_s, {ali}).toString(), u"ali2"_s);
    }

    // The sign-in's look-up is no list of this page: opened after it, the page has no current row, so the boxes
    // are empty and off. A new account stays current, its row selected, and takes the rights ticked next.
    void rightsTickedAfterAnInsertLandOnTheNewAccount()
    {
        user_store::storeLocalDatabase(env->dbPath());
        forms::login->ui.us->setText(u"admin"_s);
        forms::login->ui.ps->setText(u"1"_s);
        forms::login->BitBtn1Click();
        forms::main_->ui->N3->trigger();
        QVERIFY(!list().active());
        QVERIFY(!page().rightsBox->isEnabled() && !page().karbaran_show->isChecked());

        forms::users->N5Click();
        ui::setControlText(entry().us, u"new"_s);
        ui::setControlText(entry().ps, u"p"_s);
        entry().ins_btn->click();
        const int added = count(u"select id from users where us='new'"_s);
        QCOMPARE(list().recordCount(), 5);
        QCOMPARE(list().fieldByName(u"id"_s).asInteger(), added);
        QVERIFY(page().DBGrid1->selectionModel()->isRowSelected(list().recNo() - 1, {}));
        QVERIFY(page().rightsBox->isEnabled() && !page().karbaran_show->isChecked());
        page().kala_show->setChecked(true);
        page().ins_btn2->click();
        QVERIFY(rightsOf(added).contains(u"kala:0001"_s));
        QCOMPARE(rightsOf(1), u"karbaran:1111"_s);
    }

    // The rights boxes show the current row's account however it became current (a search, the program, a
    // click, the keyboard); the save writes that account's whole set at once, or nothing.
    void rightsFollowTheCurrentRowAndAreSavedToIt()
    {
        env->setRights(ali, u"faktor"_s, {true, false, true, true});
        env->setRights(ali, u"setting"_s, {false, true, false, true});
        env->setRights(ali, u"other"_s, {true, true, true, true});
        page().kala_del->setChecked(true); // left from before: cleared by the account shown
        page().src_btn->click();          // admin, the first row, is current
        QVERIFY(page().karbaran_show->isChecked() && !page().kala_del->isChecked());

        selectUser(u"reza"_s); // reza has no rights
        QVERIFY(!page().karbaran_show->isChecked());
        page().bime_ins->setChecked(true);
        page().ins_btn2->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s});
        QVERIFY(rightsOf(reza).contains(u"bime:1000"_s));

        clickRowOf(u"ali"_s);
        QVERIFY(page().faktor_ins->isChecked() && !page().faktor_edit->isChecked() && page().faktor_del->isChecked()
                && page().faktor_show->isChecked() && page().set_edit->isChecked() && !page().set_ins->isChecked()
                && !page().bime_ins->isChecked());
        page().karbaran_show->setChecked(true);
        page().ins_btn2->click();
        QCOMPARE(rightsOf(ali), u"abadiha:0000 anbar:0000 bime:0000 darkhast:0000 estelam:0000 faktor:1011 "
                                "foroshande:0000 kala:0000 karbaran:0001 other:1111 phone:0000 setting:0101 "
                                "tavrelkol:0000 zamaem:0000"_s);
        QTest::keyClick(page().DBGrid1, Qt::Key_Down);
        QCOMPARE(list().fieldByName(u"us"_s).asString(), u"reza"_s);
        QVERIFY(!page().faktor_ins->isChecked() && page().bime_ins->isChecked());
        page().CheckBox1->click();
        page().us->setText(u"ali"_s);
        page().src_btn->click();
        QVERIFY(page().faktor_ins->isChecked() && !page().bime_ins->isChecked());

        // The administrator's own users-page row stays, even with its boxes cleared.
        page().CheckBox1->click();
        page().src_btn->click();
        page().karbaran_ins->setChecked(false);
        page().ins_btn2->click();
        QVERIFY(rightsOf(1).contains(u"karbaran:1111"_s));

        // A save that fails part-way keeps the account's old rows.
        const QString before = rightsOf(reza);
        env->exec(u"create trigger refuse before insert on dastrasi when new.page_name='karbaran' "
                  "begin select raise(abort, 'refused'); end"_s);
        selectUser(u"reza"_s);
        page().bime_ins->setChecked(false);
        env->dialogs.reset();
        page().ins_btn2->click();
        QCOMPARE(env->dialogs.errors().size(), 1);
        QVERIFY(env->dialogs.messages().isEmpty());
        QCOMPARE(rightsOf(reza), before);
    }

    void countiesGatheredAndSaved()
    {
        env->exec(u"insert into abadiha (ostan,shahrestan) values (?,'ري'), (?,'شميرانات'), (?,'ري'), (?,'شيراز'), "
                  "(null,'بي نام'), ('','بي نام'), ('',null)"_s,
                  {tehran, tehran, tehran, fars});
        forms::users->show();
        // Villages without a province are offered under one empty province, with their counties.
        QCOMPARE(page().ostan2->count(), 3);
        QVERIFY(page().ostan->findText(QString()) >= 0);
        QCOMPARE(places::counties(QString()), QStringList{u"بي نام"_s});
        ui::setControlText(page().ostan, tehran);
        QCOMPARE(page().shahrestan->count(), 2);
        QCOMPARE(page().shahrestan->currentText(), QString());
        ui::setControlText(page().shahrestan, u"شيراز"_s);
        page().SpeedButton3->click();
        page().SpeedButton2->click();
        page().SpeedButton2->click(); // duplicates are allowed
        QCOMPARE(page().list_loc->count(), 5);
        QCOMPARE(page().list_loc->item(4)->text(), u"شيراز"_s);

        page().list_loc->setCurrentRow(4);
        page().N3->trigger();
        page().list_loc->clearSelection();
        page().N3->trigger(); // nothing selected: nothing removed
        QCOMPARE(page().list_loc->count(), 4);

        page().src_btn->click();
        selectUser(u"ali"_s);
        for (int i = 0; i < 2; ++i) // saving again replaces the list
            page().ins_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"دسترسي ها بروز شد"_s);
        QCOMPARE(env->scalar(u"select group_concat(cmt, ',') from (select cmt from dastrasi2 where user_id=? order by "
                             "cmt)"_s,
                             {ali})
                     .toString(),
                 u"ري,ري,شميرانات,شميرانات"_s);
        page().N1->trigger();
        page().ins_btn->click();
        QCOMPARE(count(u"select count(*) from dastrasi2"_s), 0);
    }

    // The opener: the page's filters emptied, its commands set by the rights, the foot showing the user.
    void mainMenuOpensThePageByItsRights()
    {
        env->setRights(reza, u"karbaran"_s, {false, false, true, true});
        const QList<QWidget *> cleared{page().ostan, page().shahrestan, page().us, page().ostan2, page().nam,
                                       page().lev, page().lev2, page().semat};
        for (QWidget *control : cleared)
            ui::setControlText(control, u"x"_s);
        page().src_btn->click();
        page().cnt->setText(u"4"_s);

        forms::main_->ui->N3->trigger(); // the administrator: every right
        QCOMPARE(env->dialogs.shown.size(), 1);
        QCOMPARE(env->dialogs.shown.first().text, u"users"_s);
        for (QWidget *control : cleared)
            QCOMPARE(ui::controlText(control), QString());
        QCOMPARE(page().cnt->text(), QString());
        auto enabled = [] {
            QList<bool> states; // the insert commands, then edit and delete
            for (QObject *command : QList<QObject *>{page().N5, page().ins_btn2, page().ins_btn, page().SpeedButton2,
                                                     page().SpeedButton3, page().N6, page().N7})
                states << command->property("enabled").toBool();
            return states;
        };
        QCOMPARE(enabled(), QList<bool>(7, true));

        env->signInAs(reza, u"reza"_s, u"ostan"_s);
        forms::main_->ui->N3->trigger();
        QCOMPARE(enabled(), QList<bool>({false, false, false, false, false, false, true}));
        QCOMPARE(page().karbar->text() + page().level->text(), u"rezaostan"_s);

        env->signInAs(reza + 1, u"nobody"_s, u"ostan"_s);
        forms::main_->ui->N3->trigger();
        QCOMPARE(env->dialogs.lastMessage(), u"شما دسترسي به اين صفحه را نداريد"_s);
        QCOMPARE(env->dialogs.shown.size(), 3); // two openings and the refusal
    }
};

QTEST_MAIN(TestUsers)
#include "tst_users.moc"
