// The settings page as a user works it (filing, listing by title, deleting their own values) and the pick
// lists and switch the other pages read from the same table.
#include "dm_u.h"
#include "forms.h"
#include "pagekit/picklist.h"
#include "setting_u.h"
#include "main_u.h"
#include "ui_main_u.h"
#include "support/form_input.h"
#include "support/testenv.h"
#include "ui/guard.h"
#include "ui_setting_u.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString project = u"نام پروژه"_s;
const QString unit = u"واحد"_s;
const QString goodsUnit = u"واحد کالا"_s;
const QString stored = u"ثبت شد"_s;
const QString duplicate = u"تكراري است"_s;

Tsetting &page() { return *forms::setting; }
QComboBox *component() { return page().ui->component; }
QLineEdit *cmt() { return page().ui->cmt; }
QTableView *grid() { return page().ui->DBGrid1; }

// Files a value through the page as the signed-in user; returns the message shown.
QString file(TestEnv &env, const QString &title, const QString &value)
{
    env.dialogs.reset();
    component()->setEditText(title);
    cmt()->setText(value);
    ui::guarded([] { page().ins_btnClick(); });
    return env.dialogs.lastMessage();
}

struct Row {
    QString title, value;
    int user;
};
void addRows(TestEnv &env, const QList<Row> &rows)
{
    for (const Row &row : rows)
        env.exec(u"insert into setting (component, cmt, user_id) values (?, ?, ?)"_s, {row.title, row.value, row.user});
}

int rowsOf(TestEnv &env, const QString &title, const QString &value)
{
    return env.scalar(u"select count(*) from setting where component=? and cmt=?"_s, {title, value}).toInt();
}

// The grid's texts of one column (0 title, 1 value), top to bottom.
QStringList gridColumn(int column)
{
    QStringList texts;
    for (int row = 0; row < grid()->model()->rowCount(); ++row)
        texts << grid()->model()->index(row, column).data().toString();
    return texts;
}

// The administrator signed in on a fresh database.
struct SignedIn : TestEnv {
    SignedIn() { signInAs(1); }
};

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class TestSetting : public QObject {
    Q_OBJECT

private slots:
    void filesAValueOncePerUser()
    {
        SignedIn env;
        QCOMPARE(file(env, project, QString()), u"لطفا مقدار مناسب را وارد نماييد"_s); // only empty is refused
        QCOMPARE(file(env, project, u"  "_s), stored);
        env.exec(u"delete from setting"_s);

        // Typed on a Persian keyboard: stored with the Arabic yeh and Latin digits, and listed at once.
        QCOMPARE(file(env, project, u"پروژه ی ۱۲"_s), stored);
        const QString value = u"پروژه ي 12"_s;
        QCOMPARE(env.scalar(u"select user_id from setting where cmt=?"_s, {value}).toInt(), 1);
        QCOMPARE(gridColumn(1), QStringList{value});

        QCOMPARE(file(env, project, u"پروژه ی 12"_s), duplicate);
        // A pasted control character is refused by the field's name, as the entry forms refuse it.
        QCOMPARE(file(env, project, u"پل\tکرج"_s), u"مقدار «توضيحات» درست نيست"_s);
        QCOMPARE(file(env, u"نام\nپروژه"_s, u"پل"_s), u"مقدار «عنوان» درست نيست"_s);
        QCOMPARE(env.scalar(u"select count(*) from setting"_s).toInt(), 1);
        QCOMPARE(file(env, unit, value), stored); // the pair is the value, not the text alone
        env.signInAs(2, u"ali"_s);
        QCOMPARE(file(env, project, value), stored);
        QCOMPARE(file(env, project, value), duplicate);
        QCOMPARE(rowsOf(env, project, value), 2);

        // A refused filing leaves the query other pages share with no half-made row.
        env.exec(u"create trigger refuse before insert on setting begin select raise(abort, 'refused'); end"_s);
        cmt()->setText(u"پل"_s);
        QVERIFY_THROWS_EXCEPTION(db::Error, page().ins_btnClick());
        QCOMPARE(forms::dm->ADOQuery1->state(), db::Query::State::Browse);
        QCOMPARE(forms::dm->ADOQuery1->recordCount(), 0);
    }

    void openerListingAndDelete()
    {
        SignedIn env;
        addRows(env, {{project, u"سد"_s, 1}, {project, u"سد"_s, 2}, {project, u"پل"_s, 1}, {unit, u"متر"_s, 1},
                      {goodsUnit, u"عدد"_s, 1}, {goodsUnit, u"کيلو"_s, 2}, {u"وضعيت درخواست"_s, u"باز"_s, 1}});
        component()->setEditText(u"x"_s);
        cmt()->setText(u"x"_s);
        env.setRights(1, u"setting"_s, {true, false, false, true}); // no delete right
        forms::main_->ui->N9->trigger();
        QCOMPARE(env.dialogs.shown.last().kind, u"modal"_s);
        QCOMPARE(component()->currentText(), QString());
        QCOMPARE(cmt()->text(), QString());
        QVERIFY(page().ui->ins_btn->isEnabled() && !page().ui->PopupMenu1->actions().first()->isEnabled());

        // Typing into the combo lists as it goes: every title containing the text, own values, by value.
        typeText(component()->lineEdit(), unit);
        QCOMPARE(gridColumn(1), (QStringList{u"عدد"_s, u"متر"_s}));
        component()->setEditText(u"وضعیت"_s); // typed with the Persian yeh, matched as stored
        page().componentChange();
        QCOMPARE(gridColumn(1), QStringList{u"باز"_s});
        component()->setEditText(u"' or '1'='1"_s); // a value, never part of the statement
        page().componentChange();
        QCOMPARE(grid()->model()->rowCount(), 0);

        // The delete removes the signed-in user's rows of the current row's title and value only.
        component()->setEditText(project);
        page().componentChange();
        QCOMPARE(gridColumn(1), (QStringList{u"سد"_s, u"پل"_s}));
        grid()->setCurrentIndex(grid()->model()->index(0, 0));
        page().N1Click();
        QCOMPARE(rowsOf(env, project, u"سد"_s), 1); // the other user's row stays
        QCOMPARE(gridColumn(1), (QStringList{u"پل"_s, u"متر"_s, u"عدد"_s, u"باز"_s})); // all of the user's own
        QCOMPARE(cmt()->text(), u"سد"_s); // the deleted value stays typed, to file again
    }

    void pickListsOfOwnAndAllUsersRows()
    {
        SignedIn env;
        // Titles match exactly here: the goods unit is no unit.
        addRows(env, {{unit, u"متر"_s, 1}, {unit, u"عدد"_s, 2}, {unit, u"متر"_s, 2}, {goodsUnit, u"کيلو"_s, 1},
                      {project, u"سد"_s, 1}, {project, u"پل"_s, 1}});

        QComboBox fixed; // without an edit field
        picklist::LoadPickList(&fixed, unit, picklist::Rows::AllUsers, true);
        QCOMPARE(sorted(comboItems(&fixed)), sorted({u"متر"_s, u"عدد"_s, u"متر"_s})); // duplicates included
        QCOMPARE(fixed.currentIndex(), -1);
        picklist::LoadPickList(&fixed, unit, picklist::Rows::Own, true);
        QCOMPARE(comboItems(&fixed), QStringList{u"متر"_s});
        QCOMPARE(fixed.currentText(), u"متر"_s);
        picklist::LoadPickList(&fixed, project, picklist::Rows::Own, true); // two values: none chosen
        QCOMPARE(fixed.currentIndex(), -1);

        // An empty edit field takes the single value only when asked to. (An edited record's value is never
        // replaced: the insurance page's test.)
        QComboBox edited;
        edited.setEditable(true);
        picklist::LoadPickList(&edited, unit, picklist::Rows::Own, false);
        QCOMPARE(edited.currentText(), QString());
        picklist::LoadPickList(&edited, unit, picklist::Rows::Own, true);
        QCOMPARE(edited.currentText(), u"متر"_s);
        env.signInAs(2, u"ali"_s);
        QCOMPARE(sorted(picklist::values(unit, picklist::Rows::Own)), sorted({u"عدد"_s, u"متر"_s}));
    }

    void ownRowsRule()
    {
        SignedIn env;
        const QString rule = u"هر کاربر اطلاعات خودش را ببيند-بلي/خير"_s;
        QVERIFY(!picklist::OwnRowsRule());
        addRows(env, {{rule, u"بلي"_s, 2}}); // filed by any user, it holds for all
        QVERIFY(picklist::OwnRowsRule());
        env.exec(u"delete from setting"_s);
        addRows(env, {{rule, u"خير"_s, 1}, {rule, u"بلي"_s, 2}}); // the first row filed decides
        QVERIFY(!picklist::OwnRowsRule());
    }
};

QTEST_MAIN(TestSetting)
#include "tst_setting.moc"
