// The users and settings pages: accounts searched, added and edited, their rights and counties, the export; values
// filed once per user, listed by title and deleted, and the pick lists read from them.
#include "main_u.h"
#include "pagekit/picklist.h"
#include "places.h"
#include "setting_u.h"
#include "support/form_input.h"
#include "support/page_test.h"
#include "support/xlsx_reader.h"
#include "ui/control_text.h"
#include "ui/guard.h"
#include "ui_main_u.h"
#include "ui_setting_u.h"
#include "users_ins_u.h"
#include "users_u.h"
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString duplicate = u"خطا، نام كاربري تكراري است"_s;
const QString tehran = u"تهران"_s;
const QString fars = u"فارس"_s;

Ui::Tusers &page() { return *forms::users->ui; }
Ui::Tusers_ins &entry() { return *forms::users_ins->ui; }
db::Query &list() { return *forms::dm->adoq_user; }
QStringList listed() { return textsOf(list(), u"us"_s); }

const QString project = u"نام پروژه"_s;
const QString unit = u"واحد"_s;
const QString stored = u"ثبت شد"_s;
const QString repeated = u"تكراري است"_s;

Tsetting &settings() { return *forms::setting; }
QComboBox *component() { return settings().ui->component; }
QLineEdit *cmt() { return settings().ui->cmt; }
QStringList values() { return textsOf(*forms::dm->adoq_set, u"cmt"_s); }

// The statements on table `setting` the data module's own connection runs while it is watched, each told as
// "read" or "write" and, inside a transaction, the number of the transaction begun ("write in 2").
struct SettingStatements {
    sqlite3 *handle = db::detail::sqliteHandle(forms::dm->ADOConnection1);
    int begun = 0;
    QStringList told;
    SettingStatements() { sqlite3_trace_v2(handle, SQLITE_TRACE_STMT, &SettingStatements::seen, this); }
    ~SettingStatements() { sqlite3_trace_v2(handle, 0, nullptr, nullptr); }
    static int seen(unsigned, void *context, void *, void *sql)
    {
        auto &self = *static_cast<SettingStatements *>(context);
        const QString text = QString::fromUtf8(static_cast<const char *>(sql)).trimmed().toLower().remove(u'"');
        if (text.startsWith(u"begin"_s))
            ++self.begun;
        else if (text.contains(u" setting"_s))
            self.told << (text.startsWith(u"select"_s) ? u"read"_s : u"write"_s)
                             + (sqlite3_get_autocommit(self.handle) ? QString() : u" in "_s + QString::number(self.begun));
        return 0;
    }
};

} // namespace

class TestUsers : public PageTest {
    Q_OBJECT
    int ali = 0; // the id of "ali", one of the accounts every test starts with

    // The rights rows of one account, "page:bits" in page order.
    static QString rightsOf(int id)
    {
        return rowTexts(u"select page_name||':'||darj||virayesh||hazf||namayesh from dastrasi where prs_id=? "
                        "order by page_name"_s, {id}).join(u' ');
    }
    // The names of the rights boxes ticked, in the page's order.
    static QString ticked()
    {
        QStringList names;
        for (const QCheckBox *box : page().rightsBox->findChildren<QCheckBox *>())
            if (box->isChecked())
                names << box->objectName();
        return names.join(u' ');
    }
    int count(const QString &sql) { return env->scalar(sql).toInt(); }
    void selectUser(const QString &us) { QVERIFY(list().locate(u"us"_s, us)); }
    // The entry form opened for a new account (no name given) or to edit the named one, these fields typed, saved.
    void save(const QString &edited, const QHash<QString, QString> &typed)
    {
        if (!edited.isEmpty())
            selectUser(edited);
        edited.isEmpty() ? forms::users->N5Click() : forms::users->N6Click();
        setFieldTexts(forms::users_ins, typed);
        (edited.isEmpty() ? entry().ins_btn : entry().edit_btn)->click();
    }

    // Files a value through the page as the signed-in user; returns the message shown.
    QString file(const QString &title, const QString &value)
    {
        env->dialogs.reset();
        component()->setEditText(title);
        cmt()->setText(value);
        ui::guarded([] { settings().ins_btnClick(); });
        return env->dialogs.lastMessage();
    }
    void addRows(const QString &title, const QList<std::pair<QString, int>> &rows)
    {
        for (const auto &[value, user] : rows)
            addSetting(*env, title, value, user);
    }

private Q_SLOTS:
    void init()
    {
        PageTest::init();
        env->exec(u"insert into users (us, ps, ver, lev, ostan, semat, mobile, nam, status) values "
                  "('ali', 'p', '1', 'city', ?, '', '0912', 'علي رضايي', 'فعال'), "
                  "('reza', 'p', '1', 'ostan', ?, '', '0912', 'رضا', 'فعال'), "
                  "('o''hara', 'p', '1', 'keshvar', ?, '', '0912', 'سارا', 'فعال')"_s, {tehran, fars, tehran});
        ali = env->scalar(u"select id from users where us='ali'"_s).toInt();
    }

    // Each filter alone; neither grid nor export shows passwords.
    void searchAndExport()
    {
        env->exec(u"update users set lev='ostan', ostan=null where us='admin'"_s);
        // "the indexes of the accounts listed (admin, ali, reza, o'hara)|the count"
        const QList<qint64> seeded{1, ali, ali + 1, ali + 2};
        const auto searched = [&](const QString &box, const QString &control, const QString &text) {
            return filterAlone(forms::users, list(), seeded, box, {control}, {text});
        };
        QVERIFY(page().DBGrid1->isColumnHidden(2));
        QCOMPARE(searched(u"CheckBox1"_s, u"us"_s, u"r"_s), u"2,3|2"_s);
        QCOMPARE(searched(u"CheckBox2"_s, u"ostan2"_s, tehran), u"1,3|2"_s);
        QCOMPARE(searched(u"CheckBox3"_s, u"nam"_s, u"رضا"_s), u"1,2|2"_s);
        QCOMPARE(searched(u"CheckBox4"_s, u"lev2"_s, u"ostan"_s), u"0,2|2"_s);
        QCOMPARE(searched(u"CheckBox1"_s, u"us"_s, u"nobody"_s), u"|0"_s);
        QCOMPARE(searched(u"CheckBox1"_s, u"us"_s, u"ali"_s), u"1|1"_s);
        page().N8->trigger();
        const XlsxSheet sheet(env->openedFiles.value(0)); // nine columns: the password's left out
        QCOMPARE(sheet.cell(u"B2"_s).text + u'|' + sheet.cell(u"I1"_s).text + sheet.cell(u"J1"_s).text + u'|'
                     + QString::number(sheet.lastRow), u"ali|status|2"_s);
    }

    // Names of invisible characters and repeats (in stored form) refused; stored trimmed; audit rows; edits.
    void accountsAddedAndEdited()
    {
        env->exec(u"insert into setting (component,cmt,user_id) values ('وضعيت کاربر','غيرفعال',5)"_s);
        page().src_btn->click();
        ui::setControlText(entry().us, u"old"_s);
        forms::users->N5Click();
        QCOMPARE(entry().us->text() + u'|' + entry().status->currentText(), u"|فعال"_s);
        QHash<QString, QString> typed{{u"us"_s, u" \u115F\u1160\uFFA0\U0001D173 "_s}, {u"nam"_s, u"مریم"_s},
                                      {u"ostan"_s, fars}, {u"lev"_s, u"city"_s}, {u"ps"_s, u"پی۱"_s}};
        save({}, typed);
        QCOMPARE(env->dialogs.lastMessage(), u"مقدار «نام كاربري (کد ملي)» درست نيست"_s);

        env->dialogs.reset();
        typed[u"us"_s] = u" ۰۰۷ "_s;
        save({}, typed);
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s});
        QCOMPARE(rowTexts(u"select ps,nam,ver,status from users where us='007'"_s), QStringList{u"پی۱|مريم||فعال"_s});
        QCOMPARE(rowTexts(u"select karbar, cmt from log"_s), QStringList{u"admin| ثبت کاربر جديد 007 فارس"_s});
        entry().ins_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), duplicate);
        QCOMPARE(count(u"select (select count(*) from users where us='007') + (select count(*) from log)"_s), 2);

        env->dialogs.reset();
        save(u"ali"_s, {{u"mobile"_s, u"۰۹۱۳"_s}, {u"ps"_s, u"  "_s}});
        QVERIFY(env->dialogs.messages().isEmpty() && !forms::users_ins->isVisible());
        QCOMPARE(rowTexts(u"select id, nam, mobile, ver, semat, ps from users where us='ali'"_s),
                 QStringList{QString::number(ali) + u"|علي رضايي|0913|1||  "_s});
        QCOMPARE(env->scalar(u"select cmt from log order by id desc"_s).toString(), u" ويرايش کاربر ali تهران"_s);
        save(u"ali"_s, {{u"us"_s, u"reza"_s}});
        QCOMPARE(env->dialogs.lastMessage(), duplicate);
        QCOMPARE(count(u"select (select count(*) from users where us='reza') + (select count(*) from log)"_s), 3);
    }

    // Opened by its command: filters emptied, no row current, boxes off, the signed-in user shown; a new account
    // is current and takes the rights ticked next. Saved out of the filter's reach, it leaves no row current.
    void rightsTickedAfterAnInsertLandOnTheNewAccount()
    {
        const QList<QWidget *> filters{page().ostan, page().shahrestan, page().us, page().ostan2, page().nam,
                                       page().lev, page().lev2, page().semat, page().cnt};
        for (QWidget *control : filters)
            ui::setControlText(control, u"x"_s);
        env->signInAs(1, u"admin"_s, u"keshvar"_s);
        forms::main_->ui->N3->trigger();
        for (QWidget *control : filters)
            QCOMPARE(ui::controlText(control), QString());
        QCOMPARE(page().karbar->text() + page().level->text(), u"adminkeshvar"_s);
        QVERIFY(!page().rightsBox->isEnabled() && ticked().isEmpty());

        save({}, {{u"us"_s, u"new"_s}, {u"ps"_s, u"p"_s}});
        const qint64 added = count(u"select id from users where us='new'"_s);
        QCOMPARE((QList<qint64>{list().recordCount(), list()[u"id"_s].asInteger()}), (QList<qint64>{5, added}));
        QVERIFY(page().rightsBox->isEnabled() && ticked().isEmpty());
        page().kala_show->setChecked(true);
        page().ins_btn2->click();
        QVERIFY(rightsOf(added).contains(u"kala:0001"_s));
        QCOMPARE(rightsOf(1), u"karbaran:1111"_s);

        page().CheckBox1->click();
        ui::setControlText(page().us, u"new"_s);
        page().src_btn->click();
        save({}, {{u"us"_s, u"other"_s}, {u"ps"_s, u"p"_s}});
        QVERIFY(list().recNo() == 0 && !page().rightsBox->isEnabled() && ticked().isEmpty());
        save(u"new"_s, {{u"us"_s, u"renamed"_s}});
        QVERIFY(list().recNo() == 0 && !page().rightsBox->isEnabled() && ticked().isEmpty());
        page().ins_btn2->click();
        QCOMPARE(count(u"select count(*) from dastrasi"_s), 14);
    }

    // The boxes show the current account however it became current; a save writes its whole set, or nothing.
    void rightsFollowTheCurrentRowAndAreSavedToIt()
    {
        env->setRights(ali, u"faktor"_s, {true, false, true, true});
        env->setRights(ali, u"setting"_s, {false, true, false, true});
        env->setRights(ali, u"other"_s, {true, true, true, true});
        page().kala_del->setChecked(true); // left from before: cleared by the account shown
        page().src_btn->click();          // admin, the first row, is current
        QCOMPARE(ticked(), u"karbaran_ins karbaran_edit karbaran_del karbaran_show"_s);
        selectUser(u"reza"_s); // reza has no rights
        QCOMPARE(ticked(), QString());

        forms::users->show();
        QTableView *grid = page().DBGrid1;
        const QPoint aliRow = grid->visualRect(grid->model()->index(int(listed().indexOf(u"ali"_s)), 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, aliRow);
        QCOMPARE(ticked(), u"faktor_ins faktor_del faktor_show set_edit set_show"_s);
        page().karbaran_show->setChecked(true);
        page().ins_btn2->click();
        QCOMPARE(env->dialogs.messages(), QStringList{u"ثبت شد"_s});
        QCOMPARE(rightsOf(ali), u"abadiha:0000 anbar:0000 bime:0000 darkhast:0000 estelam:0000 faktor:1011 "
                                "foroshande:0000 kala:0000 karbaran:0001 other:1111 phone:0000 setting:0101 "
                                "tavrelkol:0000 zamaem:0000"_s);

        selectUser(u"admin"_s);
        page().karbaran_ins->setChecked(false);
        page().ins_btn2->click();
        QVERIFY(rightsOf(1).contains(u"karbaran:1111"_s));

        env->exec(u"create trigger refuse before insert on dastrasi when new.page_name='karbaran' "
                  "begin select raise(abort, 'refused'); end"_s);
        selectUser(u"ali"_s);
        page().faktor_ins->setChecked(false);
        env->dialogs.reset();
        page().ins_btn2->click();
        QCOMPARE(env->dialogs.errors().size() + env->dialogs.messages().size(), 1);
        QVERIFY(rightsOf(ali).contains(u"faktor:1011"_s));
    }

    // Counties offered by province (none: one empty province), added, removed, and saved in place of the last.
    void countiesGatheredAndSaved()
    {
        env->exec(u"insert into abadiha (ostan,shahrestan) values (?,'ري'), (?,'شميرانات'), (?,'ري'), (?,'شيراز'), "
                  "(null,'بي نام'), ('','بي مکان'), ('',null)"_s, {tehran, tehran, tehran, fars});
        forms::users->show();
        QCOMPARE((comboItems(page().ostan) + comboItems(page().ostan2)).join(u'|'), u"|تهران|فارس||تهران|فارس"_s);
        QCOMPARE(places::counties(QString()), (QStringList{u"بي نام"_s, u"بي مکان"_s}));
        ui::setControlText(page().ostan, tehran);
        QCOMPARE(comboItems(page().shahrestan), (QStringList{u"ري"_s, u"شميرانات"_s}));
        ui::setControlText(page().shahrestan, u"شيراز"_s);
        page().SpeedButton3->click();
        page().SpeedButton2->click();
        page().SpeedButton2->click();
        QCOMPARE(page().list_loc->count(), 5);
        QCOMPARE(page().list_loc->item(4)->text(), u"شيراز"_s);
        page().list_loc->setCurrentRow(4);
        page().N3->trigger();
        page().list_loc->clearSelection();
        page().N3->trigger(); // nothing selected: nothing removed
        QCOMPARE(page().list_loc->count(), 4);

        page().src_btn->click();
        selectUser(u"ali"_s);
        for (int i = 0; i < 2; ++i)
            page().ins_btn->click();
        QCOMPARE(env->dialogs.lastMessage(), u"دسترسي ها بروز شد"_s);
        QCOMPARE(rowTexts(u"select cmt from dastrasi2 where user_id=? order by cmt"_s, {ali}),
                 (QStringList{u"ري"_s, u"ري"_s, u"شميرانات"_s, u"شميرانات"_s}));
        page().N1->trigger();
        page().ins_btn->click();
        QCOMPARE(count(u"select count(*) from dastrasi2"_s), 0);
    }

    // Stored as the register stores Persian typing, once per user, the repeat check and the row in one write
    // transaction; empty values and control characters refused.
    void filesAValueOncePerUser()
    {
        QCOMPARE(file(project, QString()), u"لطفا مقدار مناسب را وارد نماييد"_s);
        {
            const SettingStatements statements;
            QCOMPARE(file(project, u"  "_s), stored);
            QCOMPARE(statements.told, (QStringList{u"read in 1"_s, u"write in 1"_s}));
        }
        QCOMPARE(file(project, u"پروژه ی ۱۲"_s), stored);
        const QString value = u"پروژه ي 12"_s;
        QCOMPARE(values(), (QStringList{u"  "_s, value}));
        QCOMPARE(file(project, u"پروژه ی 12"_s), repeated);
        QCOMPARE(file(project, u"پل\tکرج"_s), u"مقدار «توضيحات» درست نيست"_s);
        QCOMPARE(file(u"نام\nپروژه"_s, u"پل"_s), u"مقدار «عنوان» درست نيست"_s);
        QCOMPARE(file(unit, value), stored);
        env->signInAs(2, u"ali"_s);
        QCOMPARE(file(project, value), stored);
        QCOMPARE(file(project, value), repeated);
        QCOMPARE(rowTexts(u"select component, cmt, user_id from setting order by id"_s),
                 (QStringList{project + u"|  |1"_s, project + u'|' + value + u"|1"_s, unit + u'|' + value + u"|1"_s,
                              project + u'|' + value + u"|2"_s}));

        // A refused filing leaves no half-made row in the query other pages share.
        env->exec(u"create trigger refuse before insert on setting begin select raise(abort, 'refused'); end"_s);
        cmt()->setText(u"پل"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, settings().ins_btnClick());
        QVERIFY(forms::dm->ADOQuery1->state() == db::Query::State::Browse && forms::dm->ADOQuery1->recordCount() == 0);
    }

    // Opened with its fields emptied; typing a title lists the user's own values of every title containing it; a
    // delete takes the user's row.
    void openerListingAndDelete()
    {
        addRows(project, {{u"سد"_s, 1}, {u"سد"_s, 2}, {u"پل"_s, 1}});
        addRows(unit, {{u"متر"_s, 1}});
        addRows(u"واحد کالا"_s, {{u"عدد"_s, 1}, {u"کيلو"_s, 2}});
        addRows(u"وضعيت درخواست"_s, {{u"باز"_s, 1}});
        component()->setEditText(u"x"_s);
        cmt()->setText(u"x"_s);
        env->setRights(1, u"setting"_s, {false, false, true, true});
        forms::main_->ui->N9->trigger();
        QCOMPARE(component()->currentText() + cmt()->text(), QString());

        typeText(component()->lineEdit(), unit);
        QCOMPARE(values(), (QStringList{u"عدد"_s, u"متر"_s}));
        const auto valuesFor = [](const QString &title) {
            component()->setEditText(title);
            settings().componentChange();
            return values();
        };
        QCOMPARE(valuesFor(u"وضعیت"_s), QStringList{u"باز"_s}); // typed with the Persian yeh
        QCOMPARE(valuesFor(u"' or '1'='1"_s), QStringList()); // a value, never part of the statement
        QCOMPARE(valuesFor(project), (QStringList{u"سد"_s, u"پل"_s}));
        settings().ui->DBGrid1->setCurrentIndex(settings().ui->DBGrid1->model()->index(0, 0));
        settings().N1Click();
        QCOMPARE(rowTexts(u"select user_id from setting where cmt='سد'"_s), QStringList{u"2"_s});
        QCOMPARE(values(), (QStringList{u"پل"_s, u"متر"_s, u"عدد"_s, u"باز"_s}));
        QCOMPARE(cmt()->text(), u"سد"_s);
    }

    // Titles match exactly; all values (in filing order) or one's own; a single one chosen when asked, never in
    // place of a value held; the first rule row decides.
    void pickListsAndTheOwnRowsRule()
    {
        addRows(unit, {{u"متر"_s, 1}, {u"عدد"_s, 2}, {u"متر"_s, 2}});
        addRows(u"واحد کالا"_s, {{u"کيلو"_s, 1}});
        QComboBox combo;
        combo.setEditable(true);
        const auto loaded = [&](const QString &title, picklist::Rows rows, bool selectSingle) {
            picklist::LoadPickList(&combo, title, rows, selectSingle);
            return comboItems(&combo) << combo.currentText();
        };
        QCOMPARE(loaded(unit, picklist::Rows::AllUsers, true), (QStringList{u"متر"_s, u"عدد"_s, u"متر"_s, {}}));
        QCOMPARE(loaded(unit, picklist::Rows::Own, false), (QStringList{u"متر"_s, {}}));
        QCOMPARE(loaded(unit, picklist::Rows::Own, true), (QStringList{u"متر"_s, u"متر"_s}));
        combo.setEditText(u"x"_s);
        QCOMPARE(loaded(unit, picklist::Rows::Own, true), (QStringList{u"متر"_s, u"x"_s})); // held, not replaced
        env->signInAs(2, u"ali"_s);
        QCOMPARE(picklist::values(unit, picklist::Rows::Own), (QStringList{u"عدد"_s, u"متر"_s}));

        // (The rule's row of "بلي" alone: the invoices' own rows.)
        addRows(u"هر کاربر اطلاعات خودش را ببيند-بلي/خير"_s, {{u"خير"_s, 1}, {u"بلي"_s, 2}});
        QVERIFY(!picklist::OwnRowsRule());
    }
};

QTEST_MAIN(TestUsers)
#include "tst_users.moc"
