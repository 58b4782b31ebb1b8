// The settings page (filing, listing by title, deleting one's own values) and the pick lists read from it.
#include "db/statement.h"
#include "main_u.h"
#include "pagekit/picklist.h"
#include "setting_u.h"
#include "support/form_input.h"
#include "support/page_test.h"
#include "ui/guard.h"
#include "ui_main_u.h"
#include "ui_setting_u.h"
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString project = u"نام پروژه"_s;
const QString unit = u"واحد"_s;
const QString stored = u"ثبت شد"_s;
const QString duplicate = u"تكراري است"_s;

Tsetting &page() { return *forms::setting; }
QComboBox *component() { return page().ui->component; }
QLineEdit *cmt() { return page().ui->cmt; }
QStringList listed() { return textsOf(*forms::dm->adoq_set, u"cmt"_s); }

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

class TestSetting : public PageTest {
    Q_OBJECT

    // Files a value through the page as the signed-in user; returns the message shown.
    QString file(const QString &title, const QString &value)
    {
        env->dialogs.reset();
        component()->setEditText(title);
        cmt()->setText(value);
        ui::guarded([] { page().ins_btnClick(); });
        return env->dialogs.lastMessage();
    }
    void addRows(const QString &title, const QList<std::pair<QString, int>> &values)
    {
        for (const auto &[value, user] : values)
            addSetting(*env, title, value, user);
    }

private slots:
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
        QCOMPARE(listed(), (QStringList{u"  "_s, value}));
        QCOMPARE(file(project, u"پروژه ی 12"_s), duplicate);
        QCOMPARE(file(project, u"پل\tکرج"_s), u"مقدار «توضيحات» درست نيست"_s);
        QCOMPARE(file(u"نام\nپروژه"_s, u"پل"_s), u"مقدار «عنوان» درست نيست"_s);
        QCOMPARE(file(unit, value), stored);
        env->signInAs(2, u"ali"_s);
        QCOMPARE(file(project, value), stored);
        QCOMPARE(file(project, value), duplicate);
        QCOMPARE(rowTexts(u"select component, cmt, user_id from setting order by id"_s),
                 (QStringList{project + u"|  |1"_s, project + u'|' + value + u"|1"_s, unit + u'|' + value + u"|1"_s,
                              project + u'|' + value + u"|2"_s}));

        // A refused filing leaves no half-made row in the query other pages share.
        env->exec(u"create trigger refuse before insert on setting begin select raise(abort, 'refused'); end"_s);
        cmt()->setText(u"پل"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, page().ins_btnClick());
        QCOMPARE(forms::dm->ADOQuery1->state(), db::Query::State::Browse);
        QCOMPARE(forms::dm->ADOQuery1->recordCount(), 0);
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
        QCOMPARE(listed(), (QStringList{u"عدد"_s, u"متر"_s}));
        const auto listedFor = [](const QString &title) {
            component()->setEditText(title);
            page().componentChange();
            return listed();
        };
        QCOMPARE(listedFor(u"وضعیت"_s), QStringList{u"باز"_s}); // typed with the Persian yeh
        QCOMPARE(listedFor(u"' or '1'='1"_s), QStringList()); // a value, never part of the statement
        QCOMPARE(listedFor(project), (QStringList{u"سد"_s, u"پل"_s}));
        page().ui->DBGrid1->setCurrentIndex(page().ui->DBGrid1->model()->index(0, 0));
        page().N1Click();
        QCOMPARE(rowTexts(u"select user_id from setting where cmt='سد'"_s), QStringList{u"2"_s});
        QCOMPARE(listed(), (QStringList{u"پل"_s, u"متر"_s, u"عدد"_s, u"باز"_s}));
        QCOMPARE(cmt()->text(), u"سد"_s);
    }

    // Titles match exactly; all or one's own values; a single one chosen when asked, never in place of a value
    // held; the first rule row decides.
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
        QCOMPARE(loaded(unit, picklist::Rows::AllUsers, true), (QStringList{u"متر"_s, u"عدد"_s, u"متر"_s, {}})); // as filed
        QCOMPARE(loaded(unit, picklist::Rows::Own, false), (QStringList{u"متر"_s, {}}));
        QCOMPARE(loaded(unit, picklist::Rows::Own, true), (QStringList{u"متر"_s, u"متر"_s}));
        combo.setEditText(u"x"_s);
        QCOMPARE(loaded(unit, picklist::Rows::Own, true), (QStringList{u"متر"_s, u"x"_s})); // held, not replaced
        env->signInAs(2, u"ali"_s);
        QCOMPARE(picklist::values(unit, picklist::Rows::Own), (QStringList{u"عدد"_s, u"متر"_s}));

        const QString rule = u"هر کاربر اطلاعات خودش را ببيند-بلي/خير"_s;
        QVERIFY(!picklist::OwnRowsRule());
        addRows(rule, {{u"بلي"_s, 2}});
        QVERIFY(picklist::OwnRowsRule());
        env->exec(u"delete from setting"_s);
        addRows(rule, {{u"خير"_s, 1}, {u"بلي"_s, 2}});
        QVERIFY(!picklist::OwnRowsRule());
    }
};

QTEST_MAIN(TestSetting)
#include "tst_setting.moc"
